#include "About_Form.h"

#include "AboutArtwork.h"
#include "Program.h"
#include "pantrova/version.h"
#include "ui/Dialogs.h"
#include "ui/ErrorGuard.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace pantrova {

About_Form::About_Form(QWidget* parent)
    : QDialog(parent), Image1(new QLabel), VersionLabel(new QLabel), TitleLabel(new QLabel),
      Return_Button(new QPushButton(QStringLiteral("Return"))), Timer1(new QTimer(this))
{
    setObjectName(QStringLiteral("About_Form"));
    setWindowTitle(QStringLiteral("About Pantrova"));
    if (program().SplashMode)
        setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);

    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Pantrova"));
    Image1->setPixmap(AboutArtwork::load(program().shippedDir()));
    Image1->setAlignment(Qt::AlignCenter);

    TitleLabel->setObjectName(QStringLiteral("TitleLabel"));
    TitleLabel->setText(QStringLiteral("A recipe manager for home cooks"));
    TitleLabel->setAlignment(Qt::AlignCenter);
    VersionLabel->setObjectName(QStringLiteral("VersionLabel"));
    VersionLabel->setAlignment(Qt::AlignCenter);
    Return_Button->setObjectName(QStringLiteral("Return_Button"));
    Return_Button->setAccessibleName(QStringLiteral("Return"));
    Return_Button->setDefault(true);
    Return_Button->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Return_Button);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->addWidget(Image1);
    layout->addWidget(TitleLabel);
    layout->addWidget(VersionLabel);
    layout->addLayout(buttons);
    setStyleSheet(QStringLiteral("#About_Form { background: #FBF6EC; }"
                                 "#TitleLabel { color: #2F4F3F; font-size: 11pt; }"
                                 "#VersionLabel { color: #5A5249; }"));

    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this,
            [this] { ui::guarded(QStringLiteral("Opening Pantrova"), [this] { Timer1_Timer(); }); });
    connect(Return_Button, &QPushButton::clicked, this, &About_Form::LeaveStep);

    Form_Load();
}

QString About_Form::versionText()
{
    return QStringLiteral("Version: ") + QString::number(kVersionMajor) + u'.' +
           QString::number(kVersionMinor) + u'.' + QString::number(kVersionRevision);
}

void About_Form::Form_Load()
{
    if (!program().SplashMode)
        Return_Button->setVisible(true);
    VersionLabel->setText(versionText());
}

void About_Form::Form_Activate()
{
    if (program().SplashMode && !Timer1->isActive() && m_ticks < 2)
        Timer1->start();
}

bool About_Form::event(QEvent* e)
{
    // Being shown counts as becoming active: a desktop without a window manager never activates the
    // splash, and the program must still go on to its main window.
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::Show)
        Form_Activate();
    return QDialog::event(e);
}

void About_Form::closeEvent(QCloseEvent* e)
{
    // A splash closed by hand takes its timer with it: go on to the main window at once rather than
    // leave a program running with no window.
    if (program().SplashMode) {
        Timer1->stop();
        LeaveStep();
    }
    QDialog::closeEvent(e);
}

void About_Form::Timer1_Timer()
{
    ++m_ticks;
    if (m_ticks == 2) {
        Timer1->stop();
        setCursor(Qt::BusyCursor);
        LeaveStep();
    }
}

void About_Form::LeaveStep()
{
    if (program().SplashMode) {
        program().SplashMode = false;
        setCursor(Qt::WaitCursor);
        if (program().showMainWindow)
            program().showMainWindow();
    } else {
        close();
    }
}

void About_Form::showAboutBox(QWidget* parent)
{
    About_Form box(parent);
    ui::Dialogs::runModal(box);
}

} // namespace pantrova
