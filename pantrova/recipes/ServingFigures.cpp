#include "ServingFigures.h"

#include "data/Recordset.h"
#include "ui/FlexGrid.h"

#include <cmath>

namespace pantrova {

const QStringList& ServingFigures::fieldNames()
{
    static const QStringList names = [] {
        QStringList n = {QStringLiteral("S1"), QStringLiteral("S2"), QStringLiteral("c1"),
                         QStringLiteral("c2")};
        for (int i = 1; i <= 12; ++i)
            n << QStringLiteral("G") + QString::number(i) << QStringLiteral("P") + QString::number(i);
        return n;
    }();
    return names;
}

std::optional<double> ServingFigures::numberOf(const QString& text, const QLocale& locale)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    QLocale strict = locale;
    strict.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double number = strict.toDouble(trimmed, &ok);
    // "inf" and "nan" read as numbers to the locale but are no serving figure a person means.
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

QString ServingFigures::cellText(const engine::Value& value, const QLocale& locale)
{
    if (!value.isNumber())
        return {};
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(value.toDouble(), 'g', 15);
}

ServingFigures::Cell ServingFigures::cellOf(const QString& field)
{
    const qsizetype i = fieldNames().indexOf(field);
    if (i < 4)
        return {false, 1, int(std::max<qsizetype>(i, 0))};
    const int n = int((i - 4) / 2) + 1;
    return {true, n, (i - 4) % 2 == 0 ? 1 : 2};
}

void ServingFigures::load(const engine::Recordset& recipe, ui::FlexGrid& SMGrid, ui::FlexGrid& ServingGrid,
                          const QLocale& locale)
{
    for (const QString& field : fieldNames()) {
        const engine::Value v = recipe.Fields(field);
        if (!v.isNumber())
            continue;
        const Cell c = cellOf(field);
        (c.servingGrid ? ServingGrid : SMGrid).setTextMatrix(c.row, c.col, cellText(v, locale));
    }
}

QList<QPair<QString, engine::Value>>
ServingFigures::read(const ui::FlexGrid& SMGrid, const ui::FlexGrid& ServingGrid, const QLocale& locale)
{
    QList<QPair<QString, engine::Value>> values;
    for (const QString& field : fieldNames()) {
        const Cell c = cellOf(field);
        const QString text = (c.servingGrid ? ServingGrid : SMGrid).textMatrix(c.row, c.col);
        const std::optional<double> number = numberOf(text, locale);
        values.append({field, number ? engine::Value(*number) : engine::Value::null()});
    }
    return values;
}

void ServingFigures::clear(ui::FlexGrid& SMGrid, ui::FlexGrid& ServingGrid)
{
    for (int c = 0; c < 4; ++c)
        SMGrid.setTextMatrix(1, c, QString());
    for (int r = 1; r <= 12; ++r) {
        ServingGrid.setTextMatrix(r, 1, QString());
        ServingGrid.setTextMatrix(r, 2, QString());
    }
}

} // namespace pantrova
