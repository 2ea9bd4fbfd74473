// The control's members: validation, error messages, the date setters and dispatch by DISPID.
#include "ControlWorld.h"

#include <QApplication>
#include <QSignalSpy>

#include <limits>

using namespace vorrin;

class VorrinCtlTest : public QObject
{
    Q_OBJECT

private slots:
    void aNewControlsDefaultsAndSiteFont()
    {
        VorrinCtl ctl;
        QCOMPARE(ctl.get_BorderStyle(), Border3D);
        QVERIFY(ctl.get_BorderVisible());
        QCOMPARE(ctl.get_CalBackGroundColor(), 0xFFFFFFu);
        QCOMPARE(ctl.get_CalTextColor(), 0u);
        QCOMPARE(ctl.get_CalTitleBkColor(), 0x800000u);
        QCOMPARE(ctl.get_CalTitleTextColor(), 0xFFFFFFu);
        QCOMPARE(ctl.get_CalTrailingTextColor(), 0x808080u);
        QCOMPARE(ctl.get_CalMonthBKColor(), 0xFFFFFFu);
        QCOMPARE(ctl.get_PopupMonths(), 8);
        QCOMPARE(ctl.get_FirstDayOfWeek(), -1);
        QCOMPARE(ctl.get_PopupPositionX(), -4000);
        QCOMPARE(ctl.get_MinSelectRange(), -999.999);
        QCOMPARE(ctl.get_MaxSelectRange(), 999.999);
        QVERIFY(ctl.get_InitToNow());
        QVERIFY(!ctl.get_UsePopupOnly());
        QCOMPARE(ctl.get_dDate(), 0.0);
        QVERIFY(!ctl.calendarWindow());
        // Without a font of its own the site's font is italic Times, or the container's ambient one.
        QVERIFY(!ctl.hasFont());
        ctl.chooseSiteFont();
        QVERIFY(ctl.hasFont());
        QCOMPARE(ctl.get_Font().family(), QStringLiteral("Times New Roman"));
        QVERIFY(ctl.get_Font().italic());
        QCOMPARE(ctl.get_Font().pointSize(), 10);
        VorrinCtl ambient;
        ambient.setAmbientFont(QFont(QStringLiteral("Comic Sans MS"), 9));
        ambient.chooseSiteFont();
        QCOMPARE(ambient.get_Font().family(), QStringLiteral("Comic Sans MS"));
    }

    void messagesKeepTheirExactText()
    {
        QCOMPARE(messageText(Message::M1), QStringLiteral("Invalid MonthCalStyle - Range: 0 - 15"));
        QCOMPARE(
            messageText(Message::M2),
            QStringLiteral("Invalid Method for the current style property.\r\nMethod: SetSelectedDate\r\n"
                           "Property Required: Remove MultiSelect\r\nUse: SetSelRangeDate"));
        QCOMPARE(messageText(Message::M4), QStringLiteral("Invalid Range.\r\nMethod: SetSelRangeDate\r\n"));
        QCOMPARE(messageText(Message::M9),
                 QStringLiteral("Unable to retrive value from Property Today.\r\nProperty: Today\r\n"));
        QCOMPARE(messageText(Message::M12),
                 QStringLiteral("Invalid Method for the current style property.\r\n"
                                "Method: MinSelectRange\r\nProperty Required: MultiSelect."));
        QVERIFY(messageText(Message::M14).endsWith(QStringLiteral("include the DayStyle bit\r\n")));
        for (int id = 1; id <= 14; ++id)
            QVERIFY2(!messageText(static_cast<Message>(id)).isEmpty(), qPrintable(QString::number(id)));
    }

    void monthCalStyleIsChecked()
    {
        Hosted h;
        const ControlError e = errorOf([&] { h.ctl.put_MonthCalStyle(16); });
        QCOMPARE(e.number(), Result::Exception);
        QCOMPARE(e.message(), messageText(Message::M1));
        QCOMPARE(e.dispid(), DispId::MonthCalStyle);
        QCOMPARE(errorOf([&] { h.ctl.put_MonthCalStyle(-1); }).message(), messageText(Message::M1));
        QCOMPARE(h.ctl.get_MonthCalStyle(), MultiSelect);

        QPointer<MonthCalendar> before = h.ctl.calendarWindow();
        h.ctl.put_MonthCalStyle(15);
        QCOMPARE(h.ctl.get_MonthCalStyle(), 15);
        QVERIFY(!before); // recreated with the new style
        QCOMPARE(h.cal().style(),
                 std::uint32_t(StyleDayState | StyleMultiSelect | StyleWeekNumbers | StyleNoToday));
    }

