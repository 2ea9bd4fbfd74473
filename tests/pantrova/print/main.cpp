// Runs every test class of the print component in one executable.
#include <QApplication>
#include <QTest>

int runDocumentTests(int argc, char** argv);
int runComponentTests(int argc, char** argv);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    failures += runDocumentTests(argc, argv);
    failures += runComponentTests(argc, argv);
    return failures;
}
