#include "LetterIndex.h"

#include "RecipeNew.h"
#include "data/SqlText.h"
#include "startup/Program.h"
#include "ui/LetterStrip.h"

#include <QComboBox>
#include <QHash>

namespace pantrova {

namespace {
const QString kLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");

QString nameOf(const engine::Recordset& rs)
{
    return rs.Text(QStringLiteral("Name"));
}

qint32 codeOf(const engine::Recordset& rs)
{
    return qint32(rs.Fields(QStringLiteral("category_code")).toLong());
}
} // namespace

QString LetterIndex::letterOf(const QString& name)
{
    const QString first = name.left(1).toUpper();
    return first.size() == 1 && kLetters.contains(first) ? first : QStringLiteral("A");
}

qint16 LetterIndex::baseButtonOf(const QString& letter)
{
    const qsizetype k = kLetters.indexOf(letter);
    return qint16(3 * (k < 0 ? 0 : k) + 1);
}

QString LetterIndex::entryText(const QString& name, qint32 number)
{
    if (number == 1)
        return name;
    // The number as signed number text: a blank stands where a minus sign would.
    return name + QStringLiteral(" -") + (number >= 0 ? QStringLiteral(" ") : QString()) +
           QString::number(number);
}

void LetterIndex::LoadGroupRecipes()
{
    Program& p = program();
    w.RecipeSet = p.Cookbook.OpenRecordset(recipeSetSql(p.CurrentGroup));
    m_freshSet = true;
    w.Recipe_List->clear();
    if (w.RecipeSet.RecordCount() == 0) {
        w.ClearRecipeFields();
        Enable_Buttons2();
        bool off = false;
        w.SetRecipeFieldsEnabled(QStringLiteral("14737632"), off);
        w.ToolBar_3();
    } else {
        bool on = true;
        w.SetRecipeFieldsEnabled(QStringLiteral("16777215"), on);
        w.RecipeSet.MoveFirst();
        w.ActiveLetterButton = 1;
        w.CurrentLetter = QStringLiteral("A");
        ShowFirstRecipe();
        w.ToolBar_1();
    }
    SetLetterTooltips();
}

void LetterIndex::adoptLetterOfCurrentRow()
{
    w.OldLetterButton = w.PreviousLetterButton;
    w.NewLetterButton = w.ActiveLetterButton;
    LetterOfRecipe(true);
    w.PreviousLetterButton = w.OldLetterButton;
    w.ActiveLetterButton = w.NewLetterButton;
    w.CurrentLetter = w.NewLetter;
}

void LetterIndex::ShowFirstRecipe()
{
    if (w.RecipeSet.RecordCount() == 0) {
        w.Recipe_List->clear();
        w.ClearRecipeFields();
        Enable_Buttons2();
        return;
    }
    MarkLettersWithRecipes();
    w.RecipeSet.MoveFirst();
    adoptLetterOfCurrentRow();
    const engine::Bookmark mark = w.RecipeSet.bookmark();
    FillLetterList(w.NewLetter);
    w.RecipeSet.setBookmark(mark);
    HighlightLetter(w.ActiveLetterButton, w.PreviousLetterButton);
    openDetailOfCurrentRow();
    w.ShowRecipe();
}

void LetterIndex::ShowCurrentRecipe()
{
    if (w.RecipeSet.isEOF() || w.RecipeSet.isBOF())
        return;
    if (currentRow().name.left(1).toUpper() != w.CurrentLetter) {
        adoptLetterOfCurrentRow();
        const engine::Bookmark mark = w.RecipeSet.bookmark();
        FillLetterList(w.NewLetter);
        HighlightLetter(w.ActiveLetterButton, w.PreviousLetterButton);
        w.RecipeSet.setBookmark(mark);
    }
    openDetailOfCurrentRow();
    w.ShowRecipe();
    // Next, Previous, a move or a found recipe: the list follows the page.
    w.restoreListChoice();
}

LetterIndex::Entry LetterIndex::currentRow() const
{
    // The index knows every row's name and number; reading them from the row itself would bring
    // the recipe's whole text along, and the recipe set would keep it.
    const engine::Bookmark mark = w.RecipeSet.bookmark();
    const auto known =
        std::find_if(m_entries.begin(), m_entries.end(), [mark](const Entry& e) { return e.mark == mark; });
    if (known != m_entries.end())
        return *known;
    return {nameOf(w.RecipeSet), codeOf(w.RecipeSet), mark};
}

void LetterIndex::openDetailOfCurrentRow()
{
    // The name goes in as a quoted literal: a name holding an apostrophe (one stored before names
    // were cleaned, or imported) must find its recipe, not break the statement.
    const Entry row = currentRow();
    w.RecipeDetail = program().Cookbook.OpenRecordset(
        QStringLiteral("select * from recipes where name = ") + engine::sqlText(row.name) +
        QStringLiteral(" and groupnum = ") + engine::sqlNumber(int(program().CurrentGroup)) +
        QStringLiteral(" and category_code = ") + engine::sqlNumber(row.number));
    if (w.RecipeDetail.RecordCount() > 0)
        w.RecipeDetail.MoveFirst();
}

void LetterIndex::FillLetterList(QString& letter)
{
    const qsizetype n = qsizetype(m_entries.size());
    w.ListCodes = QList<qint32>(n + 2, 0);
    w.ListNames = QStringList(n + 2);
    if (letter.size() != 1 || !kLetters.contains(letter))
        letter = QStringLiteral("A");

    w.Recipe_List->clear();
    QStringList entries;
    qsizetype i = 0;
    for (const Entry& e : m_entries) {
        if (letterOf(e.name) == letter) {
            entries << entryText(e.name, e.number);
            w.ListCodes[i] = e.number;
            w.ListNames[i] = e.name;
            ++i;
        }
    }
    // Added in one go; the edit text shows the first entry, quietly. It is also the list's current
    // entry: an edit text that matches an entry other than the current one is taken by the combo
    // box as a choice the moment the focus leaves it, which would show that recipe unasked.
    const QSignalBlocker block(w.Recipe_List);
    w.Recipe_List->addItems(entries);
    w.Recipe_List->setCurrentIndex(entries.isEmpty() ? -1 : 0);
    if (entries.isEmpty())
        w.Recipe_List->setEditText(QString());
    leaveSetPastItsEnd();
}

void LetterIndex::leaveSetPastItsEnd()
{
    // As a walk through the set would: callers return to a bookmark or search with FindRecipe.
    engine::Recordset& rs = w.RecipeSet;
    if (rs.RecordCount() > 0) {
        rs.MoveLast();
        rs.MoveNext();
    }
}

QString LetterIndex::recipeSetSql(qint16 group)
{
    // The list order is the name followed by the number as text. Rows whose keys tie (Soup number
    // 11 and Soup1 number 1 both read "Soup11") are put in order by name and number, so that every
    // query of a group's recipes agrees on one order.
    return QStringLiteral("select * from recipes where groupnum = ") + engine::sqlNumber(int(group)) +
           QStringLiteral(" order by name + trim(str(category_code)), name, category_code");
}

void LetterIndex::noteSaved(engine::Bookmark row, const QString& name, qint32 number)
{
    for (Entry& e : m_entries)
        if (e.mark == row) {
            e.name = name;
            e.number = number;
            m_noted = true;
            return;
        }
    m_entries.push_back({name, number, row});
    m_noted = true;
}

void LetterIndex::noteDeleted(engine::Bookmark row)
{
    std::erase_if(m_entries, [row](const Entry& e) { return e.mark == row; });
    m_noted = true;
}

bool LetterIndex::refreshFromNotes()
{
    QHash<engine::Bookmark, qsizetype> known;
    known.reserve(qsizetype(m_entries.size()));
    for (size_t i = 0; i < m_entries.size(); ++i)
        known.insert(m_entries[i].mark, qsizetype(i));
    std::vector<Entry> ordered;
    engine::Recordset& rs = w.RecipeSet;
    if (rs.isOpen() && rs.RecordCount() > 0) {
        ordered.reserve(size_t(rs.RecordCount()));
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
            const auto found = known.constFind(rs.bookmark());
            if (found == known.cend())
                return false;
            ordered.push_back(m_entries[size_t(*found)]);
        }
    }
    m_entries = std::move(ordered);
    return true;
}

