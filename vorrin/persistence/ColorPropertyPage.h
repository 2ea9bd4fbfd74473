#pragma once

#include "component/Dispatch.h"

#include <QDialog>
#include <QList>

class QListWidget;
class QLabel;

namespace vorrin {

// The standard colour page: lists the object's colour properties (those its type description
// types as OLE_COLOR), shows the colour of the selected one, lets the user pick one of the
// standard colours or any colour, and writes the changed colours through the object's setters
// on Apply or OK. Changes stay pending until then; Cancel drops them.
class ColorPropertyPage : public QDialog
{
    Q_OBJECT

public:
    explicit ColorPropertyPage(component::IDispatch* object, QWidget* parent = nullptr);
    ~ColorPropertyPage() override;

    QStringList propertyNames() const;
    bool selectProperty(const QString& name);
    QString currentProperty() const;
    // The pending colour of a property (what Apply would write).
    uint32_t color(const QString& name) const;
    // Sets the selected property's pending colour.
    void setColor(uint32_t oleColor);
    bool isDirty() const;

    // Writes the pending changes; stops at the first the object refuses and reports it.
    component::HResult apply(component::ExcepInfo* excep = nullptr);

    // The sixteen standard colours offered as buttons, as OLE colours.
    static const QList<uint32_t>& standardColors();

public slots:
    void accept() override;

private:
    struct Entry
    {
        QString name;
        component::DispId dispid;
        uint32_t original;
        uint32_t pending;
    };
    void refreshSwatch();
    void chooseCustom();

    component::IDispatch* m_object;
    QList<Entry> m_entries;
    QListWidget* m_list;
    QLabel* m_swatch;
};

} // namespace vorrin
