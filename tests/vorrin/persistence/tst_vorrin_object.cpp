// The calendar control as a component object, beyond its saved settings: siting, and what hosts
// hand it through dispatch (arrays of any shape, dates it refuses, reads without a calendar).
#include "ControlFixture.h"

#include "component/SafeArray.h"
#include "vorrin/control/MonthCalendar.h"

#include <QTest>

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

class ObjectTest : public QObject
{
    Q_OBJECT

private slots:
    void siteWhoseFontCannotBeCopiedGivesTheDefaultFont()
    {
        Control c(true, UncopyableFont::create());
        Ref<IFont> font = c.font();
        QVERIFY(font);
        QCOMPARE(font->name(), QStringLiteral("Times New Roman"));
        QVERIFY(font->italic());
        QCOMPARE(font->size(), int64_t(100000));
        QCOMPARE(c.ctl().get_Font().family(), QStringLiteral("Times New Roman"));
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

int runObjectTests(int argc, char** argv)
{
    ObjectTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_vorrin_object.moc"