void LetterIndex::refresh()
{
    const bool noted = m_noted;
    m_noted = false;
    if (noted && refreshFromNotes()) {
        m_freshSet = false;
        return;
    }
    m_entries.clear();
    const bool fresh = m_freshSet;
    m_freshSet = false;
    engine::Recordset& rs = w.RecipeSet;
    if (!rs.isOpen() || rs.RecordCount() == 0)
        return;
    m_entries.reserve(size_t(rs.RecordCount()));
    // The set's order and bookmarks come from walking it, which reads no row.
    rs.MoveFirst();
    while (!rs.isEOF()) {
        m_entries.push_back({QString(), 0, rs.bookmark()});
        rs.MoveNext();
    }

    const QString group = engine::sqlNumber(int(program().CurrentGroup));
    if (fresh) {
        // Just opened: a query in the same order lines up row for row with the set. The bracketed
        // field makes it a query read in one pass rather than row by row.
        engine::Recordset names = program().Cookbook.OpenRecordset(
            QStringLiteral("select Name, (category_code) as category_code from recipes where groupnum = ") +
            group + QStringLiteral(" order by name + trim(str(category_code)), name, category_code"));
        if (names.RecordCount() == int(m_entries.size())) {
            names.MoveFirst();
            for (Entry& e : m_entries) {
                e.name = names.Text(QStringLiteral("Name"));
                e.number = codeOf(names);
                names.MoveNext();
            }
            return;
        }
    }
    // After changes the set keeps its old order (new rows at its end), so rows are matched by
    // their bookmarks instead.
    engine::Recordset light = program().Cookbook.OpenRecordset(
        QStringLiteral("select Name, category_code from recipes where groupnum = ") + group);
    QHash<engine::Bookmark, std::pair<QString, qint32>> byMark;
    byMark.reserve(light.RecordCount());
    if (light.RecordCount() > 0) {
        light.MoveFirst();
        while (!light.isEOF()) {
            byMark.insert(light.bookmark(), {light.Text(QStringLiteral("Name")), codeOf(light)});
            light.MoveNext();
        }
    }
    for (Entry& e : m_entries) {
        const auto found = byMark.constFind(e.mark);
        if (found != byMark.cend()) {
            e.name = found->first;
            e.number = found->second;
        }
    }
}

