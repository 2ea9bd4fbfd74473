// The titles a desktop shows for Pantrova's windows: the real program is started on an X display
// of its own (Xvfb) in a fresh program folder, and the names of its windows are read back from the
// X server. They must be exactly what the program sets, with nothing appended by the toolkit.
// Skipped where Xvfb or xwininfo is missing.
#include "TestWorld.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

bool copyFolder(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(path));
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !QFile::copy(path, target))
            return false;
        QFile(target).setPermissions(QFile(path).permissions() | QFile::WriteOwner);
    }
    return true;
}

// A process ended when the test ends, however it ends.
struct Running
{
    QProcess process;
    ~Running()
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(2000);
        }
    }
};

QStringList windowNames(const QString& xwininfo, const QString& display)
{
    QProcess list;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    list.setProcessEnvironment(env);
    list.start(xwininfo, {QStringLiteral("-root"), QStringLiteral("-tree")});
    if (!list.waitForFinished(10000))
        return {};
    static const QRegularExpression named(QStringLiteral("^\\s*0x[0-9a-f]+ \"(.*)\": \\("));
    QStringList names;
    for (const QString& line : QString::fromUtf8(list.readAllStandardOutput()).split(u'\n')) {
        const QRegularExpressionMatch m = named.match(line);
        if (m.hasMatch())
            names << m.captured(1);
    }
    return names;
}

} // namespace

class TestWindowTitle : public QObject
{
    Q_OBJECT

private slots:
    void theDesktopShowsExactlyTheTitlesTheProgramSets()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        const QString xwininfo = QStandardPaths::findExecutable(QStringLiteral("xwininfo"));
        if (xvfb.isEmpty() || xwininfo.isEmpty())
            QSKIP("needs Xvfb and xwininfo");

        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("program"));
        QVERIFY(copyFolder(TestWorld::builtProgramDir(), folder));
        QVERIFY(QFile::exists(QDir(folder).filePath(QStringLiteral("pantrova"))));
        QDir().mkpath(dir.filePath(QStringLiteral("home/.config")));

        // The X server picks a free display and says which.
        Running server;
        server.process.start(xvfb,
                             {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                              QStringLiteral("0"), QStringLiteral("1280x1024x24"),
                              QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        QString number;
        QElapsedTimer waited;
        waited.start();
        while (number.isEmpty() && waited.elapsed() < 20000 &&
               server.process.state() != QProcess::NotRunning) {
            server.process.waitForReadyRead(500);
            number = QString::fromLatin1(server.process.readAllStandardOutput()).trimmed();
        }
        if (number.isEmpty())
            QSKIP("Xvfb did not start");
        const QString display = u':' + number;

        Running pantrova;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("HOME"), dir.filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("home/.config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("home/.local/share")));
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        pantrova.process.setProcessEnvironment(env);
        pantrova.process.setWorkingDirectory(folder);
        pantrova.process.start(QDir(folder).filePath(QStringLiteral("pantrova")), QStringList());
        QVERIFY(pantrova.process.waitForStarted(10000));

        // The splash, then the main window and, on a first start, the help page of what is new.
        const QString mainTitle = QStringLiteral("Pantrova - My CookBook");
        QStringList seen;
        waited.restart();
        qint64 mainSeenAt = -1;
        while (waited.elapsed() < 90000 && pantrova.process.state() == QProcess::Running) {
            for (const QString& name : windowNames(xwininfo, display))
                if (!seen.contains(name))
                    seen << name;
            if (mainSeenAt < 0 && std::any_of(seen.begin(), seen.end(),
                                              [&](const QString& n) { return n.startsWith(mainTitle); }))
                mainSeenAt = waited.elapsed();
            const bool helpSeen = std::any_of(seen.begin(), seen.end(), [](const QString& n) {
                return n.startsWith(QStringLiteral("Pantrova Help"));
            });
            if (mainSeenAt >= 0 && (helpSeen || waited.elapsed() - mainSeenAt > 5000))
                break;
            QThread::msleep(250);
        }

        QVERIFY2(seen.contains(mainTitle), qPrintable(seen.join(QStringLiteral(" | "))));
        for (const QString& name : seen) {
            const bool ours =
                name.startsWith(QStringLiteral("Pantrova")) || name.startsWith(QStringLiteral("About"));
            if (ours && name != QStringLiteral("Pantrova"))
                QVERIFY2(!name.endsWith(QStringLiteral("Pantrova")) ||
                             name == QStringLiteral("About Pantrova"),
                         qPrintable(name));
        }
    }
};

QTEST_GUILESS_MAIN(TestWindowTitle)
#include "tst_window_title.moc"
