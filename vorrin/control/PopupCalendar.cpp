#include "PopupCalendar.h"

#include "MonthCalendar.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QSizeGrip>
#include <QVBoxLayout>

namespace vorrin {

namespace {
constexpr int EdgeWidth = 2; // the sunken edge around the client area
}

PopupCalendar::PopupCalendar(std::uint32_t styleBits, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("PopupCalendar"));
    setAccessibleName(tr("Calendar"));
    setFont(popupFont());

    m_calendar = new MonthCalendar(styleBits, this);
    m_calendar->setFont(popupFont());

    m_buttonBar = new QWidget(this);
    m_buttonBar->setObjectName(QStringLiteral("ButtonBar"));
    m_ok = new QPushButton(tr("OK"), m_buttonBar);
    m_ok->setObjectName(QStringLiteral("OK"));
    m_ok->setAccessibleName(tr("OK"));
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    m_cancel = new QPushButton(tr("Cancel"), m_buttonBar);
    m_cancel->setObjectName(QStringLiteral("Cancel"));
    m_cancel->setAccessibleName(tr("Cancel"));
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* bar = new QHBoxLayout(m_buttonBar);
    bar->setContentsMargins(6, 2, 2, 2);
    bar->setSpacing(6);
    bar->addStretch(1);
    bar->addWidget(m_ok);
    bar->addWidget(m_cancel);
    bar->addWidget(new QSizeGrip(m_buttonBar), 0, Qt::AlignBottom | Qt::AlignRight);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(EdgeWidth, EdgeWidth, EdgeWidth, EdgeWidth);
    column->setSpacing(0);
    column->addWidget(m_calendar, 1);
    column->addWidget(m_buttonBar, 0);
    m_calendar->setFocus();
}

QFont PopupCalendar::popupFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    font.setWeight(QFont::Light);
    return font;
}

void PopupCalendar::setPopupSize(const QSize& outer, int columns, int rows)
{
    setMinimumSize(QSize(std::min(outer.width(), 160), std::min(outer.height(), 160)));
    m_calendar->setMonthGrid(columns, rows);
    resize(outer);
    // Lay out now, so the calendar knows how many months it shows before it is filled in.
    layout()->activate();
}

QSize PopupCalendar::calendarSize() const
{
    return m_calendar->size();
}

void PopupCalendar::paintEvent(QPaintEvent*)
{
    // A sunken edge: dark on the top and left, light on the bottom and right.
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(palette().color(QPalette::Shadow));
    p.drawLine(r.topLeft() + QPoint(1, 1), r.topRight() + QPoint(-1, 1));
    p.drawLine(r.topLeft() + QPoint(1, 1), r.bottomLeft() + QPoint(1, -1));
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(palette().color(QPalette::Midlight));
    p.drawLine(r.bottomLeft() + QPoint(1, -1), r.bottomRight() + QPoint(-1, -1));
    p.drawLine(r.topRight() + QPoint(-1, 1), r.bottomRight() + QPoint(-1, -1));
}

} // namespace vorrin