void LetterIndex::MarkLettersWithRecipes()
{
    Enable_Buttons2();
    refresh();
    QString previous;
    for (const Entry& e : m_entries) {
        const QString first = e.name.left(1);
        if (first != previous) {
            const qint16 b = baseButtonOf(letterOf(e.name));
            w.Toolbar2->setButtonVisible(b, true);
            w.Toolbar2->setButtonVisible(b + 1, false);
            w.Toolbar2->setButtonVisible(b + 2, false);
        }
        previous = first;
    }
    leaveSetPastItsEnd();
}

void LetterIndex::LetterOfRecipe(bool makeNew)
{
    const qint16 b = baseButtonOf(letterOf(currentRow().name));
    if (!makeNew) {
        w.Toolbar2->setButtonVisible(b, true);
        w.Toolbar2->setButtonVisible(b + 1, false);
        w.Toolbar2->setButtonVisible(b + 2, false);
    } else {
        SetNewLetter(b);
    }
}

void LetterIndex::SetNewLetter(qint16 index)
{
    if (index < 1 || index > ui::LetterStrip::ButtonCount)
        return;
    const int k = (index - 1) / 3 + 1;
    w.OldLetterButton = w.NewLetterButton;
    w.NewLetterButton = qint16(3 * (k - 1) + 1);
    w.NewLetter = kLetters.mid(k - 1, 1);
}

void LetterIndex::HighlightLetter(qint16& active, qint16& previous)
{
    ui::LetterStrip& strip = *w.Toolbar2;
    if (previous >= 1 && !strip.isButtonVisible(previous + 2)) {
        strip.setButtonVisible(previous + 1, false);
        strip.setButtonVisible(previous, true);
    }
    if (active >= 1 && !strip.isButtonVisible(active + 2)) {
        strip.setButtonVisible(active, false);
        strip.setButtonVisible(active + 1, true);
    }
}

void LetterIndex::Enable_Buttons2()
{
    ui::LetterStrip& strip = *w.Toolbar2;
    for (int b = 1; b <= ui::LetterStrip::ButtonCount; b += 3) {
        strip.setButtonVisible(b, false);
        strip.setButtonVisible(b + 1, false);
        strip.setButtonVisible(b + 2, true);
    }
}

void LetterIndex::SetLetterTooltips()
{
    ui::LetterStrip& strip = *w.Toolbar2;
    const QString& group = w.CurrentGroupName;
    for (int k = 0; k < 26; ++k) {
        const int b = 3 * k + 1;
        const QString letter = kLetters.mid(k, 1);
        strip.setButtonToolTip(b, QStringLiteral("List for ") + group +
                                      QStringLiteral(" with Recipes beginning with ") + letter);
        strip.setButtonToolTip(b + 1, QStringLiteral("Active Recipe list for ") + group);
        strip.setButtonToolTip(b + 2, QStringLiteral("No data for ") + group +
                                          QStringLiteral(" with Recipes beginning with ") + letter);
    }
}

void LetterIndex::LetterButtonClick(int index)
{
    if (w.Toolbar2->buttonToolTip(index).startsWith(u'N'))
        return;
    w.OldLetterButton = w.PreviousLetterButton;
    w.NewLetterButton = w.ActiveLetterButton;
    SetNewLetter(qint16(index));
    w.ActiveLetterButton = w.NewLetterButton;
    w.PreviousLetterButton = w.OldLetterButton;
    w.CurrentLetter = w.NewLetter;
    FillLetterList(w.NewLetter);
    HighlightLetter(w.ActiveLetterButton, w.PreviousLetterButton);
    if (w.Recipe_List->count() > 0)
        FindRecipe(w.ListCodes.value(0), w.ListNames.value(0));
    ShowCurrentRecipe();
}

void LetterIndex::FindRecipe(qint32 number, const QString& name)
{
    // Every row of the set belongs to the current group, so name and number decide.
    for (const Entry& e : m_entries) {
        if (e.name == name && e.number == number) {
            w.RecipeSet.setBookmark(e.mark);
            return;
        }
    }
    leaveSetPastItsEnd();
}

void LetterIndex::StepRecipe(int direction)
{
    engine::Recordset& rs = w.RecipeSet;
    if (rs.RecordCount() == 0)
        return;
    const engine::Bookmark mark = rs.bookmark();
    if (direction == 1)
        rs.MoveNext();
    else
        rs.MovePrevious();
    if (rs.isBOF() || rs.isEOF())
        rs.setBookmark(mark);
}

} // namespace pantrova
