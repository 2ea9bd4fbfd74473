// Runs every test class of the meal planner in one executable.
#include <QApplication>
#include <QTest>

int runMenuFormTests(int argc, char** argv);
int runMenuPanelTests(int argc, char** argv);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    failures += runMenuFormTests(argc, argv);
    failures += runMenuPanelTests(argc, argv);
    return failures;
}
