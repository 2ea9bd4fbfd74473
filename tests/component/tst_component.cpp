// The component model on its own: identifiers, variants and arrays, connection points, streams,
// property bags, font objects, the per-user registry file and type descriptions in it.
#include "component/ComponentRegistry.h"
#include "component/ConnectionPoint.h"
#include "component/MemoryPropertyBag.h"
#include "component/MemoryStream.h"
#include "component/SafeArray.h"
#include "component/StdFont.h"
#include "component/TypeLibrary.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <limits>
#include <new>

using namespace component;

namespace {

// An event sink that records calls (and property changes, with an empty text) and writes back into a
// by-reference first argument.
class RecordingSink final : public IDispatch, public IPropertyNotifySink
{
public:
    static Ref<RecordingSink> create() { return Ref<RecordingSink>::adopt(new RecordingSink); }
    QList<QPair<DispId, QString>> calls;
    std::function<void(QList<Variant>&)> onCall;

    HResult QueryInterface(const Guid& iid, void** out) override
    {
        *out = nullptr;
        if (iid == IUnknown::iid || iid == IDispatch::iid)
            *out = static_cast<IDispatch*>(this);
        else if (iid == IPropertyNotifySink::iid)
            *out = static_cast<IPropertyNotifySink*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    uint32_t AddRef() override { return ++refs; }
    uint32_t Release() override
    {
        const uint32_t left = --refs;
        if (!left)
            delete this;
        return left;
    }
    HResult GetIDsOfNames(const QStringList&, QList<DispId>&) override { return E_NOTIMPL; }
    HResult GetTypeInfo(const InterfaceDescription**) override { return E_NOTIMPL; }
    HResult Invoke(DispId id, uint16_t, QList<Variant>& args, Variant*, ExcepInfo*) override
    {
        calls << qMakePair(id, args.isEmpty() ? QString() : args[0].debugText());
        if (onCall)
            onCall(args);
        return S_OK;
    }
    HResult OnChanged(DispId id) override
    {
        calls << qMakePair(id, QString());
        return S_OK;
    }
    HResult OnRequestEdit(DispId) override { return S_OK; }
    uint32_t refs = 1;

private:
    RecordingSink() = default;
    ~RecordingSink() override = default;
};

// The owner of a connection point: counts references so the test sees the point delegate.
class Owner final : public IUnknown
{
public:
    HResult QueryInterface(const Guid&, void** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    uint32_t AddRef() override { return ++refs; }
    uint32_t Release() override { return --refs; }
    uint32_t refs = 1;
};

} // namespace

class ComponentTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qputenv("HOME", m_home.path().toLocal8Bit());
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(ComponentRegistry::defaultFilePath().startsWith(m_home.path()));
    }

    void guidsReadWriteAndSerialise()
    {
        constexpr Guid g = Guid::parse("{241A44CB-597F-11D1-9A00-00C04FD8DC2E}");
        QCOMPARE(g.toString(), QStringLiteral("{241A44CB-597F-11D1-9A00-00C04FD8DC2E}"));
        bool ok = false;
        QVERIFY(Guid::fromString(u"241a44cb-597f-11d1-9a00-00c04fd8dc2e", &ok) == g && ok);
        QVERIFY(Guid::fromString(u" {241A44CB-597F-11D1-9A00-00C04FD8DC2E} ", &ok) == g && ok);
        for (const char* bad :
             {"", "{241A44CB-597F-11D1-9A00-00C04FD8DC2}", "{241A44CB-597F-11D1-9A00+00C04FD8DC2E}",
              "{241A44CB-597F-11D1-9A00-00C04FD8DC2G}", "Halvane.VorrinCtl"}) {
            QVERIFY(Guid::fromString(QString::fromLatin1(bad), &ok).isNull());
            QVERIFY2(!ok, bad);
        }
        // The first three fields are little-endian in the byte form, the rest as written.
        QCOMPARE(g.toBytes().toHex(), QByteArray("cb441a247f59d1119a0000c04fd8dc2e"));
        QVERIFY(Guid::fromBytes(g.toBytes().constData()) == g);
    }

