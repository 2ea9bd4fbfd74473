#include "SqlDialect.h"

#include "../Value.h"
#include "SqlFunctions.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringList>

namespace engine::detail {

namespace {

struct Token
{
    enum Kind { Word, Literal, Bracketed, Space, Symbol, DateLiteral } kind;
    QString text;
};

QList<Token> tokenize(const QString& sql)
{
    QList<Token> tokens;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        qsizetype j = i + 1;
        Token::Kind kind = Token::Symbol;
        if (c == u'\'' || c == u'"') {
            // A literal; a doubled quote inside stays part of it.
            kind = Token::Literal;
            while (j < n) {
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                ++j;
            }
        } else if (c == u'[') {
            kind = Token::Bracketed;
            while (j < n && sql[j] != u']')
                ++j;
            if (j < n)
                ++j;
        } else if (c == u'#') {
            qsizetype k = j;
            while (k < n && sql[k] != u'#' && sql[k] != u'\'')
                ++k;
            if (k < n && sql[k] == u'#') {
                kind = Token::DateLiteral;
                j = k + 1;
            }
        } else if (c.isSpace()) {
            kind = Token::Space;
            while (j < n && sql[j].isSpace())
                ++j;
        } else if (c.isLetterOrNumber() || c == u'_' || c == u'.') {
            kind = Token::Word;
            while (j < n && (sql[j].isLetterOrNumber() || sql[j] == u'_' || sql[j] == u'.'))
                ++j;
        } else if ((c == u'<' || c == u'>' || c == u'!' || c == u'|') && j < n &&
                   (sql[j] == u'=' || sql[j] == u'>' || sql[j] == u'|')) {
            ++j;
        }
        tokens.append({kind, sql.mid(i, j - i)});
        i = j;
    }
    return tokens;
}

bool isWord(const Token& t, QStringView word)
{
    return t.kind == Token::Word && t.text.compare(word, Qt::CaseInsensitive) == 0;
}

// Index of the next token that is not blank, or tokens.size().
qsizetype nextSolid(const QList<Token>& tokens, qsizetype from)
{
    while (from < tokens.size() && tokens[from].kind == Token::Space)
        ++from;
    return from;
}

QString bareName(const Token& t)
{
    if (t.kind == Token::Bracketed)
        return t.text.mid(1, t.text.size() - 2);
    return t.text;
}

QString dateLiteralValue(const QString& text)
{
    const QString inner = text.mid(1, text.size() - 2).trimmed();
    for (const QString& format :
         {QStringLiteral("M/d/yyyy"), QStringLiteral("yyyy-MM-dd"), QStringLiteral("M/d/yy")}) {
        const QDate d = QDate::fromString(inner, format);
        if (d.isValid())
            return trimmedDecimalText(toAutomationDate(d));
    }
    return text; // leave it for SQLite to report
}

// Rewrites one ORDER BY clause body: "+" to "||", each term under the text collation.
QString translateOrderBy(const QList<Token>& tokens, qsizetype begin, qsizetype end)
{
    QStringList terms;
    QString term;
    QString direction;
    int depth = 0;
    auto flush = [&] {
        const QString body = term.trimmed();
        if (!body.isEmpty())
            terms.append(u'(' + body + u") COLLATE " + QLatin1StringView(kOrderCollation) + direction);
        term.clear();
        direction.clear();
    };
    for (qsizetype i = begin; i < end; ++i) {
        const Token& t = tokens[i];
        if (t.kind == Token::Symbol && t.text == u"(")
            ++depth;
        else if (t.kind == Token::Symbol && t.text == u")")
            --depth;
        if (depth == 0 && t.kind == Token::Symbol && t.text == u",") {
            flush();
            continue;
        }
        if (depth == 0 && (isWord(t, u"asc") || isWord(t, u"desc"))) {
            direction = u' ' + t.text.toUpper();
            continue;
        }
        term += (t.kind == Token::Symbol && t.text == u"+") ? QStringLiteral("||") : t.text;
    }
    flush();
    return terms.join(u", ");
}

bool endsPredicate(const Token& t)
{
    for (const char16_t* word : {u"order", u"group", u"limit", u"union", u"except", u"intersect", u"window"})
        if (isWord(t, word))
            return true;
    return false;
}

bool startsPredicate(const Token& t)
{
    return isWord(t, u"where") || isWord(t, u"on") || isWord(t, u"having");
}

QString lastNameSegment(const Token& t)
{
    const QString name = bareName(t);
    return name.mid(name.lastIndexOf(u'.') + 1).toLower();
}

} // namespace

