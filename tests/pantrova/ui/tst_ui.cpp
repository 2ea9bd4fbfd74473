#include "ui/Dialogs.h"
#include "ui/ErrorBox.h"
#include "ui/ErrorGuard.h"
#include "ui/FlexGrid.h"
#include "ui/LetterStrip.h"
#include "ui/PlainTextBox.h"
#include "ui/QtDialogs.h"
#include "ui/ScriptedDialogs.h"
#include "ui/TextLines.h"
#include "ui/Twips.h"

#include <QAccessible>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTextLayout>
#include <QToolButton>

#include <stdexcept>

using namespace ui;

namespace {
ScriptedDialogs::Failure failTest()
{
    return [](const QString& d) { QTest::qFail(qUtf8Printable(d), __FILE__, __LINE__); };
}

// Where the lines of `text` start when each paragraph is laid out whole at `width`.
std::vector<qsizetype> wholeLayoutStarts(const QString& text, const QFont& font, qreal width,
                                         const QTextOption& option)
{
    std::vector<qsizetype> starts;
    qsizetype from = 0;
    for (;;) {
        const qsizetype newline = text.indexOf(u'\n', from);
        const qsizetype end = newline < 0 ? text.size() : newline;
        if (end == from) {
            starts.push_back(from);
        } else {
            QTextLayout layout(text.mid(from, end - from), font);
            layout.setTextOption(option);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(width);
                starts.push_back(from + line.textStart());
            }
            layout.endLayout();
        }
        if (newline < 0)
            return starts;
        from = newline + 1;
    }
}

std::vector<qsizetype> indexedStarts(ui::TextLines& lines)
{
    std::vector<qsizetype> starts;
    for (qsizetype i = 0; i == 0 || i < lines.knownLines() || !lines.isComplete(); ++i) {
        lines.ensureLine(i);
        if (i >= lines.knownLines())
            break;
        starts.push_back(lines.lineStart(i));
    }
    return starts;
}

QString words(qsizetype chars, quint32 seed)
{
    static const char* pool[] = {
        "simmer", "the", "onions", "until", "golden", "and",   "soft,",
        "then",   "add", "a",      "pinch", "of",     "salt.", "Extraordinarilylongword",
        "x"};
    QRandomGenerator random(seed);
    QString text;
    while (text.size() < chars) {
        text += QLatin1String(pool[random.bounded(int(sizeof pool / sizeof *pool))]);
        text += u' ';
    }
    text.truncate(chars);
    return text;
}

// A grid on screen, `cols` by `rows`, as a window lays one out.
void show(FlexGrid& grid, int cols, int rows, QSize size = {})
{
    if (size.isValid())
        grid.resize(size);
    grid.setCols(cols);
    grid.setRows(rows);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
}

QPoint cellCentre(FlexGrid& grid, int row, int col)
{
    return grid.table()->visualRect(grid.table()->model()->index(row, col)).center();
}
} // namespace

class TestUi : public QObject
{
    Q_OBJECT

private slots:
    void init() { Twips::setDpiOverride(96); }
    void cleanup() { Twips::setDpiOverride(0); }

