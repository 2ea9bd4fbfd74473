#include "Settings.h"

#include <QSettings>

namespace pantrova {

QString Settings::defaultFor(const QString& key)
{
    if (key == u"DH")
        return QStringLiteral("6");
    if (key == u"SPic")
        return QStringLiteral("1");
    if (key == u"Scrn")
        return QStringLiteral("False");
    if (key == u"Height")
        return QStringLiteral("7515");
    if (key == u"Width")
        return QStringLiteral("9555");
    return {};
}

QString Settings::read(const QString& key)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Pantrova"),
                QStringLiteral("Pantrova"));
    return s.value(QStringLiteral("Startup/") + key, defaultFor(key)).toString();
}

void Settings::write(const QString& key, const QString& value)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Pantrova"),
                QStringLiteral("Pantrova"));
    s.setValue(QStringLiteral("Startup/") + key, value);
    s.sync();
}

} // namespace pantrova
