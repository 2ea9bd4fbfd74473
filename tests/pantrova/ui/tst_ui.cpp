#include "ui/Dialogs.h"
#include "ui/ErrorBox.h"
#include "ui/ErrorGuard.h"
#include "ui/FlexGrid.h"
#include "ui/LetterStrip.h"
#include "ui/QtDialogs.h"
#include "ui/ScriptedDialogs.h"
#include "ui/Twips.h"

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <stdexcept>

using namespace ui;

namespace {
ScriptedDialogs::Failure failTest()
{
    return [](const QString& d) { QTest::qFail(qUtf8Printable(d), __FILE__, __LINE__); };
}
} // namespace

class TestUi : public QObject
{
    Q_OBJECT

private slots:
    void init() { Twips::setDpiOverride(96); }
    void cleanup() { Twips::setDpiOverride(0); }

    void twipsConvertAtTheScreenResolution()
    {
        QCOMPARE(Twips::toPixelsX(1440), 96);
        QCOMPARE(Twips::toPixelsY(7515), 501);
        QCOMPARE(Twips::fromPixelsX(637), 9555);
        Twips::setDpiOverride(192);
        QCOMPARE(Twips::toPixelsX(1440), 192);
        QCOMPARE(Twips::fromPixelsY(192), 1440);
    }

    void gridKeepsTwipsSizesExactlyAndHidesZeroSizes()
    {
        FlexGrid grid;
        grid.setCols(2);
        grid.setRows(20);
        grid.setColWidth(0, 0);
        grid.setColWidth(1, 1930);
        grid.setRowHeight(0, 480);
        QCOMPARE(grid.colWidth(1), 1930); // 128.67 pixels on screen, still 1930 when read back
        QCOMPARE(grid.rowHeight(0), 480);
        QVERIFY(grid.table()->isColumnHidden(0));
        QVERIFY(!grid.table()->isColumnHidden(1));
        grid.setRowHeight(3, 0);
        QVERIFY(grid.table()->isRowHidden(3));
        grid.setRows(22);
        QCOMPARE(grid.rows(), 22);
        QCOMPARE(grid.rowHeight(0), 480); // growing keeps the sizes already set
    }

    void gridCellPropertiesActOnTheCurrentCell()
    {
        FlexGrid grid;
        grid.setCols(2);
        grid.setRows(3);
        grid.setRow(2);
        grid.setCol(1);
        grid.setText(QStringLiteral("Soups"));
        grid.setCellAlignment(flexAlignCenterCenter);
        grid.setCellFontBold(true);
        grid.setCellFontSize(9);
        grid.setCellBackColor(colorFromRgbNumber(14737632));
        QCOMPARE(grid.textMatrix(2, 1), QStringLiteral("Soups"));
        QCOMPARE(grid.cellAlignment(), int(flexAlignCenterCenter));
        QVERIFY(grid.cellFontBold());
        QCOMPARE(grid.cellFontSize(), 9.0);
        QCOMPARE(grid.cellBackColor(), QColor(0xE0, 0xE0, 0xE0));
        grid.setRow(1);
        QVERIFY(!grid.cellFontBold());
        QCOMPARE(grid.text(), QString());

        grid.clear();
        grid.setRow(2);
        QCOMPARE(grid.text(), QString());
        QVERIFY(!grid.cellFontBold());
        QCOMPARE(grid.rows(), 3);
        QCOMPARE(colorFromRgbNumber(0x0000FF), QColor(255, 0, 0)); // the low byte is red
    }

    void leftClickMovesTheCurrentCellRightClickDoesNot()
    {
        FlexGrid grid;
        grid.resize(300, 400);
        grid.setCols(2);
        grid.setRows(6);
        grid.setFixedRows(1);
        grid.setColWidth(0, 0);
        grid.setColWidth(1, 2000);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.setRow(1);

        QSignalSpy down(&grid, &FlexGrid::MouseDown);
        QSignalSpy clicks(&grid, &FlexGrid::Click);
        int rowSeenAtMouseDown = -1;
        connect(&grid, &FlexGrid::MouseDown, &grid, [&] { rowSeenAtMouseDown = grid.row(); });

        QTest::mouseClick(grid.table()->viewport(), Qt::LeftButton, {},
                          grid.table()->visualRect(grid.table()->model()->index(3, 1)).center());
        QCOMPARE(grid.row(), 3);
        QCOMPARE(rowSeenAtMouseDown, 3);
        QCOMPARE(down.count(), 1);
        QCOMPARE(down.at(0).at(0).toInt(), int(flexLeftButton));
        QCOMPARE(clicks.count(), 1);

        QTest::mouseClick(grid.table()->viewport(), Qt::RightButton, {},
                          grid.table()->visualRect(grid.table()->model()->index(5, 1)).center());
        QCOMPARE(grid.row(), 3);
        QCOMPARE(down.count(), 2);
        QCOMPARE(down.at(1).at(0).toInt(), int(flexRightButton));
        QCOMPARE(clicks.count(), 1);

        // A heading row is still made current: the window decides what a heading click means.
        QTest::mouseClick(grid.table()->viewport(), Qt::LeftButton, {},
                          grid.table()->visualRect(grid.table()->model()->index(0, 1)).center());
        QCOMPARE(grid.row(), 0);
    }

