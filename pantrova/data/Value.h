#pragma once

#include <QDateTime>
#include <QString>

#include <variant>

namespace engine {

// One field value as the windows see it: Null, a Yes/No, a whole number, a floating-point number,
// text, or a date. Dates are automation dates (days since 30 December 1899, time as the fraction).
class Value
{
public:
    enum class Type { Null, Boolean, Integer, Double, Text, Date };

    Value() = default;
    Value(bool b) : m_data(b) {}
    Value(int i) : m_data(qint64(i)) {}
    Value(qint64 i) : m_data(i) {}
    Value(double d) : m_data(d) {}
    Value(const QString& s) : m_data(s) {}
    Value(const char16_t* s) : m_data(QString::fromUtf16(s)) {}
    Value(QDate d);
    Value(const QDateTime& dt);

    static Value null() { return {}; }
    static Value fromAutomationDate(double oaDate);

    Type type() const { return Type(m_data.index()); }
    bool isNull() const { return type() == Type::Null; }
    bool isNumber() const { return type() == Type::Integer || type() == Type::Double; }

    // Text as the program reads it for display: Null gives the empty text ("" & value).
    QString toText() const;
    double toDouble() const;
    qint64 toLong() const;
    bool toBool() const;
    double toAutomationDate() const;
    QDateTime toDateTime() const;
    QDate toDate() const { return toDateTime().date(); }

    friend bool operator==(const Value&, const Value&) = default;

private:
    struct DateValue
    {
        double oa = 0;
        friend bool operator==(const DateValue&, const DateValue&) = default;
    };
    std::variant<std::monostate, bool, qint64, double, QString, DateValue> m_data;
};

// Automation dates: days since 30 December 1899; the fraction is the time of day.
double toAutomationDate(const QDateTime& dt);
double toAutomationDate(QDate d);
QDateTime fromAutomationDate(double oaDate);

// A number as "trimmed decimal text": no blanks, "." as the point, no zero before the point
// for values between -1 and 1 (0.5 gives ".5"), no exponent for ordinary values.
QString trimmedDecimalText(double number);

// A date as its standard text (what the legacy str() gives for a date): "M/d/yyyy", with
// " h:mm:ss AP" added when the date has a time of day.
QString standardDateText(double oaDate);

} // namespace engine
