#include "TestWorld.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

QStringList TestWorld::defaultTemplates()
{
    return {QStringLiteral("Recipe70e.mdb"), QStringLiteral("UtilityE.mdb"), QStringLiteral("AdminE.sys"),
            QStringLiteral("MenusE.mdb")};
}

QString TestWorld::builtProgramDir()
{
    const QByteArray fromEnv = qgetenv("PANTROVA_PROGRAM_DIR");
    return fromEnv.isEmpty() ? QStringLiteral(PANTROVA_BUILT_PROGRAM_DIR) : QString::fromLocal8Bit(fromEnv);
}

TestWorld::TestWorld(const QStringList& shippedFiles) : m_previousCurrent(QDir::currentPath())
{
    QStandardPaths::setTestModeEnabled(true);
    for (auto scope : {QSettings::UserScope, QSettings::SystemScope}) {
        QSettings::setPath(QSettings::IniFormat, scope, m_settingsDir.path());
        QSettings::setPath(QSettings::NativeFormat, scope, m_settingsDir.path());
    }
    for (const QString& name : shippedFiles)
        copyShipped(name);
    QDir::setCurrent(m_dir.path());
}

TestWorld::~TestWorld()
{
    QDir::setCurrent(m_previousCurrent);
}

QString TestWorld::filePath(const QString& name) const
{
    return QDir(m_dir.path()).filePath(name);
}

void TestWorld::copyShipped(const QString& name, const QString& as) const
{
    const QString from = QDir(builtProgramDir()).filePath(name);
    const QString to = filePath(as.isEmpty() ? name : as);
    QFile::remove(to);
    if (!QFile::copy(from, to))
        qFatal("TestWorld: cannot copy shipped file %s", qPrintable(from));
    QFile(to).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}