    void twipsConvertAtTheScreenResolutionAndGridSizesKeepThem()
    {
        QCOMPARE(Twips::toPixelsX(1440), 96);
        QCOMPARE(Twips::toPixelsY(7515), 501);
        QCOMPARE(Twips::fromPixelsX(637), 9555);
        Twips::setDpiOverride(192);
        QCOMPARE(Twips::toPixelsX(1440), 192);
        QCOMPARE(Twips::fromPixelsY(192), 1440);
        Twips::setDpiOverride(96);

        // The grid keeps sizes in twips exactly and hides what has no size.
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
        grid.setCellFontBold(true);
        grid.setCellBackColor(colorFromRgbNumber(14737632));
        QCOMPARE(grid.textMatrix(2, 1), QStringLiteral("Soups"));
        QVERIFY(grid.cellFontBold());
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

    void leftClickMovesTheCurrentCellRightClickDoesNotAndKeysAreReported()
    {
        FlexGrid grid;
        show(grid, 2, 6, {300, 600});
        grid.setFixedRows(1);
        grid.setColWidth(0, 0);
        grid.setColWidth(1, 2000);
        grid.setRow(1);

        QSignalSpy down(&grid, &FlexGrid::MouseDown);
        QSignalSpy clicks(&grid, &FlexGrid::Click);
        int rowSeenAtMouseDown = -1;
        connect(&grid, &FlexGrid::MouseDown, &grid, [&] { rowSeenAtMouseDown = grid.row(); });

        QTest::mouseClick(grid.table()->viewport(), Qt::LeftButton, {}, cellCentre(grid, 3, 1));
        QCOMPARE(grid.row(), 3);
        QCOMPARE(rowSeenAtMouseDown, 3);
        QCOMPARE(down.count(), 1);
        QCOMPARE(down.at(0).at(0).toInt(), int(flexLeftButton));
        QCOMPARE(clicks.count(), 1);

        QTest::mouseClick(grid.table()->viewport(), Qt::RightButton, {}, cellCentre(grid, 5, 1));
        QCOMPARE(grid.row(), 3);
        QCOMPARE(down.count(), 2);
        QCOMPARE(down.at(1).at(0).toInt(), int(flexRightButton));
        QCOMPARE(clicks.count(), 1);

        // A heading row is still made current: the window decides what a heading click means.
        QTest::mouseClick(grid.table()->viewport(), Qt::LeftButton, {}, cellCentre(grid, 0, 1));
        QCOMPARE(grid.row(), 0);

        // A click beside the cells, in a grid taller than its rows, hits no row.
        grid.setRow(2);
        grid.setCol(1);
        QSignalSpy beside(&grid, &FlexGrid::MouseDown);
        QTest::mouseClick(grid.table()->viewport(), Qt::LeftButton, {}, QPoint(20, 550));
        QCOMPARE(beside.count(), 1);
        QCOMPARE(grid.mouseRow(), -1);
        QCOMPARE(grid.row(), 2);
        QTest::mouseClick(grid.table()->viewport(), Qt::LeftButton, {}, cellCentre(grid, 3, 1));
        QCOMPARE(grid.mouseRow(), 3);
        QCOMPARE(grid.row(), 3);

        // Keys: a move is reported once, by RowColChange; every key by KeyDown first.
        QSignalSpy moved(&grid, &FlexGrid::RowColChange);
        QSignalSpy keys(&grid, &FlexGrid::KeyDown);
        grid.setRow(1); // the program's own moves are not reported
        QCOMPARE(moved.count(), 0);
        grid.table()->setFocus();
        QTest::keyClick(grid.table(), Qt::Key_Down);
        QCOMPARE(grid.row(), 2);
        QCOMPARE(grid.col(), 1);
        QCOMPARE(moved.count(), 1);
        QTest::keyClick(grid.table(), Qt::Key_Return);
        QCOMPARE(keys.count(), 2);
        QCOMPARE(keys.at(1).at(0).toInt(), int(Qt::Key_Return));
        QCOMPARE(moved.count(), 1);
    }

    void aCellEditIsReportedWhenCommittedAndCancelledKeepsTheText()
    {
        FlexGrid grid;
        show(grid, 4, 2);
        grid.setTextMatrix(1, 2, QStringLiteral("250"));
        QSignalSpy edited(&grid, &FlexGrid::AfterEdit);
        grid.setRow(1);
        grid.setCol(2);
        grid.editCell();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("4"));
        grid.cancelEdit();
        QVERIFY(!grid.isEditing());
        QCOMPARE(grid.textMatrix(1, 2), QStringLiteral("250"));
        // Nothing is committed later either, when the focus moves on.
        grid.setRow(0);
        QApplication::processEvents();
        QCOMPARE(grid.textMatrix(1, 2), QStringLiteral("250"));
        QCOMPARE(edited.count(), 0);

        grid.setRow(1);
        grid.editCell();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("4"));
        grid.commitEdit();
        QCOMPARE(grid.textMatrix(1, 2), QStringLiteral("4"));
        QCOMPARE(edited.count(), 1);

        // Typed and committed with Enter, as the cook does.
        QSignalSpy typed(&grid, &FlexGrid::AfterEdit);
        grid.editCell();
        QVERIFY(grid.isEditing());
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("12.5"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(typed.count(), 1);
        QCOMPARE(grid.textMatrix(1, 2), QStringLiteral("12.5"));
        QVERIFY(!grid.isEditing());
    }