    void variantsConvertLikeAutomation()
    {
        Variant out;
        QCOMPARE(Variant::fromR8(2.5).changeType(VT_I4, out), S_OK);
        QCOMPARE(out.toI4(), 2); // half to even
        QCOMPARE(Variant::fromR8(3.5).changeType(VT_I4, out), S_OK);
        QCOMPARE(out.toI4(), 4);
        QCOMPARE(Variant::fromI4(40000).changeType(VT_I2, out), DISP_E_OVERFLOW);
        QCOMPARE(Variant::fromString(QStringLiteral(" 12 ")).changeType(VT_I4, out), S_OK);
        QCOMPARE(out.toI4(), 12);
        QCOMPARE(Variant::fromString(QStringLiteral("twelve")).changeType(VT_I4, out), DISP_E_TYPEMISMATCH);
        QCOMPARE(Variant::fromI4(-2147483000).changeType(VT_UI4, out), S_OK); // colours keep their bits
        QCOMPARE(out.toUI4(), 0x80000288u);
        QCOMPARE(Variant::fromR8(-1).changeType(VT_UI4, out), DISP_E_OVERFLOW);
        QCOMPARE(Variant::fromBool(true).changeType(VT_I4, out), S_OK);
        QCOMPARE(out.toI4(), -1);
        QCOMPARE(Variant::fromI2(5).changeType(VT_BOOL, out), S_OK);
        QCOMPARE(out.rawBool(), VARIANT_TRUE);
        QCOMPARE(Variant::fromDate(45000.5).changeType(VT_R8, out), S_OK);
        QCOMPARE(out.toR8(), 45000.5);
        QCOMPARE(Variant().changeType(VT_I4, out), DISP_E_TYPEMISMATCH);
        QCOMPARE(Variant::fromI4(1).changeType(VT_DISPATCH, out), DISP_E_TYPEMISMATCH);
    }

    void byReferenceArgumentsWriteBack()
    {
        Variant date = Variant::fromDate(0);
        const Variant ref = Variant::byRef(&date);
        QCOMPARE(ref.type(), uint16_t(VT_BYREF | VT_DATE));
        QCOMPARE(ref.assignReferenced(Variant::fromI4(45000)), S_OK);
        QCOMPARE(date.type(), uint16_t(VT_DATE)); // keeps the referenced type
        QCOMPARE(date.toDate(), 45000.0);
        QCOMPARE(ref.assignReferenced(Variant::fromString(QStringLiteral("x"))), DISP_E_TYPEMISMATCH);
        QCOMPARE(date.toDate(), 45000.0);

        Variant any = Variant::fromBool(false);
        const Variant anyRef = Variant::byRef(&any, true);
        QCOMPARE(anyRef.type(), uint16_t(VT_BYREF | VT_VARIANT));
        QCOMPARE(anyRef.assignReferenced(Variant::fromString(QStringLiteral("free"))), S_OK);
        QCOMPARE(any.toString(), QStringLiteral("free"));
        QCOMPARE(Variant::fromI4(1).assignReferenced(Variant()), E_POINTER);

        // Reading through a reference sees the referenced value.
        Variant i2 = Variant::fromI2(7);
        Variant out;
        QCOMPARE(Variant::byRef(&i2).changeType(VT_I4, out), S_OK);
        QCOMPARE(out.toI4(), 7);
    }

