// What the recipe page takes in: names trimmed before they are cut, pictures offered in every
// format the program reads and checked whole before they are taken, and texts of any length kept
// whole. Driven through the window's controls.
#include "RecipeWindow.h"
#include "recipes/PictureStore.h"
#include "ui/QtDialogs.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QtTest>

using namespace pantrova;
using ui::AnswerYes;

namespace {

// The file name patterns of one filter of the dialog ("JPG (*.jpg *.JPG)").
QStringList patternsOf(const QString& filter)
{
    const qsizetype open = filter.lastIndexOf(u'(');
    const qsizetype close = filter.lastIndexOf(u')');
    if (open < 0 || close < open)
        return {};
    return filter.mid(open + 1, close - open - 1).split(u' ', Qt::SkipEmptyParts);
}

// Whether a dialog that matches names exactly, letter case included, would list the file.
bool listsFile(const QString& filter, const QString& file)
{
    for (const QString& pattern : patternsOf(filter))
        if (QRegularExpression::fromWildcard(pattern, Qt::CaseSensitive).match(file).hasMatch())
            return true;
    return false;
}

QByteArray picture(const char* format)
{
    QImage image(160, 120, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int y = 0; y < image.height(); y += 8)
        painter.fillRect(0, y, image.width(), 8, QColor::fromHsv(y * 3 % 360, 200, 220));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

void write(const QString& file, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QString longParagraph(qsizetype chars)
{
    QString text;
    text.reserve(chars + 16);
    for (int i = 0; text.size() < chars; ++i)
        text += QStringLiteral("Stir the pot %1 times, ").arg(i);
    text.truncate(chars);
    return text;
}

} // namespace

class TestRecipeInput : public QObject
{
    Q_OBJECT

private slots:
    void aNameIsTrimmedBeforeItIsCut()
    {
        Window t;
        QVERIFY(t.showActive());
        const QString fifty = QStringLiteral("Slow Cooked Beef Stew With Barley And Winter Roots");
        QCOMPARE(fifty.size(), 50);
        t.w->AddRecipeMenu->trigger();
        QTest::keyClicks(t.w->Recipe_Name, QStringLiteral("    ") + fifty + QStringLiteral(" and more"));
        t.w->saverecipemenu->trigger();
        QCOMPARE(t.row(fifty).RecordCount(), 1);
        QCOMPARE(t.w->Recipe_Name->text(), fifty);
    }

    void thePictureDialogOffersEveryReadableFormatInEitherCase()
    {
        Window t;
        t.add(QStringLiteral("Cake"));
        t.dialogs.expectFile(std::nullopt);
        t.w->Add_Pic->click();
        QVERIFY(t.dialogs.allAnswered());
        const ui::FileQuestion asked = t.dialogs.filesAsked().constFirst();
        const QStringList filters = ui::QtDialogs::nameFilters(asked.filter);
        QVERIFY(filters.size() >= 5);
        QVERIFY(listsFile(filters.at(asked.filterIndex - 1), QStringLiteral("photo.jpg"))); // JPEG first

        // Every picture filter but the last, which is for any file at all.
        QCOMPARE(filters.constLast(), QStringLiteral("All files (*)"));
        const QStringList pictureFilters = filters.mid(0, filters.size() - 1);
        const auto offered = [&](const QString& file) {
            return std::any_of(pictureFilters.begin(), pictureFilters.end(),
                               [&](const QString& f) { return listsFile(f, file); });
        };
        for (const char* file : {"Cake.JPG", "cake.jpg", "cake.jpeg", "CAKE.JPEG", "pie.png", "PIE.PNG",
                                 "bread.gif", "BREAD.GIF", "old.bmp", "OLD.BMP"})
            QVERIFY2(offered(QString::fromLatin1(file)), file);
        for (const QByteArray& format : QImageReader::supportedImageFormats()) {
            QVERIFY2(offered(QStringLiteral("x.") + QString::fromLatin1(format).toLower()),
                     format.constData());
            QVERIFY2(offered(QStringLiteral("x.") + QString::fromLatin1(format).toUpper()),
                     format.constData());
        }
        QVERIFY(!offered(QStringLiteral("shopping.txt")));
        QVERIFY(listsFile(filters.constLast(), QStringLiteral("shopping.txt")));
    }

    void aDamagedPictureIsRefusedAndAWholeOneTaken_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("whole");
        QTest::newRow("JPEG") << QStringLiteral("Cake.JPG") << picture("JPG");
        QTest::newRow("PNG") << QStringLiteral("cake.png") << picture("PNG");
        QTest::newRow("BMP") << QStringLiteral("cake.bmp") << picture("BMP");
        QFile gif(TestWorld::builtProgramDir() + QStringLiteral("/fruits.gif"));
        QVERIFY(gif.open(QIODevice::ReadOnly));
        QTest::newRow("GIF") << QStringLiteral("fruits2.gif") << gif.readAll();
    }
    void aDamagedPictureIsRefusedAndAWholeOneTaken()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, whole);
        Window t;
        t.add(QStringLiteral("Cake"));

        // Cut short, as a photo copied off a camera that was pulled out too early.
        const QString damaged = t.world.filePath(QStringLiteral("camera/") + file);
        write(damaged, whole.left(whole.size() * 3 / 5));
        t.dialogs.expectFile(damaged).expectMessage(RecipeEditor::refusedPictureMessage(damaged));
        t.w->Add_Pic->click();
        QVERIFY(t.dialogs.allAnswered());
        QCOMPARE(t.row(QStringLiteral("Cake")).Text(QStringLiteral("Picture")), QString());
        QVERIFY(QDir(t.pics()).entryList(QDir::Files).isEmpty());

        const QString good = t.world.filePath(QStringLiteral("album/") + file);
        write(good, whole);
        t.dialogs.expectFile(good).expectMessage(t.editor().copyQuestion(), AnswerYes);
        t.w->Add_Pic->click();
        QVERIFY(t.dialogs.allAnswered());
        QCOMPARE(t.row(QStringLiteral("Cake")).Text(QStringLiteral("Picture")),
                 QStringLiteral("pics\\") + file);
    }

    void aParagraphOfMegabytesIsShownAtOnceAndSavedWhole()
    {
        Window t;
        t.add(QStringLiteral("Stock"));
        const QString paragraph = longParagraph(3'000'000);
        program().Cookbook.Execute(QStringLiteral("update recipes set Instructions = ? where Name = 'Stock'"),
                                   {engine::Value(paragraph)});
        QVERIFY(t.showActive());
        t.show(QStringLiteral("Stock"));
        t.w->SSTab1->setCurrentIndex(2);
        t.w->repaint();
        QCOMPARE(t.w->Instructions->toPlainText().size(), paragraph.size());
        QVERIFY2(t.w->Instructions->laidOutLines() < 200,
                 qPrintable(QString::number(t.w->Instructions->laidOutLines())));

        t.w->Instructions->setFocus();
        QTest::keyClick(t.w->Instructions, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClicks(t.w->Instructions, QStringLiteral("First: "));
        t.w->saverecipemenu->trigger();
        const QString stored = t.row(QStringLiteral("Stock")).Text(QStringLiteral("Instructions"));
        QCOMPARE(stored.size(), paragraph.size() + 7);
        QVERIFY(stored == QStringLiteral("First: ") + paragraph);
        QCOMPARE(t.w->Instructions->toPlainText().size(), stored.size());
    }
};

QTEST_MAIN(TestRecipeInput)
#include "tst_recipe_input.moc"
