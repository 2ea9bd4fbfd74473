#pragma once

#include "component/Guid.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace component {

// The per-user component registry: a tree of keys under the classes root, each key with an
// optional default value and named text values, kept in one text file a person can read:
//
//     [CLSID\{241A44CB-...}\InprocServer32]
//     @="/opt/pantrova/libvorrin.so"
//     "ThreadingModel"="Apartment"
//
// Key and value names match without regard to case, as registry names do. Changes are made in
// memory and written with save(), which replaces the file atomically, so a crash mid-write
// leaves the previous file intact. The file lives in the user's configuration folder. One
// instance is used from one thread at a time.
class ComponentRegistry
{
public:
    static QString defaultFilePath();

    explicit ComponentRegistry(const QString& filePath = defaultFilePath());
    ~ComponentRegistry();
    ComponentRegistry(const ComponentRegistry&) = delete;
    ComponentRegistry& operator=(const ComponentRegistry&) = delete;

    const QString& filePath() const { return m_filePath; }

    // Reads the file; a missing file is an empty registry. False (with a reason) when the file
    // exists but cannot be read or parsed.
    bool load(QString* error = nullptr);
    bool save(QString* error = nullptr) const;

    bool keyExists(const QString& path) const;
    void createKey(const QString& path);
    // Removes the key with all its subkeys; false when it did not exist.
    bool removeKey(const QString& path);
    // Sets a value, creating the key; an empty name sets the key's default value.
    void setValue(const QString& path, const QString& name, const QString& value);
    std::optional<QString> value(const QString& path, const QString& name = {}) const;
    QStringList subkeys(const QString& path) const;
    QStringList valueNames(const QString& path) const; // the default value is listed as ""
    bool isKeyEmpty(const QString& path) const;        // no values and no subkeys

    // The whole tree as text, in the file's form.
    QString toText() const;

    // Looks a class up: `name` is a class identifier in braces or a ProgID (a version-independent
    // ProgID is followed through its CurVer). Empty when unknown.
    std::optional<Guid> classIdOf(const QString& name) const;
    QString inprocServerPath(const Guid& clsid) const;

private:
    struct Key;
    Key* find(const QString& path) const;
    Key* ensure(const QString& path);
    bool parse(const QString& text, QString* error);

    QString m_filePath;
    std::unique_ptr<Key> m_root;
};

} // namespace component