    void arraysCheckTheirBoundsWithoutWrapping()
    {
        SafeArray a({{1, 3}, {1, 31}});
        QCOMPARE(a.elementCount(), qsizetype(93));
        QCOMPARE(a.put({2, 31}, Variant::fromBool(true)), S_OK);
        QCOMPARE(a.put({4, 1}, Variant::fromBool(true)), DISP_E_BADINDEX);
        QCOMPARE(a.put({1, 0}, Variant::fromBool(true)), DISP_E_BADINDEX);
        QCOMPARE(a.put({1}, Variant::fromBool(true)), DISP_E_BADINDEX);
        Variant v;
        QCOMPARE(a.get({2, 31}, v), S_OK);
        QVERIFY(v.toBool());
        QCOMPARE(a.get({3, 31}, v), S_OK);
        QVERIFY(v.isEmpty());

        // Copies are deep: the array travels by value inside variants.
        Variant holder = Variant::fromArray(a);
        QCOMPARE(holder.type(), uint16_t(VT_ARRAY | VT_VARIANT));
        Variant copy = holder;
        copy.array()->put({1, 1}, Variant::fromI4(9));
        QVERIFY(holder.array()->at({1, 1})->isEmpty());
        QVERIFY(!(copy == holder));

        SafeArray typed({{0, 2}}, VT_I4);
        QCOMPARE(typed.at({0})->type(), uint16_t(VT_I4));
        QCOMPARE(typed.put({1}, Variant::fromString(QStringLiteral("no"))), DISP_E_TYPEMISMATCH);

        // Bounds near the 32-bit limit are reported, not wrapped.
        constexpr int32_t top = std::numeric_limits<int32_t>::max();
        SafeArray endsAtTheTop({{top - 30, 31}});
        QVERIFY(endsAtTheTop.isAddressable(1));
        QCOMPARE(endsAtTheTop.count(1), 31u);
        QCOMPARE(endsAtTheTop.put({top}, Variant::fromI4(7)), S_OK);
        SafeArray pastTheTop({{top - 29, 31}});
        QVERIFY(!pastTheTop.isAddressable(1));
        QCOMPARE(pastTheTop.count(1), 31u);
        QVERIFY(!SafeArray().isAddressable(1));
        // An array that could never be held is refused when it is made, not wrapped into a small one.
        QVERIFY_THROWS_EXCEPTION(std::bad_alloc,
                                 SafeArray({{0, 0xFFFFFFFFu}, {0, 0xFFFFFFFFu}, {0, 0xFFFFFFFFu}}));
    }

    void variantsCountInterfaceReferences()
    {
        Ref<RecordingSink> sink = RecordingSink::create();
        {
            Variant v = Variant::fromDispatch(sink.get());
            QCOMPARE(sink->refs, 2u);
            Variant copy = v;
            QCOMPARE(sink->refs, 3u);
            Variant moved = std::move(copy);
            QCOMPARE(sink->refs, 3u);
            v = Variant::fromI4(1);
            QCOMPARE(sink->refs, 2u);
            Variant ref = Variant::byRef(&moved); // references never count
            QCOMPARE(sink->refs, 2u);
        }
        QCOMPARE(sink->refs, 1u);
    }

    void connectionPointsDeliverToEverySinkInOrder()
    {
        Owner owner;
        const Guid events = Guid::parse("{1838E701-6526-11D1-9A11-00C04FD8DC2E}");
        {
            ConnectionPoint cp(&owner, events);
            Ref<IConnectionPoint> held = Ref<IConnectionPoint>::share(&cp);
            QCOMPARE(owner.refs, 2u); // the point's count is its owner's
            held.reset();

            Ref<RecordingSink> a = RecordingSink::create();
            Ref<RecordingSink> b = RecordingSink::create();
            uint32_t ca = 0;
            uint32_t cb = 0;
            QCOMPARE(cp.Advise(static_cast<IDispatch*>(a.get()), &ca), S_OK);
            QCOMPARE(cp.Advise(static_cast<IDispatch*>(b.get()), &cb), S_OK);
            QVERIFY(ca != cb);
            QCOMPARE(a->refs, 2u);

            // The first sink doubles a by-reference argument; the second sees the change.
            a->onCall = [](QList<Variant>& args) {
                args[0].assignReferenced(Variant::fromI2(static_cast<int16_t>(args[0].deref().toI2() * 2)));
            };
            Variant key = Variant::fromI2(21);
            QList<Variant> args{Variant::byRef(&key)};
            cp.fire(-602, args);
            QCOMPARE(key.toI2(), int16_t(42));
            QCOMPARE(b->calls.size(), 1);
            QCOMPARE(b->calls[0].second, QStringLiteral("&42"));

            // A sink that unadvises another during delivery does not break the round.
            a->onCall = [&](QList<Variant>&) { cp.Unadvise(cb); };
            QList<Variant> none;
            cp.fire(5, none);
            QCOMPARE(b->calls.size(), 2);
            cp.fire(5, none);
            QCOMPARE(b->calls.size(), 2);
            QCOMPARE(cp.Unadvise(cb), CONNECT_E_NOCONNECTION);

            Owner notASink;
            uint32_t cookie = 0;
            QCOMPARE(cp.Advise(&notASink, &cookie), CONNECT_E_CANNOTCONNECT);
            cp.unadviseAll();
            QCOMPARE(a->refs, 1u);
        }
        QCOMPARE(owner.refs, 1u);
    }

