#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <array>
#include <cstddef>
#include <cstdint>

namespace component {

// A 128-bit identifier for classes, interfaces and type libraries. The text form is the
// registry's "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"; the byte form (16 bytes, the first three
// fields little-endian) is what saved streams carry. Identifiers written in code are parsed at
// compile time, so a typo in one fails the build rather than a lookup.
struct Guid
{
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    std::array<uint8_t, 8> data4{};

    static consteval Guid parse(const char (&text)[39]);

    // Reads the text form, braces optional, any case. Returns a null identifier when malformed.
    static Guid fromString(QStringView text, bool* ok = nullptr);
    static Guid fromBytes(const char* bytes);

    QString toString() const;
    QByteArray toBytes() const;
    bool isNull() const { return *this == Guid{}; }

    friend bool operator==(const Guid&, const Guid&) = default;

private:
    static constexpr int hexValue(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }
    static consteval uint64_t hexField(const char* text, std::size_t digits)
    {
        uint64_t value = 0;
        for (std::size_t i = 0; i < digits; ++i) {
            const int digit = hexValue(text[i]);
            if (digit < 0)
                throw "malformed identifier"; // only ever evaluated at compile time
            value = value * 16 + static_cast<uint64_t>(digit);
        }
        return value;
    }
};

consteval Guid Guid::parse(const char (&text)[39])
{
    if (text[0] != '{' || text[9] != '-' || text[14] != '-' || text[19] != '-' || text[24] != '-' ||
        text[37] != '}')
        throw "malformed identifier";
    Guid g;
    g.data1 = static_cast<uint32_t>(hexField(text + 1, 8));
    g.data2 = static_cast<uint16_t>(hexField(text + 10, 4));
    g.data3 = static_cast<uint16_t>(hexField(text + 15, 4));
    g.data4[0] = static_cast<uint8_t>(hexField(text + 20, 2));
    g.data4[1] = static_cast<uint8_t>(hexField(text + 22, 2));
    for (std::size_t i = 0; i < 6; ++i)
        g.data4[2 + i] = static_cast<uint8_t>(hexField(text + 25 + 2 * i, 2));
    return g;
}

} // namespace component
