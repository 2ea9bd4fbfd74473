// Saved settings of the calendar control (byte stream and property bag), the font it picks when
// sited, its property pages and its about box, through the component object in-process.
#include "component/MemoryPropertyBag.h"
#include "component/MemoryStream.h"
#include "component/Site.h"
#include "component/StdFont.h"
#include "vorrin/control/VorrinCtl.h"
#include "vorrin/persistence/AboutBox.h"
#include "vorrin/persistence/ColorPropertyPage.h"
#include "vorrin/persistence/FontPropertyPage.h"
#include "vorrin/persistence/ModalSeam.h"
#include "vorrin/persistence/PropertyPages.h"
#include "vorrin/persistence/SavedProperties.h"
#include "vorrin/server/VorrinObject.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace component;
using vorrin::VorrinObject;

namespace {

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
    Ref<IFont> font() const { return queryInterface<IFont>(get(-512).unknown()); }
};

// The stream of a sited control with default settings, 5080 x 3810 HIMETRIC.
QByteArray defaultStream()
{
    QByteArray b = QByteArray::fromHex("00030000" // version 0x300
                                       "d8130000" // _cx 5080
                                       "e20e0000" // _cy 3810
                                       "1300ffffff00"
                                       "130000000000"
                                       "130000008000" // back, text, title back
                                       "1300ffffff00"
                                       "130080808000"
                                       "1300ffffff00"                     // title text, trailing, month back
                                       "030001000000"                     // MonthCalStyle 1
                                       "030001000000"                     // BorderStyle 3D
                                       "0b00ffff"                         // BorderVisible True
                                       "0900"                             // Font
                                       "0352e30b918fce119de300aa004bb851" // standard font class
                                       "01"
                                       "0000"
                                       "02"
                                       "2c01"
                                       "a0860100"
                                       "0f"); // v1, charset, italic, 300, 10pt
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

} // namespace

class PersistenceTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { vorrin::ModalSeam::setRunner({}); }

    void defaultSettingsSaveByteForByte();
    void defaultSettingsLoadBackUnchanged();
    void changedSettingsRoundTripThroughTheStream();
    void propertyBagUsesTheSavedNames();
    void propertyBagRoundTrip();
    void damagedStoreStopsAtMonthCalStyle();
    void damagedStreamsAreRefused();
    void sitedWithoutAmbientFontUsesItalicTimesNewRoman();
    void sitedWithAmbientFontUsesACopyOfIt();
    void fontSettersCopyOrShareAndAskFirst();
    void fontObjectChangesReachTheControl();
    void propertyPagesAreColourAndFont();
    void colourPageWritesOnlyOnApply();
    void fontPageGivesTheControlANewFont();
    void aboutBoxShowsTitleVersionAndOk();
    void aboutBoxClosesByItself();
    void aboutBoxMethodGoesThroughTheModalSeam();
};

void PersistenceTest::defaultSettingsSaveByteForByte()
{
    Control c;
    QCOMPARE(c.save().toHex(), defaultStream().toHex());
}

void PersistenceTest::defaultSettingsLoadBackUnchanged()
{
    Control c(false);
    QCOMPARE(c.load(defaultStream()), S_OK);
    QCOMPARE(c.get(1).toUI4(), 0xFFFFFFu);
    QCOMPARE(c.get(2).toUI4(), 0u);
    QCOMPARE(c.get(3).toUI4(), 0x800000u);
    QCOMPARE(c.get(4).toUI4(), 0xFFFFFFu);
    QCOMPARE(c.get(5).toUI4(), 0x808080u);
    QCOMPARE(c.get(6).toUI4(), 0xFFFFFFu);
    QCOMPARE(c.get(7).toI4(), 1);
    QCOMPARE(c.get(-504).toI4(), 1);
    QVERIFY(c.get(-519).toBool());
    QCOMPARE(c.get(17).toI4(), 8);
    QCOMPARE(c.get(20).toI4(), 7);
    QCOMPARE(c.get(22).toI4(), -1);
    QVERIFY(c.get(29).toBool());
    QSize extent;
    c.dispatch.query<IControlObject>()->GetExtent(extent);
    QCOMPARE(extent, QSize(5080, 3810));
    QCOMPARE(c.save().toHex(), defaultStream().toHex());
}

