#pragma once

#include <QString>

#include <stdexcept>

namespace engine {

// Every failure of the engine layer: which file, which statement, and why, in words a person reads.
class EngineError : public std::runtime_error
{
public:
    EngineError(const QString& file, const QString& statement, const QString& reason);

    QString file() const { return m_file; }
    QString statement() const { return m_statement; }
    QString reason() const { return m_reason; }
    QString message() const { return QString::fromUtf8(what()); }

private:
    QString m_file;
    QString m_statement;
    QString m_reason;
};

} // namespace engine
