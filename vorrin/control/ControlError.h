#pragma once

#include <QString>

#include <cstdint>
#include <stdexcept>

namespace vorrin {

// Result codes the control reports. The dispatch adaptor hands `number()` back as the member's
// result; when the error carries a message it is an automation exception (`isException()`), whose
// description is the message and whose source is the control's ProgID.
namespace Result {
constexpr std::uint32_t Ok = 0x00000000u;
constexpr std::uint32_t Fail = 0x80004005u;       // a date the calendar refused
constexpr std::uint32_t InvalidArg = 0x80070057u; // e.g. a day-state array without two dimensions
constexpr std::uint32_t Exception = 0x80020009u;  // carries one of the control's messages
constexpr std::uint32_t MemberNotFound = 0x80020003u;
constexpr std::uint32_t TypeMismatch = 0x80020005u;
constexpr std::uint32_t BadParamCount = 0x8002000Eu;
constexpr std::uint32_t SetNotPermitted = 0x800A0183u; // the container refused a request-edit
} // namespace Result

// What every failing member of `VorrinCtl` throws: the result number, the exact message text (empty
// for plain failure results) and the DISPID of the member that raised it. Nothing of the control's
// state is rolled back beyond what each member documents.
class ControlError : public std::runtime_error
{
public:
    ControlError(std::uint32_t number, const QString& message, int dispid);

    std::uint32_t number() const { return m_number; }
    const QString& message() const { return m_message; }
    int dispid() const { return m_dispid; }
    bool isException() const { return !m_message.isEmpty(); }

private:
    std::uint32_t m_number;
    QString m_message;
    int m_dispid;
};

} // namespace vorrin
