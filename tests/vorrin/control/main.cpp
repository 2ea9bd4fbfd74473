// Runs the calendar control's test classes in one executable.
#include <QApplication>

int runMonthCalendarTests(int argc, char** argv);
int runVorrinCtlTests(int argc, char** argv);
int runVorrinEventsTests(int argc, char** argv);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    int failures = 0;
    failures += runMonthCalendarTests(argc, argv);
    failures += runVorrinCtlTests(argc, argv);
    failures += runVorrinEventsTests(argc, argv);
    return failures;
}
