#pragma once

#include <QString>

namespace engine {

// The one safe way to place a person's text inside a SQL text: the text between apostrophes with
// every apostrophe inside doubled, so nothing typed can end the literal or change the statement.
//   "select * from groups where groupname = " + sqlText(name)
QString sqlText(const QString& text);

// A number written into SQL as trimmed decimal text.
QString sqlNumber(double number);
QString sqlNumber(qint64 number);
inline QString sqlNumber(int number)
{
    return sqlNumber(qint64(number));
}

} // namespace engine
