#include "ErrorBox.h"

#include "Dialogs.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace ui {

ErrorBox::ErrorBox(const ErrorQuestion& question, QWidget* parent)
    : QDialog(parent), m_text(new QLabel(Dialogs::errorText(question), this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_detailsButton(new QPushButton(QStringLiteral("Details"), this)), m_details(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("ErrorBox"));
    const QString title = question.title.isEmpty() ? Dialogs::programTitle() : question.title;
    setWindowTitle(title);
    setAccessibleName(title);

    auto* icon = new QLabel(this);
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical, nullptr, this).pixmap(size, size));
    icon->setAlignment(Qt::AlignTop);
    m_text->setObjectName(QStringLiteral("ErrorText"));
    m_text->setWordWrap(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_text->setMinimumWidth(360);

    m_ok->setObjectName(QStringLiteral("OKButton"));
    m_ok->setAccessibleName(m_ok->text());
    m_ok->setDefault(true);
    m_detailsButton->setObjectName(QStringLiteral("DetailsButton"));
    m_detailsButton->setAccessibleName(m_detailsButton->text());
    m_detailsButton->setCheckable(true);
    m_details->setObjectName(QStringLiteral("DetailsText"));
    m_details->setAccessibleName(QStringLiteral("Details"));
    m_details->setReadOnly(true);
    m_details->setPlainText(question.details);
    m_details->setVisible(false);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(m_text, 1);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_detailsButton, QDialogButtonBox::ActionRole);
    buttons->addButton(m_ok, QDialogButtonBox::AcceptRole);
    m_detailsButton->setVisible(!question.details.isEmpty());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_details, 1);
    layout->addWidget(buttons);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_detailsButton, &QPushButton::toggled, this, [this](bool shown) {
        m_details->setVisible(shown);
        adjustSize();
    });
}

} // namespace ui
