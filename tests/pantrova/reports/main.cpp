// Runs every test class of the reports in one executable.
#include <QApplication>
#include <QTest>

int runSelectionTests(int argc, char** argv);
int runLayoutTests(int argc, char** argv);
int runMenuPrintingTests(int argc, char** argv);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    failures += runSelectionTests(argc, argv);
    failures += runLayoutTests(argc, argv);
    failures += runMenuPrintingTests(argc, argv);
    return failures;
}
