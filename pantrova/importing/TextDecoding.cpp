#include "TextDecoding.h"

#include <QStringDecoder>

#include <algorithm>

namespace pantrova::importing {

QString fromWindows1252(const QByteArray& bytes)
{
    static constexpr char16_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                          0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                          0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                          0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? high[b - 0x80] : char16_t(b));
    }
    return text;
}

namespace {

QString decode(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(QStringDecoder::Utf16);
        return utf16.decode(bytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return fromWindows1252(bytes);
}

} // namespace

QString recipeText(const QByteArray& bytes)
{
    const QString decoded = decode(bytes);
    const bool clean = std::none_of(decoded.cbegin(), decoded.cend(),
                                    [](QChar c) { return c == u'\r' || c == u'\0' || c == QChar(0x1A); });
    if (clean)
        return decoded;
    QString text(decoded.size(), Qt::Uninitialized);
    QChar* out = text.data();
    const QChar* in = decoded.constData();
    const qsizetype n = decoded.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = in[i];
        if (c == u'\r') {
            *out++ = u'\n';
            if (i + 1 < n && in[i + 1] == u'\n')
                ++i;
        } else if (c != u'\0' && c != QChar(0x1A)) {
            *out++ = c;
        }
    }
    text.truncate(out - text.constData());
    return text;
}

} // namespace pantrova::importing
