#include "pantrova/planner/CalendarHost.h"

#include "component/ComponentLoader.h"
#include "component/ComponentRegistry.h"
#include "component/Connection.h"
#include "component/MemoryStream.h"
#include "component/Site.h"
#include "component/StdFont.h"
#include "data/ProgramLocation.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include <atomic>

namespace pantrova {

using namespace component;

namespace {

Ref<IConnectionPoint> connectionPoint(IUnknown* object, const Guid& iid)
{
    Ref<IConnectionPoint> cp;
    if (Ref<IConnectionPointContainer> cpc = queryInterface<IConnectionPointContainer>(object))
        cpc->FindConnectionPoint(iid, reinterpret_cast<IConnectionPoint**>(cp.put()));
    return cp;
}

} // namespace

// The control's site: ambient properties through IDispatch, view/data/focus reports, and the
// property notifications (permission requests and changes). It holds no reference on the host.
class CalendarHost::Site final : public IClientSite,
                                 public IControlSite,
                                 public IModalHost,
                                 public IDispatch,
                                 public IPropertyNotifySink
{
public:
    explicit Site(CalendarHost* host) : m_host(host) {}
    void detach() { m_host = nullptr; }

    HResult QueryInterface(const Guid& iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (iid == IUnknown::iid || iid == IClientSite::iid)
            *out = static_cast<IClientSite*>(this);
        else if (iid == IControlSite::iid)
            *out = static_cast<IControlSite*>(this);
        else if (iid == IModalHost::iid)
            *out = static_cast<IModalHost*>(this);
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
        if (left == 0)
            delete this;
        return left;
    }

    HResult SaveObject() override { return S_OK; }
    HResult OnViewChange() override
    {
        if (m_host)
            emit m_host->viewChanged();
        return S_OK;
    }
    HResult OnDataChange() override
    {
        if (m_host)
            emit m_host->dataChanged();
        return S_OK;
    }
    HResult OnFocus(bool gotFocus) override
    {
        if (m_host)
            emit m_host->focusChanged(gotFocus);
        return S_OK;
    }

    int RunModal(QDialog* dialog) override
    {
        if (!dialog)
            return QDialog::Rejected;
        if (m_host && m_host->m_modalRunner)
            return m_host->m_modalRunner(*dialog);
        // Shown already without modality: show it again as a modal window.
        if (dialog->isVisible())
            dialog->hide();
        return dialog->exec();
    }

    HResult GetIDsOfNames(const QStringList&, QList<DispId>&) override { return DISP_E_UNKNOWNNAME; }
    HResult GetTypeInfo(const InterfaceDescription** info) override
    {
        if (info)
            *info = nullptr;
        return E_NOTIMPL;
    }
    HResult Invoke(DispId id, uint16_t flags, QList<Variant>&, Variant* result, ExcepInfo*) override
    {
        if (!m_host || !(flags & DISPATCH_PROPERTYGET) || !result)
            return DISP_E_MEMBERNOTFOUND;
        switch (id) {
        case DISPID_AMBIENT_USERMODE:
            *result = Variant::fromBool(m_host->m_userMode);
            return S_OK;
        case DISPID_AMBIENT_BACKCOLOR:
            if (!m_host->m_ambientBack)
                return DISP_E_MEMBERNOTFOUND;
            *result = Variant::fromUI4(*m_host->m_ambientBack);
            return S_OK;
        case DISPID_AMBIENT_FONT: {
            if (!m_host->m_ambientFont)
                return DISP_E_MEMBERNOTFOUND;
            Ref<IFont> font = StdFont::fromQFont(*m_host->m_ambientFont);
            *result = Variant::fromDispatch(font.query<IDispatch>().get());
            return S_OK;
        }
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

    HResult OnChanged(DispId id) override
    {
        if (m_host)
            emit m_host->propertyChanged(id);
        return S_OK;
    }
    HResult OnRequestEdit(DispId id) override
    {
        return !m_host || m_host->answerRequestEdit(id) ? S_OK : S_FALSE;
    }

private:
    ~Site() override = default;
    std::atomic<uint32_t> m_refs{1};
    CalendarHost* m_host;
};

// Receives _CalEvents and hands them to the host.
class CalendarHost::EventSink final : public IDispatch
{
public:
    explicit EventSink(CalendarHost* host) : m_host(host) {}
    void detach() { m_host = nullptr; }

    HResult QueryInterface(const Guid& iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (iid != IUnknown::iid && iid != IDispatch::iid && iid != CalendarHost::DIID_CalEvents)
            return E_NOINTERFACE;
        *out = static_cast<IDispatch*>(this);
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
    HResult GetIDsOfNames(const QStringList&, QList<DispId>&) override { return DISP_E_UNKNOWNNAME; }
    HResult GetTypeInfo(const InterfaceDescription** info) override
    {
        if (info)
            *info = nullptr;
        return E_NOTIMPL;
    }
    HResult Invoke(DispId id, uint16_t, QList<Variant>& args, Variant*, ExcepInfo*) override
    {
        if (m_host)
            m_host->onEvent(id, args);
        return S_OK;
    }

private:
    ~EventSink() override = default;
    std::atomic<uint32_t> m_refs{1};
    CalendarHost* m_host;
};

CalendarHost::CalendarHost(QObject* parent) : QObject(parent) {}

CalendarHost::~CalendarHost()
{
    release();
}

bool CalendarHost::create(const QString& classOrProgId, QString* error)
{
    release();
    Ref<IDispatch> object;
    HResult hr = ComponentLoader::createInstance(classOrProgId, IDispatch::iid,
                                                 reinterpret_cast<void**>(object.put()), error);
    // The calendar library ships with the program: when the registry does not know it (the
    // start-up's registration failed or was skipped, or the program moved), register it and try
    // once more, so a user never has to.
    const bool isCalendar =
        classOrProgId.compare(defaultProgId(), Qt::CaseInsensitive) == 0 ||
        classOrProgId.compare(defaultProgId() + QStringLiteral(".1"), Qt::CaseInsensitive) == 0 ||
        Guid::fromString(classOrProgId) == CLSID_VorrinCtl;
    if ((hr == REGDB_E_CLASSNOTREG || hr == CO_E_DLLNOTFOUND) && isCalendar &&
        ensureCalendarControlRegistered(ProgramLocation::ofExecutable().libraryFolder)) {
        QString retryError;
        hr = ComponentLoader::createInstance(classOrProgId, IDispatch::iid,
                                             reinterpret_cast<void**>(object.put()), &retryError);
        if (error && failed(hr))
            *error = retryError;
    }
    if (failed(hr) || !object) {
        if (error && error->isEmpty())
            *error = QStringLiteral("Cannot create \"%1\" (error 0x%2)")
                         .arg(classOrProgId)
                         .arg(static_cast<uint32_t>(hr), 8, 16, QChar(u'0'));
        return false;
    }
    m_site = new Site(this);
    m_sink = new EventSink(this);
    // Notifications first, so the control's permission requests during siting are answered.
    if (Ref<IConnectionPoint> cp = connectionPoint(object.get(), IPropertyNotifySink::iid))
        cp->Advise(static_cast<IPropertyNotifySink*>(m_site), &m_notifyCookie);
    if (Ref<IControlObject> ole = object.query<IControlObject>())
        ole->SetClientSite(m_site);
    // Initialising waits for the settings, if any come before the control is shown.
    m_initialised = false;
    if (Ref<IConnectionPoint> cp = connectionPoint(object.get(), DIID_CalEvents))
        cp->Advise(static_cast<IDispatch*>(m_sink), &m_eventCookie);
    m_dispatch = object.detach();
    return true;
}

void CalendarHost::initialiseAsNew()
{
    if (m_initialised)
        return;
    m_initialised = true;
    if (Ref<IPersistStreamInit> persist = queryInterface<IPersistStreamInit>(m_dispatch))
        persist->InitNew();
}

void CalendarHost::setUserMode(bool userMode)
{
    m_userMode = userMode;
    ambientChanged(DISPID_AMBIENT_USERMODE);
}

void CalendarHost::setAmbientBackColor(uint32_t oleColor)
{
    m_ambientBack = oleColor;
    ambientChanged(DISPID_AMBIENT_BACKCOLOR);
}

void CalendarHost::ambientChanged(DispId id)
{
    if (Ref<IAmbientChangeSink> control = queryInterface<IAmbientChangeSink>(m_dispatch))
        control->OnAmbientPropertyChange(id);
}

bool CalendarHost::activate(QWidget* parent, const QRect& rect)
{
    initialiseAsNew();
    Ref<IInPlaceWidget> inPlace = queryInterface<IInPlaceWidget>(m_dispatch);
    return inPlace && succeeded(inPlace->InPlaceActivate(parent, rect));
}

void CalendarHost::deactivate()
{
    if (Ref<IInPlaceWidget> inPlace = queryInterface<IInPlaceWidget>(m_dispatch))
        inPlace->InPlaceDeactivate();
}

void CalendarHost::setRect(const QRect& rect)
{
    if (Ref<IInPlaceWidget> inPlace = queryInterface<IInPlaceWidget>(m_dispatch))
        inPlace->SetObjectRect(rect);
}

QWidget* CalendarHost::controlWindow() const
{
    Ref<IInPlaceWidget> inPlace = queryInterface<IInPlaceWidget>(m_dispatch);
    return inPlace ? inPlace->window() : nullptr;
}

QString CalendarHost::lastErrorText(HResult hr) const
{
    ExcepInfo info;
    if (Ref<IErrorInfoSource> source = queryInterface<IErrorInfoSource>(m_dispatch))
        if (source->GetLastErrorInfo(info) == S_OK && !info.description.isEmpty())
            return info.description;
    return QStringLiteral("The calendar control failed (error 0x%1)")
        .arg(static_cast<uint32_t>(hr), 8, 16, QChar(u'0'));
}

bool CalendarHost::loadSettings(const QByteArray& saved, QString* error)
{
    Ref<IPersistStreamInit> persist = queryInterface<IPersistStreamInit>(m_dispatch);
    if (!persist)
        return false;
    Ref<MemoryStream> stream = MemoryStream::create(saved);
    m_initialised = true;
    const HResult hr = persist->Load(stream.get());
    if (failed(hr) && error)
        *error = lastErrorText(hr);
    return succeeded(hr);
}

QByteArray CalendarHost::saveSettings(QString* error) const
{
    Ref<IPersistStreamInit> persist = queryInterface<IPersistStreamInit>(m_dispatch);
    if (!persist)
        return {};
    Ref<MemoryStream> stream = MemoryStream::create();
    const HResult hr = persist->Save(stream.get(), true);
    if (failed(hr)) {
        if (error)
            *error = lastErrorText(hr);
        return {};
    }
    return stream->data();
}

bool CalendarHost::loadSettings(IPropertyBag* bag, QString* error)
{
    Ref<IPersistPropertyBag> persist = queryInterface<IPersistPropertyBag>(m_dispatch);
    if (!persist)
        return false;
    m_initialised = true;
    const HResult hr = persist->Load(bag);
    if (failed(hr) && error)
        *error = lastErrorText(hr);
    return succeeded(hr);
}

bool CalendarHost::saveSettings(IPropertyBag* bag, QString* error) const
{
    Ref<IPersistPropertyBag> persist = queryInterface<IPersistPropertyBag>(m_dispatch);
    if (!persist)
        return false;
    const HResult hr = persist->Save(bag, true, true);
    if (failed(hr) && error)
        *error = lastErrorText(hr);
    return succeeded(hr);
}

bool CalendarHost::isDirty() const
{
    Ref<IPersistStreamInit> persist = queryInterface<IPersistStreamInit>(m_dispatch);
    return persist && persist->IsDirty() == S_OK;
}

HResult CalendarHost::invoke(const QString& name, uint16_t flags, QList<Variant>& args, Variant* result,
                             ExcepInfo* excep) const
{
    if (!m_dispatch)
        return E_UNEXPECTED;
    DispId id = DISPID_UNKNOWN;
    const HResult hr = dispIdOf(m_dispatch, name, id);
    if (failed(hr))
        return hr;
    return m_dispatch->Invoke(id, flags, args, result, excep);
}

HResult CalendarHost::getProperty(const QString& name, Variant& value, ExcepInfo* excep) const
{
    QList<Variant> none;
    return invoke(name, DISPATCH_PROPERTYGET, none, &value, excep);
}

HResult CalendarHost::setProperty(const QString& name, const Variant& value, ExcepInfo* excep)
{
    QList<Variant> args{value};
    return invoke(name, DISPATCH_PROPERTYPUT, args, nullptr, excep);
}

HResult CalendarHost::call(const QString& name, QList<Variant>& args, ExcepInfo* excep)
{
    return invoke(name, DISPATCH_METHOD, args, nullptr, excep);
}

void CalendarHost::onEvent(DispId id, QList<Variant>& args)
{
    auto dateAt = [&](qsizetype i) {
        Variant d;
        return i < args.size() && succeeded(args[i].changeType(VT_DATE, d)) ? d.toDate() : 0.0;
    };
    auto writeShort = [&](qsizetype i, short value) {
        if (i < args.size() && args[i].isByRef())
            args[i].assignReferenced(Variant::fromI2(value));
    };
    auto shortAt = [&](qsizetype i) {
        Variant s;
        return i < args.size() && succeeded(args[i].changeType(VT_I2, s)) ? static_cast<short>(s.toI2())
                                                                          : short(0);
    };
    switch (id) {
    case 1:
        emit DateChanged(dateAt(0));
        break;
    case 2:
        emit DateRangeChanged(dateAt(0), dateAt(1));
        break;
    case 3:
        emit DateSelect(dateAt(0));
        break;
    case 4:
        emit DateRangeSelect(dateAt(0), dateAt(1));
        break;
    case 5:
        emit Click();
        break;
    case 6: {
        if (args.size() != 4)
            break;
        Variant* dayState = args[1].referenced();
        Variant popup;
        args[2].changeType(VT_BOOL, popup);
        Variant handledIn;
        args[3].changeType(VT_BOOL, handledIn);
        bool handled = handledIn.toBool();
        if (dayState)
            emit DayState(dateAt(0), *dayState, popup.toBool(), handled);
        if (args[3].isByRef())
            args[3].assignReferenced(Variant::fromBool(handled));
        break;
    }
    case -602:
    case -604: {
        short key = shortAt(0);
        if (id == -602)
            emit KeyDown(key, shortAt(1));
        else
            emit KeyUp(key, shortAt(1));
        writeShort(0, key);
        break;
    }
    case -603: {
        short key = shortAt(0);
        emit KeyPress(key);
        writeShort(0, key);
        break;
    }
    default:
        break;
    }
}

void CalendarHost::release()
{
    if (m_dispatch) {
        if (m_eventCookie)
            if (Ref<IConnectionPoint> cp = connectionPoint(m_dispatch, DIID_CalEvents))
                cp->Unadvise(m_eventCookie);
        if (m_notifyCookie)
            if (Ref<IConnectionPoint> cp = connectionPoint(m_dispatch, IPropertyNotifySink::iid))
                cp->Unadvise(m_notifyCookie);
        if (Ref<IControlObject> ole = queryInterface<IControlObject>(m_dispatch)) {
            ole->Close();
            ole->SetClientSite(nullptr);
        }
        std::exchange(m_dispatch, nullptr)->Release();
    }
    m_eventCookie = 0;
    m_notifyCookie = 0;
    if (m_site) {
        m_site->detach();
        static_cast<IClientSite*>(std::exchange(m_site, nullptr))->Release();
    }
    if (m_sink) {
        m_sink->detach();
        std::exchange(m_sink, nullptr)->Release();
    }
}

bool ensureCalendarControlRegistered(const QString& libraryDir, QString* error)
{
    const QString library = QDir(libraryDir).absoluteFilePath(QStringLiteral("libvorrin.so"));
    if (!QFileInfo::exists(library)) {
        if (error)
            *error = QStringLiteral("The calendar control library %1 is missing.").arg(library);
        return false;
    }
    ComponentRegistry registry;
    if (!registry.load(error))
        return false;
    if (const std::optional<Guid> clsid = registry.classIdOf(CalendarHost::defaultProgId())) {
        const QString registered = QFileInfo(registry.inprocServerPath(*clsid)).canonicalFilePath();
        if (!registered.isEmpty() && registered == QFileInfo(library).canonicalFilePath())
            return true;
    }
    const HResult hr = ComponentLoader::registerServer(library, error);
    if (failed(hr) && error && error->isEmpty())
        *error = QStringLiteral("Registering %1 failed (error 0x%2).")
                     .arg(library)
                     .arg(static_cast<uint32_t>(hr), 8, 16, QChar(u'0'));
    return succeeded(hr);
}

} // namespace pantrova
