#pragma once

// What the in-process tests of the calendar control as a component object share: a container
// site, a control made and sited the way a host does it, and the stream a default control saves.
#include "component/MemoryPropertyBag.h"
#include "component/MemoryStream.h"
#include "component/Site.h"
#include "component/StdFont.h"
#include "vorrin/control/VorrinCtl.h"
#include "vorrin/server/VorrinObject.h"

#include <QByteArray>
#include <QWidget>
#include <QtEndian>

#include <memory>

namespace fixture {

using namespace component;
using vorrin::VorrinObject;

// A container site: ambient properties, and answers to permission requests.
class TestSite final : public IClientSite, public IDispatch, public IPropertyNotifySink
{
public:
    static Ref<TestSite> create() { return Ref<TestSite>::adopt(new TestSite); }
    Ref<IFont> ambientFont;
    bool allowEdits = true;
    QList<DispId> changes;

    HResult QueryInterface(const Guid& iid, void** out) override
    {
        *out = nullptr;
        if (iid == IUnknown::iid || iid == IClientSite::iid)
            *out = static_cast<IClientSite*>(this);
        else if (iid == IDispatch::iid)
            *out = static_cast<IDispatch*>(this);
        else if (iid == IPropertyNotifySink::iid)
            *out = static_cast<IPropertyNotifySink*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    uint32_t AddRef() override { return ++m_refs; }
    uint32_t Release() override
    {
        const uint32_t left = --m_refs;
        if (!left)
            delete this;
        return left;
    }
    HResult SaveObject() override { return S_OK; }
    HResult OnViewChange() override { return S_OK; }
    HResult OnDataChange() override { return S_OK; }
    HResult GetIDsOfNames(const QStringList&, QList<DispId>&) override { return DISP_E_UNKNOWNNAME; }
    HResult GetTypeInfo(const InterfaceDescription**) override { return E_NOTIMPL; }
    HResult Invoke(DispId id, uint16_t, QList<Variant>&, Variant* result, ExcepInfo*) override
    {
        if (id == DISPID_AMBIENT_FONT && ambientFont) {
            *result = Variant::fromDispatch(ambientFont.query<IDispatch>().get());
            return S_OK;
        }
        if (id == DISPID_AMBIENT_USERMODE) {
            *result = Variant::fromBool(true);
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }
    HResult OnChanged(DispId id) override
    {
        changes << id;
        return S_OK;
    }
    HResult OnRequestEdit(DispId) override { return allowEdits ? S_OK : S_FALSE; }

private:
    TestSite() = default;
    ~TestSite() override = default;
    uint32_t m_refs = 1;
};

struct Control
{
    Ref<IDispatch> dispatch;
    Ref<TestSite> site;
    uint32_t cookie = 0;
    std::unique_ptr<QWidget> window;

    explicit Control(bool sited = true, Ref<IFont> ambient = {})
    {
        Ref<IUnknown> object = VorrinObject::create();
        dispatch = object.query<IDispatch>();
        site = TestSite::create();
        site->ambientFont = ambient;
        Ref<IConnectionPointContainer> cpc = object.query<IConnectionPointContainer>();
        Ref<IConnectionPoint> cp;
        cpc->FindConnectionPoint(IPropertyNotifySink::iid, reinterpret_cast<IConnectionPoint**>(cp.put()));
        cp->Advise(static_cast<IPropertyNotifySink*>(site.get()), &cookie);
        object.query<IControlObject>()->SetExtent(QSize(5080, 3810));
        if (sited)
            object.query<IControlObject>()->SetClientSite(site.get());
    }
    ~Control()
    {
        if (dispatch)
            dispatch.query<IControlObject>()->Close();
    }
    VorrinObject& object() const { return *static_cast<VorrinObject*>(dispatch.get()); }
    Variant get(DispId id) const
    {
        Variant v;
        getProperty(dispatch.get(), id, v);
        return v;
    }
    HResult put(DispId id, const Variant& v) { return putProperty(dispatch.get(), id, v); }
    QByteArray save() const
    {
        Ref<MemoryStream> s = MemoryStream::create();
        if (failed(dispatch.query<IPersistStreamInit>()->Save(s.get(), true)))
            return {};
        return s->data();
    }
    HResult load(const QByteArray& bytes)
    {
        Ref<MemoryStream> s = MemoryStream::create(bytes);
        return dispatch.query<IPersistStreamInit>()->Load(s.get());
    }
    QString lastError() const
    {
        ExcepInfo info;
        dispatch.query<IErrorInfoSource>()->GetLastErrorInfo(info);
        return info.description;
    }
    HResult saveBag(MemoryPropertyBag* bag) const
    {
        return dispatch.query<IPersistPropertyBag>()->Save(bag, true, true);
    }
    HResult loadBag(MemoryPropertyBag* bag) { return dispatch.query<IPersistPropertyBag>()->Load(bag); }
    QSize extent() const
    {
        QSize size;
        dispatch.query<IControlObject>()->GetExtent(size);
        return size;
    }
    Ref<IFont> font() const { return queryInterface<IFont>(get(-512).unknown()); }
    bool isDirty() const { return dispatch.query<IPersistStreamInit>()->IsDirty() == S_OK; }
    // Shows the control inside a window of its own, as a container activates it in place.
    void show()
    {
        window = std::make_unique<QWidget>();
        window->resize(400, 300);
        dispatch.query<IInPlaceWidget>()->InPlaceActivate(window.get(), QRect(0, 0, 250, 190));
    }
    vorrin::VorrinCtl& ctl() const { return object().control(); }
};

// The stream of a sited control with default settings, 5080 x 3810 HIMETRIC.
inline QByteArray defaultStream()
{
    QByteArray b = QByteArray::fromHex(
        "00030000d8130000e20e0000" // version 0x300, _cx 5080, _cy 3810
                                   // back, text, title back, title text, trailing and month back colours
        "1300ffffff001300000000001300000080001300ffffff001300808080001300ffffff00"
        "030001000000"                     // MonthCalStyle 1
        "030001000000"                     // BorderStyle 3D
        "0b00ffff"                         // BorderVisible True
        "0900"                             // Font
        "0352e30b918fce119de300aa004bb851" // standard font class
        "010000022c01a08601000f");         // v1, charset, italic, 300, 10pt
    b += "Times New Roman";
    b += QByteArray::fromHex("07000000000000000000" // dDate 0
                             "07000000000000000000" // StartDate 0
                             "07000000000000000000" // EndDate 0
                             "030008000000"         // PopupMonths 8
                             "0b000000"             // UsePopupOnly False
                             "030007000000"         // MaxSelCount 7
                             "0300ffffffff"         // FirstDayOfWeek -1
                             "0b00ffff");           // InitToNow True
    return b;
}

// `value` as the four little-endian bytes the stream stores.
inline QByteArray le32(uint32_t value)
{
    uchar bytes[4];
    qToLittleEndian(value, bytes);
    return QByteArray(reinterpret_cast<const char*>(bytes), 4);
}

// Byte offsets of values in defaultStream(): the extents, then each property's value after its
// two-byte type.
namespace at {
constexpr int cx = 4;
constexpr int cy = 8;
constexpr int backColor = 14;
constexpr int monthCalStyle = 50;
constexpr int borderStyle = 56;
constexpr int dDate = 110;
constexpr int startDate = 120;
constexpr int endDate = 130;
constexpr int maxSelCount = 150;
constexpr int firstDayOfWeek = 156;
constexpr int initToNow = 162;
} // namespace at

} // namespace fixture