    void streamsReportShortReads()
    {
        Ref<MemoryStream> s = MemoryStream::create();
        QCOMPARE(s->Write("abcdef", 6, nullptr), S_OK);
        QCOMPARE(s->Seek(2, SeekOrigin::Set, nullptr), S_OK);
        char buf[8] = {};
        uint32_t read = 0;
        QCOMPARE(s->Read(buf, 3, &read), S_OK);
        QCOMPARE(QByteArray(buf, 3), QByteArray("cde"));
        QCOMPARE(s->Read(buf, 8, &read), S_FALSE);
        QCOMPARE(read, 1u);
        QCOMPARE(s->Seek(-10, SeekOrigin::Current, nullptr), STG_E_INVALIDFUNCTION);
        uint64_t pos = 0;
        QCOMPARE(s->Seek(2, SeekOrigin::End, &pos), S_OK);
        QCOMPARE(pos, 8u);
        QCOMPARE(s->Write("z", 1, nullptr), S_OK); // writing past the end fills the gap
        QCOMPARE(s->data(), QByteArray("abcdef\0\0z", 9));
    }

    void propertyBagsConvertOnRead()
    {
        Ref<MemoryPropertyBag> bag = MemoryPropertyBag::create();
        bag->Write(QStringLiteral("MaxSelCount"), Variant::fromString(QStringLiteral("12")));
        bag->Write(QStringLiteral("Second"), Variant::fromBool(true));
        bag->Write(QStringLiteral("MaxSelCount"), Variant::fromI2(14)); // replaces, keeps its place
        QCOMPARE(bag->names(), QStringList({QStringLiteral("MaxSelCount"), QStringLiteral("Second")}));
        Variant v = Variant::fromI4(0);
        QCOMPARE(bag->Read(QStringLiteral("MaxSelCount"), v), S_OK);
        QCOMPARE(v.type(), uint16_t(VT_I4));
        QCOMPARE(v.toI4(), 14);
        Variant any;
        QCOMPARE(bag->Read(QStringLiteral("Second"), any), S_OK);
        QCOMPARE(any.type(), uint16_t(VT_BOOL));
        QCOMPARE(bag->Read(QStringLiteral("maxselcount"), v), E_INVALIDARG); // names are exact
        Variant asDispatch = Variant::fromDispatch(nullptr);
        QCOMPARE(bag->Read(QStringLiteral("Second"), asDispatch), DISP_E_TYPEMISMATCH);
    }

