#include "vorrin/persistence/AboutBox.h"

#include "component/ModuleVersionInfo.h"
#include "vorrin/persistence/ModalSeam.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorrin {

namespace {

int& defaultDelay()
{
    static int delay = 5000;
    return delay;
}

} // namespace

AboutBox::AboutBox(const QString& fileVersion, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_closeDelay(defaultDelay())
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Halvane Cal Control"));
    setModal(true);

    auto* iconLabel = new QLabel(this);
    iconLabel->setObjectName(QStringLiteral("Icon"));
    iconLabel->setPixmap(icon());
    iconLabel->setAccessibleName(QStringLiteral("Halvane Cal Control"));

    auto* version = new QLabel(versionLine(fileVersion), this);
    version->setObjectName(QStringLiteral("VersionLine"));
    version->setAccessibleName(version->text());
    auto* rights = new QLabel(QStringLiteral("Copyright \u00A9 Halvane. All rights reserved."), this);
    rights->setObjectName(QStringLiteral("RightsLine"));
    rights->setAccessibleName(rights->text());

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setAccessibleName(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(version);
    texts->addWidget(rights);
    auto* top = new QHBoxLayout;
    top->addWidget(iconLabel, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ok, 0, Qt::AlignRight);

    m_autoClose.setSingleShot(true);
    connect(&m_autoClose, &QTimer::timeout, this, &QDialog::accept);
}

QString AboutBox::versionLine(const QString& fileVersion)
{
    return fileVersion.isEmpty() ? QStringLiteral("Halvane Cal Control")
                                 : QStringLiteral("Halvane Cal Control, Version ") + fileVersion;
}

QString AboutBox::libraryFileVersion()
{
    const QString module =
        component::ModuleVersionInfo::moduleContaining(reinterpret_cast<const void*>(&defaultDelay));
    const auto info = component::ModuleVersionInfo::read(module);
    return info ? info->value(QStringLiteral("FileVersion")) : QString();
}

void AboutBox::showFor(QWidget* owner)
{
    AboutBox box(libraryFileVersion(), owner);
    ModalSeam::run(box);
}

void AboutBox::setDefaultCloseDelay(int milliseconds)
{
    defaultDelay() = milliseconds;
}

int AboutBox::defaultCloseDelay()
{
    return defaultDelay();
}

void AboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_autoClose.start(m_closeDelay);
}

void AboutBox::hideEvent(QHideEvent* event)
{
    m_autoClose.stop();
    QDialog::hideEvent(event);
}

QPixmap AboutBox::icon(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 32.0;
    // A calendar leaf: navy title band over a white page with a grid of days.
    p.setPen(QPen(Qt::black, s));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2 * s, 4 * s, 28 * s, 26 * s));
    p.fillRect(QRectF(2.5 * s, 4.5 * s, 27 * s, 6 * s), QColor(0, 0, 128));
    p.setPen(QPen(QColor(128, 128, 128), s));
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 5; ++col)
            p.drawPoint(QPointF((6 + col * 5) * s, (14 + row * 4.5) * s));
    p.fillRect(QRectF(15 * s, 22 * s, 4 * s, 3.5 * s), QColor(200, 0, 0));
    return pm;
}

} // namespace vorrin