    void singleDateMethodsNeedSingleSelect()
    {
        Hosted h;
        QCOMPARE(errorOf([&] { h.ctl.SetSelectedDate(ad(2026, 3, 4)); }).message(), messageText(Message::M2));
        double out = 0;
        QCOMPARE(errorOf([&] { h.ctl.GetSelectedDate(out); }).message(), messageText(Message::M3));

        h.ctl.SetSelRangeDate(ad(2026, 3, 4), ad(2026, 3, 6));
        QCOMPARE(h.cal().model().selStart(), QDate(2026, 3, 4));
        QCOMPARE(h.cal().model().selEnd(), QDate(2026, 3, 6));
        QCOMPARE(h.ctl.get_StartDate(), ad(2026, 3, 4));
        QCOMPARE(h.ctl.get_EndDate(), ad(2026, 3, 6));
        const ControlError tooLong = errorOf([&] { h.ctl.SetSelRangeDate(ad(2026, 3, 4), ad(2026, 3, 20)); });
        QCOMPARE(tooLong.message(), messageText(Message::M4));
        QCOMPARE(tooLong.dispid(), DispId::SetSelRangeDate);
        QCOMPARE(h.ctl.get_EndDate(), ad(2026, 3, 6));

        double start = 0, end = 0;
        h.ctl.GetSelRangeDate(start, end);
        QCOMPARE(start, ad(2026, 3, 4));
        QCOMPARE(end, ad(2026, 3, 6));

        h.ctl.put_MonthCalStyle(DefaultNoMultiSelect);
        QCOMPARE(errorOf([&] { h.ctl.SetSelRangeDate(1, 2); }).message(), messageText(Message::M5));
        QCOMPARE(errorOf([&] { h.ctl.GetSelRangeDate(start, end); }).message(), messageText(Message::M6));
        QCOMPARE(errorOf([&] { h.ctl.get_DateStartRange(start); }).message(), messageText(Message::M6));
        QCOMPARE(errorOf([&] { h.ctl.put_DateEndRange(start); }).message(), messageText(Message::M5));
        h.ctl.SetSelectedDate(ad(2027, 2, 14));
        QCOMPARE(h.cal().model().selStart(), QDate(2027, 2, 14));
        h.ctl.GetSelectedDate(out);
        QCOMPARE(out, ad(2027, 2, 14));
    }

    void withoutCalendarWindowMethodsDoNothing()
    {
        Hosted h([](VorrinCtl& c) { c.put_UsePopupOnly(true); });
        QVERIFY(!h.ctl.calendarWindow());
        double untouched = 1234.5;
        h.ctl.GetSelectedDate(untouched); // multi-select style, yet no error without a window
        QCOMPARE(untouched, 1234.5);
        QVariantList args{QStringLiteral("as passed")};
        h.ctl.invoke(DispId::GetSelectedDate, args);
        QCOMPARE(args.at(0), QVariant(QStringLiteral("as passed")));
        QVERIFY(!h.ctl.getProperty(DispId::DateStartRange).isValid());
        h.ctl.SetSelectedDate(5);
        h.ctl.SetSelRangeDate(5, 6);
        std::int32_t months = -1;
        h.ctl.GetVisibleMonths(months);
        QCOMPARE(months, 0);

        h.ctl.put_UsePopupOnly(false);
        QVERIFY(h.ctl.calendarWindow());
        h.ctl.put_UsePopupOnly(true);
        QVERIFY(!h.ctl.calendarWindow());
        h.ctl.put_MonthCalStyle(DefaultNoMultiSelect); // a style change keeps a popup-only control windowless
        QVERIFY(!h.ctl.calendarWindow());
    }

    void firstDayOfWeekRange()
    {
        Hosted h;
        h.ctl.put_FirstDayOfWeek(-1);
        QCOMPARE(h.ctl.get_FirstDayOfWeek(), -1);
        QCOMPARE(h.cal().model().firstDayOfWeek(), QLocale().firstDayOfWeek());
        for (int bad : {7, -2}) {
            const ControlError e = errorOf([&] { h.ctl.put_FirstDayOfWeek(bad); });
            QCOMPARE(e.message(), messageText(Message::M10));
        }
        h.ctl.put_FirstDayOfWeek(Sunday);
        QCOMPARE(h.ctl.get_FirstDayOfWeek(), Sunday);
        QCOMPARE(h.cal().model().firstDayOfWeek(), Qt::Sunday);
        // An explicit day reads back as set, even when it is also the locale's.
        const int localeDay = static_cast<int>(QLocale().firstDayOfWeek()) - 1;
        h.ctl.put_FirstDayOfWeek(localeDay);
        QCOMPARE(h.ctl.get_FirstDayOfWeek(), localeDay);
    }

