#include "IndexProgress.h"

#include "ui/BusyCursor.h"

#include <QCoreApplication>
#include <QLocale>
#include <QProgressDialog>

namespace pantrova {

IndexProgress::IndexProgress(QWidget* owner) : m_owner(owner) {}

IndexProgress::~IndexProgress() = default;

void IndexProgress::report(const QString& cookbookName, int done, int total)
{
    if (!m_busy) {
        m_busy = std::make_unique<ui::BusyCursor>();
        m_clock.start();
    }
    if (!m_dialog && done < total && m_clock.elapsed() >= kMoment) {
        m_dialog = std::make_unique<QProgressDialog>(m_owner);
        m_dialog->setObjectName(QStringLiteral("IndexProgress"));
        m_dialog->setWindowTitle(QStringLiteral("Find Recipes"));
        m_dialog->setAccessibleName(m_dialog->windowTitle());
        m_dialog->setCancelButton(nullptr);
        m_dialog->setMinimumDuration(0);
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
    }
    if (!m_dialog)
        return;
    m_dialog->setLabelText(
        QStringLiteral("Preparing the cookbook \"%1\" for finding recipes (%2 of %3 recipes)...")
            .arg(cookbookName, QLocale().toString(done), QLocale().toString(total)));
    m_dialog->setMaximum(qMax(total, 1));
    m_dialog->setValue(qMin(done, qMax(total, 1)));
    m_dialog->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace pantrova
