#pragma once

#include "../Value.h"

#include <QString>

#include <optional>

namespace engine::detail {

// The value a field of the given declared type stores for what a window wrote to it, or the
// reason it cannot take it. Numbers written as text are read with "." as the point; a whole-number
// field takes only whole numbers within its width (16 bits for Integer, 32 for Long); a date field
// takes dates, automation-date numbers and date texts ("M/d/yyyy", "yyyy-MM-dd", with a time of
// day or without), and stores empty text as Null; a Yes/No field takes Yes/No, numbers and the
// words True, False, Yes, No. Text fields take anything.
struct FieldValue
{
    Value stored;
    QString refusal; // empty when the value fits
};
FieldValue valueForField(const QString& declType, const Value& value);

} // namespace engine::detail
