#include "VorrinEnums.h"

namespace vorrin {

std::uint32_t styleBitsFor(std::int32_t monthCalStyle)
{
    // The first eight values combine multi-select, week numbers and no-today; the next eight are
    // the same combinations with day states.
    static const std::uint32_t base[8] = {
        0,
        StyleMultiSelect,
        StyleWeekNumbers,
        StyleNoToday,
        StyleWeekNumbers | StyleNoToday,
        StyleMultiSelect | StyleWeekNumbers,
        StyleMultiSelect | StyleNoToday,
        StyleMultiSelect | StyleWeekNumbers | StyleNoToday,
    };
    if (monthCalStyle < 0 || monthCalStyle > 15)
        return 0;
    return base[monthCalStyle % 8] | (monthCalStyle >= 8 ? StyleDayState : 0u);
}

} // namespace vorrin
