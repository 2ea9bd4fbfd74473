#pragma once

#include "component/Dispatch.h"
#include "component/Variant.h"

#include <QList>
#include <QString>

namespace vorrin {

// The calendar control's saved properties, in the order both save formats use, with the name a
// property bag stores each under and the variant type it is saved as. The two extents come
// first and are not properties (the object's size in HIMETRIC). The saved name of the month
// background colour is "CalMonthBkColor" although the interface calls it CalMonthBKColor:
// stored files depend on that spelling.
struct SavedProperty
{
    QString name;
    component::DispId dispid;
    component::VarType type;
};

class SavedProperties
{
public:
    static constexpr uint32_t kStreamVersion = 0x00000300;

    static const QList<SavedProperty>& list();
    static QString extentXName() { return QStringLiteral("_cx"); }
    static QString extentYName() { return QStringLiteral("_cy"); }
};

} // namespace vorrin
