#include "FieldValues.h"

#include "Statement.h"

#include <QDateTime>
#include <QLocale>

#include <cmath>
#include <limits>

namespace engine::detail {

namespace {

struct WholeRange
{
    qint64 low;
    qint64 high;
};

WholeRange wholeRangeOf(const QString& declType)
{
    const QString t = declType.toUpper();
    if (t.startsWith(u"SMALLINT") || t.startsWith(u"SHORT") || t.startsWith(u"INT2"))
        return {-32768, 32767};
    if (t.startsWith(u"TINYINT") || t.startsWith(u"BYTE"))
        return {0, 255};
    if (t.startsWith(u"BIGINT") || t.startsWith(u"INT8"))
        return {std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()};
    return {-2147483648LL, 2147483647LL};
}

std::optional<double> numberIn(const QString& text)
{
    bool ok = false;
    const double d = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok)
        return std::nullopt;
    return d;
}

std::optional<double> dateIn(const QString& text)
{
    const QString t = text.trimmed();
    for (const QString& format :
         {QStringLiteral("M/d/yyyy"), QStringLiteral("yyyy-MM-dd"), QStringLiteral("M/d/yyyy h:mm:ss AP"),
          QStringLiteral("M/d/yyyy h:mm AP"), QStringLiteral("M/d/yyyy H:mm:ss"),
          QStringLiteral("M/d/yyyy H:mm"), QStringLiteral("yyyy-MM-ddTHH:mm:ss"),
          QStringLiteral("yyyy-MM-dd HH:mm:ss")}) {
        const QDateTime when = QLocale::c().toDateTime(t, format);
        if (when.isValid())
            return toAutomationDate(when);
    }
    return numberIn(t);
}

FieldValue refuse(const Value& value, const QString& what)
{
    return {value, QStringLiteral("'%1' is not %2").arg(value.toText(), what)};
}

FieldValue wholeNumber(const QString& declType, const Value& value)
{
    double d = 0;
    switch (value.type()) {
    case Value::Type::Null:
        return {value, {}};
    case Value::Type::Boolean:
        return {Value(value.toBool() ? qint64(-1) : qint64(0)), {}};
    case Value::Type::Integer:
        d = double(value.toLong());
        break;
    case Value::Type::Double:
        d = value.toDouble();
        break;
    case Value::Type::Text: {
        const auto n = numberIn(value.toText());
        if (!n)
            return refuse(value, QStringLiteral("a whole number"));
        d = *n;
        break;
    }
    case Value::Type::Date:
        return refuse(value, QStringLiteral("a whole number"));
    }
    const WholeRange range = wholeRangeOf(declType);
    if (!std::isfinite(d) || d != std::trunc(d))
        return refuse(value, QStringLiteral("a whole number"));
    if (value.type() == Value::Type::Integer ? (value.toLong() < range.low || value.toLong() > range.high)
                                             : (d < double(range.low) || d > double(range.high)))
        return refuse(value, QStringLiteral("a whole number from %1 to %2").arg(range.low).arg(range.high));
    return {value.type() == Value::Type::Integer ? value : Value(qint64(d)), {}};
}

FieldValue realNumber(const Value& value)
{
    if (value.type() == Value::Type::Text) {
        const auto n = numberIn(value.toText());
        if (!n)
            return refuse(value, QStringLiteral("a number"));
        return {Value(*n), {}};
    }
    if (value.type() == Value::Type::Date)
        return refuse(value, QStringLiteral("a number"));
    return {value, {}};
}

FieldValue date(const Value& value)
{
    switch (value.type()) {
    case Value::Type::Null:
    case Value::Type::Date:
        return {value, {}};
    case Value::Type::Integer:
    case Value::Type::Double:
        return {Value::fromAutomationDate(value.toDouble()), {}};
    case Value::Type::Text: {
        if (value.toText().trimmed().isEmpty())
            return {Value(), {}};
        const auto oa = dateIn(value.toText());
        if (!oa)
            return refuse(value, QStringLiteral("a date"));
        return {Value::fromAutomationDate(*oa), {}};
    }
    case Value::Type::Boolean:
        break;
    }
    return refuse(value, QStringLiteral("a date"));
}

FieldValue yesNo(const Value& value)
{
    if (value.type() != Value::Type::Text)
        return value.type() == Value::Type::Date ? refuse(value, QStringLiteral("Yes or No"))
                                                 : FieldValue{value, {}};
    const QString t = value.toText().trimmed();
    for (const char16_t* yes : {u"true", u"yes", u"on"})
        if (t.compare(QStringView(yes), Qt::CaseInsensitive) == 0)
            return {Value(true), {}};
    for (const char16_t* no : {u"false", u"no", u"off"})
        if (t.compare(QStringView(no), Qt::CaseInsensitive) == 0)
            return {Value(false), {}};
    if (const auto n = numberIn(t))
        return {Value(*n != 0), {}};
    return refuse(value, QStringLiteral("Yes or No"));
}

} // namespace

FieldValue valueForField(const QString& declType, const Value& value)
{
    switch (storedKindOf(declType)) {
    case StoredKind::Whole:
        return wholeNumber(declType, value);
    case StoredKind::Real:
        return realNumber(value);
    case StoredKind::Date:
        return date(value);
    case StoredKind::Boolean:
        return yesNo(value);
    case StoredKind::Text:
    case StoredKind::Plain:
        break;
    }
    return {value, {}};
}

} // namespace engine::detail