void PersistenceTest::changedSettingsRoundTripThroughTheStream()
{
    Control a;
    QCOMPARE(a.put(1, Variant::fromUI4(0x123456)), S_OK);
    QCOMPARE(a.put(7, Variant::fromI4(13)), S_OK);
    QCOMPARE(a.put(-504, Variant::fromI4(0)), S_OK);
    QCOMPARE(a.put(-519, Variant::fromBool(false)), S_OK);
    QCOMPARE(a.put(14, Variant::fromDate(45000.25)), S_OK);
    QCOMPARE(a.put(16, Variant::fromDate(45003.5)), S_OK);
    QCOMPARE(a.put(17, Variant::fromI4(12)), S_OK);
    QCOMPARE(a.put(20, Variant::fromI4(31)), S_OK);
    QCOMPARE(a.put(22, Variant::fromI4(6)), S_OK);
    QCOMPARE(a.put(29, Variant::fromBool(false)), S_OK);
    a.font()->setName(QStringLiteral("Courier New"));
    a.font()->setBold(true);
    QCOMPARE(a.dispatch.query<IPersistStreamInit>()->IsDirty(), S_OK);
    const QByteArray saved = a.save();
    QCOMPARE(a.dispatch.query<IPersistStreamInit>()->IsDirty(), S_FALSE);

    Control b(false);
    QCOMPARE(b.load(saved), S_OK);
    QCOMPARE(b.save().toHex(), saved.toHex());
    QCOMPARE(b.get(16).toDate(), 45003.5);
    QCOMPARE(b.font()->name(), QStringLiteral("Courier New"));
    QVERIFY(b.font()->bold());
    QVERIFY(b.font()->italic());
}

void PersistenceTest::propertyBagUsesTheSavedNames()
{
    Control c;
    Ref<MemoryPropertyBag> bag = MemoryPropertyBag::create();
    QCOMPARE(c.dispatch.query<IPersistPropertyBag>()->Save(bag.get(), true, true), S_OK);
    QStringList expected{QStringLiteral("_cx"), QStringLiteral("_cy")};
    for (const vorrin::SavedProperty& p : vorrin::SavedProperties::list())
        expected << p.name;
    QCOMPARE(bag->names(), expected);
    QVERIFY(bag->names().contains(QStringLiteral("CalMonthBkColor")));
    QVERIFY(!bag->names().contains(QStringLiteral("CalMonthBKColor")));
    QCOMPARE(bag->find(QStringLiteral("_cx"))->type(), uint16_t(VT_UI4));
    QCOMPARE(bag->find(QStringLiteral("_cx"))->toUI4(), 5080u);
    QCOMPARE(bag->find(QStringLiteral("CalTitleBkColor"))->type(), uint16_t(VT_UI4));
    QCOMPARE(bag->find(QStringLiteral("MonthCalStyle"))->type(), uint16_t(VT_I4));
    QCOMPARE(bag->find(QStringLiteral("BorderVisible"))->type(), uint16_t(VT_BOOL));
    QCOMPARE(bag->find(QStringLiteral("dDate"))->type(), uint16_t(VT_DATE));
    QCOMPARE(bag->find(QStringLiteral("Font"))->type(), uint16_t(VT_DISPATCH));
    // The bag holds a copy: a later change to the control's font does not reach it.
    c.font()->setName(QStringLiteral("Arial"));
    QCOMPARE(queryInterface<IFont>(bag->find(QStringLiteral("Font"))->unknown())->name(),
             QStringLiteral("Times New Roman"));

    // Without a font (never sited) the font is not written.
    Control unsited(false);
    Ref<MemoryPropertyBag> other = MemoryPropertyBag::create();
    QCOMPARE(unsited.dispatch.query<IPersistPropertyBag>()->Save(other.get(), true, true), S_OK);
    QVERIFY(!other->names().contains(QStringLiteral("Font")));
    QCOMPARE(other->names().size(), expected.size() - 1);
}

