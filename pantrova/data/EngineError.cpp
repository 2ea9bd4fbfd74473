#include "EngineError.h"

namespace engine {

namespace {
QString describe(const QString& file, const QString& statement, const QString& reason)
{
    QString text = reason;
    if (!statement.isEmpty())
        text = QStringLiteral("%1\nStatement: %2").arg(text, statement);
    if (!file.isEmpty())
        text = QStringLiteral("%1\nFile: %2").arg(text, file);
    return text;
}
} // namespace

EngineError::EngineError(const QString& file, const QString& statement, const QString& reason)
    : std::runtime_error(describe(file, statement, reason).toStdString()), m_file(file),
      m_statement(statement), m_reason(reason)
{}

} // namespace engine
