#pragma once

#include <QStyledItemDelegate>

namespace pantrova {

// Paints a row of the find window's list: the recipe's name in bold and, to its right, its section
// and group; below them the excerpt. The words found are marked in both.
class FoundRecipeDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace pantrova
