#pragma once

#include "RecipeFinder.h"

#include <QAbstractListModel>
#include <QHash>

namespace pantrova {

// The find window's list: one row per recipe found. Excerpts of the open cookbook's recipes are
// read when a row is first shown, so listing a search reads only what the screen shows.
class FoundRecipesModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role {
        PlaceRole = Qt::UserRole + 1, // "Section › Group", and the cookbook when it is not the open one
        ExcerptRole,                  // the excerpt as plain text
        MarkedWordsRole,              // the marked words of the name and the excerpt (QStringList)
    };

    using QAbstractListModel::QAbstractListModel;

    void setResults(const QList<FoundEntry>& entries, const QString& typed);
    void clear();

    const FoundEntry& entry(int row) const { return m_entries.at(row); }
    // The name and excerpt of a row, with the words marked.
    const engine::RecipeSearch::Excerpt& excerpt(int row) const;
    QString place(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QList<FoundEntry> m_entries;
    QString m_typed;
    mutable QHash<int, engine::RecipeSearch::Excerpt> m_excerpts;
};

} // namespace pantrova
