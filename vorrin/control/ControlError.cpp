#include "ControlError.h"

namespace vorrin {

ControlError::ControlError(std::uint32_t number, const QString& message, int dispid)
    : std::runtime_error(message.isEmpty() ? std::string("calendar control failure") : message.toStdString()),
      m_number(number), m_message(message), m_dispid(dispid)
{}

} // namespace vorrin