    void maxSelCountAndSelectableRange()
    {
        Hosted h;
        QCOMPARE(errorOf([&] { h.ctl.put_MaxSelCount(0); }).message(), messageText(Message::M8));
        QCOMPARE(h.ctl.get_MaxSelCount(), 7);
        h.ctl.put_MaxSelCount(3);
        QCOMPARE(h.cal().model().maxSelCount(), 3);

        h.ctl.put_MinSelectRange(ad(2026, 1, 1));
        h.ctl.put_MaxSelectRange(ad(2026, 6, 30));
        QCOMPARE(h.cal().model().minimum(), QDate(2026, 1, 1));
        QCOMPARE(h.cal().model().maximum(), QDate(2026, 6, 30));
        QCOMPARE(errorOf([&] { h.ctl.put_MaxSelectRange(ad(2025, 1, 1)); }).message(),
                 messageText(Message::M11));
        QCOMPARE(errorOf([&] { h.ctl.put_MinSelectRange(ad(2027, 1, 1)); }).message(),
                 messageText(Message::M13));
        QCOMPARE(h.ctl.get_MaxSelectRange(), ad(2026, 6, 30));

        h.ctl.put_MonthCalStyle(DefaultNoMultiSelect);
        QCOMPARE(errorOf([&] { h.ctl.put_MaxSelCount(2); }).message(), messageText(Message::M7));
        QCOMPARE(errorOf([&] { h.ctl.put_MinSelectRange(1); }).message(), messageText(Message::M12));
        QCOMPARE(errorOf([&] { h.ctl.put_MaxSelectRange(1); }).message(), messageText(Message::M12));

        VorrinCtl bare; // without a window everything is recorded as given
        bare.put_MaxSelCount(0);
        bare.put_MaxSelectRange(12.0);
        QCOMPARE(bare.get_MaxSelCount(), 0);
        QCOMPARE(bare.get_MaxSelectRange(), 12.0);
    }

    void initToNowSelectsToday()
    {
        Hosted h;
        const QDate today = QDate::currentDate();
        QCOMPARE(h.cal().model().selStart(), today);
        QCOMPARE(h.cal().model().selEnd(), today);
        QCOMPARE(h.ctl.get_dDate(), automationFromDate(today));
        QCOMPARE(h.ctl.get_EndDate(), automationFromDate(today));
        QCOMPARE(h.ctl.get_Today(), automationFromDate(today));

        Hosted kept([](VorrinCtl& c) {
            c.put_InitToNow(false);
            c.put_dDate(ad(2001, 5, 6));
        });
        QCOMPARE(kept.cal().model().selStart(), QDate(2001, 5, 6));
        QCOMPARE(kept.ctl.get_EndDate(), ad(2001, 5, 6)); // an unset end takes the start
    }

    void dateSettersFollowTheSelectionMode()
    {
        Hosted h;
        h.ctl.put_MaxSelCount(3);
        h.ctl.put_dDate(ad(2026, 4, 10));
        QCOMPARE(h.ctl.get_StartDate(), ad(2026, 4, 10));
        QCOMPARE(h.ctl.get_EndDate(), ad(2026, 4, 10));
        h.ctl.put_EndDate(ad(2026, 4, 12));
        QCOMPARE(h.cal().model().selEnd(), QDate(2026, 4, 12));
        // A start too far before the end collapses the range onto the start.
        h.ctl.put_StartDate(ad(2026, 4, 1));
        QCOMPARE(h.ctl.get_EndDate(), ad(2026, 4, 1));
        QCOMPARE(h.cal().model().selStart(), QDate(2026, 4, 1));
        QCOMPARE(h.cal().model().selEnd(), QDate(2026, 4, 1));
        h.ctl.put_MinSelectRange(ad(2026, 1, 1));
        QCOMPARE(errorOf([&] { h.ctl.put_dDate(ad(2025, 1, 1)); }).message(), messageText(Message::M2));

        double start = 0;
        h.ctl.put_DateStartRange(ad(2026, 5, 5));
        h.ctl.get_DateStartRange(start);
        QCOMPARE(start, ad(2026, 5, 5));
        QCOMPARE(errorOf([&] { h.ctl.put_DateEndRange(ad(2026, 5, 30)); }).number(), Result::Fail);

        h.ctl.put_MonthCalStyle(DefaultNoMultiSelect);
        h.ctl.put_dDate(ad(2026, 8, 8));
        QCOMPARE(h.cal().model().selStart(), QDate(2026, 8, 8));
    }