void PersistenceTest::propertyBagRoundTrip()
{
    Control a;
    a.put(6, Variant::fromUI4(0x00C0FF));
    a.put(7, Variant::fromI4(0));
    a.put(15, Variant::fromDate(46010));
    a.put(18, Variant::fromBool(true));
    a.put(23, Variant::fromI4(5)); // not saved
    Ref<MemoryPropertyBag> bag = MemoryPropertyBag::create();
    QCOMPARE(a.dispatch.query<IPersistPropertyBag>()->Save(bag.get(), true, true), S_OK);

    Control b(false);
    QCOMPARE(b.dispatch.query<IPersistPropertyBag>()->Load(bag.get()), S_OK);
    for (const vorrin::SavedProperty& p : vorrin::SavedProperties::list()) {
        if (p.dispid == -512)
            continue;
        QVERIFY2(a.get(p.dispid) == b.get(p.dispid), qPrintable(p.name));
    }
    QVERIFY(a.font()->isEqual(b.font().get()));
    QCOMPARE(b.get(23).toI4(), -4000);
    QCOMPARE(b.get(6).toUI4(), 0x00C0FFu);

    // Names missing from the bag leave their properties as they are.
    Ref<MemoryPropertyBag> partial = MemoryPropertyBag::create();
    partial->set(QStringLiteral("MaxSelCount"), Variant::fromI4(3));
    Control c(false);
    QCOMPARE(c.dispatch.query<IPersistPropertyBag>()->Load(partial.get()), S_OK);
    QCOMPARE(c.get(20).toI4(), 3);
    QCOMPARE(c.get(17).toI4(), 8);
}

void PersistenceTest::damagedStoreStopsAtMonthCalStyle()
{
    Ref<MemoryPropertyBag> bag = MemoryPropertyBag::create();
    bag->set(QStringLiteral("CalBackGroundColor"), Variant::fromUI4(0x0000FF));
    bag->set(QStringLiteral("CalMonthBkColor"), Variant::fromUI4(0x00FF00));
    bag->set(QStringLiteral("MonthCalStyle"), Variant::fromI4(20));
    bag->set(QStringLiteral("BorderStyle"), Variant::fromI4(0));
    Control c(false);
    QCOMPARE(c.dispatch.query<IPersistPropertyBag>()->Load(bag.get()), DISP_E_EXCEPTION);
    QCOMPARE(c.lastError(), QStringLiteral("Invalid MonthCalStyle - Range: 0 - 15"));
    QCOMPARE(c.get(1).toUI4(), 0x0000FFu);
    QCOMPARE(c.get(6).toUI4(), 0x00FF00u);
    QCOMPARE(c.get(7).toI4(), 1);
    QCOMPARE(c.get(-504).toI4(), 1);

    QByteArray stream = defaultStream();
    stream.replace(50, 4, QByteArray::fromHex("14000000"));
    Control d(false);
    QCOMPARE(d.load(stream), DISP_E_EXCEPTION);
    QCOMPARE(d.lastError(), QStringLiteral("Invalid MonthCalStyle - Range: 0 - 15"));
    QCOMPARE(d.get(7).toI4(), 1);
}

void PersistenceTest::damagedStreamsAreRefused()
{
    Control c(false);
    QByteArray newer = defaultStream();
    newer[1] = 0x04; // version 0x400
    QCOMPARE(c.load(newer), STG_E_INVALIDHEADER);
    QByteArray badType = defaultStream();
    badType[12] = 0x44; // not a variant type the control saves
    QCOMPARE(c.load(badType), DISP_E_BADVARTYPE);
    QCOMPARE(c.get(1).toUI4(), 0xFFFFFFu);
    for (int cut : {0, 3, 11, 13, 60, 80, int(defaultStream().size()) - 1})
        QVERIFY2(failed(c.load(defaultStream().left(cut))), qPrintable(QString::number(cut)));
}

void PersistenceTest::sitedWithoutAmbientFontUsesItalicTimesNewRoman()
{
    Control unsited(false);
    QVERIFY(!unsited.font());
    Control c;
    Ref<IFont> f = c.font();
    QVERIFY(f);
    QCOMPARE(f->name(), QStringLiteral("Times New Roman"));
    QCOMPARE(f->size(), int64_t(100000));
    QCOMPARE(f->weight(), int16_t(300));
    QCOMPARE(f->charset(), int16_t(0));
    QVERIFY(f->italic());
    QVERIFY(!f->underline());
    QVERIFY(!f->strikethrough());
    QCOMPARE(c.object().control().get_Font().family(), QStringLiteral("Times New Roman"));
    QVERIFY(c.object().control().get_Font().italic());
}