QString SqlDialect::translate(const QString& sql, const QSet<QString>& dateColumns,
                              const QSet<QString>& textColumns)
{
    const QList<Token> tokens = tokenize(sql);
    QString out;
    out.reserve(sql.size() + 32);
    int depth = 0;
    std::vector<int> predicates; // bracket depths at which the open WHERE/ON/HAVING clauses began
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.kind == Token::DateLiteral) {
            out += dateLiteralValue(t.text);
            continue;
        }
        if (t.kind == Token::Symbol) {
            if (t.text == u"(")
                ++depth;
            else if (t.text == u")") {
                --depth;
                while (!predicates.empty() && predicates.back() > depth)
                    predicates.pop_back();
            } else if (t.text == u";")
                predicates.clear();
            out += t.text;
            continue;
        }
        if (t.kind != Token::Word && t.kind != Token::Bracketed) {
            out += t.text;
            continue;
        }
        const qsizetype next = nextSolid(tokens, i + 1);
        const bool isCall = next < tokens.size() && tokens[next].text == u"(";
        if (t.kind == Token::Bracketed || !isCall) {
            // A text column compared in WHERE takes our comparison, whatever the file declares.
            const bool collated = next < tokens.size() && isWord(tokens[next], u"collate");
            if (!predicates.empty() && !collated && textColumns.contains(lastNameSegment(t))) {
                out += t.text + QStringLiteral(" COLLATE ") + QLatin1StringView(kTextCollation);
                continue;
            }
            if (t.kind == Token::Bracketed) {
                out += t.text;
                continue;
            }
        }
        if (startsPredicate(t)) {
            predicates.push_back(depth);
            out += t.text;
            continue;
        }
        if (endsPredicate(t))
            while (!predicates.empty() && predicates.back() >= depth)
                predicates.pop_back();
        if (isCall && isWord(t, u"str")) {
            // str(dateColumn) reads as the date's text.
            const qsizetype arg = nextSolid(tokens, next + 1);
            const qsizetype close = nextSolid(tokens, arg + 1);
            const bool dateArg = arg < tokens.size() && close < tokens.size() && tokens[close].text == u")" &&
                                 dateColumns.contains(bareName(tokens[arg]).toLower());
            out += dateArg ? QStringLiteral("pv_strdate") : QStringLiteral("pv_str");
            continue;
        }
        if (isCall && (isWord(t, u"isnull") || isWord(t, u"isnumeric") || isWord(t, u"format"))) {
            out += u"pv_" + t.text.toLower();
            continue;
        }
        if (isWord(t, u"order")) {
            const qsizetype by = nextSolid(tokens, i + 1);
            if (by < tokens.size() && isWord(tokens[by], u"by")) {
                qsizetype end = by + 1;
                int nesting = 0;
                // The clause runs to the end, or to a closing bracket of an enclosing expression.
                while (end < tokens.size()) {
                    if (tokens[end].text == u"(")
                        ++nesting;
                    if (tokens[end].text == u")" && nesting-- == 0)
                        break;
                    if (nesting == 0 && (isWord(tokens[end], u"limit") || tokens[end].text == u";"))
                        break;
                    ++end;
                }
                // Translate the clause's own tokens first (functions inside it), then the terms.
                QString inner;
                for (qsizetype k = by + 1; k < end; ++k)
                    inner += tokens[k].text;
                const QList<Token> innerTokens = tokenize(translate(inner, dateColumns, textColumns));
                out += QStringLiteral("ORDER BY ") + translateOrderBy(innerTokens, 0, innerTokens.size());
                if (end < tokens.size())
                    out += u' ';
                i = end - 1;
                continue;
            }
        }
        out += t.text;
    }
    return out;
}

SingleTableSelect parseSingleTableSelect(const QString& sql)
{
    static const QRegularExpression shape(
        QStringLiteral(
            R"(^\s*select\s+(.+?)\s+from\s+(\[[^\]]+\]|[A-Za-z_][A-Za-z0-9_]*)\s*((?:where|order)\b.*)?;?\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    SingleTableSelect result;
    const QRegularExpressionMatch m = shape.match(sql);
    if (!m.hasMatch())
        return result;
    const QString list = m.captured(1).trimmed();
    static const QRegularExpression plainList(QStringLiteral(R"(^(\*|[A-Za-z_\[][A-Za-z0-9_\]\s,.*]*)$)"));
    if (!plainList.match(list).hasMatch() || list.contains(QStringLiteral("distinct"), Qt::CaseInsensitive))
        return result;
    result.ok = true;
    result.selectList = list;
    QString table = m.captured(2);
    if (table.startsWith(u'['))
        table = table.mid(1, table.size() - 2);
    result.table = table;
    result.rest = m.captured(3).trimmed();
    if (result.rest.endsWith(u';'))
        result.rest.chop(1);
    return result;
}

InsertSelect parseInsertSelect(const QString& sql)
{
    static const QRegularExpression shape(
        QStringLiteral(
            R"(^\s*insert\s+into\s+(?:\[([^\]]+)\]\s*\.\s*)?(\[[^\]]+\]|[A-Za-z_][A-Za-z0-9_]*)\s+(select\b.*)$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    InsertSelect result;
    const QRegularExpressionMatch m = shape.match(sql);
    if (!m.hasMatch())
        return result;
    result.ok = true;
    result.file = m.captured(1).trimmed();
    QString table = m.captured(2);
    if (table.startsWith(u'['))
        table = table.mid(1, table.size() - 2);
    result.table = table;
    result.select = m.captured(3).trimmed();
    while (result.select.endsWith(u';'))
        result.select = result.select.chopped(1).trimmed();
    return result;
}

} // namespace engine::detail