    void lineIndexAgreesWithLayingOutWholeParagraphs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qreal>("width");
        QTest::newRow("one long paragraph") << words(30000, 1) << 180.0;
        QTest::newRow("paragraphs and empty lines")
            << words(3000, 2) + QStringLiteral("\n\n") + words(9000, 3) + QStringLiteral("\nshort\n")
            << 250.0;
        QTest::newRow("one word wider than the box")
            << QString(12000, u'w') + QStringLiteral(" end") << 120.0;
        QTest::newRow("empty") << QString() << 100.0;
    }
    void lineIndexAgreesWithLayingOutWholeParagraphs()
    {
        QFETCH(QString, text);
        QFETCH(qreal, width);
        QString live = text;
        TextLines lines(live);
        QFont font;
        font.setPointSize(10);
        lines.setFont(font);
        lines.setWidth(width);

        // Only what is asked for is laid out.
        lines.lineStart(2);
        QVERIFY(lines.knownLines() < 400);
        QVERIFY(lines.lineCount() >= lines.knownLines());

        const auto check = [&](const char* when) {
            const std::vector<qsizetype> expected =
                wholeLayoutStarts(live, lines.font(), width, lines.option());
            const std::vector<qsizetype> got = indexedStarts(lines);
            QVERIFY2(got == expected, qPrintable(QStringLiteral("%1: %2 lines, %3 expected")
                                                     .arg(QLatin1String(when))
                                                     .arg(got.size())
                                                     .arg(expected.size())));
        };
        check("at first");
        QCOMPARE(lines.lineCount(), lines.knownLines());
        QCOMPARE(lines.lineOf(live.size()), lines.knownLines() - 1);

        // Edits anywhere, with the index laid out only part of the way between them.
        QRandomGenerator random(11);
        for (int i = 0; i < 25; ++i) {
            const qsizetype pos = live.isEmpty() ? 0 : random.bounded(int(live.size()));
            const qsizetype removed = std::min<qsizetype>(random.bounded(12), live.size() - pos);
            const QString added = i % 4 == 0   ? QStringLiteral("\n")
                                  : i % 3 == 0 ? QString()
                                               : words(random.bounded(1, 40), quint32(i));
            live.replace(pos, removed, added);
            lines.edited(pos, removed, added.size());
            lines.lineOf(std::min(live.size(), pos + 200));
        }
        check("after editing");
    }

    void textBoxEditsAsAPersonExpects()
    {
        QWidget form;
        auto* box = new PlainTextBox(&form);
        auto* next = new QLineEdit(&form);
        box->setGeometry(0, 0, 300, 200);
        next->setGeometry(0, 210, 300, 30);
        form.resize(300, 250);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QSignalSpy modification(box, &PlainTextBox::modificationChanged);

        box->setPlainText(QStringLiteral("Whisk the eggs."));
        QVERIFY(!box->isModified());
        QVERIFY(!box->isUndoAvailable());
        box->setFocus();
        QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(box, QStringLiteral(" Fold in"));
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClicks(box, QStringLiteral("floor"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, QStringLiteral("ur."));
        QCOMPARE(box->toPlainText(), QStringLiteral("Whisk the eggs. Fold in\nflour."));
        QVERIFY(box->isModified());
        QCOMPARE(modification.count(), 1);

        // Select the first word with the keys, copy it, paste it at the end.
        QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(box->selectedText(), QStringLiteral("Whisk "));
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(box->toPlainText().endsWith(QStringLiteral("flour.Whisk ")));

        // Undo takes it all back to the text as it was set: unmodified again.
        while (box->isUndoAvailable())
            QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(box->toPlainText(), QStringLiteral("Whisk the eggs."));
        QVERIFY(!box->isModified());
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(box->isModified());

        // Tab goes on to the next control rather than into the text.
        const QString before = box->toPlainText();
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
        QCOMPARE(box->toPlainText(), before);

        // A click puts the caret where it was clicked; setting a text is no edit.
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, QPoint(4, 6));
        QCOMPARE(box->cursorPosition(), 0);
        box->setPlainText(QStringLiteral("Fresh"));
        QVERIFY(!box->isModified());
        box->insertPlainText(QStringLiteral("Very "));
        QCOMPARE(box->toPlainText(), QStringLiteral("Very Fresh"));
        QVERIFY(box->isModified());

        // A screen reader reads the text, the caret and the selection.
        box->setAccessibleName(QStringLiteral("Instructions"));
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(box);
        QVERIFY(reader && reader->textInterface());
        QCOMPARE(reader->role(), QAccessible::EditableText);
        QCOMPARE(reader->text(QAccessible::Name), QStringLiteral("Instructions"));
        QCOMPARE(reader->textInterface()->characterCount(), 10);
        QCOMPARE(reader->textInterface()->text(5, 10), QStringLiteral("Fresh"));
        reader->textInterface()->setSelection(0, 0, 4);
        QCOMPARE(box->selectedText(), QStringLiteral("Very"));
        QCOMPARE(reader->textInterface()->cursorPosition(), 4);
    }

    void textBoxShowsAHugeParagraphByLayingOutOnlyWhatItShows()
    {
        PlainTextBox box;
        box.resize(400, 300);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QString text = words(2'000'000, 5); // one paragraph, no line break
        box.setPlainText(text);
        box.repaint();
        QVERIFY2(box.laidOutLines() < 200, qPrintable(QString::number(box.laidOutLines())));
        QVERIFY(box.verticalScrollBar()->maximum() > 10000);

        // To the end and typing there: the end is on screen and the text grows by what was typed.
        box.setFocus();
        QTest::keyClick(&box, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(box.cursorPosition(), text.size());
        QTest::keyClicks(&box, QStringLiteral("!"));
        QCOMPARE(box.toPlainText().size(), text.size() + 1);
        QVERIFY(box.toPlainText().endsWith(u'!'));
        const QRect caret = box.cursorRect();
        QVERIFY(box.viewport()->rect().contains(caret.center()));
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
        QCOMPARE(strip.button(5)->accessibleName(), QStringLiteral("Active Recipe list for Soups"));

        QSignalSpy clicked(&strip, &LetterStrip::ButtonClick);
        strip.show();
        QVERIFY(QTest::qWaitForWindowExposed(&strip));
        QTest::mouseClick(strip.button(4), Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).toInt(), 4);

        // Each look of a letter can be told from the others.
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
            .expectFile(QStringLiteral("/tmp/cake.jpg"))
            .expectFiles(QStringList{QStringLiteral("/tmp/a.mmf"), QStringLiteral("/tmp/b.html")});
        QCOMPARE(Dialogs::messageBox(QStringLiteral("Delete it?"), MsgButtons::YesNo), int(AnswerYes));
        QCOMPARE(Dialogs::inputBox(QStringLiteral("New name")),
                 std::optional<QString>(QStringLiteral("Breads")));
        QCOMPARE(Dialogs::openFile({}), std::optional<QString>(QStringLiteral("/tmp/cake.jpg")));
        QCOMPARE(Dialogs::openFiles({})->size(), 2);
        QVERIFY(script.allAnswered());
        QCOMPARE(script.messagesAsked().at(0).title, QStringLiteral("Pantrova"));

        // Modal windows are worked by the script.
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

    void unexpectedQuestionsFailAtOnceWithACautiousAnswer()
    {
        QStringList failures;
        {
            ScriptedDialogs script([&](const QString& d) { failures << d; });
            script.expectMessage(QStringLiteral("Something else"));
            QCOMPARE(Dialogs::messageBox(QStringLiteral("Really?"), MsgButtons::YesNo), int(AnswerNo));
            QCOMPARE(Dialogs::inputBox(QStringLiteral("Name")), std::optional<QString>());
            QCOMPARE(Dialogs::openFiles({}), std::optional<QStringList>());
            QDialog dialog;
            dialog.setObjectName(QStringLiteral("Print_Form"));
            QCOMPARE(Dialogs::runModal(dialog), 0); // closed unrun: no event loop, no hang
            QCOMPARE(script.unexpected().size(), 4);
            QCOMPARE(script.pending(), QStringList{QStringLiteral("message \"Something else\"")});
        }
        QCOMPARE(failures.size(), 4);
        QVERIFY(failures.at(0).contains(QStringLiteral("Really?")));
        QVERIFY(&Dialogs::answerer() != nullptr); // the real answerer is back
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

        // Failures an explainer knows come in its words; one already told is not told twice.
        addErrorExplainer([](const QString& what, const std::exception& e) -> std::optional<ErrorQuestion> {
            if (!dynamic_cast<const std::out_of_range*>(&e))
                return std::nullopt;
            return ErrorQuestion{what,
                                 QStringLiteral("/tmp/Menus.mdb"),
                                 QStringLiteral("The file is damaged."),
                                 QString::fromUtf8(e.what()),
                                 {}};
        });
        script.expectMessage(
            QStringLiteral("Saving the menu failed.\n\nFile: Menus.mdb (in /tmp)\nThe file is "
                           "damaged."));
        QVERIFY(
            !guarded(QStringLiteral("Saving the menu"), [] { throw std::out_of_range("page 7 is bad"); }));
        QCOMPARE(script.errorsShown().size(), 2);
        QCOMPARE(script.errorsShown().at(1).details, QStringLiteral("page 7 is bad"));
        QVERIFY(!guarded(QStringLiteral("Opening"), [] { throw Reported(QStringLiteral("told")); }));
        QVERIFY(script.allAnswered());
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
