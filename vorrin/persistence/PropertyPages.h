#pragma once

#include "component/Dispatch.h"
#include "component/Guid.h"

#include <QList>

class QDialog;
class QWidget;

namespace vorrin {

// Makes the property pages an object names (ISpecifyPropertyPages) from their page classes:
// the standard colour page and the standard font page. Unknown page classes give nothing.
class PropertyPages
{
public:
    // The caller owns the page (it is parented to `parent` when one is given).
    static QDialog* create(const component::Guid& page, component::IDispatch* object,
                           QWidget* parent = nullptr);
    // Shows each named page in turn through the modal seam; stops when one is cancelled.
    static void showAll(const QList<component::Guid>& pages, component::IDispatch* object,
                        QWidget* parent = nullptr);
};

} // namespace vorrin
