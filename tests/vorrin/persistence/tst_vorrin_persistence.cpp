// The calendar control as a component object, in-process: saved settings (byte stream and property
// bag), the font it picks when sited, its property pages and about box, and what hosts hand it
// through dispatch (arrays of any shape, dates it refuses, reads without a calendar).
#include "ControlFixture.h"

#include "component/SafeArray.h"
#include "vorrin/control/MonthCalendar.h"
#include "vorrin/persistence/AboutBox.h"
#include "vorrin/persistence/ColorPropertyPage.h"
#include "vorrin/persistence/FontPropertyPage.h"
#include "vorrin/persistence/ModalSeam.h"
#include "vorrin/persistence/PropertyPages.h"
#include "vorrin/persistence/SavedProperties.h"
#include "vorrin/server/VorrinObject.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <climits>
#include <limits>

Q_DECLARE_METATYPE(component::Variant)

using namespace component;
using namespace fixture;

namespace {

// A font object that cannot be copied: every Clone fails. The rest is a standard font's.
class UncopyableFont final : public IFont, public IDispatch
{
public:
    static Ref<IFont> create() { return Ref<IFont>::adopt(static_cast<IFont*>(new UncopyableFont)); }

    HResult QueryInterface(const Guid& iid, void** out) override
    {
        *out = nullptr;
        if (iid == IUnknown::iid || iid == IFont::iid)
            *out = static_cast<IFont*>(this);
        else if (iid == IDispatch::iid)
            *out = static_cast<IDispatch*>(this);
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

    HResult Clone(IFont** out) override
    {
        *out = nullptr;
        return E_OUTOFMEMORY;
    }
    QString name() const override { return m_font->name(); }
    HResult setName(const QString& name) override { return m_font->setName(name); }
    int64_t size() const override { return m_font->size(); }
    HResult setSize(int64_t size) override { return m_font->setSize(size); }
    bool bold() const override { return m_font->bold(); }
    HResult setBold(bool bold) override { return m_font->setBold(bold); }
    bool italic() const override { return m_font->italic(); }
    HResult setItalic(bool italic) override { return m_font->setItalic(italic); }
    bool underline() const override { return m_font->underline(); }
    HResult setUnderline(bool underline) override { return m_font->setUnderline(underline); }
    bool strikethrough() const override { return m_font->strikethrough(); }
    HResult setStrikethrough(bool strike) override { return m_font->setStrikethrough(strike); }
    int16_t weight() const override { return m_font->weight(); }
    HResult setWeight(int16_t weight) override { return m_font->setWeight(weight); }
    int16_t charset() const override { return m_font->charset(); }
    HResult setCharset(int16_t charset) override { return m_font->setCharset(charset); }
    bool isEqual(IFont* other) const override { return m_font->isEqual(other); }
    QFont toQFont() const override { return m_font->toQFont(); }

    HResult GetIDsOfNames(const QStringList&, QList<DispId>&) override { return DISP_E_UNKNOWNNAME; }
    HResult Invoke(DispId, uint16_t, QList<Variant>&, Variant*, ExcepInfo*) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }
    HResult GetTypeInfo(const InterfaceDescription**) override { return E_NOTIMPL; }

private:
    UncopyableFont() : m_font(StdFont::create()) { m_font->setName(QStringLiteral("Verdana")); }
    ~UncopyableFont() override = default;
    uint32_t m_refs = 1;
    Ref<IFont> m_font;
};

// A two-dimensional variant array with the given bounds, day 1 of its first month set.
Variant dayStates(SafeArray::Bound months, SafeArray::Bound days)
{
    SafeArray array({months, days});
    if (months.count > 0 && days.count > 0)
        array.put({months.lower, days.lower}, Variant::fromBool(true));
    return Variant::fromArray(std::move(array));
}

} // namespace

class PersistenceTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { vorrin::ModalSeam::setRunner({}); }

    void defaultSettingsSaveAndLoadByteForByte()
    {
        QCOMPARE(Control().save().toHex(), defaultStream().toHex());

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
        QCOMPARE(c.extent(), QSize(5080, 3810));
        QCOMPARE(c.save().toHex(), defaultStream().toHex());
    }

    void changedSettingsRoundTripThroughTheStream()
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
        QVERIFY(a.isDirty());
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

    void propertyBagUsesTheSavedNamesAndRoundTrips()
    {
        Control a;
        a.put(6, Variant::fromUI4(0x00C0FF));
        a.put(7, Variant::fromI4(0));
        a.put(15, Variant::fromDate(46010));
        a.put(18, Variant::fromBool(true));
        a.put(23, Variant::fromI4(5)); // not saved
        Ref<MemoryPropertyBag> bag = MemoryPropertyBag::create();
        QCOMPARE(a.saveBag(bag.get()), S_OK);
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

        Control b(false);
        QCOMPARE(b.loadBag(bag.get()), S_OK);
        for (const vorrin::SavedProperty& p : vorrin::SavedProperties::list()) {
            if (p.dispid != -512)
                QVERIFY2(a.get(p.dispid) == b.get(p.dispid), qPrintable(p.name));
        }
        QVERIFY(a.font()->isEqual(b.font().get()));
        QCOMPARE(b.get(23).toI4(), -4000);
        QCOMPARE(b.get(6).toUI4(), 0x00C0FFu);
        // The bag holds a copy: a later change to the control's font does not reach it.
        a.font()->setName(QStringLiteral("Arial"));
        QCOMPARE(queryInterface<IFont>(bag->find(QStringLiteral("Font"))->unknown())->name(),
                 QStringLiteral("Times New Roman"));

        // Without a font (never sited) the font is not written.
        Control unsited(false);
        QVERIFY(!unsited.font());
        Ref<MemoryPropertyBag> other = MemoryPropertyBag::create();
        QCOMPARE(unsited.saveBag(other.get()), S_OK);
        QVERIFY(!other->names().contains(QStringLiteral("Font")));
        QCOMPARE(other->names().size(), expected.size() - 1);

        // Names missing from the bag leave their properties as they are.
        Ref<MemoryPropertyBag> partial = MemoryPropertyBag::create();
        partial->set(QStringLiteral("MaxSelCount"), Variant::fromI4(3));
        Control c(false);
        QCOMPARE(c.loadBag(partial.get()), S_OK);
        QCOMPARE(c.get(20).toI4(), 3);
        QCOMPARE(c.get(17).toI4(), 8);
    }

    void damagedSettingsAreRefused()
    {
        // A bad MonthCalStyle stops the load there: what came before it is kept.
        Ref<MemoryPropertyBag> bag = MemoryPropertyBag::create();
        bag->set(QStringLiteral("CalBackGroundColor"), Variant::fromUI4(0x0000FF));
        bag->set(QStringLiteral("CalMonthBkColor"), Variant::fromUI4(0x00FF00));
        bag->set(QStringLiteral("MonthCalStyle"), Variant::fromI4(20));
        bag->set(QStringLiteral("BorderStyle"), Variant::fromI4(0));
        Control c(false);
        QCOMPARE(c.loadBag(bag.get()), DISP_E_EXCEPTION);
        QCOMPARE(c.lastError(), QStringLiteral("Invalid MonthCalStyle - Range: 0 - 15"));
        QCOMPARE(c.get(1).toUI4(), 0x0000FFu);
        QCOMPARE(c.get(6).toUI4(), 0x00FF00u);
        QCOMPARE(c.get(7).toI4(), 1);
        QCOMPARE(c.get(-504).toI4(), 1);

        QByteArray stream = defaultStream();
        stream.replace(at::monthCalStyle, 4, le32(20));
        Control d(false);
        QCOMPARE(d.load(stream), DISP_E_EXCEPTION);
        QCOMPARE(d.lastError(), QStringLiteral("Invalid MonthCalStyle - Range: 0 - 15"));
        QCOMPARE(d.get(7).toI4(), 1);

        QByteArray newer = defaultStream();
        newer[1] = 0x04; // version 0x400
        QCOMPARE(d.load(newer), STG_E_INVALIDHEADER);
        QByteArray badType = defaultStream();
        badType[12] = 0x44; // not a variant type the control saves
        QCOMPARE(d.load(badType), DISP_E_BADVARTYPE);
        QCOMPARE(d.get(1).toUI4(), 0xFFFFFFu);
        for (int cut : {0, 3, 11, 13, 60, 80, int(defaultStream().size()) - 1})
            QVERIFY2(failed(d.load(defaultStream().left(cut))), qPrintable(QString::number(cut)));
    }

    void damagedExtentsStopTheLoadBeforeAnything_data()
    {
        QTest::addColumn<quint32>("cx");
        QTest::addColumn<quint32>("cy");
        QTest::addColumn<QString>("named");
        QTest::newRow("width past the signed 32-bit range") << 0xFFFFFFFFu << 3810u << QStringLiteral("_cx");
        QTest::newRow("height that overflowed the pixel conversion")
            << 5080u << 30000000u << QStringLiteral("_cy");
        QTest::newRow("just past the largest size")
            << quint32(kMaxExtentHimetric + 1) << 3810u << QStringLiteral("_cx");
    }

    void damagedExtentsStopTheLoadBeforeAnything()
    {
        QFETCH(quint32, cx);
        QFETCH(quint32, cy);
        QFETCH(QString, named);
        const QString message = QStringLiteral("Invalid Range for Property ") + named +
                                QStringLiteral(".\r\nProperty: ") + named + QStringLiteral("\r\n");

        QByteArray stream = defaultStream();
        stream.replace(at::cx, 4, le32(cx));
        stream.replace(at::cy, 4, le32(cy));
        stream.replace(at::backColor, 4, le32(0xFF));
        Ref<MemoryPropertyBag> bag = MemoryPropertyBag::create();
        bag->set(QStringLiteral("_cx"), Variant::fromUI4(cx));
        bag->set(QStringLiteral("_cy"), Variant::fromUI4(cy));
        bag->set(QStringLiteral("CalBackGroundColor"), Variant::fromUI4(0xFF));

        for (bool fromBag : {false, true}) {
            Control c(false);
            QCOMPARE(fromBag ? c.loadBag(bag.get()) : c.load(stream), DISP_E_EXCEPTION);
            ExcepInfo info;
            c.dispatch.query<IErrorInfoSource>()->GetLastErrorInfo(info);
            QCOMPARE(info.description, message);
            QCOMPARE(info.source, QStringLiteral("Halvane.VorrinCtl.1"));
            QCOMPARE(c.get(1).toUI4(), 0xFFFFFFu);
            QCOMPARE(c.extent(), QSize(5080, 3810));
            QCOMPARE(c.dispatch.query<IControlObject>()->SetExtent(
                         QSize(int(std::min<quint32>(cx, INT_MAX)), int(cy))),
                     E_INVALIDARG);
        }

        // The largest size loads, and gives the largest window.
        stream.replace(at::cx, 4, le32(quint32(kMaxExtentHimetric)));
        stream.replace(at::cy, 4, le32(3810));
        Control largest(false);
        QCOMPARE(largest.load(stream), S_OK);
        QCOMPARE(largest.ctl().extent().width(), kMaxExtentPixels);
    }

    void settingsLoadTheSameIntoAShownControl()
    {
        // Single select, with the MaxSelCount saved after it, and the properties that come last.
        QByteArray stream = defaultStream();
        stream.replace(at::monthCalStyle, 4, le32(0));
        const QByteArray day = QByteArray::fromHex("000000000076e640"); // 46000.0 as a double
        stream.replace(at::dDate, 8, day);
        stream.replace(at::startDate, 8, day);
        stream.replace(at::endDate, 8, day);
        stream.replace(at::firstDayOfWeek, 4, le32(6));
        stream.replace(at::initToNow, 2, QByteArray(2, '\0'));

        Control shown;
        shown.show();
        QVERIFY(shown.ctl().calendarWindow());
        QCOMPARE(shown.load(stream), S_OK);

        Control loadedFirst;
        QCOMPARE(loadedFirst.load(stream), S_OK);
        loadedFirst.show();
        for (const vorrin::SavedProperty& p : vorrin::SavedProperties::list()) {
            if (p.dispid != -512)
                QVERIFY2(shown.get(p.dispid) == loadedFirst.get(p.dispid), qPrintable(p.name));
        }
        const vorrin::MonthCalendar* calendar = shown.ctl().calendarWindow();
        QVERIFY(calendar);
        QVERIFY(!calendar->model().multiSelect());
        QCOMPARE(calendar->model().selStart(), QDate(1899, 12, 30).addDays(46000));
        QCOMPARE(calendar->model().firstDayOfWeek(), Qt::Sunday);
        QCOMPARE(shown.get(29).toBool(), false);
    }

    void dirtyOnlyWhenWhatItWouldSaveChanged()
    {
        Control c(false);
        QCOMPARE(c.dispatch.query<IPersistStreamInit>()->InitNew(), S_OK);
        QVERIFY(!c.isDirty());
        c.dispatch.query<IControlObject>()->SetClientSite(c.site.get());
        QVERIFY(c.font());
        QVERIFY(!c.isDirty()); // the site's font is where it starts
        QCOMPARE(c.load(defaultStream()), S_OK);
        QVERIFY(!c.isDirty());
        // Properties that are never saved.
        QCOMPARE(c.put(23, Variant::fromI4(10)), S_OK);
        QCOMPARE(c.put(24, Variant::fromI4(20)), S_OK);
        QCOMPARE(c.put(21, Variant::fromDate(46000)), S_OK);
        QCOMPARE(c.put(26, Variant::fromDate(45000)), S_OK);
        QCOMPARE(c.put(25, Variant::fromDate(47000)), S_OK);
        QVERIFY(!c.isDirty());

        QCOMPARE(c.put(2, Variant::fromUI4(0x123456)), S_OK);
        QVERIFY(c.isDirty());
        c.save();
        QVERIFY(!c.isDirty());
        c.font()->setItalic(false);
        QVERIFY(c.isDirty());
        Ref<MemoryPropertyBag> bag = MemoryPropertyBag::create();
        QCOMPARE(c.saveBag(bag.get()), S_OK);
        QVERIFY(!c.isDirty());
        QCOMPARE(c.loadBag(bag.get()), S_OK);
        QVERIFY(!c.isDirty());

        // Half a load matches no store.
        QByteArray damaged = defaultStream();
        damaged.replace(at::borderStyle, 4, le32(0));
        damaged.replace(at::maxSelCount - 2, 6, QByteArray(QByteArray::fromHex("4400") + le32(0)));
        QVERIFY(failed(c.load(damaged)));
        QVERIFY(c.isDirty());
    }

    void sitedFontIsTheDefaultOrACopyOfTheAmbientOne()
    {
        // The default font's settings are pinned by the default stream; here the control uses it.
        Control plain;
        QCOMPARE(plain.ctl().get_Font().family(), QStringLiteral("Times New Roman"));
        QVERIFY(plain.ctl().get_Font().italic());
        // So does a control whose site's font cannot be copied.
        Control uncopyable(true, UncopyableFont::create());
        Ref<IFont> font = uncopyable.font();
        QVERIFY(font);
        QCOMPARE(font->name(), QStringLiteral("Times New Roman"));
        QVERIFY(font->italic());
        QCOMPARE(font->size(), int64_t(100000));
        QCOMPARE(uncopyable.ctl().get_Font().family(), QStringLiteral("Times New Roman"));

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
        QCOMPARE(c.ctl().get_Font().pointSizeF(), 12.0);
    }

    void fontPropertyCopiesSharesAsksFirstAndListens()
    {
        Control c;
        // Changes to the font object reach the control.
        c.font()->setSize(140000);
        QCOMPARE(c.ctl().get_Font().pointSizeF(), 14.0);

        Ref<IFont> old = c.font();
        Ref<IFont> mine = StdFont::create();
        const Variant asDispatch = Variant::fromDispatch(mine.query<IDispatch>().get());
        QCOMPARE(c.put(-512, asDispatch), S_OK);
        QVERIFY(c.font().get() != mine.get());
        QVERIFY(c.font()->isEqual(mine.get()));
        // A font the control no longer holds is no longer listened to.
        old->setSize(300000);
        QCOMPARE(c.ctl().get_Font().pointSizeF(), 8.0);
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

    void propertyPagesChangeTheControlOnlyWhenApplied()
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
        QCOMPARE(shown,
                 QStringList({QStringLiteral("ColorPropertyPage"), QStringLiteral("FontPropertyPage")}));
        QVERIFY(!vorrin::PropertyPages::create(Guid::parse("{00000000-1111-2222-3333-444444444444}"),
                                               c.dispatch.get()));

        vorrin::ColorPropertyPage colours(c.dispatch.get());
        QCOMPARE(colours.propertyNames(),
                 QStringList({QStringLiteral("CalBackGroundColor"), QStringLiteral("CalTextColor"),
                              QStringLiteral("CalTitleBkColor"), QStringLiteral("CalTitleTextColor"),
                              QStringLiteral("CalTrailingTextColor"), QStringLiteral("CalMonthBKColor")}));
        QVERIFY(colours.selectProperty(QStringLiteral("CalTitleBkColor")));
        QCOMPARE(colours.color(QStringLiteral("CalTitleBkColor")), 0x800000u);
        colours.findChild<QPushButton*>(QStringLiteral("Color_10"))->click(); // green
        QVERIFY(colours.isDirty());
        QCOMPARE(c.get(3).toUI4(), 0x800000u);
        colours.findChild<QPushButton*>(QStringLiteral("Apply"))->click();
        QCOMPARE(c.get(3).toUI4(), 0x00FF00u);
        QVERIFY(!colours.isDirty());
        QVERIFY(colours.selectProperty(QStringLiteral("CalMonthBKColor")));
        colours.setColor(0x0000FF);
        colours.reject();
        QCOMPARE(c.get(6).toUI4(), 0xFFFFFFu);

        // The font page gives the control a new font object.
        Ref<IFont> before = c.font();
        vorrin::FontPropertyPage font(c.dispatch.get());
        QCOMPARE(font.fontName(), QStringLiteral("Times New Roman"));
        QCOMPARE(font.pointSize(), 10.0);
        font.setFontName(QStringLiteral("Courier New"));
        font.setPointSize(14);
        font.setBold(true);
        font.setItalic(false);
        QCOMPARE(c.font()->name(), QStringLiteral("Times New Roman"));
        font.accept();
        Ref<IFont> after = c.font();
        QVERIFY(after.get() != before.get());
        QCOMPARE(after->name(), QStringLiteral("Courier New"));
        QCOMPARE(after->size(), int64_t(140000));
        QVERIFY(after->bold());
        QVERIFY(!after->italic());
        QCOMPARE(c.ctl().get_Font().pointSizeF(), 14.0);
    }

    void aboutBoxShowsTheVersionAndClosesByOkOrByItself()
    {
        vorrin::AboutBox box(QStringLiteral("1, 4, 4, 5"));
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
        plain.setCloseDelay(30);
        plain.show();
        QVERIFY(plain.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!plain.isVisible(), 2000);

        // The AboutBox method shows it through the modal seam.
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

    void dayStateArraysOfAnyShapeGetAnAnswer_data()
    {
        constexpr int32_t top = std::numeric_limits<int32_t>::max();
        QTest::addColumn<Variant>("array");
        QTest::addColumn<HResult>("result");
        QTest::newRow("months [1..2], days [1..31]") << dayStates({1, 2}, {1, 31}) << S_OK;
        QTest::newRow("negative lower bounds") << dayStates({-5, 3}, {-30, 31}) << S_OK;
        QTest::newRow("months ending at the 32-bit limit") << dayStates({top - 1, 2}, {1, 31}) << S_OK;
        QTest::newRow("months past the 32-bit limit") << dayStates({top, 2}, {1, 31}) << E_INVALIDARG;
        QTest::newRow("days past the 32-bit limit") << dayStates({1, 2}, {top - 20, 31}) << E_INVALIDARG;
        QTest::newRow("no months") << dayStates({1, 0}, {1, 31}) << E_INVALIDARG;
        QTest::newRow("one dimension") << Variant::fromArray(SafeArray({{1, 31}})) << E_INVALIDARG;
        QTest::newRow("three dimensions")
            << Variant::fromArray(SafeArray({{1, 2}, {1, 31}, {1, 1}})) << E_INVALIDARG;
        QTest::newRow("not an array") << Variant::fromI4(5) << E_INVALIDARG;
    }

    void dayStateArraysOfAnyShapeGetAnAnswer()
    {
        QFETCH(Variant, array);
        QFETCH(HResult, result);
        Control c;
        c.show();
        QCOMPARE(c.put(7, Variant::fromI4(9)), S_OK); // day states, multi-select
        QList<Variant> args{array};
        QCOMPARE(callMethod(c.dispatch.get(), 27, args), result);
        if (result == S_OK) {
            const vorrin::MonthCalendar* calendar = c.ctl().calendarWindow();
            QVERIFY(calendar->model().isBold(calendar->model().dayStateStart()));
        }
    }

    void refusedDateFailsThroughDispatch()
    {
        Control c;
        c.show();
        QCOMPARE(c.put(7, Variant::fromI4(0)), S_OK);
        const double before = c.get(14).toDate();
        QCOMPARE(c.put(14, Variant::fromDate(1e12)), E_FAIL);
        QCOMPARE(c.get(14).toDate(), before);
    }

    void rangeDatesWithoutACalendarLeaveTheResultAlone()
    {
        Control c;
        QCOMPARE(c.put(18, Variant::fromBool(true)), S_OK); // popup only: no calendar window
        c.show();
        for (DispId id : {12, 13}) {
            Variant result = Variant::fromDate(123.5);
            QList<Variant> none;
            QCOMPARE(c.dispatch->Invoke(id, DISPATCH_PROPERTYGET, none, &result, nullptr), S_OK);
            QCOMPARE(result.type(), uint16_t(VT_DATE));
            QCOMPARE(result.toDate(), 123.5);
        }
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    PersistenceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_vorrin_persistence.moc"
