#pragma once

#include "component/Connection.h"
#include "component/ConnectionPoint.h"
#include "component/Dispatch.h"
#include "component/Font.h"
#include "component/Persist.h"

#include <atomic>

namespace component {

// The standard font object. It is dispatchable by the font DISPIDs, saves itself in the standard
// font stream (version byte 1, charset, attribute byte, weight, size, name length, name) and
// reports each change to its property-notify sinks.
class StdFont final : public IFont, public IDispatch, public IPersistStream, public IConnectionPointContainer
{
public:
    struct Description
    {
        QString name = QStringLiteral("Arial");
        int64_t size = 80000; // 8 points
        int16_t weight = 400;
        int16_t charset = 0;
        bool italic = false;
        bool underline = false;
        bool strikethrough = false;
    };

    static Ref<IFont> create(const Description& d);
    static Ref<IFont> create() { return create(Description{}); }
    // A font object describing a platform font (points become 1/10000 points).
    static Ref<IFont> fromQFont(const QFont& font);

    HResult QueryInterface(const Guid& iid, void** out) override;
    uint32_t AddRef() override;
    uint32_t Release() override;

    QString name() const override { return m_d.name; }
    HResult setName(const QString& name) override;
    int64_t size() const override { return m_d.size; }
    HResult setSize(int64_t size) override;
    bool bold() const override { return m_d.weight >= 600; }
    HResult setBold(bool bold) override;
    bool italic() const override { return m_d.italic; }
    HResult setItalic(bool italic) override;
    bool underline() const override { return m_d.underline; }
    HResult setUnderline(bool underline) override;
    bool strikethrough() const override { return m_d.strikethrough; }
    HResult setStrikethrough(bool strike) override;
    int16_t weight() const override { return m_d.weight; }
    HResult setWeight(int16_t weight) override;
    int16_t charset() const override { return m_d.charset; }
    HResult setCharset(int16_t charset) override;
    HResult Clone(IFont** out) override;
    bool isEqual(IFont* other) const override;
    QFont toQFont() const override;

    HResult GetIDsOfNames(const QStringList& names, QList<DispId>& ids) override;
    HResult Invoke(DispId id, uint16_t flags, QList<Variant>& args, Variant* result,
                   ExcepInfo* excep) override;
    HResult GetTypeInfo(const InterfaceDescription** info) override;

    HResult GetClassID(Guid& clsid) override;
    HResult IsDirty() override;
    HResult Load(IStream* stream) override;
    HResult Save(IStream* stream, bool clearDirty) override;

    HResult FindConnectionPoint(const Guid& iid, IConnectionPoint** out) override;
    HResult EnumConnectionPoints(QList<Guid>& iids) override;

private:
    explicit StdFont(const Description& d);
    ~StdFont() override;
    void changed(DispId id);

    std::atomic<uint32_t> m_refs{1};
    Description m_d;
    bool m_dirty = false;
    ConnectionPoint m_notify;
};

} // namespace component
