#include "vorrin/persistence/ModalSeam.h"

#include <QDialog>

namespace vorrin {

namespace {

ModalSeam::Runner& runner()
{
    static ModalSeam::Runner r;
    return r;
}

} // namespace

int ModalSeam::run(QDialog& dialog)
{
    if (runner())
        return runner()(dialog);
    return dialog.exec();
}

void ModalSeam::setRunner(Runner r)
{
    runner() = std::move(r);
}

} // namespace vorrin
