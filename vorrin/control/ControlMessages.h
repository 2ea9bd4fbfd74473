#pragma once

#include <QString>

namespace vorrin {

// The fixed texts of the control's automation exceptions, M1 to M14. Lines are joined by CR LF;
// some messages also end with CR LF. Hosts show these texts to people, so they stay word for word.
enum class Message { M1 = 1, M2, M3, M4, M5, M6, M7, M8, M9, M10, M11, M12, M13, M14 };

QString messageText(Message id);

} // namespace vorrin
