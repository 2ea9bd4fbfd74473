// Runs every test class of the data layer in one executable.
#include "DataKit.h"

#include <QCoreApplication>

std::vector<DataTestRun>& dataTests()
{
    static std::vector<DataTestRun> tests;
    return tests;
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int failures = 0;
    for (DataTestRun run : dataTests())
        failures += run(argc, argv);
    return failures;
}