    void refusedDatesFailAndTellNobody_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("dispid");
        QTest::addColumn<double>("value");
        QTest::addColumn<quint32>("result");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const std::pair<const char*, int> setters[] = {
            {"dDate", DispId::dDate}, {"StartDate", DispId::StartDate}, {"EndDate", DispId::EndDate}};
        for (const auto& [name, dispid] : setters) {
            QTest::addRow("%s, single select, far beyond any calendar", name)
                << int(DefaultNoMultiSelect) << dispid << 1e12 << Result::Fail;
            QTest::addRow("%s, single select, not a number", name)
                << int(DefaultNoMultiSelect) << dispid << nan << Result::Fail;
            QTest::addRow("%s, multi-select, far beyond any calendar", name)
                << int(MultiSelect) << dispid << 1e12
                << (dispid == DispId::dDate ? Result::Exception : Result::Fail);
        }
    }

    void refusedDatesFailAndTellNobody()
    {
        QFETCH(int, style);
        QFETCH(int, dispid);
        QFETCH(double, value);
        QFETCH(quint32, result);
        Hosted h([&](VorrinCtl& c) {
            c.put_MonthCalStyle(style);
            c.put_InitToNow(false);
            c.put_dDate(ad(2026, 4, 10));
        });
        const double start = h.ctl.get_StartDate();
        const double end = h.ctl.get_EndDate();
        QSignalSpy changed(&h.ctl, &VorrinCtl::propertyChanged);
        QSignalSpy data(&h.ctl, &VorrinCtl::dataChanged);
        int asked = 0;
        h.ctl.setRequestEdit([&](int) {
            ++asked;
            return true;
        });
        const ControlError e = errorOf([&] { h.ctl.putProperty(dispid, value); });
        QCOMPARE(e.number(), result);
        QCOMPARE(e.dispid(), dispid);
        QCOMPARE(h.ctl.get_StartDate(), start);
        QCOMPARE(h.ctl.get_dDate(), ad(2026, 4, 10));
        QCOMPARE(h.ctl.get_EndDate(), end);
        QCOMPARE(h.cal().model().selStart(), QDate(2026, 4, 10));
        QCOMPARE(h.cal().model().selEnd(), QDate(2026, 4, 10));
        QCOMPARE(asked, 0);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(data.count(), 0);
    }

    void requestEditAndNotifications()
    {
        Hosted h;
        QSignalSpy changed(&h.ctl, &VorrinCtl::propertyChanged);
        QSignalSpy data(&h.ctl, &VorrinCtl::dataChanged);
        h.ctl.put_CalTitleBkColor(0x00336699u);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), DispId::CalTitleBkColor);
        QCOMPARE(h.cal().color(MonthCalendar::TitleBackgroundColor), QColor(0x99, 0x66, 0x33));

        QList<int> asked;
        h.ctl.setRequestEdit([&](int dispid) {
            asked << dispid;
            return false;
        });
        const ControlError e = errorOf([&] { h.ctl.put_StartDate(ad(2026, 2, 2)); });
        QCOMPARE(e.number(), Result::SetNotPermitted);
        QCOMPARE(e.dispid(), DispId::StartDate);
        QCOMPARE(h.ctl.get_StartDate(), ad(2026, 2, 2)); // the change stays applied
        QCOMPARE(data.count(), 0);
        QFont font(QStringLiteral("Serif"), 14);
        h.ctl.put_Font(font); // refused quietly
        QVERIFY(!h.ctl.hasFont());
        QCOMPARE(asked, (QList<int>{DispId::StartDate, DispId::Font}));

        h.ctl.setRequestEdit({});
        h.ctl.put_EndDate(ad(2026, 2, 3));
        QCOMPARE(data.count(), 1);
        h.ctl.put_Font(font);
        QCOMPARE(h.cal().font().pointSize(), 14);
    }

    void colorsTranslate()
    {
        QCOMPARE(VorrinCtl::translateColor(0x00800000u), QColor(0, 0, 128));
        QCOMPARE(VorrinCtl::oleColor(QColor(0x12, 0x34, 0x56)), 0x00563412u);
        QCOMPARE(VorrinCtl::translateColor(0x80000005u), QApplication::palette().color(QPalette::Base));
    }

    void borderPlacesTheCalendarAndDrawsTheSurface()
    {
        Hosted h;
        QCOMPARE(h.cal().geometry(), h.ctl.controlWindow()->rect().adjusted(2, 2, -2, -2));
        h.ctl.setAmbientBackColor(QColor(10, 200, 30));
        h.ctl.put_BorderStyle(BorderFlat);
        h.ctl.setExtent(QSize(300, 220));
        QCOMPARE(h.cal().geometry(), QRect(1, 1, 298, 218));
        QWidget& surface = *h.ctl.controlWindow();
        auto pixel = [&](int x, int y) {
            QImage image(surface.size(), QImage::Format_RGB32);
            surface.render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
            return image.pixelColor(x, y);
        };
        QCOMPARE(pixel(0, 0), surface.palette().color(QPalette::WindowText));
        h.ctl.put_BorderVisible(false);
        h.ctl.setExtent(QSize(310, 220));
        QCOMPARE(h.cal().geometry(), QRect(0, 0, 310, 220));
        QCOMPARE(h.ctl.extent(), QSize(310, 220));
        h.ctl.put_UsePopupOnly(true);
        QCOMPARE(pixel(0, 0), QColor(10, 200, 30)); // run mode: the ambient colour only
        QCOMPARE(pixel(20, 20), QColor(10, 200, 30));
        h.ctl.setUserMode(false);
        QCOMPARE(pixel(8, 2), QColor(0, 0, 128)); // design mode: the control's icon
        QCOMPARE(pixel(20, 20), QColor(10, 200, 30));
    }

    void dispatchReachesEveryMember()
    {
        Hosted h;
        // Every property reads and writes back its own value through its DISPID.
        for (const MemberInfo& m : VorrinCtl::members()) {
            if (m.kind != MemberInfo::Property || m.dispid == DispId::Font)
                continue;
            const QVariant value = h.ctl.getProperty(m.dispid);
            QVERIFY2(value.isValid(), m.name);
            h.ctl.putProperty(m.dispid, value);
            QCOMPARE(h.ctl.getProperty(m.dispid), value);
        }
        QCOMPARE(VorrinCtl::members().size(), std::size_t(33));
        QCOMPARE(VorrinCtl::events().size(), std::size_t(9));
        QCOMPARE(VorrinCtl::findMember(QStringLiteral("ddate"))->dispid, DispId::dDate);
        QVERIFY(VorrinCtl::findMember(DispId::dDate)->defaultBind);
        QVERIFY(VorrinCtl::findMember(DispId::Today)->hidden);
        QCOMPARE(VorrinCtl::findEvent(DispId::EvDayState)->args.size(), std::size_t(4));
        QVERIFY(VorrinCtl::findEvent(DispId::EvDayState)->args[3].byRef);

        h.ctl.putProperty(DispId::MonthCalStyle, DefaultNoMultiSelect);
        QVariantList one{QDate(2026, 7, 4)};
        h.ctl.invoke(DispId::SetSelectedDate, one);
        QVariantList out{QVariant()};
        h.ctl.invoke(DispId::GetSelectedDate, out);
        QCOMPARE(out.at(0).toDouble(), ad(2026, 7, 4));
        QVariantList none;
        QCOMPARE(errorOf([&] { h.ctl.invoke(DispId::SetSelectedDate, none); }).number(),
                 Result::BadParamCount);
        QCOMPARE(errorOf([&] { h.ctl.invoke(12345, none); }).number(), Result::MemberNotFound);
        QCOMPARE(errorOf([&] { h.ctl.putProperty(DispId::MaxSelCount, QStringLiteral("many")); }).number(),
                 Result::TypeMismatch);
        const ControlError viaDispatch = errorOf([&] { h.ctl.putProperty(DispId::MonthCalStyle, 16); });
        QCOMPARE(viaDispatch.message(), messageText(Message::M1));
        h.ctl.putProperty(DispId::CalTextColor, QVariant(-2147483640)); // a system colour as signed 32-bit
        QCOMPARE(h.ctl.get_CalTextColor(), 0x80000008u);
    }
};

int runVorrinCtlTests(int argc, char** argv)
{
    VorrinCtlTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_VorrinCtl.moc"
