#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstring>

// Reads typed values off the front of a fuzz input. Past the end every read gives zero (or empty
// text), so a target never has to check the remaining length before deciding what to build next.
class FuzzBytes
{
public:
    FuzzBytes(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool atEnd() const { return m_pos >= m_size; }
    std::size_t remaining() const { return m_size - m_pos; }

    template <class T> T take()
    {
        T value{};
        const std::size_t n = std::min(sizeof(T), remaining());
        if (n > 0)
            std::memcpy(&value, m_data + m_pos, n);
        m_pos += n;
        return value;
    }

    // A number in [0, count), from one byte (count <= 256).
    int pick(int count) { return count > 0 ? take<std::uint8_t>() % count : 0; }
    bool flag() { return take<std::uint8_t>() & 1; }

    QByteArray bytes(std::size_t maxLength)
    {
        const std::size_t n = std::min<std::size_t>(take<std::uint8_t>() % (maxLength + 1), remaining());
        QByteArray out(reinterpret_cast<const char*>(m_data + m_pos), static_cast<qsizetype>(n));
        m_pos += n;
        return out;
    }
    QString text(std::size_t maxLength) { return QString::fromUtf8(bytes(maxLength)); }
    QByteArray rest()
    {
        QByteArray out(reinterpret_cast<const char*>(m_data + m_pos), static_cast<qsizetype>(remaining()));
        m_pos = m_size;
        return out;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};
