#include "MenuCalendar.h"

#include "component/SafeArray.h"
#include "component/StdFont.h"
#include "data/Value.h"
#include "ui/Dialogs.h"

#include <QDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QWidget>

#include <stdexcept>

namespace pantrova {

using namespace component;

namespace {

// The calendar's place on the window before it measures itself, in pixels.
constexpr QSize kDesignSize(236, 180);
constexpr int kBorderInset = 2; // a visible 3D border takes two pixels on each side

uint32_t himetric(int pixels)
{
    return uint32_t(pixels * 2540 / 96);
}

constexpr uint32_t oleColor(int red, int green, int blue)
{
    return uint32_t(red) | uint32_t(green) << 8 | uint32_t(blue) << 16;
}

QDate dateOf(double automationDate)
{
    return engine::fromAutomationDate(automationDate).date();
}

} // namespace

MenuCalendar::MenuCalendar(QWidget* frame, MenuDaysQuery menuDays, QObject* parent)
    : QObject(parent), m_frame(frame), m_menuDays(std::move(menuDays))
{
    m_host.setUserMode(true);
    // The popup is the program's modal window like any other: through the dialog seam. The
    // control shows it before handing it over; it is hidden so that it comes back modal.
    m_host.setModalRunner([](QDialog& dialog) {
        if (dialog.isVisible())
            dialog.hide();
        return ui::Dialogs::runModal(dialog);
    });
    connect(&m_host, &CalendarHost::DayState, this, &MenuCalendar::onDayState);
}

MenuCalendar::~MenuCalendar()
{
    release();
}

Ref<MemoryPropertyBag> MenuCalendar::designSettings(const QString& fontFamily)
{
    Ref<MemoryPropertyBag> bag = MemoryPropertyBag::create();
    bag->set(QStringLiteral("_cx"), Variant::fromUI4(himetric(kDesignSize.width())));
    bag->set(QStringLiteral("_cy"), Variant::fromUI4(himetric(kDesignSize.height())));
    bag->set(QStringLiteral("CalBackGroundColor"), Variant::fromUI4(oleColor(255, 255, 255)));
    bag->set(QStringLiteral("CalTextColor"), Variant::fromUI4(oleColor(0, 0, 0)));
    bag->set(QStringLiteral("CalTitleBkColor"), Variant::fromUI4(oleColor(0, 0, 128)));
    bag->set(QStringLiteral("CalTitleTextColor"), Variant::fromUI4(oleColor(255, 255, 255)));
    bag->set(QStringLiteral("CalTrailingTextColor"), Variant::fromUI4(oleColor(128, 128, 128)));
    bag->set(QStringLiteral("CalMonthBkColor"), Variant::fromUI4(oleColor(255, 255, 255)));
    // Multi-select with day states: a selection is a range of one day, reported through the
    // range events, and the days that hold a menu can be drawn bold.
    bag->set(QStringLiteral("MonthCalStyle"), Variant::fromI4(9));
    bag->set(QStringLiteral("BorderStyle"), Variant::fromI4(1));
    bag->set(QStringLiteral("BorderVisible"), Variant::fromBool(true));
    StdFont::Description font;
    font.name = fontFamily;
    font.size = 90000; // 9 points
    font.weight = 400;
    Ref<IFont> fontObject = StdFont::create(font);
    bag->set(QStringLiteral("Font"), Variant::fromDispatch(fontObject.query<IDispatch>().get()));
    // No dates: the calendar starts on today (InitToNow) and the planner sets its day.
    bag->set(QStringLiteral("PopupMonths"), Variant::fromI4(12));
    bag->set(QStringLiteral("UsePopupOnly"), Variant::fromBool(false));
    bag->set(QStringLiteral("MaxSelCount"), Variant::fromI4(1));
    bag->set(QStringLiteral("FirstDayOfWeek"), Variant::fromI4(-1));
    bag->set(QStringLiteral("InitToNow"), Variant::fromBool(true));
    return bag;
}

QString MenuCalendar::fontFamily()
{
    // The planner's calendar has always had a friendly, handwritten look. Systems without the
    // original face mostly offer one of its look-alikes.
    static const char* const candidates[] = {"Comic Sans MS", "Comic Neue", "Comic Relief", "Purisa"};
    const QStringList families = QFontDatabase::families();
    for (const char* candidate : candidates) {
        const QString name = QString::fromLatin1(candidate);
        if (families.contains(name, Qt::CaseInsensitive))
            return name;
    }
    return QString::fromLatin1(candidates[0]); // the font matcher picks the nearest face
}

bool MenuCalendar::create()
{
    release();
    delete m_unavailableLabel;
    m_unavailableLabel = nullptr;
    m_unavailable.clear();

    QString error;
    Ref<MemoryPropertyBag> settings = designSettings(fontFamily());
    bool ok = m_host.create(CalendarHost::defaultProgId(), &error) &&
              m_host.loadSettings(settings.get(), &error) &&
              m_host.activate(m_frame, QRect(QPoint(0, 0), kDesignSize));
    if (ok) {
        // One month in the calendar's own font, plus its border.
        QWidget* control = m_host.controlWindow();
        const QList<QWidget*> inside =
            control ? control->findChildren<QWidget*>(Qt::FindDirectChildrenOnly) : QList<QWidget*>();
        QSize size = kDesignSize;
        if (!inside.isEmpty() && inside.first()->sizeHint().isValid())
            size = inside.first()->sizeHint() + QSize(2 * kBorderInset, 2 * kBorderInset);
        m_host.setRect(QRect(QPoint(0, 0), size));
        m_frame->setFixedSize(size);
        if (control) {
            control->setObjectName(QStringLiteral("Cal"));
            control->setAccessibleName(QStringLiteral("Calendar"));
        }
        return true;
    }
    m_unavailable = error.isEmpty() ? QStringLiteral("The calendar control could not be created.") : error;
    m_host.release();
    m_unavailableLabel =
        new QLabel(QStringLiteral("The calendar is not available.\n\n") + m_unavailable, m_frame);
    m_unavailableLabel->setObjectName(QStringLiteral("CalUnavailable"));
    m_unavailableLabel->setWordWrap(true);
    m_unavailableLabel->setAlignment(Qt::AlignCenter);
    m_frame->setFixedSize(kDesignSize);
    m_unavailableLabel->setGeometry(QRect(QPoint(0, 0), kDesignSize));
    m_unavailableLabel->show();
    return false;
}

void MenuCalendar::release()
{
    m_host.release();
    m_inlineMonths = 0;
}

void MenuCalendar::requireCreated() const
{
    if (!m_host.isCreated())
        throw std::runtime_error(
            QString(QStringLiteral("The calendar is not available. ") + m_unavailable).toStdString());
}

void MenuCalendar::check(HResult hr, const ExcepInfo& excep, const QString& member) const
{
    if (succeeded(hr))
        return;
    const QString why = !excep.description.isEmpty()
                            ? excep.description
                            : QStringLiteral("The calendar refused %1 (error 0x%2).")
                                  .arg(member)
                                  .arg(static_cast<uint32_t>(hr), 8, 16, QChar(u'0'));
    throw std::runtime_error(why.toStdString());
}

void MenuCalendar::setDate(QDate day)
{
    requireCreated();
    ExcepInfo excep;
    check(
        m_host.setProperty(QStringLiteral("dDate"), Variant::fromDate(engine::toAutomationDate(day)), &excep),
        excep, QStringLiteral("dDate"));
}

void MenuCalendar::setEndDate(QDate day)
{
    requireCreated();
    ExcepInfo excep;
    check(m_host.setProperty(QStringLiteral("EndDate"), Variant::fromDate(engine::toAutomationDate(day)),
                             &excep),
          excep, QStringLiteral("EndDate"));
}

void MenuCalendar::popup()
{
    requireCreated();
    ExcepInfo excep;
    QList<Variant> none;
    check(m_host.call(QStringLiteral("Popup"), none, &excep), excep, QStringLiteral("Popup"));
}

void MenuCalendar::onDayState(double startDate, Variant& dayState, bool popup, bool& handled)
{
    SafeArray* days = dayState.array();
    if (!days || days->dimensions() != 2)
        return;
    const int months = days->upperBound(1) - days->lowerBound(1) + 1;
    const QDate first = dateOf(startDate);
    const QDate firstMonth(first.year(), first.month(), 1);
    if (!popup) {
        m_inlineFirstMonth = firstMonth;
        m_inlineMonths = months;
    }
    QList<QDate> menuDays;
    try {
        menuDays = m_menuDays ? m_menuDays(firstMonth, firstMonth.addMonths(months)) : QList<QDate>();
    } catch (...) {
        return; // the calendar is drawn without bold days rather than not at all
    }
    for (const QDate& day : menuDays) {
        const int month = (day.year() - firstMonth.year()) * 12 + day.month() - firstMonth.month();
        days->put({days->lowerBound(1) + month, days->lowerBound(2) + day.day() - 1},
                  Variant::fromBool(true));
    }
    handled = true;
}

void MenuCalendar::refreshBoldDays()
{
    if (!m_host.isCreated() || m_inlineMonths <= 0)
        return;
    SafeArray days({{1, uint32_t(m_inlineMonths)}, {1, 31}});
    for (int m = 1; m <= m_inlineMonths; ++m)
        for (int d = 1; d <= 31; ++d)
            days.put({m, d}, Variant::fromBool(false));
    Variant state = Variant::fromArray(std::move(days));
    bool handled = false;
    onDayState(engine::toAutomationDate(m_inlineFirstMonth), state, false, handled);
    if (!handled)
        return;
    QList<Variant> args{state};
    m_host.call(QStringLiteral("SetDayState"), args);
}

} // namespace pantrova
