#include "FoundRecipesModel.h"

#include "data/EngineError.h"

namespace pantrova {

namespace {

QStringList markedWords(const engine::MarkedText& text)
{
    QStringList words;
    for (const auto& [start, length] : text.marks)
        words.append(text.text.mid(start, length));
    return words;
}

} // namespace

void FoundRecipesModel::setResults(const QList<FoundEntry>& entries, const QString& typed)
{
    beginResetModel();
    m_entries = entries;
    m_typed = typed;
    m_excerpts.clear();
    endResetModel();
}

void FoundRecipesModel::clear()
{
    setResults({}, {});
}

const engine::RecipeSearch::Excerpt& FoundRecipesModel::excerpt(int row) const
{
    auto it = m_excerpts.find(row);
    if (it == m_excerpts.end()) {
        engine::RecipeSearch::Excerpt excerpt;
        try {
            excerpt = RecipeFinder::excerpt(m_entries.at(row), m_typed);
        } catch (const engine::EngineError&) {
            // Painting goes on; the row shows its name without an excerpt.
        }
        if (excerpt.name.text.isEmpty())
            excerpt.name.text = m_entries.at(row).recipe.name;
        it = m_excerpts.insert(row, excerpt);
    }
    return *it;
}

QString FoundRecipesModel::place(int row) const
{
    const FoundEntry& e = m_entries.at(row);
    QString text = e.sectionName + QStringLiteral(" \u203a ") + e.groupName;
    if (!RecipeFinder::inOpenCookbook(e))
        text += QStringLiteral(" \u00b7 ") + e.cookbookName;
    return text;
}

int FoundRecipesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant FoundRecipesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    const int row = index.row();
    switch (role) {
    case Qt::DisplayRole:
        return m_entries.at(row).displayName();
    case PlaceRole:
        return place(row);
    case ExcerptRole:
        return excerpt(row).text.text;
    case MarkedWordsRole:
        return markedWords(excerpt(row).name) + markedWords(excerpt(row).text);
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole:
        return QString(m_entries.at(row).displayName() + QStringLiteral(", ") + place(row) +
                       QStringLiteral(": ") + excerpt(row).text.text);
    default:
        return {};
    }
}

} // namespace pantrova
