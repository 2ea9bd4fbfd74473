#include "vorrin/persistence/FontPropertyPage.h"

#include "component/StdFont.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vorrin {

using namespace component;

namespace {

constexpr DispId kFont = -512;

QCheckBox* makeCheck(const QString& caption, QWidget* parent)
{
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(caption);
    c->setAccessibleName(caption);
    return c;
}

} // namespace

FontPropertyPage::FontPropertyPage(IDispatch* object, QWidget* parent) : QDialog(parent), m_object(object)
{
    if (m_object)
        m_object->AddRef();
    setObjectName(QStringLiteral("FontPropertyPage"));
    setWindowTitle(QStringLiteral("Font"));

    Variant current;
    if (m_object && succeeded(getProperty(m_object, kFont, current))) {
        Ref<IFont> font = queryInterface<IFont>(current.deref().unknown());
        if (font)
            font->Clone(reinterpret_cast<IFont**>(m_font.put()));
    }
    if (!m_font)
        m_font = StdFont::create();

    m_name = new QFontComboBox(this);
    m_name->setObjectName(QStringLiteral("FontName"));
    m_name->setAccessibleName(QStringLiteral("Font"));
    m_name->setEditable(true);
    m_name->setEditText(m_font->name());
    m_size = new QDoubleSpinBox(this);
    m_size->setObjectName(QStringLiteral("FontSize"));
    m_size->setAccessibleName(QStringLiteral("Size"));
    m_size->setRange(1, 1638);
    m_size->setDecimals(2);
    m_size->setValue(static_cast<double>(m_font->size()) / 10000.0);
    m_bold = makeCheck(QStringLiteral("Bold"), this);
    m_bold->setChecked(m_font->bold());
    m_italic = makeCheck(QStringLiteral("Italic"), this);
    m_italic->setChecked(m_font->italic());
    m_underline = makeCheck(QStringLiteral("Underline"), this);
    m_underline->setChecked(m_font->underline());
    m_strike = makeCheck(QStringLiteral("Strikeout"), this);
    m_strike->setChecked(m_font->strikethrough());
    m_sample = new QLabel(QStringLiteral("AaBbYyZz"), this);
    m_sample->setObjectName(QStringLiteral("Sample"));
    m_sample->setAccessibleName(QStringLiteral("Sample"));
    m_sample->setMinimumHeight(40);

    connect(m_name, &QFontComboBox::editTextChanged, this, [this](const QString& n) {
        if (!n.trimmed().isEmpty())
            m_font->setName(n.trimmed());
        refreshSample();
    });
    connect(m_size, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        m_font->setSize(static_cast<int64_t>(v * 10000.0 + 0.5));
        refreshSample();
    });
    connect(m_bold, &QCheckBox::toggled, this, [this](bool on) {
        m_font->setBold(on);
        refreshSample();
    });
    connect(m_italic, &QCheckBox::toggled, this, [this](bool on) {
        m_font->setItalic(on);
        refreshSample();
    });
    connect(m_underline, &QCheckBox::toggled, this, [this](bool on) {
        m_font->setUnderline(on);
        refreshSample();
    });
    connect(m_strike, &QCheckBox::toggled, this, [this](bool on) {
        m_font->setStrikethrough(on);
        refreshSample();
    });

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Font:"), m_name);
    form->addRow(QStringLiteral("Size:"), m_size);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Cancel"));
    buttons->button(QDialogButtonBox::Apply)->setObjectName(QStringLiteral("Apply"));
    connect(buttons, &QDialogButtonBox::accepted, this, &FontPropertyPage::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, [this] { apply(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_bold);
    layout->addWidget(m_italic);
    layout->addWidget(m_underline);
    layout->addWidget(m_strike);
    layout->addWidget(m_sample);
    layout->addWidget(buttons);
    refreshSample();
}

FontPropertyPage::~FontPropertyPage()
{
    if (m_object)
        m_object->Release();
}

void FontPropertyPage::setFontName(const QString& name)
{
    m_name->setEditText(name);
}

void FontPropertyPage::setPointSize(double points)
{
    m_size->setValue(points);
}

void FontPropertyPage::setBold(bool bold)
{
    m_bold->setChecked(bold);
}

void FontPropertyPage::setItalic(bool italic)
{
    m_italic->setChecked(italic);
}

void FontPropertyPage::setUnderline(bool underline)
{
    m_underline->setChecked(underline);
}

void FontPropertyPage::setStrikethrough(bool strike)
{
    m_strike->setChecked(strike);
}

QString FontPropertyPage::fontName() const
{
    return m_font->name();
}

double FontPropertyPage::pointSize() const
{
    return static_cast<double>(m_font->size()) / 10000.0;
}

HResult FontPropertyPage::apply(ExcepInfo* excep)
{
    // The object gets a copy; the page keeps editing its own.
    return putProperty(m_object, kFont, Variant::fromDispatch(m_font.query<IDispatch>().get()), excep);
}

void FontPropertyPage::accept()
{
    if (succeeded(apply()))
        QDialog::accept();
}

void FontPropertyPage::refreshSample()
{
    m_sample->setFont(m_font->toQFont());
}

} // namespace vorrin
