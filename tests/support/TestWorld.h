#pragma once

#include <QString>
#include <QTemporaryDir>

// The world one test case builds for itself: a temporary program folder holding the shipped
// templates (and any other shipped files asked for), made the current directory, and a settings
// store of its own so no test reads or writes the user's real settings.
class TestWorld
{
public:
    // `shippedFiles` are copied from the built program folder; by default the four templates.
    explicit TestWorld(const QStringList& shippedFiles = defaultTemplates());
    ~TestWorld();

    static QStringList defaultTemplates();
    static QString builtProgramDir();

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const;
    bool isValid() const { return m_dir.isValid(); }

    // Copies one more shipped file into the program folder.
    void copyShipped(const QString& name, const QString& as = {}) const;

private:
    QTemporaryDir m_dir;
    QTemporaryDir m_settingsDir;
    QString m_previousCurrent;
};
