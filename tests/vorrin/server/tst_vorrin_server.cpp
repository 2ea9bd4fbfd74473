// The built calendar control library through the component model only: exports, registration,
// creation by ProgID in a host window, events, errors, saved settings and unloading.
#include "TestWorld.h"
#include "component/ComponentLoader.h"
#include "component/ComponentRegistry.h"
#include "component/Connection.h"
#include "component/Dispatch.h"
#include "component/ModuleResources.h"
#include "component/ModuleVersionInfo.h"
#include "component/ServerExports.h"
#include "component/Site.h"
#include "pantrova/planner/CalendarHost.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLibrary>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

using namespace component;
using pantrova::CalendarHost;

namespace {

const Guid kClsid = Guid::parse("{241A44CB-597F-11D1-9A00-00C04FD8DC2E}");

// The control's calendar inside `window`, known only by its class name.
QWidget* calendarIn(QWidget* window)
{
    for (QWidget* child : window->findChildren<QWidget*>())
        if (QLatin1String(child->metaObject()->className()) == QLatin1String("vorrin::MonthCalendar"))
            return child;
    return nullptr;
}

// Clicks points in the middle of an open popup's calendar until one lands on a date, which
// picks it and closes the popup.
void clickDatesUntilClosed(QWidget* popup)
{
    QWidget* calendar = calendarIn(popup);
    QVERIFY(calendar);
    for (int attempt = 0; attempt < 30 && popup->isVisible(); ++attempt) {
        const QPoint at(calendar->width() * (3 + attempt % 3) / 8,
                        calendar->height() * (4 + attempt % 2) / 8);
        QTest::mouseClick(calendar, Qt::LeftButton, {}, at);
    }
}

// The same, from inside the popup's own modal loop once it is open.
void pickDateInPopupWhenOpen(int attempt = 0)
{
    QTimer::singleShot(20, [attempt] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String("PopupCalendar") && w->isVisible()) {
                clickDatesUntilClosed(w);
                return;
            }
        }
        if (attempt < 100)
            pickDateInPopupWhenOpen(attempt + 1);
    });
}

// A plain event sink, to see the arguments exactly as the control passes them.
class RawSink final : public IDispatch
{
public:
    QList<QPair<DispId, QList<Variant>>> events;
    HResult QueryInterface(const Guid& iid, void** out) override
    {
        *out = (iid == IUnknown::iid || iid == IDispatch::iid) ? static_cast<IDispatch*>(this) : nullptr;
        if (!*out)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    uint32_t AddRef() override { return ++refs; }
    uint32_t Release() override { return --refs; }
    HResult GetIDsOfNames(const QStringList&, QList<DispId>&) override { return E_NOTIMPL; }
    HResult GetTypeInfo(const InterfaceDescription**) override { return E_NOTIMPL; }
    HResult Invoke(DispId id, uint16_t flags, QList<Variant>& args, Variant*, ExcepInfo*) override
    {
        if (flags == DISPATCH_METHOD)
            events.append({id, args});
        return S_OK;
    }
    uint32_t refs = 1;
};

QStringList registryLines(const ComponentRegistry& registry)
{
    QStringList lines = registry.toText().split(u'\n', Qt::SkipEmptyParts);
    lines.erase(
        std::remove_if(lines.begin(), lines.end(), [](const QString& l) { return l.startsWith(u';'); }),
        lines.end());
    return lines;
}

} // namespace

class VorrinServerTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The registry lives under the user's configuration folder: point it at a folder of our own.
        qputenv("HOME", m_home.path().toLocal8Bit());
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(ComponentRegistry::defaultFilePath().startsWith(m_home.path()));
        m_library = QDir(TestWorld::builtProgramDir()).absoluteFilePath(QStringLiteral("libvorrin.so"));
        QVERIFY2(QFile::exists(m_library), qPrintable(m_library));
    }

    void init() { QFile::remove(ComponentRegistry::defaultFilePath()); }

    void exportsExactlyTheFourEntryPoints()
    {
        QProcess nm;
        nm.start(QStringLiteral("nm"), {QStringLiteral("-D"), QStringLiteral("--defined-only"), m_library});
        QVERIFY(nm.waitForFinished(60000));
        QCOMPARE(nm.exitCode(), 0);
        QStringList symbols;
        for (const QString& line :
             QString::fromLocal8Bit(nm.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts))
            symbols << line.split(u' ', Qt::SkipEmptyParts).last();
        symbols.sort();
        QCOMPARE(symbols,
                 QStringList({QStringLiteral("DllCanUnloadNow"), QStringLiteral("DllGetClassObject"),
                              QStringLiteral("DllRegisterServer"), QStringLiteral("DllUnregisterServer")}));
    }

    void versionInformationIsReadableFromTheLibrary()
    {
        const auto info = ModuleVersionInfo::read(m_library);
        QVERIFY(info.has_value());
        QCOMPARE(info->value(QStringLiteral("FileVersion")), QStringLiteral("1, 4, 4, 5"));
        QCOMPARE(info->value(QStringLiteral("ProductVersion")), QStringLiteral("1, 4, 4, 5"));
        QCOMPARE(info->value(QStringLiteral("ProductName")), QStringLiteral("Vorrin ActiveX Control"));
        QCOMPARE(info->value(QStringLiteral("FileDescription")),
                 QStringLiteral("Halvane Cal ActiveX Control"));
        QVERIFY(info->contains(QStringLiteral("OLESelfRegister")));
        // A file without the section has no version information.
        QVERIFY(!ModuleVersionInfo::read(QCoreApplication::applicationFilePath()).has_value());
    }

    void registrationDescribesTheControlAndUnregisteringLeavesOnlyClsid()
    {
        {
            ComponentRegistry other;
            other.setValue(QStringLiteral("Other.Thing\\CLSID"), {},
                           QStringLiteral("{00000000-1111-2222-3333-444444444444}"));
            other.setValue(QStringLiteral("Interface\\{AAAAAAAA-1111-2222-3333-444444444444}"), {},
                           QStringLiteral("IOther"));
            QVERIFY(other.save());
        }
        ComponentRegistry before;
        QVERIFY(before.load());

        QCOMPARE(ComponentLoader::registerServer(m_library), S_OK);
        ComponentRegistry r;
        QVERIFY(r.load());
        const QString key = QStringLiteral("CLSID\\{241A44CB-597F-11D1-9A00-00C04FD8DC2E}");
        const QString lib = QStringLiteral("TypeLib\\{241A44BB-597F-11D1-9A00-00C04FD8DC2E}\\1.0");
        const QString types = lib + QStringLiteral("\\Types\\");
        const QString path = QFileInfo(m_library).absoluteFilePath();
        // Key, value name and value, as hosts look them up: the class, its names and its types.
        const QString values[][3] = {
            {"Halvane.VorrinCtl.1", "", "Halvane Cal Control"},
            {"Halvane.VorrinCtl.1\\CLSID", "", "{241A44CB-597F-11D1-9A00-00C04FD8DC2E}"},
            {"Halvane.VorrinCtl", "", "Halvane Cal Control"},
            {"Halvane.VorrinCtl\\CurVer", "", "Halvane.VorrinCtl.1"},
            {key, "", "Halvane Cal Control"},
            {key + "\\ProgID", "", "Halvane.VorrinCtl.1"},
            {key + "\\VersionIndependentProgID", "", "Halvane.VorrinCtl"},
            {key + "\\InprocServer32", "", path},
            {key + "\\InprocServer32", "ThreadingModel", "Apartment"},
            {key + "\\ToolboxBitmap32", "", path + ", 1"},
            {key + "\\MiscStatus", "", "0"},
            {key + "\\MiscStatus\\1", "", "131473"},
            {key + "\\TypeLib", "", "{241A44BB-597F-11D1-9A00-00C04FD8DC2E}"},
            {key + "\\Version", "", "1.0"},
            {lib, "", "Halvane Cal Control"},
            {lib, "Name", "VorrinLib"},
            {lib + "\\409\\linux64", "", path},
            {types + "VorrinCtl", "", "Halvane Cal Control"},
            {types + "VorrinCtl", "Default", "IVorrinCtl"},
            {types + "VorrinCtl", "DefaultSource", "_CalEvents"},
            {types + "IVorrinCtl", "", "IVorrinCtl Interface"},
            {types + "_CalEvents", "", "Event interface for CalCtl"},
            {types + "_CalEvents", "Kind", "dispinterface"},
            {types + "MonthCalStyle", "DayStateMultiSelectWeekNumbersNoToday", "15"},
            {types + "FirstDayOfWeek", "LocaleSpecific", "-1"},
            {types + "PopupMonths", "Display12Months", "12"},
            {types + "BorderStyle", "Border3D", "1"},
            {"Interface\\{241A44CA-597F-11D1-9A00-00C04FD8DC2E}", "", "IVorrinCtl"},
            {"Interface\\{1838E701-6526-11D1-9A11-00C04FD8DC2E}", "", "_CalEvents"},
        };
        for (const auto& [at, name, value] : values)
            QCOMPARE(r.value(at, name), value);
        QVERIFY(r.keyExists(QStringLiteral("Halvane.VorrinCtl.1\\Insertable")));
        for (const char* empty : {"Programmable", "Control", "Insertable"})
            QVERIFY2(r.isKeyEmpty(key + u'\\' + QLatin1String(empty)), empty);
        const auto member = [&](const char* type, const char* name) {
            return r.value(types + type, QString::fromLatin1(name)).value_or(QString());
        };
        QVERIFY(member("IVorrinCtl", "dDate").startsWith(QStringLiteral("14 property DATE")));
        QVERIFY(member("IVorrinCtl", "dDate").contains(QStringLiteral("defaultbind")));
        QVERIFY(member("IVorrinCtl", "Today").contains(QStringLiteral("hidden")));
        QVERIFY(member("IVorrinCtl", "AboutBox").startsWith(QStringLiteral("-552 method")));
        QVERIFY(member("_CalEvents", "DateRangeSelect")
                    .startsWith(QStringLiteral("4 method void(DATE dStart, DATE dEnd)")));
        // The bitmap it names is in the library.
        const auto toolbox =
            ModuleResources::parseReference(*r.value(key + QStringLiteral("\\ToolboxBitmap32")));
        QVERIFY(toolbox);
        QCOMPARE(toolbox->second, 1);
        QCOMPARE(ModuleResources::bitmap(toolbox->first, toolbox->second).size(), QSize(16, 15));
        QVERIFY(ModuleResources::bitmap(toolbox->first, 2).isNull());

        // Installing again replaces the class key whole: nothing stale survives inside it.
        r.setValue(key + QStringLiteral("\\Stale"), {}, QStringLiteral("x"));
        QVERIFY(r.save());
        QCOMPARE(ComponentLoader::registerServer(m_library), S_OK);
        QVERIFY(r.load());
        QVERIFY(!r.keyExists(key + QStringLiteral("\\Stale")));

        QCOMPARE(ComponentLoader::unregisterServer(m_library), S_OK);
        ComponentRegistry after;
        QVERIFY(after.load());
        QStringList expected = registryLines(before);
        expected << QStringLiteral("[CLSID]");
        QStringList actual = registryLines(after);
        expected.sort();
        actual.sort();
        QCOMPARE(actual, expected);
    }

    void classFactoryRefusesOtherClassesAndHoldsTheLibraryWhileLocked()
    {
        QLibrary lib(m_library);
        QVERIFY(lib.load());
        const auto get = reinterpret_cast<DllGetClassObjectFunction>(lib.resolve(kDllGetClassObject));
        const auto canUnload = reinterpret_cast<DllCanUnloadNowFunction>(lib.resolve(kDllCanUnloadNow));
        QVERIFY(get && canUnload);

        const Guid other = Guid::parse("{00000000-1111-2222-3333-444444444444}");
        void* out = reinterpret_cast<void*>(1);
        QCOMPARE(get(&other, &IClassFactory::iid, &out), CLASS_E_CLASSNOTAVAILABLE);
        QVERIFY(out == nullptr);
        QCOMPARE(canUnload(), S_OK);

        IClassFactory* factory = nullptr;
        QCOMPARE(get(&kClsid, &IClassFactory::iid, reinterpret_cast<void**>(&factory)), S_OK);
        QCOMPARE(canUnload(), S_FALSE); // a factory handed out keeps the library
        QCOMPARE(factory->LockServer(true), S_OK);
        IUnknown* outer = factory;
        void* aggregated = nullptr;
        QCOMPARE(factory->CreateInstance(outer, IUnknown::iid, &aggregated), CLASS_E_NOAGGREGATION);
        IDispatch* object = nullptr;
        QCOMPARE(factory->CreateInstance(nullptr, IDispatch::iid, reinterpret_cast<void**>(&object)), S_OK);
        factory->Release();
        QCOMPARE(canUnload(), S_FALSE); // the object and the lock
        object->Release();
        QCOMPARE(canUnload(), S_FALSE); // the lock
        QCOMPARE(get(&kClsid, &IClassFactory::iid, reinterpret_cast<void**>(&factory)), S_OK);
        factory->LockServer(false);
        factory->LockServer(false); // one unlock too many must not hide a later lock
        factory->Release();
        QCOMPARE(canUnload(), S_OK);
    }

    void hostCreatesTheControlByProgIdAndReceivesTheRangePickedInThePopup()
    {
        QVERIFY(registered());
        QWidget window;
        window.resize(400, 300);
        window.show();
        QByteArray saved;
        {
            CalendarHost host;
            QString error;
            QVERIFY2(host.create(QStringLiteral("Halvane.VorrinCtl"), &error), qPrintable(error));
            QVERIFY(host.activate(&window, QRect(10, 10, 250, 190)));
            QVERIFY(host.controlWindow());
            QCOMPARE(host.controlWindow()->parentWidget(), &window);

            QCOMPARE(host.setProperty(QStringLiteral("dDate"), Variant::fromDate(46000)), S_OK);
            QCOMPARE(host.setProperty(QStringLiteral("EndDate"), Variant::fromDate(46003)), S_OK);
            Variant start;
            Variant end;
            QCOMPARE(host.getProperty(QStringLiteral("StartDate"), start), S_OK);
            QCOMPARE(host.getProperty(QStringLiteral("EndDate"), end), S_OK);
            QCOMPARE(start.toDate(), 46000.0);
            QCOMPARE(end.toDate(), 46003.0);

            QSignalSpy picked(&host, &CalendarHost::DateRangeSelect);
            RawSink raw;
            uint32_t rawCookie = 0;
            Ref<IConnectionPoint> events;
            QCOMPARE(queryInterface<IConnectionPointContainer>(host.dispatch())
                         ->FindConnectionPoint(CalendarHost::DIID_CalEvents,
                                               reinterpret_cast<IConnectionPoint**>(events.put())),
                     S_OK);
            QCOMPARE(events->Advise(&raw, &rawCookie), S_OK);
            pickDateInPopupWhenOpen();
            QList<Variant> none;
            QCOMPARE(host.call(QStringLiteral("Popup"), none), S_OK);
            QTRY_COMPARE(picked.count(), 1);
            const double pickedStart = picked.at(0).at(0).toDouble();
            const double pickedEnd = picked.at(0).at(1).toDouble();
            QVERIFY(pickedStart > 45900 && pickedStart <= pickedEnd);
            const auto rangeSelect = std::find_if(raw.events.cbegin(), raw.events.cend(),
                                                  [](const auto& e) { return e.first == 4; });
            QVERIFY(rangeSelect != raw.events.cend());
            QCOMPARE(rangeSelect->second.size(), 2);
            QCOMPARE(rangeSelect->second[0].type(), uint16_t(VT_DATE)); // by value, not by reference
            QCOMPARE(rangeSelect->second[1].type(), uint16_t(VT_DATE));
            QCOMPARE(rangeSelect->second[0].toDate(), pickedStart);
            QCOMPARE(rangeSelect->second[1].toDate(), pickedEnd);
            QCOMPARE(events->Unadvise(rawCookie), S_OK);
            QCOMPARE(raw.refs, 1u);
            events.reset();
            QCOMPARE(host.getProperty(QStringLiteral("StartDate"), start), S_OK);
            QCOMPARE(host.getProperty(QStringLiteral("EndDate"), end), S_OK);
            QCOMPARE(start.toDate(), pickedStart);
            QCOMPARE(end.toDate(), pickedEnd);

            // Saved and reloaded into a new instance, the settings come back byte for byte.
            QString saveError;
            saved = host.saveSettings(&saveError);
            QVERIFY2(!saved.isEmpty(), qPrintable(saveError));
            QCOMPARE(saved.left(4), QByteArray::fromHex("00030000"));
            host.release();
            QVERIFY(!host.isCreated());
        }
        Variant font;
        {
            CalendarHost again;
            QVERIFY(again.create(QStringLiteral("{241A44CB-597F-11D1-9A00-00C04FD8DC2E}")));
            QVERIFY(again.loadSettings(saved));
            QCOMPARE(again.saveSettings(), saved);
            QCOMPARE(again.getProperty(QStringLiteral("Font"), font), S_OK);
            QVERIFY(font.dispatch());
        }
        // A font object made by the library outlives its control: the library must stay.
        QCOMPARE(ComponentLoader::canUnloadNow(m_library), S_FALSE);
        font = Variant();
        // Every reference is gone: the library may be unloaded.
        QCOMPARE(ComponentLoader::canUnloadNow(m_library), S_OK);
    }

    void userModeFollowsTheHostAndModalWindowsRunThroughItsRunner()
    {
        QVERIFY(registered());
        QWidget window;
        window.resize(400, 300);
        window.show();
        CalendarHost host;
        QStringList seen;
        host.setModalRunner([&](QDialog& dialog) {
            seen << dialog.windowTitle();
            if (dialog.objectName() == QLatin1String("PopupCalendar"))
                clickDatesUntilClosed(&dialog);
            else if (auto* version = dialog.findChild<QLabel*>(QStringLiteral("VersionLine")))
                seen << version->text();
            return dialog.result();
        });
        host.setUserMode(false);
        QVERIFY(host.create());
        QVERIFY(host.activate(&window, QRect(0, 0, 250, 190)));
        QWidget* calendar = calendarIn(&window);
        QVERIFY(calendar);
        QSignalSpy picked(&host, &CalendarHost::DateRangeSelect);
        const QPoint aDate(calendar->width() / 2, calendar->height() * 5 / 8);
        QTest::mouseClick(calendar, Qt::LeftButton, {}, aDate);
        QTest::qWait(30);
        QCOMPARE(picked.count(), 0); // design mode: no events
        host.setUserMode(true);
        QTest::mouseClick(calendar, Qt::LeftButton, {}, aDate);
        QTRY_COMPARE(picked.count(), 1);

        QList<Variant> none;
        QCOMPARE(host.call(QStringLiteral("Popup"), none), S_OK);
        QTRY_COMPARE(picked.count(), 2);
        QCOMPARE(host.call(QStringLiteral("AboutBox"), none), S_OK);
        QCOMPARE(seen.size(), 3);
        // The about box takes its version line from the library's own version information.
        QCOMPARE(seen.mid(1), QStringList({QStringLiteral("About Halvane Cal Control"),
                                           QStringLiteral("Halvane Cal Control, Version 1, 4, 4, 5")}));
    }

    void hostMayReleaseTheControlFromItsOwnEvents()
    {
        QVERIFY(registered());
        QWidget window;
        window.resize(400, 300);
        window.show();
        {
            CalendarHost host;
            host.setModalRunner([](QDialog& dialog) {
                clickDatesUntilClosed(&dialog);
                return dialog.result();
            });
            QVERIFY(host.create());
            QVERIFY(host.activate(&window, QRect(0, 0, 250, 190)));
            connect(&host, &CalendarHost::DateRangeSelect, &host, [&host] { host.release(); });
            QList<Variant> none;
            QCOMPARE(host.call(QStringLiteral("Popup"), none), S_OK);
            QTRY_VERIFY(!host.isCreated());
        }
        QTRY_COMPARE(ComponentLoader::canUnloadNow(m_library), S_OK);
        QTRY_VERIFY(window.findChildren<QWidget*>().isEmpty());
        {
            CalendarHost host;
            QVERIFY(host.create());
            QVERIFY(host.activate(&window, QRect(0, 0, 250, 190)));
            QWidget* calendar = calendarIn(&window);
            QVERIFY(calendar);
            int keys = 0;
            connect(&host, &CalendarHost::KeyDown, &host, [&](short& key, short) {
                ++keys;
                key = 0;
                host.release();
            });
            QTest::keyClick(calendar, Qt::Key_Right);
            QCOMPARE(keys, 1);
            QVERIFY(!host.isCreated());
        }
        // The control's window goes once the event that released it is over.
        QTRY_VERIFY(window.findChildren<QWidget*>().isEmpty());
        QTRY_COMPARE(ComponentLoader::canUnloadNow(m_library), S_OK);
    }

    void errorsArriveAsExceptionInformation()
    {
        QVERIFY(registered());
        CalendarHost host;
        QList<int> asked;
        host.setRequestEditAnswer([&](int dispid) {
            asked << dispid;
            return dispid != 14; // dDate
        });
        QVERIFY(host.create());
        ExcepInfo excep;
        QCOMPARE(host.setProperty(QStringLiteral("MonthCalStyle"), Variant::fromI4(16), &excep),
                 DISP_E_EXCEPTION);
        QCOMPARE(excep.description, QStringLiteral("Invalid MonthCalStyle - Range: 0 - 15"));
        QCOMPARE(excep.source, QStringLiteral("Halvane.VorrinCtl.1"));
        Variant style;
        QCOMPARE(host.getProperty(QStringLiteral("MonthCalStyle"), style), S_OK);
        QCOMPARE(style.toI4(), 1);

        // Multi-select is the initial style: with a calendar window, the single-date method is
        // refused with its message.
        QWidget window;
        QVERIFY(host.activate(&window, QRect(0, 0, 250, 190)));
        QList<Variant> args{Variant::fromDate(46000)};
        excep = {};
        QCOMPARE(host.call(QStringLiteral("SetSelectedDate"), args, &excep), DISP_E_EXCEPTION);
        QVERIFY(excep.description.startsWith(
            QStringLiteral("Invalid Method for the current style property.\r\n")));

        // Wrong argument counts and unknown names are the caller's errors, not exceptions.
        QList<Variant> tooMany{Variant::fromDate(1), Variant::fromDate(2), Variant::fromDate(3)};
        QCOMPARE(host.call(QStringLiteral("SetSelRangeDate"), tooMany), DISP_E_BADPARAMCOUNT);
        Variant v;
        QCOMPARE(host.getProperty(QStringLiteral("NoSuchProperty"), v), DISP_E_UNKNOWNNAME);
        QCOMPARE(host.setProperty(QStringLiteral("MaxSelCount"), Variant::fromString(QStringLiteral("lots"))),
                 DISP_E_TYPEMISMATCH);

        // A bindable date the container refuses to have edited fails; the other dates still change.
        QSignalSpy changed(&host, &CalendarHost::propertyChanged);
        QCOMPARE(host.setProperty(QStringLiteral("dDate"), Variant::fromDate(46100)), CTL_E_SETNOTPERMITTED);
        QVERIFY(asked.contains(14));
        QCOMPARE(host.setProperty(QStringLiteral("StartDate"), Variant::fromDate(46101)), S_OK);
        QVERIFY(changed.count() >= 1);
        QCOMPARE(changed.last().at(0).toInt(), 15);
    }

    void damagedSettingsStopAtTheRefusedProperty()
    {
        QVERIFY(registered());
        CalendarHost first;
        QVERIFY(first.create());
        QByteArray saved = first.saveSettings();
        first.release();
        // CalBackGroundColor (value at 14) is before MonthCalStyle (value at 50), BorderStyle
        // (value at 56) after it.
        QCOMPARE(saved.mid(48, 6), QByteArray::fromHex("030001000000"));
        saved.replace(14, 4, QByteArray::fromHex("FF000000"));
        saved.replace(50, 4, QByteArray::fromHex("14000000"));
        saved.replace(56, 4, QByteArray::fromHex("00000000"));

        CalendarHost host;
        QVERIFY(host.create());
        QString error;
        QVERIFY(!host.loadSettings(saved, &error));
        QCOMPARE(error, QStringLiteral("Invalid MonthCalStyle - Range: 0 - 15"));
        Variant v;
        host.getProperty(QStringLiteral("CalBackGroundColor"), v);
        QCOMPARE(v.toUI4(), 0xFFu);
        host.getProperty(QStringLiteral("MonthCalStyle"), v);
        QCOMPARE(v.toI4(), 1);
        host.getProperty(QStringLiteral("BorderStyle"), v);
        QCOMPARE(v.toI4(), 1);

        // A stream cut short never applies half a value.
        QVERIFY(!host.loadSettings(saved.left(16)));
    }

    void settingsLoadIntoAShownControl()
    {
        QVERIFY(registered());
        // Single select, saved with the MaxSelCount every control saves, and settings after it.
        CalendarHost source;
        QVERIFY(source.create());
        QCOMPARE(source.setProperty(QStringLiteral("MonthCalStyle"), Variant::fromI4(0)), S_OK);
        QCOMPARE(source.setProperty(QStringLiteral("FirstDayOfWeek"), Variant::fromI4(6)), S_OK);
        QCOMPARE(source.setProperty(QStringLiteral("InitToNow"), Variant::fromBool(false)), S_OK);
        QCOMPARE(source.setProperty(QStringLiteral("dDate"), Variant::fromDate(46000)), S_OK);
        const QByteArray saved = source.saveSettings();
        source.release();

        QWidget window;
        window.resize(400, 300);
        CalendarHost host;
        QVERIFY(host.create());
        QVERIFY(host.activate(&window, QRect(0, 0, 250, 190)));
        QString error;
        QVERIFY2(host.loadSettings(saved, &error), qPrintable(error));
        Variant v;
        host.getProperty(QStringLiteral("MonthCalStyle"), v);
        QCOMPARE(v.toI4(), 0);
        host.getProperty(QStringLiteral("FirstDayOfWeek"), v);
        QCOMPARE(v.toI4(), 6);
        host.getProperty(QStringLiteral("InitToNow"), v);
        QVERIFY(!v.toBool());
        QList<Variant> out{Variant()};
        QCOMPARE(host.call(QStringLiteral("GetSelectedDate"), out), S_OK); // single select is live
        QCOMPARE(host.saveSettings(), saved);
    }

    void unknownClassesAreReported()
    {
        CalendarHost host;
        QString error;
        QVERIFY(!host.create(QStringLiteral("Halvane.VorrinCtl"), &error)); // nothing registered yet
        QVERIFY(error.contains(QStringLiteral("not registered")));

        ComponentRegistry r;
        r.setValue(QStringLiteral("Broken.Thing\\CLSID"), {},
                   QStringLiteral("{00000000-1111-2222-3333-444444444444}"));
        r.setValue(QStringLiteral("CLSID\\{00000000-1111-2222-3333-444444444444}\\InprocServer32"), {},
                   QStringLiteral("/nonexistent/libnothing.so"));
        QVERIFY(r.save());
        error.clear();
        QVERIFY(!host.create(QStringLiteral("Broken.Thing"), &error));
        QVERIFY(error.contains(QStringLiteral("does not exist")));
    }

    void firstStartRegistersTheLibraryOnce()
    {
        QTemporaryDir moved;
        const QString copy = QDir(moved.path()).filePath(QStringLiteral("libvorrin.so"));
        QVERIFY(QFile::copy(m_library, copy));

        QString error;
        QVERIFY(!pantrova::ensureCalendarControlRegistered(
            QDir(moved.path()).filePath(QStringLiteral("nowhere")), &error));
        QVERIFY(error.contains(QStringLiteral("missing")));

        QVERIFY(registered());
        const QDateTime written = QFileInfo(ComponentRegistry::defaultFilePath()).lastModified();
        QVERIFY(registered());
        QCOMPARE(QFileInfo(ComponentRegistry::defaultFilePath()).lastModified(), written);

        // The program moved: the next start registers the library in its new place. (Only the
        // already loaded copy's path is compared; the file is the same.)
        ComponentRegistry r;
        QVERIFY(r.load());
        r.setValue(QStringLiteral("CLSID\\{241A44CB-597F-11D1-9A00-00C04FD8DC2E}\\InprocServer32"), {}, copy);
        QVERIFY(r.save());
        QVERIFY(registered());
        QVERIFY(r.load());
        QCOMPARE(r.inprocServerPath(kClsid), QFileInfo(m_library).absoluteFilePath());
    }

private:
    bool registered() const
    {
        return pantrova::ensureCalendarControlRegistered(QFileInfo(m_library).absolutePath());
    }

    QTemporaryDir m_home;
    QString m_library;
};

QTEST_MAIN(VorrinServerTest)
#include "tst_vorrin_server.moc"