    void keyboardMovesCarryTheCurrentCell()
    {
        FlexGrid grid;
        grid.setCols(2);
        grid.setRows(5);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.setRow(1);
        grid.setCol(1);
        grid.table()->setFocus();
        QTest::keyClick(grid.table(), Qt::Key_Down);
        QCOMPARE(grid.row(), 2);
        QCOMPARE(grid.col(), 1);
    }

    void editingACellReportsTheCommittedText()
    {
        FlexGrid grid;
        grid.setCols(4);
        grid.setRows(2);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QSignalSpy edited(&grid, &FlexGrid::AfterEdit);
        grid.setRow(1);
        grid.setCol(2);
        grid.editCell();
        QVERIFY(grid.isEditing());
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("12.5"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(edited.count(), 1);
        QCOMPARE(grid.textMatrix(1, 2), QStringLiteral("12.5"));
        QVERIFY(!grid.isEditing());
    }

    void letterStripNumbersThreeButtonsPerLetter()
    {
        LetterStrip strip;
        QCOMPARE(LetterStrip::letterOf(1), QChar(u'A'));
        QCOMPARE(LetterStrip::letterOf(76), QChar(u'Z'));
        QCOMPARE(LetterStrip::letterOf(78), QChar(u'Z'));
        QVERIFY(LetterStrip::lookOf(74) == LetterArt::Look::Active);
        QVERIFY(LetterStrip::lookOf(75) == LetterArt::Look::NoData);
        QVERIFY(strip.isButtonVisible(1));
        QVERIFY(!strip.isButtonVisible(2));
        QVERIFY(!strip.isButtonVisible(0));
        QVERIFY(!strip.isButtonVisible(79));

        strip.setButtonVisible(1, false);
        strip.setButtonVisible(3, true);
        QVERIFY(strip.visibleLook(0) == LetterArt::Look::NoData);
        strip.setButtonVisible(2, true);
        QVERIFY(strip.visibleLook(0) == LetterArt::Look::Active);

        strip.setButtonToolTip(5, QStringLiteral("Active Recipe list for Soups"));
        QCOMPARE(strip.buttonToolTip(5), QStringLiteral("Active Recipe list for Soups"));
        QCOMPARE(strip.button(5)->accessibleName(), QStringLiteral("Active Recipe list for Soups"));
        QCOMPARE(strip.button(5)->objectName(), QStringLiteral("Toolbar2_5"));

        QSignalSpy clicked(&strip, &LetterStrip::ButtonClick);
        strip.show();
        QVERIFY(QTest::qWaitForWindowExposed(&strip));
        QTest::mouseClick(strip.button(4), Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).toInt(), 4);
    }

    void letterLooksDifferFromEachOther()
    {
        const QImage normal = LetterArt::pixmap(u'B', LetterArt::Look::Normal, 1).toImage();
        const QImage active = LetterArt::pixmap(u'B', LetterArt::Look::Active, 1).toImage();
        const QImage none = LetterArt::pixmap(u'B', LetterArt::Look::NoData, 1).toImage();
        QVERIFY(normal != active);
        QVERIFY(normal != none);
        QVERIFY(active != none);
        QCOMPARE(LetterArt::pixmap(u'B', LetterArt::Look::Active, 2).size(), LetterArt::tileSize() * 2);
    }

    void scriptAnswersExpectedQuestionsInOrder()
    {
        ScriptedDialogs script(failTest());
        script.expectMessage(QStringLiteral("Delete it?"), AnswerYes)
            .expectInput(QStringLiteral("New name"), QStringLiteral("Breads"))
            .expectFile(QStringLiteral("/tmp/cake.jpg"));
        QCOMPARE(Dialogs::messageBox(QStringLiteral("Delete it?"), MsgButtons::YesNo), int(AnswerYes));
        QCOMPARE(Dialogs::inputBox(QStringLiteral("New name")),
                 std::optional<QString>(QStringLiteral("Breads")));
        QCOMPARE(Dialogs::openFile({}), std::optional<QString>(QStringLiteral("/tmp/cake.jpg")));
        QVERIFY(script.allAnswered());
        QCOMPARE(script.messagesAsked().at(0).title, QStringLiteral("Pantrova"));
    }

    void unexpectedQuestionsFailAtOnceWithACautiousAnswer()
    {
        QStringList failures;
        {
            ScriptedDialogs script([&](const QString& d) { failures << d; });
            script.expectMessage(QStringLiteral("Something else"));
            QCOMPARE(Dialogs::messageBox(QStringLiteral("Really?"), MsgButtons::YesNo), int(AnswerNo));
            QCOMPARE(Dialogs::inputBox(QStringLiteral("Name")), std::optional<QString>());
            QDialog dialog;
            dialog.setObjectName(QStringLiteral("Print_Form"));
            QCOMPARE(Dialogs::runModal(dialog), 0); // closed unrun: no event loop, no hang
            QCOMPARE(script.unexpected().size(), 3);
            QCOMPARE(script.pending(), QStringList{QStringLiteral("message \"Something else\"")});
        }
        QCOMPARE(failures.size(), 3);
        QVERIFY(failures.at(0).contains(QStringLiteral("Really?")));
        QVERIFY(&Dialogs::answerer() != nullptr); // the real answerer is back
    }

