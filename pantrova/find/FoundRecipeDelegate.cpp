#include "FoundRecipeDelegate.h"

#include "FoundRecipesModel.h"

#include <QApplication>
#include <QPainter>
#include <QTextLayout>

namespace pantrova {

namespace {

constexpr int kMargin = 4;
constexpr int kGap = 12; // between the name and the place

// Marked words stand out by weight and a soft background, readable on either row colour.
const QColor kMarkBackground(255, 226, 120);

// Draws one line of marked text at `origin`, cut with an ellipsis where it would pass `width`.
void drawMarked(QPainter* painter, const engine::MarkedText& marked, const QString& suffix, const QFont& font,
                const QPointF& origin, qreal width, const QColor& colour, bool selected)
{
    QString text = marked.text + suffix;
    const QFontMetricsF metrics(font);
    const QString elided = metrics.elidedText(text, Qt::ElideRight, width);
    if (elided != text)
        text = text.left(qMax<qsizetype>(0, elided.size() - 1)) + QStringLiteral("\u2026");
    QList<QTextLayout::FormatRange> formats;
    for (const auto& [start, length] : marked.marks) {
        if (start >= text.size())
            break;
        QTextLayout::FormatRange range;
        range.start = int(start);
        range.length = int(qMin(length, text.size() - start));
        range.format.setFontWeight(QFont::Bold);
        if (!selected) {
            range.format.setBackground(kMarkBackground);
            range.format.setForeground(QColor(Qt::black));
        }
        formats.append(range);
    }
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.setFormats(formats);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(width);
    layout.endLayout();
    painter->setPen(colour);
    layout.draw(painter, origin);
}

} // namespace

void FoundRecipeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const
{
    const auto* model = qobject_cast<const FoundRecipesModel*>(index.model());
    if (!model) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QColor text = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QColor quiet = selected ? text : option.palette.color(QPalette::PlaceholderText);
    const engine::RecipeSearch::Excerpt& excerpt = model->excerpt(index.row());
    const FoundEntry& entry = model->entry(index.row());

    painter->save();
    const QRectF area = QRectF(option.rect).adjusted(kMargin, kMargin / 2.0, -kMargin, -kMargin / 2.0);
    QFont nameFont = option.font;
    nameFont.setBold(true);
    QFont placeFont = option.font;
    placeFont.setPointSizeF(option.font.pointSizeF() * 0.9);
    const QFontMetricsF nameMetrics(nameFont);
    const QFontMetricsF placeMetrics(placeFont);

    // The place keeps its room up to half the width; the name takes what is left.
    const QString place = model->place(index.row());
    const qreal placeWidth = qMin(placeMetrics.horizontalAdvance(place), area.width() / 2);
    const QString placeShown = placeMetrics.elidedText(place, Qt::ElideRight, placeWidth);
    painter->setFont(placeFont);
    painter->setPen(quiet);
    painter->drawText(QRectF(area.right() - placeWidth, area.top(), placeWidth, nameMetrics.height()),
                      Qt::AlignRight | Qt::AlignVCenter, placeShown);

    const QString number =
        entry.recipe.number > 1 ? QStringLiteral(" - %1").arg(entry.recipe.number) : QString();
    drawMarked(painter, excerpt.name, number, nameFont, area.topLeft(), area.width() - placeWidth - kGap,
               text, selected);
    drawMarked(painter, excerpt.text, {}, option.font,
               QPointF(area.left(), area.top() + nameMetrics.height()), area.width(), text, selected);
    painter->restore();
}

QSize FoundRecipeDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    QFont nameFont = option.font;
    nameFont.setBold(true);
    const int height = QFontMetrics(nameFont).height() + QFontMetrics(option.font).height() + kMargin * 2;
    return {200, height};
}

} // namespace pantrova