    void fontsSaveLoadAndNotifyChanges()
    {
        StdFont::Description d;
        d.name = QStringLiteral("Times New Roman");
        d.size = 100000;
        d.weight = 300;
        d.italic = true;
        Ref<IFont> font = StdFont::create(d);
        Ref<MemoryStream> s = MemoryStream::create();
        QCOMPARE(font.query<IPersistStream>()->Save(s.get(), true), S_OK);
        QCOMPARE(s->data().toHex(), QByteArray("01000002") + QByteArray("2c01a08601000f") +
                                        QByteArray("Times New Roman").toHex());

        // Every change is reported with the property's DISPID.
        Ref<RecordingSink> notify = RecordingSink::create();
        Ref<IConnectionPoint> cp;
        QCOMPARE(font.query<IConnectionPointContainer>()->FindConnectionPoint(
                     IPropertyNotifySink::iid, reinterpret_cast<IConnectionPoint**>(cp.put())),
                 S_OK);
        uint32_t cookie = 0;
        QCOMPARE(cp->Advise(static_cast<IPropertyNotifySink*>(notify.get()), &cookie), S_OK);
        QCOMPARE(font.query<IPersistStream>()->IsDirty(), S_FALSE);
        font->setBold(true);
        font->setUnderline(true);
        QCOMPARE(putProperty(font.query<IDispatch>().get(), DISPID_FONT_SIZE, Variant::fromR8(12)), S_OK);
        QCOMPARE(notify->calls,
                 (QList<QPair<DispId, QString>>{
                     {DISPID_FONT_BOLD, {}}, {DISPID_FONT_UNDER, {}}, {DISPID_FONT_SIZE, {}}}));
        QCOMPARE(font->size(), int64_t(120000));
        QCOMPARE(font.query<IPersistStream>()->IsDirty(), S_OK);
        QCOMPARE(font->setSize(0), E_INVALIDARG);
        cp->Unadvise(cookie);

        // A clone is equal but separate; loading the saved bytes gives the same font back.
        Ref<IFont> clone;
        QCOMPARE(font->Clone(reinterpret_cast<IFont**>(clone.put())), S_OK);
        QVERIFY(clone->isEqual(font.get()) && clone.get() != font.get());
        Ref<MemoryStream> saved = MemoryStream::create();
        font.query<IPersistStream>()->Save(saved.get(), true);
        saved->Seek(0, SeekOrigin::Set, nullptr);
        Ref<IFont> loaded = StdFont::create();
        QCOMPARE(loaded.query<IPersistStream>()->Load(saved.get()), S_OK);
        QVERIFY(loaded->isEqual(font.get()));
        QVERIFY(loaded->bold() && loaded->underline() && loaded->italic());
        QCOMPARE(loaded->toQFont().pointSizeF(), 12.0);

        // Other versions are refused.
        font = StdFont::create();
        Ref<MemoryStream> bad = MemoryStream::create(QByteArray::fromHex("02000000900100000000"));
        QCOMPARE(font.query<IPersistStream>()->Load(bad.get()), STG_E_INVALIDHEADER);
        // The name is longer than the bytes that follow: nothing is half-loaded.
        Ref<MemoryStream> cut = MemoryStream::create(QByteArray::fromHex("01000000900140420f000541726961"));
        QCOMPARE(font.query<IPersistStream>()->Load(cut.get()), STG_E_READFAULT);
        QCOMPARE(font->name(), QStringLiteral("Arial"));
        QCOMPARE(font->size(), int64_t(80000));
    }

