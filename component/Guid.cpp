#include "component/Guid.h"

namespace component {

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

bool readHex(QStringView text, qsizetype from, qsizetype digits, uint64_t& value)
{
    value = 0;
    for (qsizetype i = from; i < from + digits; ++i) {
        const int d = hexDigit(text[i]);
        if (d < 0)
            return false;
        value = value * 16 + static_cast<uint64_t>(d);
    }
    return true;
}

} // namespace

Guid Guid::fromString(QStringView text, bool* ok)
{
    text = text.trimmed();
    if (text.size() == 38 && text.front() == u'{' && text.back() == u'}')
        text = text.mid(1, 36);
    if (ok)
        *ok = false;
    if (text.size() != 36 || text[8] != u'-' || text[13] != u'-' || text[18] != u'-' || text[23] != u'-')
        return {};
    Guid g;
    uint64_t v = 0;
    if (!readHex(text, 0, 8, v))
        return {};
    g.data1 = static_cast<uint32_t>(v);
    if (!readHex(text, 9, 4, v))
        return {};
    g.data2 = static_cast<uint16_t>(v);
    if (!readHex(text, 14, 4, v))
        return {};
    g.data3 = static_cast<uint16_t>(v);
    const qsizetype starts[8] = {19, 21, 24, 26, 28, 30, 32, 34};
    for (int i = 0; i < 8; ++i) {
        if (!readHex(text, starts[i], 2, v))
            return {};
        g.data4[static_cast<std::size_t>(i)] = static_cast<uint8_t>(v);
    }
    if (ok)
        *ok = true;
    return g;
}

Guid Guid::fromBytes(const char* bytes)
{
    const auto* b = reinterpret_cast<const uint8_t*>(bytes);
    Guid g;
    g.data1 = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    g.data2 = static_cast<uint16_t>(b[4] | b[5] << 8);
    g.data3 = static_cast<uint16_t>(b[6] | b[7] << 8);
    for (std::size_t i = 0; i < 8; ++i)
        g.data4[i] = b[8 + i];
    return g;
}

QString Guid::toString() const
{
    QString s = QStringLiteral("{%1-%2-%3-")
                    .arg(data1, 8, 16, QChar(u'0'))
                    .arg(data2, 4, 16, QChar(u'0'))
                    .arg(data3, 4, 16, QChar(u'0'));
    for (std::size_t i = 0; i < 8; ++i) {
        if (i == 2)
            s += u'-';
        s += QStringLiteral("%1").arg(data4[i], 2, 16, QChar(u'0'));
    }
    s += u'}';
    return s.toUpper();
}

QByteArray Guid::toBytes() const
{
    QByteArray out(16, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<char>((data1 >> (8 * i)) & 0xFF);
    out[4] = static_cast<char>(data2 & 0xFF);
    out[5] = static_cast<char>(data2 >> 8);
    out[6] = static_cast<char>(data3 & 0xFF);
    out[7] = static_cast<char>(data3 >> 8);
    for (std::size_t i = 0; i < 8; ++i)
        out[static_cast<int>(8 + i)] = static_cast<char>(data4[i]);
    return out;
}

} // namespace component
