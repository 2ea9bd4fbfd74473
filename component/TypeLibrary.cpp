#include "component/TypeLibrary.h"

#include "component/ComponentRegistry.h"

#include <QFileInfo>

namespace component {

namespace {

// The class that marshals dual and dispatch interfaces: named for hosts that look for it.
const QString kAutomationMarshaler = QStringLiteral("{00020424-0000-0000-C000-000000000046}");

} // namespace

const MemberDescription* InterfaceDescription::find(const QString& memberName) const
{
    for (const MemberDescription& m : members)
        if (m.name.compare(memberName, Qt::CaseInsensitive) == 0)
            return &m;
    return nullptr;
}

const MemberDescription* InterfaceDescription::find(DispId id) const
{
    for (const MemberDescription& m : members)
        if (m.id == id)
            return &m;
    return nullptr;
}

const InterfaceDescription* TypeLibrary::findInterface(const QString& interfaceName) const
{
    for (const InterfaceDescription& i : interfaces)
        if (i.name == interfaceName)
            return &i;
    return nullptr;
}

QString TypeLibrary::versionText() const
{
    return QStringLiteral("%1.%2").arg(majorVersion).arg(minorVersion);
}

QString TypeLibrary::memberText(const MemberDescription& m)
{
    QString text =
        QString::number(m.id) + (m.kind == MemberDescription::Kind::Property ? QStringLiteral(" property ")
                                                                             : QStringLiteral(" method "));
    text += m.typeName.isEmpty() ? QStringLiteral("void") : m.typeName;
    if (m.kind == MemberDescription::Kind::Method) {
        QStringList params;
        for (const ParamDescription& p : m.params)
            params << (p.out ? QStringLiteral("[out] ") : QString()) + p.typeName + u' ' + p.name;
        text += u'(' + params.join(QStringLiteral(", ")) + u')';
    }
    if (!m.attributes.isEmpty())
        text += QStringLiteral(" [") + m.attributes.join(QStringLiteral(", ")) + u']';
    if (!m.description.isEmpty())
        text += QStringLiteral(" \"") + m.description + u'"';
    return text;
}

void TypeLibrary::registerIn(ComponentRegistry& registry, const QString& libraryPath) const
{
    const QString base = QStringLiteral("TypeLib\\") + libId.toString() + u'\\' + versionText();
    registry.removeKey(base);
    registry.setValue(base, {}, description);
    registry.setValue(base, QStringLiteral("Name"), name);
    registry.setValue(base + u'\\' + QString::number(lcid, 16) + QStringLiteral("\\linux64"), {},
                      libraryPath);
    registry.setValue(base + QStringLiteral("\\FLAGS"), {}, QStringLiteral("0"));
    registry.setValue(base + QStringLiteral("\\HELPDIR"), {}, QFileInfo(libraryPath).absolutePath());

    const QString types = base + QStringLiteral("\\Types\\");
    registry.setValue(types + className, {}, classDescription);
    registry.setValue(types + className, QStringLiteral("Kind"), QStringLiteral("coclass"));
    registry.setValue(types + className, QStringLiteral("CLSID"), clsid.toString());
    registry.setValue(types + className, QStringLiteral("Default"), defaultInterface);
    registry.setValue(types + className, QStringLiteral("DefaultSource"), defaultSource);
    for (const InterfaceDescription& i : interfaces) {
        const QString key = types + i.name;
        registry.setValue(key, {}, i.description);
        registry.setValue(key, QStringLiteral("Kind"),
                          i.dispatchOnly ? QStringLiteral("dispinterface")
                                         : (i.dual ? QStringLiteral("interface [dual, automation]")
                                                   : QStringLiteral("interface")));
        registry.setValue(key, QStringLiteral("IID"), i.iid.toString());
        for (const MemberDescription& m : i.members)
            registry.setValue(key, m.name, memberText(m));

        const QString iface = QStringLiteral("Interface\\") + i.iid.toString();
        registry.removeKey(iface);
        registry.setValue(iface, {}, i.name);
        registry.setValue(iface + QStringLiteral("\\ProxyStubClsid32"), {}, kAutomationMarshaler);
        registry.setValue(iface + QStringLiteral("\\TypeLib"), {}, libId.toString());
        registry.setValue(iface + QStringLiteral("\\TypeLib"), QStringLiteral("Version"), versionText());
    }
    for (const EnumDescription& e : enums) {
        const QString key = types + e.name;
        registry.setValue(key, QStringLiteral("Kind"), QStringLiteral("enum"));
        for (const auto& v : e.values)
            registry.setValue(key, v.first, QString::number(v.second));
    }
}

void TypeLibrary::unregisterFrom(ComponentRegistry& registry) const
{
    const QString lib = QStringLiteral("TypeLib\\") + libId.toString();
    registry.removeKey(lib + u'\\' + versionText());
    if (registry.isKeyEmpty(lib))
        registry.removeKey(lib);
    for (const InterfaceDescription& i : interfaces)
        registry.removeKey(QStringLiteral("Interface\\") + i.iid.toString());
    for (const char* shared : {"TypeLib", "Interface"})
        if (registry.isKeyEmpty(QLatin1String(shared)))
            registry.removeKey(QLatin1String(shared));
}

} // namespace component