    void modalWindowsAreWorkedByTheScript()
    {
        ScriptedDialogs script(failTest());
        QDialog dialog;
        dialog.setObjectName(QStringLiteral("About_Form"));
        bool seen = false;
        script.expectModal(QStringLiteral("About_Form"), [&](QWidget& w) {
            seen = &w == &dialog;
            return int(QDialog::Accepted);
        });
        QCOMPARE(Dialogs::runModal(dialog), int(QDialog::Accepted));
        QVERIFY(seen);
    }

    void guardShowsAnErrorBoxNamingWhatFailed()
    {
        ScriptedDialogs script(failTest());
        script.expectMessage(
            Dialogs::errorText(QStringLiteral("Showing the group"), QStringLiteral("disk on fire")));
        const bool ok =
            guarded(QStringLiteral("Showing the group"), [] { throw std::runtime_error("disk on fire"); });
        QVERIFY(!ok);
        QVERIFY(script.allAnswered());
        QCOMPARE(script.messagesAsked().at(0).icon, MsgIcon::Critical);
        QVERIFY(guarded(QStringLiteral("Nothing"), [] {}));
    }

    // The error box a person sees: plain words first, the technical details behind "Details".
    void errorBoxShowsTheCauseAndKeepsDetailsBehindAButton()
    {
        ErrorBox box({QStringLiteral("Saving the recipe"),
                      QStringLiteral("/home/cook/Pantrova/Recipe20.mdb"),
                      QStringLiteral("The disk is full."),
                      QStringLiteral("Engine message: database or disk is full"),
                      {}});
        box.show();
        const QString text = box.text()->text();
        QVERIFY(text.startsWith(QStringLiteral("Saving the recipe failed.")));
        QVERIFY(text.contains(QStringLiteral("File: Recipe20.mdb (in /home/cook/Pantrova)")));
        QVERIFY(text.contains(QStringLiteral("The disk is full.")));
        QVERIFY(!text.contains(QStringLiteral("Engine message")));
        QCOMPARE(box.windowTitle(), QStringLiteral("Pantrova"));
        QCOMPARE(box.detailsButton()->text(), QStringLiteral("Details"));
        QVERIFY(!box.detailsText()->isVisible());
        QTest::mouseClick(box.detailsButton(), Qt::LeftButton);
        QVERIFY(box.detailsText()->isVisible());
        QCOMPARE(box.detailsText()->toPlainText(),
                 QStringLiteral("Engine message: database or disk is full"));
        QVERIFY(box.isVisible());
        QTest::mouseClick(box.okButton(), Qt::LeftButton);
        QCOMPARE(box.result(), int(QDialog::Accepted));

        ErrorBox plain({QStringLiteral("Showing the group"), {}, QStringLiteral("x"), {}, {}});
        QVERIFY(plain.detailsButton()->isHidden());
    }

    // Failures an explainer knows come in its words; one already told is not told twice.
    void explainedFailuresComeInPlainWords()
    {
        addErrorExplainer([](const QString& what, const std::exception& e) -> std::optional<ErrorQuestion> {
            if (!dynamic_cast<const std::out_of_range*>(&e))
                return std::nullopt;
            return ErrorQuestion{what,
                                 QStringLiteral("/tmp/Menus.mdb"),
                                 QStringLiteral("The file is damaged."),
                                 QString::fromUtf8(e.what()),
                                 {}};
        });
        ScriptedDialogs script(failTest());
        script.expectMessage(
            QStringLiteral("Saving the menu failed.\n\nFile: Menus.mdb (in /tmp)\nThe file is "
                           "damaged."));
        QVERIFY(
            !guarded(QStringLiteral("Saving the menu"), [] { throw std::out_of_range("page 7 is bad"); }));
        QCOMPARE(script.errorsShown().size(), 1);
        QCOMPARE(script.errorsShown().at(0).details, QStringLiteral("page 7 is bad"));
        QVERIFY(!guarded(QStringLiteral("Opening"), [] { throw Reported(QStringLiteral("told")); }));
        QVERIFY(script.allAnswered());
    }

    void legacyFiltersBecomeNameFilters()
    {
        QCOMPARE(QtDialogs::nameFilters(
                     QStringLiteral("BMP (*.bmp)|*.bmp| JPG (*.jpg)|*.jpg|GIF Files (*.gif)|*.gif")),
                 (QStringList{QStringLiteral("BMP (*.bmp)"), QStringLiteral("JPG (*.jpg)"),
                              QStringLiteral("GIF Files (*.gif)")}));
        QCOMPARE(QtDialogs::nameFilters(QStringLiteral("Pictures|*.png;*.jpg")),
                 QStringList{QStringLiteral("Pictures (*.png *.jpg)")});
    }
};

QTEST_MAIN(TestUi)
#include "tst_ui.moc"
