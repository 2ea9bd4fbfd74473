#include "SqlText.h"

#include "Value.h"

namespace engine {

QString sqlText(const QString& text)
{
    QString quoted = text;
    quoted.replace(u'\'', QStringLiteral("''"));
    return u'\'' + quoted + u'\'';
}

QString sqlNumber(double number)
{
    return trimmedDecimalText(number);
}

QString sqlNumber(qint64 number)
{
    return QString::number(number);
}

} // namespace engine
