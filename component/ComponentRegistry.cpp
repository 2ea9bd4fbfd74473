#include "component/ComponentRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringConverter>

#include <functional>
#include <vector>

namespace component {

struct ComponentRegistry::Key
{
    QString name;
    std::optional<QString> defaultValue;
    QList<QPair<QString, QString>> values;
    std::vector<std::unique_ptr<Key>> children;

    Key* child(const QString& n) const
    {
        for (const auto& c : children)
            if (c->name.compare(n, Qt::CaseInsensitive) == 0)
                return c.get();
        return nullptr;
    }
};

namespace {

QStringList splitPath(const QString& path)
{
    return path.split(u'\\', Qt::SkipEmptyParts);
}

QString quoted(const QString& text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (QChar c : text) {
        if (c == u'\\' || c == u'"')
            out += u'\\';
        if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    out += u'"';
    return out;
}

// Reads a quoted text starting at `from` (on the opening quote); sets `end` after the closing one.
bool unquote(const QString& line, qsizetype from, QString& out, qsizetype& end)
{
    if (from >= line.size() || line[from] != u'"')
        return false;
    out.clear();
    for (qsizetype i = from + 1; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u'"') {
            end = i + 1;
            return true;
        }
        if (c == u'\\' && i + 1 < line.size()) {
            const QChar n = line[++i];
            out += n == u'n' ? QChar(u'\n') : n == u'r' ? QChar(u'\r') : n;
        } else {
            out += c;
        }
    }
    return false;
}

} // namespace

QString ComponentRegistry::defaultFilePath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("component-registry/classes.reg"));
}

ComponentRegistry::ComponentRegistry(const QString& filePath)
    : m_filePath(filePath), m_root(std::make_unique<Key>())
{}

ComponentRegistry::~ComponentRegistry() = default;

ComponentRegistry::Key* ComponentRegistry::find(const QString& path) const
{
    Key* k = m_root.get();
    for (const QString& part : splitPath(path)) {
        k = k->child(part);
        if (!k)
            return nullptr;
    }
    return k;
}

ComponentRegistry::Key* ComponentRegistry::ensure(const QString& path)
{
    Key* k = m_root.get();
    for (const QString& part : splitPath(path)) {
        Key* next = k->child(part);
        if (!next) {
            auto made = std::make_unique<Key>();
            made->name = part;
            next = made.get();
            k->children.push_back(std::move(made));
        }
        k = next;
    }
    return k;
}

bool ComponentRegistry::keyExists(const QString& path) const
{
    return !splitPath(path).isEmpty() && find(path) != nullptr;
}

void ComponentRegistry::createKey(const QString& path)
{
    ensure(path);
}

bool ComponentRegistry::removeKey(const QString& path)
{
    QStringList parts = splitPath(path);
    if (parts.isEmpty())
        return false;
    const QString last = parts.takeLast();
    Key* parent = find(parts.join(u'\\'));
    if (!parent)
        return false;
    for (auto it = parent->children.begin(); it != parent->children.end(); ++it) {
        if ((*it)->name.compare(last, Qt::CaseInsensitive) == 0) {
            parent->children.erase(it);
            return true;
        }
    }
    return false;
}

void ComponentRegistry::setValue(const QString& path, const QString& name, const QString& value)
{
    Key* k = ensure(path);
    if (name.isEmpty()) {
        k->defaultValue = value;
        return;
    }
    for (auto& v : k->values) {
        if (v.first.compare(name, Qt::CaseInsensitive) == 0) {
            v.second = value;
            return;
        }
    }
    k->values.append({name, value});
}

std::optional<QString> ComponentRegistry::value(const QString& path, const QString& name) const
{
    const Key* k = find(path);
    if (!k)
        return std::nullopt;
    if (name.isEmpty())
        return k->defaultValue;
    for (const auto& v : k->values)
        if (v.first.compare(name, Qt::CaseInsensitive) == 0)
            return v.second;
    return std::nullopt;
}

QStringList ComponentRegistry::subkeys(const QString& path) const
{
    QStringList out;
    if (const Key* k = find(path))
        for (const auto& c : k->children)
            out << c->name;
    return out;
}

QStringList ComponentRegistry::valueNames(const QString& path) const
{
    QStringList out;
    if (const Key* k = find(path)) {
        if (k->defaultValue)
            out << QString();
        for (const auto& v : k->values)
            out << v.first;
    }
    return out;
}

bool ComponentRegistry::isKeyEmpty(const QString& path) const
{
    const Key* k = find(path);
    return k && !k->defaultValue && k->values.isEmpty() && k->children.empty();
}

