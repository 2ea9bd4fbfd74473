#include "HtmlText.h"

#include <QHash>
#include <QStringList>

namespace pantrova::importing {

namespace {

const QHash<QString, char16_t>& namedEntities()
{
    static const QHash<QString, char16_t> names = {
        {QStringLiteral("amp"), u'&'},         {QStringLiteral("lt"), u'<'},
        {QStringLiteral("gt"), u'>'},          {QStringLiteral("quot"), u'"'},
        {QStringLiteral("apos"), u'\''},       {QStringLiteral("nbsp"), u' '},
        {QStringLiteral("ndash"), u'\u2013'},  {QStringLiteral("mdash"), u'\u2014'},
        {QStringLiteral("lsquo"), u'\u2018'},  {QStringLiteral("rsquo"), u'\u2019'},
        {QStringLiteral("ldquo"), u'\u201c'},  {QStringLiteral("rdquo"), u'\u201d'},
        {QStringLiteral("hellip"), u'\u2026'}, {QStringLiteral("deg"), u'\u00b0'},
        {QStringLiteral("frac12"), u'\u00bd'}, {QStringLiteral("frac14"), u'\u00bc'},
        {QStringLiteral("frac34"), u'\u00be'}, {QStringLiteral("frac13"), u'\u2153'},
        {QStringLiteral("frac23"), u'\u2154'}, {QStringLiteral("times"), u'\u00d7'},
        {QStringLiteral("copy"), u'\u00a9'},   {QStringLiteral("reg"), u'\u00ae'},
        {QStringLiteral("trade"), u'\u2122'},  {QStringLiteral("bull"), u'\u2022'},
        {QStringLiteral("middot"), u'\u00b7'}, {QStringLiteral("eacute"), u'\u00e9'},
        {QStringLiteral("egrave"), u'\u00e8'}, {QStringLiteral("ecirc"), u'\u00ea'},
        {QStringLiteral("agrave"), u'\u00e0'}, {QStringLiteral("aacute"), u'\u00e1'},
        {QStringLiteral("acirc"), u'\u00e2'},  {QStringLiteral("ccedil"), u'\u00e7'},
        {QStringLiteral("iacute"), u'\u00ed'}, {QStringLiteral("icirc"), u'\u00ee'},
        {QStringLiteral("ntilde"), u'\u00f1'}, {QStringLiteral("oacute"), u'\u00f3'},
        {QStringLiteral("ocirc"), u'\u00f4'},  {QStringLiteral("uacute"), u'\u00fa'},
        {QStringLiteral("auml"), u'\u00e4'},   {QStringLiteral("ouml"), u'\u00f6'},
        {QStringLiteral("uuml"), u'\u00fc'},   {QStringLiteral("szlig"), u'\u00df'},
        {QStringLiteral("Auml"), u'\u00c4'},   {QStringLiteral("Ouml"), u'\u00d6'},
        {QStringLiteral("Uuml"), u'\u00dc'},   {QStringLiteral("Eacute"), u'\u00c9'},
        {QStringLiteral("aring"), u'\u00e5'},  {QStringLiteral("oslash"), u'\u00f8'},
        {QStringLiteral("aelig"), u'\u00e6'},
    };
    return names;
}

void appendCodePoint(QString& out, uint code)
{
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        out.append(QChar(QChar::ReplacementCharacter));
        return;
    }
    if (code == 0xA0) // a non-breaking blank reads as a blank in a recipe
        code = u' ';
    const char32_t c = code;
    out.append(QString::fromUcs4(&c, 1));
}

bool isLineTag(QStringView name)
{
    for (const char16_t* tag :
         {u"br", u"p", u"li", u"div", u"tr", u"h1", u"h2", u"h3", u"h4", u"h5", u"h6", u"ol", u"ul"})
        if (name.compare(QStringView(tag), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

QString decodeEntities(QStringView text)
{
    if (!text.contains(u'&'))
        return text.toString();
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'&') {
            out.append(c);
            continue;
        }
        // The reference ends at ";" within a few characters; anything else is a plain "&".
        qsizetype semi = -1;
        for (qsizetype j = i + 1; j < text.size() && j <= i + 10; ++j) {
            if (text[j] == u';') {
                semi = j;
                break;
            }
            if (!text[j].isLetterOrNumber() && text[j] != u'#')
                break;
        }
        if (semi < 0) {
            out.append(c);
            continue;
        }
        const QStringView name = text.mid(i + 1, semi - i - 1);
        bool ok = false;
        if (name.startsWith(u'#')) {
            const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
            const uint code = name.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
            if (ok) {
                appendCodePoint(out, code);
                i = semi;
                continue;
            }
        } else {
            const auto it = namedEntities().constFind(name.toString());
            if (it != namedEntities().cend()) {
                out.append(QChar(*it));
                i = semi;
                continue;
            }
        }
        out.append(c);
    }
    return out;
}

QString plainTextOfHtml(QStringView html)
{
    QString text;
    text.reserve(html.size());
    bool tagsPossible = true; // false once a "<" is found that no ">" closes: none further can
    for (qsizetype i = 0; i < html.size(); ++i) {
        const QChar c = html[i];
        const bool opensTag = c == u'<' && tagsPossible && i + 1 < html.size() &&
                              (html[i + 1].isLetter() || html[i + 1] == u'/' || html[i + 1] == u'!');
        if (!opensTag) {
            text.append(c);
            continue;
        }
        const qsizetype close = html.indexOf(u'>', i + 1);
        if (close < 0) {
            tagsPossible = false;
            text.append(c);
            continue;
        }
        qsizetype nameStart = i + 1;
        if (html[nameStart] == u'/')
            ++nameStart;
        qsizetype nameEnd = nameStart;
        while (nameEnd < close && html[nameEnd].isLetterOrNumber())
            ++nameEnd;
        if (isLineTag(html.mid(nameStart, nameEnd - nameStart)))
            text.append(u'\n');
        i = close;
    }
    QStringList lines;
    for (const QString& line : decodeEntities(text).split(u'\n')) {
        const QString simple = line.simplified();
        if (!simple.isEmpty())
            lines << simple;
    }
    return lines.join(u'\n');
}

} // namespace pantrova::importing
