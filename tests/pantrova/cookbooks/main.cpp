// Runs every test class of the cookbook library in one executable.
#include <QApplication>
#include <QTest>

int runCookbookManagerTests(int argc, char** argv);
int runCompactionTests(int argc, char** argv);
int runConversionTests(int argc, char** argv);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    failures += runCookbookManagerTests(argc, argv);
    failures += runCompactionTests(argc, argv);
    failures += runConversionTests(argc, argv);
    return failures;
}