void PersistenceTest::sitedWithAmbientFontUsesACopyOfIt()
{
    StdFont::Description d;
    d.name = QStringLiteral("Arial");
    d.size = 120000;
    d.weight = 700;
    Ref<IFont> ambient = StdFont::create(d);
    Control c(true, ambient);
    Ref<IFont> f = c.font();
    QVERIFY(f && f.get() != ambient.get());
    QVERIFY(f->isEqual(ambient.get()));
    ambient->setName(QStringLiteral("Verdana"));
    QCOMPARE(f->name(), QStringLiteral("Arial"));
    QCOMPARE(c.object().control().get_Font().pointSizeF(), 12.0);
}

void PersistenceTest::fontSettersCopyOrShareAndAskFirst()
{
    Control c;
    Ref<IFont> mine = StdFont::create();
    const Variant asDispatch = Variant::fromDispatch(mine.query<IDispatch>().get());
    QCOMPARE(c.put(-512, asDispatch), S_OK);
    QVERIFY(c.font().get() != mine.get());
    QVERIFY(c.font()->isEqual(mine.get()));
    QCOMPARE(putPropertyRef(c.dispatch.get(), -512, asDispatch), S_OK);
    QCOMPARE(c.font().get(), mine.get());
    QVERIFY(c.site->changes.contains(-512));

    c.site->allowEdits = false;
    Ref<IFont> refused = StdFont::create();
    refused->setName(QStringLiteral("Refused"));
    QCOMPARE(c.put(-512, Variant::fromDispatch(refused.query<IDispatch>().get())), S_FALSE);
    QCOMPARE(c.font().get(), mine.get());
    QCOMPARE(c.put(-512, Variant::fromI4(3)), DISP_E_TYPEMISMATCH);
}

void PersistenceTest::fontObjectChangesReachTheControl()
{
    Control c;
    c.save(); // clears the dirty state
    QCOMPARE(c.dispatch.query<IPersistStreamInit>()->IsDirty(), S_FALSE);
    c.font()->setSize(140000);
    QCOMPARE(c.object().control().get_Font().pointSizeF(), 14.0);
    QCOMPARE(c.dispatch.query<IPersistStreamInit>()->IsDirty(), S_OK);
    // A font the control no longer holds is no longer listened to.
    Ref<IFont> old = c.font();
    c.put(-512, Variant::fromDispatch(StdFont::create().query<IDispatch>().get()));
    old->setSize(300000);
    QCOMPARE(c.object().control().get_Font().pointSizeF(), 8.0);
}

void PersistenceTest::propertyPagesAreColourAndFont()
{
    Control c;
    QList<Guid> pages;
    QCOMPARE(c.dispatch.query<ISpecifyPropertyPages>()->GetPages(pages), S_OK);
    QCOMPARE(pages, QList<Guid>({CLSID_StockColorPage, CLSID_StockFontPage}));

    // A designer makes them from those classes and shows them in turn.
    QStringList shown;
    vorrin::ModalSeam::setRunner([&](QDialog& d) {
        shown << d.objectName();
        return int(QDialog::Accepted);
    });
    vorrin::PropertyPages::showAll(pages, c.dispatch.get());
    QCOMPARE(shown, QStringList({QStringLiteral("ColorPropertyPage"), QStringLiteral("FontPropertyPage")}));
    QVERIFY(!vorrin::PropertyPages::create(Guid::parse("{00000000-1111-2222-3333-444444444444}"),
                                           c.dispatch.get()));
}

