#include "vorrin/server/VorrinObject.h"

#include "component/MemoryStream.h"
#include "component/StdFont.h"
#include "vorrin/control/PopupCalendar.h"
#include "vorrin/control/VorrinCtl.h"
#include "vorrin/persistence/AboutBox.h"
#include "vorrin/persistence/PropertyPersistence.h"
#include "vorrin/server/ServerModule.h"
#include "vorrin/server/VariantBridge.h"
#include "vorrin/server/VorrinIdentifiers.h"
#include "vorrin/server/VorrinTypeLibrary.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <vector>

namespace vorrin {

using namespace component;

// Receives the font object's change notifications. It holds no reference on the control object
// (which owns it), so no cycle forms; the control detaches it before letting go.
class FontChangeSink final : public IPropertyNotifySink
{
public:
    explicit FontChangeSink(VorrinObject* owner) : m_owner(owner) {}

    HResult QueryInterface(const Guid& iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (iid != IUnknown::iid && iid != IPropertyNotifySink::iid)
            return E_NOINTERFACE;
        *out = static_cast<IPropertyNotifySink*>(this);
        AddRef();
        return S_OK;
    }
    uint32_t AddRef() override { return ++m_refs; }
    uint32_t Release() override
    {
        const uint32_t left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }
    HResult OnChanged(component::DispId) override
    {
        if (m_owner)
            m_owner->fontChanged();
        return S_OK;
    }
    HResult OnRequestEdit(component::DispId) override { return S_OK; }
    void detach() { m_owner = nullptr; }

private:
    ~FontChangeSink() override = default;
    std::atomic<uint32_t> m_refs{1};
    VorrinObject* m_owner;
};

Ref<IUnknown> VorrinObject::create()
{
    auto* object = new VorrinObject;
    return Ref<IUnknown>::adopt(object->identity());
}

VorrinObject::VorrinObject()
    : m_ctl(std::make_unique<VorrinCtl>()), m_events(identity(), ids::DIID_CalEvents),
      m_propertyNotify(identity(), IPropertyNotifySink::iid), m_fontSink(new FontChangeSink(this))
{
    ServerModule::objectCreated();
    m_himetric =
        QSize(himetricFromPixels(m_ctl->extent().width()), himetricFromPixels(m_ctl->extent().height()));

    m_ctl->setRequestEdit([this](int dispid) {
        if (m_syncingFont)
            return true;
        return m_propertyNotify.requestEdit(dispid) == S_OK;
    });
    m_ctl->setAboutBoxHandler([this](QWidget* owner) {
        if (Ref<IModalHost> modal = queryInterface<IModalHost>(m_site.get())) {
            AboutBox box(AboutBox::libraryFileVersion(), owner);
            modal->RunModal(&box);
        } else {
            AboutBox::showFor(owner);
        }
    });

    QObject::connect(m_ctl.get(), &VorrinCtl::eventFired, m_ctl.get(),
                     [this](int dispid, QVariantList& args) { fromControl([&] { onEvent(dispid, args); }); });
    QObject::connect(m_ctl.get(), &VorrinCtl::propertyChanged, m_ctl.get(), [this](int dispid) {
        fromControl([&] {
            m_propertyNotify.changed(dispid);
            if (m_site)
                m_site->OnViewChange();
        });
    });
    QObject::connect(m_ctl.get(), &VorrinCtl::dataChanged, m_ctl.get(), [this] {
        fromControl([&] {
            if (m_site)
                m_site->OnDataChange();
        });
    });
    QObject::connect(m_ctl.get(), &VorrinCtl::focusChanged, m_ctl.get(), [this](bool hasFocus) {
        fromControl([&] {
            if (Ref<IControlSite> site = queryInterface<IControlSite>(m_site.get()))
                site->OnFocus(hasFocus);
        });
    });
    markClean();
}

template <class F> void VorrinObject::fromControl(F&& deliver)
{
    // The host may let go of its last reference from inside a notification. The object then
    // goes when the delivery is over, and the control object, whose code is still on the stack
    // below us, goes once the event loop is back.
    ++m_refs;
    ++m_controlDepth;
    deliver();
    --m_controlDepth;
    if (--m_refs == 0) {
        m_deferControlDeletion = true;
        delete this;
    }
}

VorrinObject::~VorrinObject()
{
    QObject::disconnect(m_ctl.get(), nullptr, nullptr, nullptr);
    m_ctl->setRequestEdit({});
    m_ctl->setAboutBoxHandler({});
    m_ctl->setPopupDriver({});
    m_events.unadviseAll();
    m_propertyNotify.unadviseAll();
    adoptFont({});
    m_fontSink->detach();
    m_fontSink->Release();
    m_site.reset();
    if (m_deferControlDeletion) {
        VorrinCtl* ctl = m_ctl.release();
        if (QWidget* w = ctl->controlWindow())
            w->hide();
        // Until it is gone its code must stay loaded.
        ServerModule::objectCreated();
        QObject::connect(ctl, &QObject::destroyed, [] { ServerModule::objectDestroyed(); });
        ctl->deleteLater();
    }
    m_ctl.reset();
    ServerModule::objectDestroyed();
}

HResult VorrinObject::QueryInterface(const Guid& iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (iid == IUnknown::iid)
        *out = identity();
    else if (iid == IDispatch::iid || iid == ids::IID_IVorrinCtl)
        *out = static_cast<IDispatch*>(this);
    else if (iid == IConnectionPointContainer::iid)
        *out = static_cast<IConnectionPointContainer*>(this);
    else if (iid == IPersistStreamInit::iid)
        *out = static_cast<IPersistStreamInit*>(this);
    else if (iid == IPersistPropertyBag::iid)
        *out = static_cast<IPersistPropertyBag*>(this);
    else if (iid == IControlObject::iid)
        *out = static_cast<IControlObject*>(this);
    else if (iid == IAmbientChangeSink::iid)
        *out = static_cast<IAmbientChangeSink*>(this);
    else if (iid == IInPlaceWidget::iid)
        *out = static_cast<IInPlaceWidget*>(this);
    else if (iid == ISpecifyPropertyPages::iid)
        *out = static_cast<ISpecifyPropertyPages*>(this);
    else if (iid == IErrorInfoSource::iid)
        *out = static_cast<IErrorInfoSource*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

uint32_t VorrinObject::AddRef()
{
    return ++m_refs;
}

uint32_t VorrinObject::Release()
{
    const uint32_t left = --m_refs;
    if (left == 0)
        delete this;
    return left;
}

// ---- dispatch --------------------------------------------------------------------------------

HResult VorrinObject::GetIDsOfNames(const QStringList& names, QList<component::DispId>& ids)
{
    ids.clear();
    HResult hr = S_OK;
    for (const QString& name : names) {
        const MemberInfo* m = VorrinCtl::findMember(name);
        if (!m)
            hr = DISP_E_UNKNOWNNAME;
        ids << (m ? m->dispid : DISPID_UNKNOWN);
    }
    return hr;
}

HResult VorrinObject::GetTypeInfo(const InterfaceDescription** info)
{
    if (!info)
        return E_POINTER;
    *info = &VorrinTypeLibrary::controlInterface();
    return S_OK;
}

HResult VorrinObject::GetLastErrorInfo(ExcepInfo& info)
{
    info = m_lastError;
    return m_lastError.scode == S_OK ? S_FALSE : S_OK;
}

HResult VorrinObject::fail(const std::exception& error, ExcepInfo* excep)
{
    if (const auto* ce = dynamic_cast<const ControlError*>(&error)) {
        if (!ce->isException())
            return static_cast<HResult>(ce->number());
        m_lastError.code = 0;
        m_lastError.scode = static_cast<HResult>(ce->number());
        m_lastError.description = ce->message();
        m_lastError.source = ids::progId();
        if (excep)
            *excep = m_lastError;
        return DISP_E_EXCEPTION;
    }
    m_lastError = {0, ids::progId(), QString::fromLocal8Bit(error.what()), E_FAIL};
    if (excep)
        *excep = m_lastError;
    return DISP_E_EXCEPTION;
}

HResult VorrinObject::Invoke(component::DispId id, uint16_t flags, QList<Variant>& args, Variant* result,
                             ExcepInfo* excep)
{
    // An event handler called from inside the member may release the host's last reference.
    const Ref<IUnknown> keepAlive = Ref<IUnknown>::share(identity());
    m_lastError = {};
    try {
        if (id == DispId::Font) {
            if (flags & DISPATCH_PROPERTYGET) {
                if (!result)
                    return E_POINTER;
                *result = Variant::fromDispatch(m_font ? m_font.query<IDispatch>().get() : nullptr);
                return S_OK;
            }
            if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
                if (args.size() != 1)
                    return DISP_E_BADPARAMCOUNT;
                return putFont(args[0], (flags & DISPATCH_PROPERTYPUTREF) != 0);
            }
            return DISP_E_MEMBERNOTFOUND;
        }
        return invokeMember(id, flags, args, result);
    } catch (const std::exception& error) {
        return fail(error, excep);
    }
}

HResult VorrinObject::invokeMember(component::DispId id, uint16_t flags, QList<Variant>& args,
                                   Variant* result)
{
    const MemberInfo* m = VorrinCtl::findMember(id);
    if (!m)
        return DISP_E_MEMBERNOTFOUND;
    if (m->kind == MemberInfo::Property) {
        if (flags & DISPATCH_PROPERTYGET) {
            // No value (the range dates without a calendar window) leaves the result as passed.
            const QVariant value = m_ctl->getProperty(id);
            if (result && value.isValid())
                *result = VariantBridge::fromQVariant(value, m->type);
            return S_OK;
        }
        if (flags & DISPATCH_PROPERTYPUT) {
            if (args.size() != 1)
                return DISP_E_BADPARAMCOUNT;
            QVariant value;
            const HResult hr = VariantBridge::toQVariant(args[0], m->type, value);
            if (failed(hr))
                return hr;
            m_ctl->putProperty(id, value);
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }
    if (!(flags & DISPATCH_METHOD))
        return DISP_E_MEMBERNOTFOUND;
    if (args.size() != static_cast<qsizetype>(m->args.size()))
        return DISP_E_BADPARAMCOUNT;
    QVariantList values;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const ArgInfo& a = m->args[static_cast<size_t>(i)];
        QVariant value;
        if (a.out && args[i].deref().isEmpty()) {
            // Nothing passed in: start from the type's zero.
            VariantBridge::toQVariant(Variant::fromI4(0), a.type, value);
        } else {
            const HResult hr = VariantBridge::toQVariant(args[i], a.type, value);
            if (failed(hr))
                return hr;
        }
        values << value;
    }
    const QVariantList passed = values;
    m_ctl->invoke(id, values);
    for (qsizetype i = 0; i < args.size(); ++i) {
        const ArgInfo& a = m->args[static_cast<size_t>(i)];
        // Out-arguments a member did not touch stay exactly as the caller passed them.
        if (!a.byRef || !args[i].isByRef() || values[i] == passed[i])
            continue;
        const HResult hr = args[i].assignReferenced(VariantBridge::fromQVariant(values[i], a.type));
        if (failed(hr))
            return hr;
    }
    return S_OK;
}

// ---- font -------------------------------------------------------------------------------------

void VorrinObject::adoptFont(Ref<IFont> font)
{
    if (m_font && m_fontCookie) {
        if (Ref<IConnectionPointContainer> cpc = m_font.query<IConnectionPointContainer>()) {
            Ref<IConnectionPoint> cp;
            if (succeeded(cpc->FindConnectionPoint(IPropertyNotifySink::iid,
                                                   reinterpret_cast<IConnectionPoint**>(cp.put()))))
                cp->Unadvise(m_fontCookie);
        }
    }
    m_fontCookie = 0;
    m_font = std::move(font);
    if (!m_font)
        return;
    if (Ref<IConnectionPointContainer> cpc = m_font.query<IConnectionPointContainer>()) {
        Ref<IConnectionPoint> cp;
        if (succeeded(cpc->FindConnectionPoint(IPropertyNotifySink::iid,
                                               reinterpret_cast<IConnectionPoint**>(cp.put()))))
            cp->Advise(m_fontSink, &m_fontCookie);
    }
}

void VorrinObject::fontChanged()
{
    if (!m_font)
        return;
    // The font object was changed in place (a font page, or a host holding it by reference):
    // the control redraws with it; the change was the font's holder's to allow.
    m_syncingFont = true;
    m_ctl->put_Font(m_font->toQFont());
    m_syncingFont = false;
}

HResult VorrinObject::putFont(const Variant& value, bool byReference)
{
    const Variant& v = value.deref();
    if (!v.isEmpty() && v.type() != VT_DISPATCH && v.type() != VT_UNKNOWN)
        return DISP_E_TYPEMISMATCH;
    Ref<IFont> given = queryInterface<IFont>(v.unknown());
    if (v.unknown() && !given)
        return DISP_E_TYPEMISMATCH;
    // Both setters ask the container first and stop when it refuses.
    if (m_propertyNotify.requestEdit(DispId::Font) != S_OK)
        return S_FALSE;
    m_syncingFont = true;
    if (!given) {
        adoptFont({});
        m_ctl->clearFont();
    } else {
        Ref<IFont> stored = given;
        if (!byReference) {
            stored.reset();
            const HResult hr = given->Clone(reinterpret_cast<IFont**>(stored.put()));
            if (failed(hr)) {
                m_syncingFont = false;
                return hr;
            }
        }
        adoptFont(stored);
        m_ctl->put_Font(stored->toQFont());
    }
    m_syncingFont = false;
    return S_OK;
}

void VorrinObject::chooseSiteFont()
{
    if (m_font)
        return;
    Ref<IFont> ambient;
    if (Ref<IDispatch> ambients = queryInterface<IDispatch>(m_site.get())) {
        Variant v;
        if (succeeded(getProperty(ambients.get(), DISPID_AMBIENT_FONT, v)))
            ambient = queryInterface<IFont>(v.deref().unknown());
    }
    // A copy of the ambient font; when there is none, or it cannot be copied, the default.
    Ref<IFont> chosen;
    if (ambient && failed(ambient->Clone(reinterpret_cast<IFont**>(chosen.put()))))
        chosen.reset();
    if (!chosen) {
        StdFont::Description d;
        d.name = QStringLiteral("Times New Roman");
        d.size = 100000;
        d.weight = 300;
        d.charset = 0;
        d.italic = true;
        chosen = StdFont::create(d);
    }
    adoptFont(chosen);
    m_ctl->setAmbientFont(chosen->toQFont());
    m_ctl->chooseSiteFont();
}

void VorrinObject::readAmbients()
{
    Ref<IDispatch> ambients = queryInterface<IDispatch>(m_site.get());
    if (!ambients)
        return;
    Variant v;
    Variant typed;
    if (succeeded(getProperty(ambients.get(), DISPID_AMBIENT_USERMODE, v)) &&
        succeeded(v.changeType(VT_BOOL, typed)))
        m_ctl->setUserMode(typed.toBool());
    if (succeeded(getProperty(ambients.get(), DISPID_AMBIENT_BACKCOLOR, v)) &&
        succeeded(v.changeType(VT_UI4, typed)))
        m_ctl->setAmbientBackColor(VorrinCtl::translateColor(typed.toUI4()));
}

// ---- events -----------------------------------------------------------------------------------

void VorrinObject::onEvent(int dispid, QVariantList& args)
{
    const EventInfo* e = VorrinCtl::findEvent(dispid);
    if (!e || static_cast<size_t>(args.size()) != e->args.size())
        return;
    // By-reference arguments point into `storage`, which must not move while sinks run.
    std::vector<Variant> storage(e->args.size());
    QList<Variant> passed;
    for (size_t i = 0; i < e->args.size(); ++i) {
        const ArgInfo& a = e->args[i];
        storage[i] = VariantBridge::fromQVariant(args[static_cast<qsizetype>(i)], a.type);
        passed << (a.byRef ? Variant::byRef(&storage[i], a.type == ValueType::Variant) : storage[i]);
    }
    m_events.fire(dispid, passed);
    for (size_t i = 0; i < e->args.size(); ++i) {
        const ArgInfo& a = e->args[i];
        if (!a.byRef)
            continue;
        QVariant back;
        if (succeeded(VariantBridge::toQVariant(storage[i], a.type, back)))
            args[static_cast<qsizetype>(i)] = back;
    }
}

HResult VorrinObject::FindConnectionPoint(const Guid& iid, IConnectionPoint** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (iid == ids::DIID_CalEvents)
        *out = &m_events;
    else if (iid == IPropertyNotifySink::iid)
        *out = &m_propertyNotify;
    else
        return CONNECT_E_NOCONNECTION;
    (*out)->AddRef();
    return S_OK;
}

HResult VorrinObject::EnumConnectionPoints(QList<Guid>& iids)
{
    iids = {ids::DIID_CalEvents, IPropertyNotifySink::iid};
    return S_OK;
}

// ---- persistence ------------------------------------------------------------------------------

HResult VorrinObject::GetClassID(Guid& clsid)
{
    clsid = ids::CLSID_VorrinCtl;
    return S_OK;
}

HResult VorrinObject::IsDirty()
{
    return savedSettings() != m_cleanSettings ? S_OK : S_FALSE;
}

namespace {

PropertyPersistence::Extent extentOf(VorrinObject* object)
{
    return {[object] {
                QSize s;
                object->GetExtent(s);
                return s;
            },
            [object](const QSize& s) { return object->SetExtent(s); }};
}

} // namespace

template <class F> HResult VorrinObject::loadSettings(F&& load)
{
    const Ref<IUnknown> keepAlive = Ref<IUnknown>::share(identity());
    m_lastError = {};
    HResult hr = S_OK;
    m_ctl->beginLoad();
    try {
        hr = load();
    } catch (const std::exception& error) {
        hr = fail(error, nullptr);
    }
    m_ctl->endLoad();
    if (failed(hr) && !m_lastError.description.isEmpty() && m_lastError.source.isEmpty())
        m_lastError.source = ids::progId();
    // Half a load leaves settings that match no store: the object stays dirty then.
    if (succeeded(hr))
        markClean();
    return hr;
}

QByteArray VorrinObject::savedSettings()
{
    // The settings are read through dispatch, which must not disturb the last error a host may
    // still ask for.
    const ExcepInfo lastError = m_lastError;
    Ref<MemoryStream> stream = MemoryStream::create();
    const HResult hr = PropertyPersistence::saveToStream(this, extentOf(this), stream.get());
    m_lastError = lastError;
    return succeeded(hr) ? stream->data() : QByteArray();
}

HResult VorrinObject::Load(IStream* stream)
{
    return loadSettings(
        [&] { return PropertyPersistence::loadFromStream(this, extentOf(this), stream, &m_lastError); });
}

HResult VorrinObject::Save(IStream* stream, bool clearDirty)
{
    if (!stream)
        return E_POINTER;
    // Saved once, then copied: the bytes are also what the object is clean against.
    m_lastError = {};
    Ref<MemoryStream> bytes = MemoryStream::create();
    HResult hr = PropertyPersistence::saveToStream(this, extentOf(this), bytes.get(), &m_lastError);
    if (failed(hr))
        return hr;
    uint32_t written = 0;
    const auto size = static_cast<uint32_t>(bytes->data().size());
    if (failed(hr = stream->Write(bytes->data().constData(), size, &written)))
        return hr;
    if (written != size)
        return STG_E_WRITEFAULT;
    if (clearDirty)
        m_cleanSettings = bytes->data();
    return S_OK;
}

HResult VorrinObject::InitNew()
{
    markClean();
    return S_OK;
}

HResult VorrinObject::Load(IPropertyBag* bag)
{
    return loadSettings(
        [&] { return PropertyPersistence::loadFromBag(this, extentOf(this), bag, &m_lastError); });
}

HResult VorrinObject::Save(IPropertyBag* bag, bool clearDirty, bool)
{
    m_lastError = {};
    const HResult hr = PropertyPersistence::saveToBag(this, extentOf(this), bag, &m_lastError);
    if (succeeded(hr) && clearDirty)
        markClean();
    return hr;
}

// ---- site and window --------------------------------------------------------------------------

HResult VorrinObject::SetClientSite(IClientSite* site)
{
    m_site = Ref<IClientSite>::share(site);
    // A container with a dialog seam of its own runs the popup; otherwise it is modal here.
    if (queryInterface<IModalHost>(m_site.get())) {
        m_ctl->setPopupDriver([this](PopupCalendar& popup) {
            if (Ref<IModalHost> modal = queryInterface<IModalHost>(m_site.get()))
                modal->RunModal(&popup);
        });
    } else {
        m_ctl->setPopupDriver({});
    }
    if (!m_site)
        return S_OK;
    readAmbients();
    // The font a container's site brings is where the object starts, not a change to save.
    const bool clean = IsDirty() == S_FALSE;
    chooseSiteFont();
    if (clean)
        markClean();
    return S_OK;
}

HResult VorrinObject::OnAmbientPropertyChange(component::DispId id)
{
    if (id == DISPID_UNKNOWN || id == DISPID_AMBIENT_USERMODE || id == DISPID_AMBIENT_BACKCOLOR)
        readAmbients();
    return S_OK;
}

HResult VorrinObject::GetClientSite(IClientSite** site)
{
    if (!site)
        return E_POINTER;
    *site = Ref<IClientSite>(m_site).detach();
    return S_OK;
}

HResult VorrinObject::SetExtent(const QSize& himetric)
{
    if (!isValidExtent(himetric.width()) || !isValidExtent(himetric.height()))
        return E_INVALIDARG;
    m_himetric = himetric;
    m_ctl->setExtent(QSize(pixelsFromHimetric(himetric.width()), pixelsFromHimetric(himetric.height())));
    return S_OK;
}

HResult VorrinObject::GetExtent(QSize& himetric)
{
    himetric = m_himetric;
    return S_OK;
}

HResult VorrinObject::Close()
{
    const Ref<IUnknown> keepAlive = Ref<IUnknown>::share(identity());
    InPlaceDeactivate();
    m_events.unadviseAll();
    m_propertyNotify.unadviseAll();
    m_site.reset();
    return S_OK;
}

HResult VorrinObject::InPlaceActivate(QWidget* parent, const QRect& rect)
{
    if (!parent)
        return E_POINTER;
    if (rect.isValid())
        SetExtent(QSize(himetricFromPixels(rect.width()), himetricFromPixels(rect.height())));
    QWidget* w = m_ctl->createWindow(parent);
    if (!w)
        return E_FAIL;
    if (rect.isValid())
        w->setGeometry(rect);
    w->show();
    return S_OK;
}

HResult VorrinObject::InPlaceDeactivate()
{
    if (m_controlDepth == 0) {
        m_ctl->destroyWindow();
        return S_OK;
    }
    // Asked from inside the control's own notification (a key handler, a date event): its
    // windows may be handling that very event, so they are hidden now and destroyed after.
    QPointer<QWidget> window = m_ctl->controlWindow();
    if (!window)
        return S_OK;
    window->hide();
    VorrinCtl* ctl = m_ctl.get();
    QTimer::singleShot(0, ctl, [ctl, window] {
        if (window && ctl->controlWindow() == window)
            ctl->destroyWindow();
    });
    return S_OK;
}

HResult VorrinObject::SetObjectRect(const QRect& rect)
{
    SetExtent(QSize(himetricFromPixels(rect.width()), himetricFromPixels(rect.height())));
    if (QWidget* w = m_ctl->controlWindow())
        w->setGeometry(rect);
    return S_OK;
}

QWidget* VorrinObject::window()
{
    return m_ctl->controlWindow();
}

HResult VorrinObject::GetPages(QList<Guid>& pages)
{
    pages = {CLSID_StockColorPage, CLSID_StockFontPage};
    return S_OK;
}

} // namespace vorrin
