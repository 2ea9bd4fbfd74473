#pragma once

#include "component/Dispatch.h"
#include "component/Guid.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace component {

class ComponentRegistry;

// The description of a component's types: what a designer or a late-bound host reads to learn
// the names, DISPIDs and types of an object's members, its events and its enumerations.
struct ParamDescription
{
    QString name;
    QString typeName; // as a person reads it: "DATE", "VARIANT*", "short*"
    uint16_t type = VT_EMPTY;
    bool out = false;
};

struct MemberDescription
{
    enum class Kind { Method, Property };
    QString name;
    DispId id = 0;
    Kind kind = Kind::Method;
    QString typeName; // property type or method result; empty for none
    uint16_t type = VT_EMPTY;
    QList<ParamDescription> params;
    QStringList attributes; // "hidden", "bindable", "requestedit", "defaultbind", "propputref", ...
    QString description;

    bool has(const char* attribute) const { return attributes.contains(QLatin1String(attribute)); }
};

struct InterfaceDescription
{
    QString name;
    Guid iid;
    QString description;
    bool dual = false;         // dispatchable and callable through its table
    bool dispatchOnly = false; // events: reached only through IDispatch
    QList<MemberDescription> members;

    const MemberDescription* find(const QString& memberName) const;
    const MemberDescription* find(DispId id) const;
};

struct EnumDescription
{
    QString name;
    QList<QPair<QString, int32_t>> values;
};

struct TypeLibrary
{
    QString name;
    Guid libId;
    uint16_t majorVersion = 1;
    uint16_t minorVersion = 0;
    uint32_t lcid = 0;
    QString description;

    QString className;
    Guid clsid;
    QString classDescription;
    QString defaultInterface;
    QString defaultSource;

    QList<InterfaceDescription> interfaces;
    QList<EnumDescription> enums;

    const InterfaceDescription* findInterface(const QString& interfaceName) const;
    QString versionText() const;

    // Writes the library's keys (TypeLib\{id}\major.minor with its location, flags and help
    // folder, each type's description) and the Interface\{iid} keys of its interfaces.
    void registerIn(ComponentRegistry& registry, const QString& libraryPath) const;
    // Removes what registerIn wrote; shared parents it created are removed when left empty.
    void unregisterFrom(ComponentRegistry& registry) const;

    // One member as it is written in the registry: "14 property DATE [bindable, requestedit]".
    static QString memberText(const MemberDescription& m);
};

} // namespace component
