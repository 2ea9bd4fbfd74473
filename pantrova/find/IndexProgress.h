#pragma once

#include <QElapsedTimer>
#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

namespace ui {
class BusyCursor;
}

namespace pantrova {

// The busy pointer and, once it has taken more than a moment, a progress window while a cookbook's
// search index is built. The window has no Cancel button and takes no input; between batches of
// recipes only painting and timers run.
class IndexProgress
{
public:
    explicit IndexProgress(QWidget* owner);
    ~IndexProgress();
    IndexProgress(const IndexProgress&) = delete;
    IndexProgress& operator=(const IndexProgress&) = delete;

    // After this long the window shows.
    static constexpr int kMoment = 400; // milliseconds

    void report(const QString& cookbookName, int done, int total);

private:
    QWidget* m_owner;
    QElapsedTimer m_clock;
    std::unique_ptr<ui::BusyCursor> m_busy;
    std::unique_ptr<QProgressDialog> m_dialog;
};

} // namespace pantrova