QString ComponentRegistry::toText() const
{
    QString out =
        QStringLiteral("; Per-user component registry (classes root). Written by the programs that\n"
                       "; install components; edit with care.\n");
    // Depth-first, parents before children, so the file reads like the tree.
    std::function<void(const Key&, const QString&)> write = [&](const Key& k, const QString& path) {
        out += QStringLiteral("\n[") + path + QStringLiteral("]\n");
        if (k.defaultValue)
            out += QStringLiteral("@=") + quoted(*k.defaultValue) + u'\n';
        for (const auto& v : k.values)
            out += quoted(v.first) + u'=' + quoted(v.second) + u'\n';
        for (const auto& c : k.children)
            write(*c, path + u'\\' + c->name);
    };
    for (const auto& c : m_root->children)
        write(*c, c->name);
    return out;
}

bool ComponentRegistry::parse(const QString& text, QString* error)
{
    auto root = std::make_unique<Key>();
    Key* current = nullptr;
    const QStringList lines = text.split(u'\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        auto fail = [&](const char* why) {
            if (error)
                *error = QStringLiteral("%1, line %2: %3").arg(m_filePath).arg(n + 1).arg(QLatin1String(why));
            return false;
        };
        if (line.startsWith(u'[')) {
            if (!line.endsWith(u']'))
                return fail("unterminated key name");
            const QString path = line.mid(1, line.size() - 2);
            if (splitPath(path).isEmpty())
                return fail("empty key name");
            Key* k = root.get();
            for (const QString& part : splitPath(path)) {
                Key* next = k->child(part);
                if (!next) {
                    auto made = std::make_unique<Key>();
                    made->name = part;
                    next = made.get();
                    k->children.push_back(std::move(made));
                }
                k = next;
            }
            current = k;
            continue;
        }
        if (!current)
            return fail("value outside a key");
        QString name;
        qsizetype at = 0;
        bool isDefault = false;
        if (line.startsWith(u'@')) {
            isDefault = true;
            at = 1;
        } else if (!unquote(line, 0, name, at)) {
            return fail("malformed value name");
        }
        if (at >= line.size() || line[at] != u'=')
            return fail("missing '='");
        QString value;
        qsizetype end = 0;
        if (!unquote(line, at + 1, value, end) || end != line.size())
            return fail("malformed value");
        if (isDefault) {
            current->defaultValue = value;
        } else {
            bool replaced = false;
            for (auto& v : current->values) {
                if (v.first.compare(name, Qt::CaseInsensitive) == 0) {
                    v.second = value;
                    replaced = true;
                }
            }
            if (!replaced)
                current->values.append({name, value});
        }
    }
    m_root = std::move(root);
    return true;
}

bool ComponentRegistry::load(QString* error)
{
    QFile file(m_filePath);
    if (!file.exists()) {
        m_root = std::make_unique<Key>();
        return true;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot read %1: %2").arg(m_filePath, file.errorString());
        return false;
    }
    return parse(QString::fromUtf8(file.readAll()), error);
}

bool ComponentRegistry::save(QString* error) const
{
    const QFileInfo info(m_filePath);
    if (!QDir().mkpath(info.absolutePath())) {
        if (error)
            *error = QStringLiteral("Cannot create the folder %1").arg(info.absolutePath());
        return false;
    }
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("Cannot write %1: %2").arg(m_filePath, file.errorString());
        return false;
    }
    file.write(toText().toUtf8());
    if (!file.commit()) {
        if (error)
            *error = QStringLiteral("Cannot write %1: %2").arg(m_filePath, file.errorString());
        return false;
    }
    return true;
}

std::optional<Guid> ComponentRegistry::classIdOf(const QString& name) const
{
    bool ok = false;
    const Guid direct = Guid::fromString(name, &ok);
    if (ok)
        return direct;
    QString progId = name.trimmed();
    if (progId.isEmpty() || progId.contains(u'\\'))
        return std::nullopt;
    // A version-independent ProgID names its current version; follow it once.
    if (!value(progId + QStringLiteral("\\CLSID")) && value(progId + QStringLiteral("\\CurVer")))
        progId = *value(progId + QStringLiteral("\\CurVer"));
    const std::optional<QString> clsid = value(progId + QStringLiteral("\\CLSID"));
    if (!clsid)
        return std::nullopt;
    const Guid g = Guid::fromString(*clsid, &ok);
    return ok ? std::optional<Guid>(g) : std::nullopt;
}

QString ComponentRegistry::inprocServerPath(const Guid& clsid) const
{
    return value(QStringLiteral("CLSID\\") + clsid.toString() + QStringLiteral("\\InprocServer32"))
        .value_or(QString());
}

} // namespace component