void PersistenceTest::colourPageWritesOnlyOnApply()
{
    Control c;
    vorrin::ColorPropertyPage page(c.dispatch.get());
    QCOMPARE(page.propertyNames(),
             QStringList({QStringLiteral("CalBackGroundColor"), QStringLiteral("CalTextColor"),
                          QStringLiteral("CalTitleBkColor"), QStringLiteral("CalTitleTextColor"),
                          QStringLiteral("CalTrailingTextColor"), QStringLiteral("CalMonthBKColor")}));
    QVERIFY(page.selectProperty(QStringLiteral("CalTitleBkColor")));
    QCOMPARE(page.color(QStringLiteral("CalTitleBkColor")), 0x800000u);
    page.findChild<QPushButton*>(QStringLiteral("Color_10"))->click(); // green
    QVERIFY(page.isDirty());
    QCOMPARE(c.get(3).toUI4(), 0x800000u);
    page.findChild<QPushButton*>(QStringLiteral("Apply"))->click();
    QCOMPARE(c.get(3).toUI4(), 0x00FF00u);
    QVERIFY(!page.isDirty());

    QVERIFY(page.selectProperty(QStringLiteral("CalMonthBKColor")));
    page.setColor(0x0000FF);
    page.reject();
    QCOMPARE(c.get(6).toUI4(), 0xFFFFFFu);
}

void PersistenceTest::fontPageGivesTheControlANewFont()
{
    Control c;
    Ref<IFont> before = c.font();
    vorrin::FontPropertyPage page(c.dispatch.get());
    QCOMPARE(page.fontName(), QStringLiteral("Times New Roman"));
    QCOMPARE(page.pointSize(), 10.0);
    page.setFontName(QStringLiteral("Courier New"));
    page.setPointSize(14);
    page.setBold(true);
    page.setItalic(false);
    QCOMPARE(c.font()->name(), QStringLiteral("Times New Roman"));
    page.accept();
    QCOMPARE(page.result(), int(QDialog::Accepted));
    Ref<IFont> after = c.font();
    QVERIFY(after.get() != before.get());
    QCOMPARE(after->name(), QStringLiteral("Courier New"));
    QCOMPARE(after->size(), int64_t(140000));
    QVERIFY(after->bold());
    QVERIFY(!after->italic());
    QCOMPARE(c.object().control().get_Font().pointSizeF(), 14.0);
}

void PersistenceTest::aboutBoxShowsTitleVersionAndOk()
{
    QCOMPARE(vorrin::AboutBox::defaultCloseDelay(), 5000);
    vorrin::AboutBox box(QStringLiteral("1, 4, 4, 5"));
    QCOMPARE(box.windowTitle(), QStringLiteral("About Halvane Cal Control"));
    QVERIFY(box.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(box.findChild<QLabel*>(QStringLiteral("VersionLine"))->text(),
             QStringLiteral("Halvane Cal Control, Version 1, 4, 4, 5"));
    QVERIFY(!box.findChild<QLabel*>(QStringLiteral("Icon"))->pixmap().isNull());
    QVERIFY(!box.findChild<QLabel*>(QStringLiteral("RightsLine"))->text().isEmpty());
    box.show();
    box.findChild<QPushButton*>(QStringLiteral("OK"))->click();
    QVERIFY(!box.isVisible());
    QCOMPARE(box.result(), int(QDialog::Accepted));

    vorrin::AboutBox plain({});
    QCOMPARE(plain.findChild<QLabel*>(QStringLiteral("VersionLine"))->text(),
             QStringLiteral("Halvane Cal Control"));
    // Code linked into a program rather than loaded from the library finds no version.
    QCOMPARE(vorrin::AboutBox::libraryFileVersion(), QString());
}

void PersistenceTest::aboutBoxClosesByItself()
{
    vorrin::AboutBox box(QStringLiteral("1, 4, 4, 5"));
    box.setCloseDelay(30);
    box.show();
    QVERIFY(box.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!box.isVisible(), 2000);
}

void PersistenceTest::aboutBoxMethodGoesThroughTheModalSeam()
{
    QStringList shown;
    vorrin::ModalSeam::setRunner([&](QDialog& d) {
        shown << d.windowTitle();
        return int(QDialog::Accepted);
    });
    Control c;
    QList<Variant> none;
    QCOMPARE(callMethod(c.dispatch.get(), -552, none), S_OK);
    QCOMPARE(shown, QStringList{QStringLiteral("About Halvane Cal Control")});
}

QTEST_MAIN(PersistenceTest)
#include "tst_vorrin_persistence.moc"
