#include "WorkProgress.h"

#include <QApplication>
#include <QProgressDialog>
#include <QWindow>

namespace pantrova {

WorkProgress::WorkProgress(QWidget* owner, const QString& title, int steps, bool expectLong)
    : m_dialog(std::make_unique<QProgressDialog>())
{
    // Not a child of the owner: the owner is disabled while the work runs, and a child window
    // would look disabled with it. It stays over the owner all the same.
    if (owner) {
        m_dialog->winId();
        if (QWindow* over = owner->window()->windowHandle())
            m_dialog->windowHandle()->setTransientParent(over);
    }
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    m_dialog->setObjectName(QStringLiteral("WorkProgress"));
    m_dialog->setWindowTitle(title);
    m_dialog->setAccessibleName(title);
    m_dialog->setCancelButton(nullptr);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setRange(0, steps);
    m_dialog->setMinimumDuration(expectLong ? 0 : 300);
    m_dialog->setMinimumWidth(360);
    if (expectLong) {
        m_dialog->show();
        if (owner)
            m_dialog->move(owner->window()->geometry().center() - m_dialog->rect().center());
    }
}

WorkProgress::~WorkProgress()
{
    m_dialog->close();
    QApplication::restoreOverrideCursor();
}

void WorkProgress::show(int done, const QString& label)
{
    m_dialog->setLabelText(label);
    m_dialog->setValue(done);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace pantrova
