#pragma once

#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

namespace pantrova {

// The busy pointer and a progress window for long work done on the user-interface thread
// (compaction, conversion). The window has no Cancel button (the work cannot stop half-way) and
// takes no input: between steps only painting and timers run, never a click or a key. Work known
// to be long shows the window at once; other work only once it has taken more than a moment
// (a step can block for seconds, so waiting for the next step to show it would be too late).
class WorkProgress
{
public:
    WorkProgress(QWidget* owner, const QString& title, int steps, bool expectLong = false);
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    // Starts the next step, described by `label`; `done` counts the steps finished so far.
    void show(int done, const QString& label);

private:
    std::unique_ptr<QProgressDialog> m_dialog;
};

} // namespace pantrova
