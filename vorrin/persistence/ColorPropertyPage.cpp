#include "vorrin/persistence/ColorPropertyPage.h"

#include "component/TypeLibrary.h"
#include "vorrin/persistence/ModalSeam.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorrin {

using namespace component;

namespace {

QColor toQColor(uint32_t ole)
{
    // System colours (0x800000nn) have no fixed value; show them grey in the swatch.
    if (ole & 0x80000000u)
        return QColor(192, 192, 192);
    return QColor(static_cast<int>(ole & 0xFF), static_cast<int>((ole >> 8) & 0xFF),
                  static_cast<int>((ole >> 16) & 0xFF));
}

uint32_t toOle(const QColor& c)
{
    return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 |
           static_cast<uint32_t>(c.blue()) << 16;
}

} // namespace

const QList<uint32_t>& ColorPropertyPage::standardColors()
{
    static const QList<uint32_t> colors = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                           0x808000, 0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,
                                           0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    return colors;
}

ColorPropertyPage::ColorPropertyPage(IDispatch* object, QWidget* parent) : QDialog(parent), m_object(object)
{
    if (m_object)
        m_object->AddRef();
    setObjectName(QStringLiteral("ColorPropertyPage"));
    setWindowTitle(QStringLiteral("Color"));

    const InterfaceDescription* info = nullptr;
    if (m_object && succeeded(m_object->GetTypeInfo(&info)) && info) {
        for (const MemberDescription& m : info->members) {
            if (m.kind != MemberDescription::Kind::Property || m.typeName != QLatin1String("OLE_COLOR"))
                continue;
            Variant v;
            Variant asColor;
            if (succeeded(getProperty(m_object, m.id, v)) && succeeded(v.changeType(VT_UI4, asColor)))
                m_entries.append({m.name, m.id, asColor.toUI4(), asColor.toUI4()});
        }
    }

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("Properties"));
    m_list->setAccessibleName(QStringLiteral("Properties"));
    for (const Entry& e : m_entries)
        m_list->addItem(e.name);
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { refreshSwatch(); });

    m_swatch = new QLabel(this);
    m_swatch->setObjectName(QStringLiteral("Swatch"));
    m_swatch->setAccessibleName(QStringLiteral("Selected colour"));
    m_swatch->setMinimumSize(48, 24);
    m_swatch->setAutoFillBackground(true);

    auto* grid = new QGridLayout;
    for (int i = 0; i < standardColors().size(); ++i) {
        const uint32_t ole = standardColors()[i];
        auto* b = new QPushButton(this);
        b->setObjectName(QStringLiteral("Color_%1").arg(i));
        b->setAccessibleName(toQColor(ole).name());
        b->setToolTip(toQColor(ole).name());
        b->setFixedSize(20, 20);
        b->setStyleSheet(QStringLiteral("background-color: %1").arg(toQColor(ole).name()));
        connect(b, &QPushButton::clicked, this, [this, ole] { setColor(ole); });
        grid->addWidget(b, i / 8, i % 8);
    }
    auto* custom = new QPushButton(QStringLiteral("Custom..."), this);
    custom->setObjectName(QStringLiteral("Custom"));
    custom->setAccessibleName(custom->text());
    connect(custom, &QPushButton::clicked, this, &ColorPropertyPage::chooseCustom);

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Cancel"));
    buttons->button(QDialogButtonBox::Apply)->setObjectName(QStringLiteral("Apply"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ColorPropertyPage::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, [this] { apply(); });

    auto* right = new QVBoxLayout;
    right->addWidget(m_swatch);
    right->addLayout(grid);
    right->addWidget(custom, 0, Qt::AlignLeft);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(m_list);
    top->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);

    if (!m_entries.isEmpty())
        m_list->setCurrentRow(0);
}

ColorPropertyPage::~ColorPropertyPage()
{
    if (m_object)
        m_object->Release();
}

QStringList ColorPropertyPage::propertyNames() const
{
    QStringList names;
    for (const Entry& e : m_entries)
        names << e.name;
    return names;
}

bool ColorPropertyPage::selectProperty(const QString& name)
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].name == name) {
            m_list->setCurrentRow(i);
            return true;
        }
    }
    return false;
}

QString ColorPropertyPage::currentProperty() const
{
    const int row = m_list->currentRow();
    return row >= 0 && row < m_entries.size() ? m_entries[row].name : QString();
}

uint32_t ColorPropertyPage::color(const QString& name) const
{
    for (const Entry& e : m_entries)
        if (e.name == name)
            return e.pending;
    return 0;
}

void ColorPropertyPage::setColor(uint32_t oleColor)
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_entries.size())
        return;
    m_entries[row].pending = oleColor;
    refreshSwatch();
}

bool ColorPropertyPage::isDirty() const
{
    for (const Entry& e : m_entries)
        if (e.pending != e.original)
            return true;
    return false;
}

HResult ColorPropertyPage::apply(ExcepInfo* excep)
{
    for (Entry& e : m_entries) {
        if (e.pending == e.original)
            continue;
        const HResult hr = putProperty(m_object, e.dispid, Variant::fromUI4(e.pending), excep);
        if (failed(hr))
            return hr;
        e.original = e.pending;
    }
    return S_OK;
}

void ColorPropertyPage::accept()
{
    if (succeeded(apply()))
        QDialog::accept();
}

void ColorPropertyPage::refreshSwatch()
{
    const int row = m_list->currentRow();
    QPalette pal = m_swatch->palette();
    pal.setColor(QPalette::Window, row >= 0 && row < m_entries.size() ? toQColor(m_entries[row].pending)
                                                                      : palette().color(QPalette::Window));
    m_swatch->setPalette(pal);
}

void ColorPropertyPage::chooseCustom()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_entries.size())
        return;
    QColorDialog dialog(toQColor(m_entries[row].pending), this);
    if (ModalSeam::run(dialog) == QDialog::Accepted)
        setColor(toOle(dialog.currentColor()));
}

} // namespace vorrin