    void fontNamesOfAnyScriptSurviveTheStream_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("saved"); // the name's bytes in the stream
        QTest::newRow("ASCII") << QStringLiteral("Courier New") << QByteArray("Courier New");
        QTest::newRow("Latin-1 stays Latin-1")
            << QStringLiteral("Caf\u00e9 Sans") << QByteArray("Caf\xe9 Sans");
        QTest::newRow("Japanese") << QStringLiteral("\u6e38\u30b4\u30b7\u30c3\u30af")
                                  << QByteArray(
                                         "\xe6\xb8\xb8\xe3\x82\xb4\xe3\x82\xb7\xe3\x83\x83\xe3\x82\xaf");
        QTest::newRow("Greek and Latin-1 mixed") << QStringLiteral("\u00c9\u03bb\u03bb\u03b7\u03bd")
                                                 << QByteArray("\xc3\x89\xce\xbb\xce\xbb\xce\xb7\xce\xbd");
    }

    void fontNamesOfAnyScriptSurviveTheStream()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, saved);
        Ref<IFont> font = StdFont::create();
        QCOMPARE(font->setName(name), S_OK);
        Ref<MemoryStream> s = MemoryStream::create();
        QCOMPARE(font.query<IPersistStream>()->Save(s.get(), true), S_OK);
        QCOMPARE(s->data().at(10), char(saved.size()));
        QCOMPARE(s->data().mid(11), saved);
        s->Seek(0, SeekOrigin::Set, nullptr);
        Ref<IFont> loaded = StdFont::create();
        QCOMPARE(loaded.query<IPersistStream>()->Load(s.get()), S_OK);
        QCOMPARE(loaded->name(), name);

        // Too long for the length byte: cut at a whole character.
        QCOMPARE(font->setName(QString(100, QChar(0x65E5)) + name), S_OK);
        Ref<MemoryStream> longer = MemoryStream::create();
        QCOMPARE(font.query<IPersistStream>()->Save(longer.get(), true), S_OK);
        longer->Seek(0, SeekOrigin::Set, nullptr);
        QCOMPARE(loaded.query<IPersistStream>()->Load(longer.get()), S_OK);
        QCOMPARE(loaded->name(), QString(85, QChar(0x65E5)));
    }

    void registryFileRoundTripsAndIsReadable()
    {
        ComponentRegistry r;
        QFile::remove(r.filePath());
        QVERIFY(r.load()); // no file yet: empty
        r.setValue(QStringLiteral("CLSID\\{X}\\InprocServer32"), {}, QStringLiteral("/opt/a \"b\"\\c.so"));
        r.setValue(QStringLiteral("CLSID\\{X}\\InprocServer32"), QStringLiteral("ThreadingModel"),
                   QStringLiteral("Apartment"));
        r.setValue(QStringLiteral("CLSID\\{X}\\MiscStatus\\1"), {}, QStringLiteral("131473"));
        r.setValue(QStringLiteral("Odd"), QStringLiteral("Multi"), QStringLiteral("line\none"));
        r.createKey(QStringLiteral("CLSID\\{X}\\Control"));
        QVERIFY(r.save());

        QFile f(r.filePath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        QVERIFY(text.contains(QStringLiteral("[CLSID\\{X}\\InprocServer32]\n@=\"/opt/a \\\"b\\\"\\\\c.so\"\n"
                                             "\"ThreadingModel\"=\"Apartment\"\n")));
        QVERIFY(text.contains(QStringLiteral("[CLSID\\{X}\\Control]\n")));

        ComponentRegistry again;
        QVERIFY(again.load());
        QCOMPARE(again.value(QStringLiteral("CLSID\\{X}\\InprocServer32")),
                 QStringLiteral("/opt/a \"b\"\\c.so"));
        QCOMPARE(again.value(QStringLiteral("Odd"), QStringLiteral("Multi")), QStringLiteral("line\none"));
        QVERIFY(again.isKeyEmpty(QStringLiteral("CLSID\\{X}\\Control")));
        QCOMPARE(again.toText(), r.toText());

        QVERIFY(again.removeKey(QStringLiteral("CLSID\\{X}")));
        QVERIFY(!again.keyExists(QStringLiteral("CLSID\\{X}\\MiscStatus\\1")));
        QVERIFY(again.keyExists(QStringLiteral("CLSID")));
        QVERIFY(!again.removeKey(QStringLiteral("CLSID\\{X}")));
    }

    void registryMatchesNamesWithoutCaseAndFindsClasses()
    {
        ComponentRegistry r(QDir(m_home.path()).filePath(QStringLiteral("case.reg")));
        r.setValue(QStringLiteral("Halvane.VorrinCtl\\CurVer"), {}, QStringLiteral("Halvane.VorrinCtl.1"));
        QCOMPARE(r.value(QStringLiteral("halvane.vorrinctl\\curver")), QStringLiteral("Halvane.VorrinCtl.1"));
        r.setValue(QStringLiteral("HALVANE.VORRINCTL"), QStringLiteral("x"), QStringLiteral("1"));
        r.setValue(QStringLiteral("Halvane.VorrinCtl"), QStringLiteral("X"), QStringLiteral("2"));
        QCOMPARE(r.subkeys(QString()), QStringList{QStringLiteral("Halvane.VorrinCtl")});
        QCOMPARE(r.valueNames(QStringLiteral("Halvane.VorrinCtl")), QStringList{QStringLiteral("x")});
        QCOMPARE(r.value(QStringLiteral("Halvane.VorrinCtl"), QStringLiteral("x")), QStringLiteral("2"));

        // Classes are found by ProgID, through CurVer, or by their own identifier.
        const Guid clsid = Guid::parse("{241A44CB-597F-11D1-9A00-00C04FD8DC2E}");
        r.setValue(QStringLiteral("Halvane.VorrinCtl.1\\CLSID"), {}, clsid.toString());
        r.setValue(QStringLiteral("CLSID\\") + clsid.toString() + QStringLiteral("\\InprocServer32"), {},
                   QStringLiteral("/x/libvorrin.so"));
        QVERIFY(r.classIdOf(QStringLiteral("Halvane.VorrinCtl")) == clsid);
        QVERIFY(r.classIdOf(QStringLiteral("Halvane.VorrinCtl.1")) == clsid);
        QVERIFY(r.classIdOf(clsid.toString()) == clsid);
        QVERIFY(!r.classIdOf(QStringLiteral("Nothing.Here")));
        QVERIFY(!r.classIdOf(QStringLiteral("CLSID\\Tricks")));
        QCOMPARE(r.inprocServerPath(clsid), QStringLiteral("/x/libvorrin.so"));
        r.setValue(QStringLiteral("Broken.1\\CLSID"), {}, QStringLiteral("not an identifier"));
        QVERIFY(!r.classIdOf(QStringLiteral("Broken.1")));
    }

    void malformedRegistryFileIsReportedAndKept()
    {
        const QString path = QDir(m_home.path()).filePath(QStringLiteral("bad.reg"));
        const auto write = [&](const QByteArray& text) {
            QFile f(path);
            return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
        };
        QVERIFY(write("[Good]\n@=\"1\"\n[Broken\n"));
        ComponentRegistry r(path);
        QString error;
        QVERIFY(!r.load(&error));
        QVERIFY(error.contains(QStringLiteral("line 3")));
        QVERIFY(!r.keyExists(QStringLiteral("Good"))); // all or nothing
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("[Good]\n@=\"1\"\n[Broken\n"));
        for (const char* text : {"@=\"outside\"\n", "[K]\n\"name\"\"value\"\n", "[K]\n@=\"open\n"}) {
            QVERIFY(write(text));
            QVERIFY2(!r.load(), text);
        }
    }

    void typeDescriptionRegistersAndUnregistersCleanly()
    {
        TypeLibrary lib;
        lib.name = QStringLiteral("DemoLib");
        lib.libId = Guid::parse("{11111111-2222-3333-4444-555555555555}");
        lib.lcid = 1033;
        lib.description = QStringLiteral("Demo");
        lib.className = QStringLiteral("Demo");
        lib.clsid = Guid::parse("{11111111-2222-3333-4444-666666666666}");
        InterfaceDescription i;
        i.name = QStringLiteral("IDemo");
        i.iid = Guid::parse("{11111111-2222-3333-4444-777777777777}");
        i.dual = true;
        MemberDescription m;
        m.name = QStringLiteral("Get");
        m.id = 9;
        m.params << ParamDescription{QStringLiteral("pVal"), QStringLiteral("DATE*"),
                                     uint16_t(VT_BYREF | VT_DATE), true};
        i.members << m;
        lib.interfaces << i;
        lib.enums << EnumDescription{QStringLiteral("Style"),
                                     {{QStringLiteral("A"), 0}, {QStringLiteral("B"), -1}}};
        QCOMPARE(TypeLibrary::memberText(m), QStringLiteral("9 method void([out] DATE* pVal)"));
        QVERIFY(i.find(QStringLiteral("get")) && i.find(9) && !i.find(10));

        ComponentRegistry r(QDir(m_home.path()).filePath(QStringLiteral("types.reg")));
        r.setValue(QStringLiteral("Interface\\{AAAAAAAA-0000-0000-0000-000000000000}"), {},
                   QStringLiteral("Other"));
        lib.registerIn(r, QStringLiteral("/p/libdemo.so"));
        const QString base = QStringLiteral("TypeLib\\{11111111-2222-3333-4444-555555555555}\\1.0");
        QCOMPARE(r.value(base + QStringLiteral("\\409\\linux64")), QStringLiteral("/p/libdemo.so"));
        QCOMPARE(r.value(base + QStringLiteral("\\HELPDIR")), QStringLiteral("/p"));
        QCOMPARE(r.value(base + QStringLiteral("\\Types\\Style"), QStringLiteral("B")), QStringLiteral("-1"));
        QCOMPARE(r.value(QStringLiteral("Interface\\{11111111-2222-3333-4444-777777777777}\\TypeLib")),
                 QStringLiteral("{11111111-2222-3333-4444-555555555555}"));
        lib.unregisterFrom(r);
        QVERIFY(!r.keyExists(QStringLiteral("TypeLib")));
        QVERIFY(!r.keyExists(QStringLiteral("Interface\\{11111111-2222-3333-4444-777777777777}")));
        QVERIFY(r.keyExists(QStringLiteral("Interface\\{AAAAAAAA-0000-0000-0000-000000000000}")));
    }

private:
    QTemporaryDir m_home;
};

QTEST_MAIN(ComponentTest)
#include "tst_component.moc"
