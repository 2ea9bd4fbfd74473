#include "WorkProgress.h"

#include <QApplication>
#include <QProgressDialog>

namespace pantrova {

WorkProgress::WorkProgress(QWidget* owner, const QString& title, int steps)
    : m_dialog(std::make_unique<QProgressDialog>(owner))
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    m_dialog->setObjectName(QStringLiteral("WorkProgress"));
    m_dialog->setWindowTitle(title);
    m_dialog->setAccessibleName(title);
    m_dialog->setCancelButton(nullptr);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setRange(0, steps);
    m_dialog->setMinimumDuration(300);
    m_dialog->setMinimumWidth(360);
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
