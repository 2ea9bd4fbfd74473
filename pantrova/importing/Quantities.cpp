#include "Quantities.h"

#include <QStringList>

#include <cmath>

namespace pantrova::importing {

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isOneOf(QStringView word, std::initializer_list<const char16_t*> words)
{
    for (const char16_t* w : words)
        if (word.compare(QStringView(w), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// The words after a number, without a range's upper end ("6-8", "6 to 8") and punctuation.
QString unitAfter(QStringView text, qsizetype end)
{
    QStringView rest = text.mid(end).trimmed();
    if (rest.startsWith(u'-') || rest.startsWith(u'\u2013') || rest.startsWith(u"to ", Qt::CaseInsensitive)) {
        qsizetype upperEnd = 0;
        const QStringView afterDash = rest.mid(rest.startsWith(u'-') || rest.startsWith(u'\u2013') ? 1 : 3);
        if (firstNumber(afterDash.left(8), &upperEnd))
            rest = afterDash.mid(upperEnd).trimmed();
    }
    QString unit = rest.toString();
    while (!unit.isEmpty() && !unit.back().isLetter())
        unit.chop(1);
    return unit.simplified();
}

} // namespace

std::optional<double> firstNumber(QStringView text, qsizetype* end)
{
    // A point counts as the start of a number only when a digit follows it (".5").
    auto startsNumber = [&](qsizetype k) {
        return isDigit(text[k]) || (text[k] == u'.' && k + 1 < text.size() && isDigit(text[k + 1]));
    };
    qsizetype i = 0;
    while (i < text.size() && !startsNumber(i))
        ++i;
    if (i >= text.size())
        return std::nullopt;
    QString number;
    qsizetype j = i;
    auto digitsFrom = [&](qsizetype k) {
        qsizetype n = 0;
        while (k + n < text.size() && isDigit(text[k + n]))
            ++n;
        return n;
    };
    bool seenPoint = false;
    while (j < text.size()) {
        const QChar c = text[j];
        if (isDigit(c)) {
            number.append(c);
            ++j;
        } else if (c == u',' && !seenPoint && digitsFrom(j + 1) == 3 && !number.isEmpty()) {
            j += 1; // thousands
        } else if ((c == u'.' || c == u',') && !seenPoint && digitsFrom(j + 1) > 0) {
            number.append(u'.');
            seenPoint = true;
            ++j;
        } else {
            break;
        }
        if (number.size() > 30) // no figure of a recipe is that long
            return std::nullopt;
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    if (end)
        *end = j;
    return value;
}

std::optional<double> servingsIn(QStringView yield)
{
    QStringView text = yield.trimmed();
    for (const char16_t* lead : {u"serves", u"servings:", u"makes"}) {
        if (text.startsWith(QStringView(lead), Qt::CaseInsensitive)) {
            text = text.mid(QStringView(lead).size()).trimmed();
            break;
        }
    }
    qsizetype end = 0;
    if (text.isEmpty() || !(isDigit(text[0]) || text[0] == u'.'))
        return std::nullopt;
    const std::optional<double> n = firstNumber(text, &end);
    if (!n || *n <= 0)
        return std::nullopt;
    const QString unit = unitAfter(text, end);
    const QString firstWord = unit.section(u' ', 0, 0);
    if (unit.isEmpty() || isOneOf(firstWord, {u"serving", u"servings", u"portion", u"portions", u"people",
                                              u"persons", u"person", u"serves", u"pers"}))
        return n;
    return std::nullopt;
}

std::optional<double> caloriesIn(QStringView text)
{
    qsizetype end = 0;
    const std::optional<double> n = firstNumber(text, &end);
    if (!n)
        return std::nullopt;
    const QString unit = unitAfter(text, end).toLower();
    if (unit.startsWith(u"kj") || unit.startsWith(u"kilojoule"))
        return *n / 4.184;
    return n;
}

std::optional<double> gramsIn(QStringView text, QStringView bareUnit)
{
    qsizetype end = 0;
    const std::optional<double> n = firstNumber(text, &end);
    if (!n)
        return std::nullopt;
    QString unit = unitAfter(text, end).section(u' ', 0, 0).toLower();
    if (unit.isEmpty())
        unit = bareUnit.toString();
    if (isOneOf(unit, {u"g", u"gr", u"gram", u"grams", u"gramm"}))
        return n;
    if (isOneOf(unit, {u"mg", u"milligram", u"milligrams"}))
        return *n / 1000.0;
    if (isOneOf(unit, {u"mcg", u"\u00b5g", u"\u03bcg", u"ug", u"microgram", u"micrograms"}))
        return *n / 1000000.0;
    if (isOneOf(unit, {u"kg", u"kilogram", u"kilograms"}))
        return *n * 1000.0;
    if (isOneOf(unit, {u"oz", u"ounce", u"ounces"}))
        return *n * 28.349523125;
    return std::nullopt;
}

} // namespace pantrova::importing
