// make_cookbook <template cookbook> <new cookbook> [recipes] [recipes in the first group]
// Writes a generated cookbook, so the program can be tried and looked at with many recipes.
#include "CookbookGenerator.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr,
                     "usage: make_cookbook <template cookbook> <new cookbook> [recipes] [first group]\n");
        return 2;
    }
    CookbookShape shape;
    shape.recipeCount = args.size() > 3 ? args[3].toInt() : 2000;
    shape.firstGroupCount = args.size() > 4 ? args[4].toInt() : shape.recipeCount / 10;
    const int written = CookbookGenerator::writeCookbook(args[1], args[2], shape);
    std::printf("%d recipes written to %s\n", written, qPrintable(args[2]));
    return 0;
}
