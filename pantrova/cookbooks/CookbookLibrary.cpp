#include "CookbookLibrary.h"

#include "CookbookName.h"
#include "data/DatabaseFiles.h"
#include "data/EngineError.h"
#include "data/Settings.h"
#include "startup/Program.h"

#include <QFileInfo>

#include <stdexcept>

namespace pantrova {

namespace {
const QString kCatalogue = QStringLiteral("admin.sys");

bool isPlainFileName(const QString& name)
{
    return !name.isEmpty() && !name.contains(u'/') && !name.contains(u'\\') && name != u"." && name != u"..";
}

void makeCurrent(const QString& file, const QString& name)
{
    Program& p = program();
    p.CurrentCookbookFile = file;
    p.CurrentCookbookName = name;
    Settings::write(QStringLiteral("CurDB"), file);
}
} // namespace

CookbookLibrary::CookbookLibrary(const ProgramFolder& folder) : m_folder(folder)
{
    m_folder.makeCurrent();
    m_catalogue = program().Workspace().OpenDatabase(m_folder.filePath(kCatalogue));
    m_books = m_catalogue.OpenRecordset(QStringLiteral("recipebooks"));
    m_books.Index(QStringLiteral("master"));
}

CookbookLibrary::~CookbookLibrary()
{
    close();
}

void CookbookLibrary::close()
{
    m_books.Close();
    if (m_catalogue.isOpen())
        m_catalogue.Close();
}

QMap<QString, QString> CookbookLibrary::listedFiles()
{
    QMap<QString, QString> files;
    engine::Recordset rows =
        m_catalogue.OpenRecordset(QStringLiteral("select cookbook, dbname from recipebooks"));
    for (; !rows.isEOF(); rows.MoveNext())
        files.insert(rows.Text(QStringLiteral("dbname")).toLower(), rows.Text(QStringLiteral("cookbook")));
    rows.Close();
    return files;
}

CookbookLibrary::Outcome CookbookLibrary::create(const QString& name)
{
    if (name.trimmed().isEmpty())
        return {};
    m_books.Seek(QStringLiteral("="), name);
    if (!m_books.NoMatch())
        return {};
    if (const QString why = CookbookName::whyRefused(name, m_folder, listedFiles()); !why.isEmpty())
        return {Outcome::Refused, why};

    const QString file = CookbookName::fileFor(name);
    const QString path = m_folder.filePath(file);
    // A file of that name is someone's cookbook already: list it, never copy the template over it.
    const bool made = !QFileInfo::exists(path);
    if (made) {
        const QString source = m_folder.findFile(QStringLiteral("*"), templateFile());
        if (source.isEmpty())
            throw std::runtime_error(
                QStringLiteral("File not found: the template cookbook \"%1\" is missing from %2")
                    .arg(templateFile(), m_folder.path())
                    .toStdString());
        engine::DatabaseFiles::copy(m_folder.filePath(source), path);
    }
    try {
        m_books.AddNew();
        m_books.SetField(QStringLiteral("dbname"), file);
        m_books.SetField(QStringLiteral("cookbook"), name);
        m_books.Update();
    } catch (...) {
        if (m_books.isEditing())
            m_books.CancelUpdate();
        if (made)
            engine::DatabaseFiles::remove(path);
        throw;
    }
    makeCurrent(file, name);
    return {made ? Outcome::Created : Outcome::Listed, {}};
}

CookbookLibrary::Outcome CookbookLibrary::open(const QString& name)
{
    m_books.Seek(QStringLiteral("="), name);
    if (m_books.NoMatch())
        return {};
    const QString file = m_books.Text(QStringLiteral("dbname"));
    if (!isPlainFileName(file) || m_folder.findFile(QStringLiteral("*"), file).isEmpty())
        return {Outcome::Refused, QStringLiteral("The cookbook \"") + name +
                                      QStringLiteral("\" cannot be opened: its file \"") + file +
                                      QStringLiteral("\" is not in the program folder.")};
    makeCurrent(file, m_books.Text(QStringLiteral("cookbook")));
    return {Outcome::Opened, {}};
}

QString CookbookLibrary::whyNotDeletable(const QString& name)
{
    if (name == defaultCookbookName() || name == program().CurrentCookbookName)
        return QStringLiteral("The system cookbook or open cookbook may not be deleted");
    return {};
}

QString CookbookLibrary::removableFile(const QString& dbname)
{
    if (!isPlainFileName(dbname) || !dbname.endsWith(QStringLiteral(".mdb"), Qt::CaseInsensitive) ||
        CookbookName::isProgramFile(dbname) ||
        dbname.compare(program().CurrentCookbookFile, Qt::CaseInsensitive) == 0)
        return {};
    // A file listed by two rows is still the other cookbook's file.
    int listings = 0;
    engine::Recordset rows = m_catalogue.OpenRecordset(QStringLiteral("select dbname from recipebooks"));
    for (; !rows.isEOF(); rows.MoveNext())
        if (rows.Text(QStringLiteral("dbname")).compare(dbname, Qt::CaseInsensitive) == 0)
            ++listings;
    rows.Close();
    if (listings > 1)
        return {};
    const QString exact = m_folder.filePath(dbname);
    if (QFileInfo(exact).isFile())
        return exact;
    const QString found = m_folder.findFile(QStringLiteral("*"), dbname);
    return found.isEmpty() ? QString() : m_folder.filePath(found);
}

bool CookbookLibrary::remove(const QString& name)
{
    m_books.Seek(QStringLiteral("="), name);
    if (m_books.NoMatch())
        return false;
    const QString file = removableFile(m_books.Text(QStringLiteral("dbname")));
    // A file that is missing or cannot be removed must not keep its row in the list.
    if (!file.isEmpty()) {
        try {
            engine::DatabaseFiles::remove(file);
        } catch (const engine::EngineError& e) {
            qWarning("The cookbook file %s was left in place: %s", qPrintable(file), qPrintable(e.reason()));
        }
    }
    m_books.Seek(QStringLiteral("="), name);
    if (!m_books.NoMatch())
        m_books.Delete();
    return true;
}

} // namespace pantrova
