#include "Value.h"

#include <QLocale>

#include <cmath>

namespace engine {

namespace {
const QDateTime& automationEpoch()
{
    static const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    return epoch;
}
} // namespace

double toAutomationDate(const QDateTime& dt)
{
    // Wall-clock time: the date and time a person sees, without zone shifts.
    const QDateTime wall(dt.date(), dt.time(), Qt::UTC);
    return double(automationEpoch().msecsTo(wall)) / 86400000.0;
}

double toAutomationDate(QDate d)
{
    return double(QDate(1899, 12, 30).daysTo(d));
}

QDateTime fromAutomationDate(double oaDate)
{
    const qint64 ms = std::llround(oaDate * 86400000.0);
    const QDateTime utc = automationEpoch().addMSecs(ms);
    return QDateTime(utc.date(), utc.time());
}

Value::Value(QDate d) : m_data(DateValue{engine::toAutomationDate(d)}) {}
Value::Value(const QDateTime& dt) : m_data(DateValue{engine::toAutomationDate(dt)}) {}

Value Value::fromAutomationDate(double oaDate)
{
    Value v;
    v.m_data = DateValue{oaDate};
    return v;
}

QString trimmedDecimalText(double number)
{
    if (std::isnan(number) || std::isinf(number))
        return QString::number(number);
    if (number == std::trunc(number) && std::fabs(number) < 1e15)
        return QString::number(qint64(number));
    QString text = QString::number(number, 'g', 15);
    if (text.contains(u'e'))
        return text;
    if (text.startsWith(u"0."))
        text.remove(0, 1);
    else if (text.startsWith(u"-0."))
        text.remove(1, 1);
    return text;
}

QString standardDateText(double oaDate)
{
    const QDateTime dt = fromAutomationDate(oaDate);
    QString text = dt.date().toString(u"M/d/yyyy");
    if (dt.time() != QTime(0, 0))
        text += u' ' + dt.time().toString(u"h:mm:ss AP");
    return text;
}

QString Value::toText() const
{
    switch (type()) {
    case Type::Null:
        return {};
    case Type::Boolean:
        return std::get<bool>(m_data) ? QStringLiteral("True") : QStringLiteral("False");
    case Type::Integer:
        return QString::number(std::get<qint64>(m_data));
    case Type::Double:
        return trimmedDecimalText(std::get<double>(m_data));
    case Type::Text:
        return std::get<QString>(m_data);
    case Type::Date:
        return standardDateText(std::get<DateValue>(m_data).oa);
    }
    return {};
}

double Value::toDouble() const
{
    switch (type()) {
    case Type::Null:
        return 0;
    case Type::Boolean:
        return std::get<bool>(m_data) ? -1 : 0;
    case Type::Integer:
        return double(std::get<qint64>(m_data));
    case Type::Double:
        return std::get<double>(m_data);
    case Type::Text:
        return QLocale::c().toDouble(std::get<QString>(m_data).trimmed());
    case Type::Date:
        return std::get<DateValue>(m_data).oa;
    }
    return 0;
}

qint64 Value::toLong() const
{
    if (type() == Type::Integer)
        return std::get<qint64>(m_data);
    return qint64(std::llround(toDouble()));
}

bool Value::toBool() const
{
    if (type() == Type::Boolean)
        return std::get<bool>(m_data);
    if (type() == Type::Text) {
        const QString t = std::get<QString>(m_data).trimmed();
        return t.compare(u"true", Qt::CaseInsensitive) == 0 || (t.toDouble() != 0);
    }
    return toDouble() != 0;
}

double Value::toAutomationDate() const
{
    if (type() == Type::Text) {
        const QString t = std::get<QString>(m_data).trimmed();
        for (const QString& format : {QStringLiteral("M/d/yyyy"), QStringLiteral("yyyy-MM-dd")}) {
            const QDate d = QDate::fromString(t, format);
            if (d.isValid())
                return engine::toAutomationDate(d);
        }
    }
    return toDouble();
}

QDateTime Value::toDateTime() const
{
    if (isNull())
        return {};
    return engine::fromAutomationDate(toAutomationDate());
}

} // namespace engine
