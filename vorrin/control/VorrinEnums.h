#pragma once

#include <cstdint>

// The enumerations of the calendar control's automation interface. They are plain 32-bit
// enumerations in the control's namespace because hosts and the type library name their members
// directly (`Border3D`, `Display12Months`, `Monday`).
namespace vorrin {

enum BorderStyle : std::int32_t { BorderFlat = 0, Border3D = 1 };

enum MonthCalStyle : std::int32_t {
    DefaultNoMultiSelect = 0,
    MultiSelect = 1,
    WeekNumbers = 2,
    NoToday = 3,
    WeekNumbersNoToday = 4,
    MultiSelectWeekNumbers = 5,
    MultiSelectNoToday = 6,
    MultiSelectWeekNumbersNoToday = 7,
    DayStateNoMultiSelect = 8,
    DayStateMultiSelect = 9,
    DayStateWeekNumbers = 10,
    DayStateNoToday = 11,
    DayStateWeekNumbersNoToday = 12,
    DayStateMultiSelectWeekNumbers = 13,
    DayStateMultiSelectNoToday = 14,
    DayStateMultiSelectWeekNumbersNoToday = 15
};

enum PopupMonths : std::int32_t {
    Display1Month = 1,
    Display2Months = 2,
    Display3Months = 3,
    Display4Months = 4,
    Display6Months = 6,
    Display9Months = 9,
    Display12Months = 12
};

enum FirstDayOfWeek : std::int32_t {
    LocaleSpecific = -1,
    Monday = 0,
    Tuesday = 1,
    Wednesday = 2,
    Thursday = 3,
    Friday = 4,
    Saturday = 5,
    Sunday = 6
};

// Style bits of the month-calendar view. A `MonthCalStyle` value maps to a combination of these.
enum CalendarStyleBit : std::uint32_t {
    StyleDayState = 0x1,
    StyleMultiSelect = 0x2,
    StyleWeekNumbers = 0x4,
    StyleNoToday = 0x10
};

// Maps a `MonthCalStyle` value (0-15) to the view's style bits; values outside give 0.
std::uint32_t styleBitsFor(std::int32_t monthCalStyle);

} // namespace vorrin
