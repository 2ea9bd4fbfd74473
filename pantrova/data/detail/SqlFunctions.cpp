#include "SqlFunctions.h"

#include "../Value.h"

#include <QDateTime>
#include <QLocale>

#include <sqlite3.h>

#include <cstring>

namespace engine::detail {

namespace {

// ASCII letters folded to lower case by their codes alone: the C library's tolower follows the
// machine's locale, and stored indexes must not.
int asciiFold(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

// The ordering of files written before our own ordering existed: case folded, other letters by
// code. Kept so those files' indexes stay valid until they are brought up to date on opening.
int foldedCompare(int lenA, const void* a, int lenB, const void* b)
{
    const auto* pa = static_cast<const unsigned char*>(a);
    const auto* pb = static_cast<const unsigned char*>(b);
    const int n = std::min(lenA, lenB);
    for (int i = 0; i < n; ++i) {
        const unsigned char ca = pa[i];
        const unsigned char cb = pb[i];
        if (ca >= 0x80 || cb >= 0x80) {
            const QString ra = QString::fromUtf8(reinterpret_cast<const char*>(pa + i), lenA - i);
            const QString rb = QString::fromUtf8(reinterpret_cast<const char*>(pb + i), lenB - i);
            return ra.compare(rb, Qt::CaseInsensitive);
        }
        if (ca != cb) {
            const int la = asciiFold(ca);
            const int lb = asciiFold(cb);
            if (la != lb)
                return la - lb;
        }
    }
    return lenA - lenB;
}

int collateUnicase(void*, int lenA, const void* a, int lenB, const void* b)
{
    const int c = foldedCompare(lenA, a, lenB, b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// Our own ordering of text, the same on every machine whatever its locale:
//   1. letters compared without case and without accents (Unicode decomposition, combining marks
//      dropped, then case folding), so "Éclair" sorts with "eclair" and digits (by code) come
//      before letters;
//   2. then with accents, still without case, so "Eclair" comes before "Éclair";
//   3. then, for ORDER BY only, by the exact text, so different texts never tie.
// Comparisons in WHERE use levels 1 and 2: "CRÈME" equals "crème" but not "creme".
QString withoutMarks(const QString& decomposed)
{
    QString out;
    out.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        const QChar::Category category = c.category();
        if (category != QChar::Mark_NonSpacing && category != QChar::Mark_SpacingCombining &&
            category != QChar::Mark_Enclosing)
            out.append(c);
    }
    return out;
}

int sign(int c)
{
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// Levels 1 and 2 for the rest of two texts once a byte outside ASCII is met.
int compareBeyondAscii(const char* a, int lenA, const char* b, int lenB)
{
    const QString da = QString::fromUtf8(a, lenA).normalized(QString::NormalizationForm_D);
    const QString db = QString::fromUtf8(b, lenB).normalized(QString::NormalizationForm_D);
    const int primary = withoutMarks(da).toCaseFolded().compare(withoutMarks(db).toCaseFolded());
    if (primary != 0)
        return sign(primary);
    return sign(da.toCaseFolded().compare(db.toCaseFolded()));
}

int compareOurs(int lenA, const void* a, int lenB, const void* b, bool exactTieBreak)
{
    const auto* pa = static_cast<const unsigned char*>(a);
    const auto* pb = static_cast<const unsigned char*>(b);
    const int n = std::min(lenA, lenB);
    for (int i = 0; i < n; ++i) {
        const unsigned char ca = pa[i];
        const unsigned char cb = pb[i];
        if (ca >= 0x80 || cb >= 0x80) {
            // The ASCII text before is equal on levels 1 and 2; the rest decides them.
            const int c = compareBeyondAscii(reinterpret_cast<const char*>(pa + i), lenA - i,
                                             reinterpret_cast<const char*>(pb + i), lenB - i);
            if (c != 0 || !exactTieBreak)
                return c;
            const int exact = std::memcmp(pa, pb, size_t(n));
            return exact != 0 ? sign(exact) : sign(lenA - lenB);
        }
        if (ca != cb) {
            const int la = asciiFold(ca);
            const int lb = asciiFold(cb);
            if (la != lb)
                return la < lb ? -1 : 1;
        }
    }
    // A text that is the other's beginning comes first on level 1 or 2, whatever follows it.
    if (lenA != lenB)
        return lenA < lenB ? -1 : 1;
    return exactTieBreak ? sign(std::memcmp(pa, pb, size_t(n))) : 0;
}

int collateOrder(void*, int lenA, const void* a, int lenB, const void* b)
{
    return compareOurs(lenA, a, lenB, b, true);
}

int collateText(void*, int lenA, const void* a, int lenB, const void* b)
{
    return compareOurs(lenA, a, lenB, b, false);
}

QString argText(sqlite3_value* v)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
}

void resultText(sqlite3_context* ctx, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(ctx, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

bool parseNumber(const QString& text, double* out)
{
    bool ok = false;
    const double d = QLocale::c().toDouble(text.trimmed(), &ok);
    if (ok && out)
        *out = d;
    return ok;
}

// str(x): a number gets a leading blank when it is not negative (" 3", " .5", "-2").
QString legacyStr(double d)
{
    const QString digits = trimmedDecimalText(d);
    return d < 0 ? digits : u' ' + digits;
}

void fnStr(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    sqlite3_value* v = argv[0];
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
        sqlite3_result_null(ctx);
        return;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        resultText(ctx, legacyStr(sqlite3_value_double(v)));
        return;
    default: {
        const QString text = argText(v);
        double d = 0;
        resultText(ctx, parseNumber(text, &d) ? legacyStr(d) : text);
        return;
    }
    }
}

void fnStrDate(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    sqlite3_value* v = argv[0];
    const int type = sqlite3_value_type(v);
    if (type == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
        resultText(ctx, standardDateText(sqlite3_value_double(v)));
        return;
    }
    resultText(ctx, argText(v));
}

void fnIsNull(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    sqlite3_result_int(ctx, sqlite3_value_type(argv[0]) == SQLITE_NULL ? 1 : 0);
}

void fnIsNumeric(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    sqlite3_value* v = argv[0];
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        sqlite3_result_int(ctx, 1);
        return;
    case SQLITE_TEXT:
        sqlite3_result_int(ctx, parseNumber(argText(v), nullptr) ? 1 : 0);
        return;
    default:
        sqlite3_result_int(ctx, 0);
        return;
    }
}

// Format(value, pattern): dates by the legacy pattern letters; only the patterns the program uses
// need to work, and 'yyyymmdd' is the one it relies on.
void fnFormat(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    sqlite3_value* v = argv[0];
    if (sqlite3_value_type(v) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    QDateTime when;
    if (sqlite3_value_type(v) == SQLITE_TEXT)
        when = Value(argText(v)).toDateTime();
    else
        when = fromAutomationDate(sqlite3_value_double(v));
    QString pattern = argc > 1 ? argText(argv[1]) : QStringLiteral("General Date");
    if (!when.isValid()) {
        resultText(ctx, argText(v));
        return;
    }
    if (pattern.compare(u"General Date", Qt::CaseInsensitive) == 0) {
        resultText(ctx, standardDateText(toAutomationDate(when)));
        return;
    }
    // Legacy patterns use lower-case "mm" for months outside a time; map to Qt's letters.
    pattern.replace(QStringLiteral("mm"), QStringLiteral("MM"));
    pattern.replace(QStringLiteral("nn"), QStringLiteral("mm"));
    resultText(ctx, when.toString(pattern));
}

} // namespace

int compareText(const QString& a, const QString& b)
{
    const QByteArray ua = a.toUtf8();
    const QByteArray ub = b.toUtf8();
    return collateOrder(nullptr, int(ua.size()), ua.constData(), int(ub.size()), ub.constData());
}

void registerDialect(sqlite3* db)
{
    constexpr int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_collation(db, kOrderCollation, SQLITE_UTF8, nullptr, collateOrder);
    sqlite3_create_collation(db, kTextCollation, SQLITE_UTF8, nullptr, collateText);
    sqlite3_create_collation(db, "UNICASE", SQLITE_UTF8, nullptr, collateUnicase);
    sqlite3_create_function(db, "pv_str", 1, flags, nullptr, fnStr, nullptr, nullptr);
    sqlite3_create_function(db, "pv_strdate", 1, flags, nullptr, fnStrDate, nullptr, nullptr);
    sqlite3_create_function(db, "pv_isnull", 1, flags, nullptr, fnIsNull, nullptr, nullptr);
    sqlite3_create_function(db, "pv_isnumeric", 1, flags, nullptr, fnIsNumeric, nullptr, nullptr);
    sqlite3_create_function(db, "pv_format", 1, flags, nullptr, fnFormat, nullptr, nullptr);
    sqlite3_create_function(db, "pv_format", 2, flags, nullptr, fnFormat, nullptr, nullptr);
}

} // namespace engine::detail
