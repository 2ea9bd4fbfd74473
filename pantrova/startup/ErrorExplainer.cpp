#include "ErrorExplainer.h"

#include "data/EngineError.h"

namespace pantrova {

using Cause = engine::EngineError::Cause;

QString plainCause(const engine::EngineError& error)
{
    switch (error.cause()) {
    case Cause::Missing:
        return QStringLiteral("The file is missing: Pantrova cannot find it.");
    case Cause::NoPermission:
        return QStringLiteral(
            "No write permission: Pantrova is not allowed to change this file or its folder.");
    case Cause::DiskFull:
        return QStringLiteral(
            "The disk is full: there is no room left to write. Make some room, then try again.");
    case Cause::Damaged:
        return QStringLiteral("The file is damaged: parts of it cannot be read.");
    case Cause::InUse:
        return QStringLiteral("The file is in use by another program. Close it there, then try again.");
    case Cause::BadValue: {
        QString reason = error.reason();
        reason.remove(QStringLiteral("Data type conversion error: "));
        return QStringLiteral("A value does not fit its field: ") + reason;
    }
    case Cause::Unknown:
        break;
    }
    return QStringLiteral("The database could not do what was asked (see Details).");
}

std::optional<ui::ErrorQuestion> explainEngineError(const QString& whatFailed, const std::exception& failure)
{
    const auto* error = dynamic_cast<const engine::EngineError*>(&failure);
    if (!error)
        return std::nullopt;
    ui::ErrorQuestion question;
    question.whatFailed = whatFailed;
    question.file = error->file();
    question.cause = plainCause(*error);
    question.details = QStringLiteral("Engine message: ") + error->reason();
    if (!error->statement().isEmpty())
        question.details += QStringLiteral("\nStatement: ") + error->statement();
    if (!error->file().isEmpty())
        question.details += QStringLiteral("\nFile: ") + error->file();
    return question;
}

} // namespace pantrova
