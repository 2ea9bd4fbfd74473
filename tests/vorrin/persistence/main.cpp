// Runs the in-process tests of the calendar control as a component object in one executable.
#include <QApplication>

int runPersistenceTests(int argc, char** argv);
int runObjectTests(int argc, char** argv);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    int failures = 0;
    failures += runPersistenceTests(argc, argv);
    failures += runObjectTests(argc, argv);
    return failures;
}
