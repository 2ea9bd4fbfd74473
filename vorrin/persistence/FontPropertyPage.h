#pragma once

#include "component/Dispatch.h"
#include "component/Font.h"

#include <QDialog>

class QCheckBox;
class QDoubleSpinBox;
class QFontComboBox;
class QLabel;

namespace vorrin {

// The standard font page for an object's font property (DISPID -512): face, size and style,
// with a sample. Apply or OK gives the object a new font by value through its setter, so the
// object's own checks (the container's permission) apply; Cancel changes nothing.
class FontPropertyPage : public QDialog
{
    Q_OBJECT

public:
    explicit FontPropertyPage(component::IDispatch* object, QWidget* parent = nullptr);
    ~FontPropertyPage() override;

    void setFontName(const QString& name);
    void setPointSize(double points);
    void setBold(bool bold);
    void setItalic(bool italic);
    void setUnderline(bool underline);
    void setStrikethrough(bool strike);
    QString fontName() const;
    double pointSize() const;

    component::HResult apply(component::ExcepInfo* excep = nullptr);

public slots:
    void accept() override;

private:
    void refreshSample();

    component::IDispatch* m_object;
    component::Ref<component::IFont> m_font; // the pending font, a copy of the object's
    QFontComboBox* m_name;
    QDoubleSpinBox* m_size;
    QCheckBox* m_bold;
    QCheckBox* m_italic;
    QCheckBox* m_underline;
    QCheckBox* m_strike;
    QLabel* m_sample;
};

} // namespace vorrin
