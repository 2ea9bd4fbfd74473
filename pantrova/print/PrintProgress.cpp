#include "PrintProgress.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace print {

PrintProgress::PrintProgress(const QString& documentName, const QString& device, const QString& place,
                             QWidget* parent)
    : QDialog(parent), PageLabel(new QLabel(this)), DocumentLabel(new QLabel(documentName, this)),
      DeviceLabel(new QLabel(this)), CancelButton(new QPushButton(cancelText(), this))
{
    setObjectName(QStringLiteral("PrintProgress"));
    setWindowTitle(caption());
    setAccessibleName(caption());
    setWindowModality(Qt::ApplicationModal);
    QString deviceLine = deviceText();
    deviceLine.replace(deviceLine.indexOf(QStringLiteral("%s")), 2, device);
    deviceLine.replace(deviceLine.indexOf(QStringLiteral("%s")), 2, place);
    DeviceLabel->setText(deviceLine);
    PageLabel->setObjectName(QStringLiteral("PageLabel"));
    DocumentLabel->setObjectName(QStringLiteral("DocumentLabel"));
    DeviceLabel->setObjectName(QStringLiteral("DeviceLabel"));
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setAccessibleName(cancelText());
    for (QLabel* label : {PageLabel, DocumentLabel, DeviceLabel})
        label->setAlignment(Qt::AlignHCenter);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageLabel);
    layout->addWidget(DocumentLabel);
    layout->addWidget(DeviceLabel);
    layout->addSpacing(8);
    layout->addWidget(CancelButton, 0, Qt::AlignHCenter);
    connect(CancelButton, &QPushButton::clicked, this, &PrintProgress::cancel);
    setPage(1);
}

void PrintProgress::setPage(int page)
{
    QString text = pageText();
    text.replace(QStringLiteral("%d"), QString::number(page));
    PageLabel->setText(text);
    PageLabel->setAccessibleName(text);
}

void PrintProgress::cancel()
{
    m_cancelled = true;
    CancelButton->setEnabled(false);
}

void PrintProgress::reject()
{
    // Closing the window asks for the same as Cancel; it goes when the run stops.
    cancel();
}

} // namespace print
