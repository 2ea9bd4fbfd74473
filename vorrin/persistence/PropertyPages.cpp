#include "vorrin/persistence/PropertyPages.h"

#include "component/Site.h"
#include "vorrin/persistence/ColorPropertyPage.h"
#include "vorrin/persistence/FontPropertyPage.h"
#include "vorrin/persistence/ModalSeam.h"

#include <memory>

namespace vorrin {

using namespace component;

QDialog* PropertyPages::create(const Guid& page, IDispatch* object, QWidget* parent)
{
    if (page == CLSID_StockColorPage)
        return new ColorPropertyPage(object, parent);
    if (page == CLSID_StockFontPage)
        return new FontPropertyPage(object, parent);
    return nullptr;
}

void PropertyPages::showAll(const QList<Guid>& pages, IDispatch* object, QWidget* parent)
{
    for (const Guid& id : pages) {
        std::unique_ptr<QDialog> page(create(id, object, parent));
        if (page && ModalSeam::run(*page) != QDialog::Accepted)
            return;
    }
}

} // namespace vorrin
