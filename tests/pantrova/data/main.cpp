// Runs every test class of the data layer in one executable.
#include <QCoreApplication>
#include <QTest>

int runEngineTests(int argc, char** argv);
int runDialectTests(int argc, char** argv);
int runProgramFolderTests(int argc, char** argv);
int runDatabaseFilesTests(int argc, char** argv);
int runOrderingTests(int argc, char** argv);
int runSearchTests(int argc, char** argv);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int failures = 0;
    failures += runEngineTests(argc, argv);
    failures += runDialectTests(argc, argv);
    failures += runProgramFolderTests(argc, argv);
    failures += runDatabaseFilesTests(argc, argv);
    failures += runOrderingTests(argc, argv);
    failures += runSearchTests(argc, argv);
    return failures;
}
