#include "HelpViewer.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace pantrova {

HelpViewer::HelpViewer(const QString& helpFilePath, QWidget* parent)
    : QWidget(parent, Qt::Window), m_file(HelpFile::load(helpFilePath)), m_path(helpFilePath),
      TopicList(new QListWidget), TopicText(new QTextBrowser), BackButton(new QPushButton(tr("Back"))),
      ContentsButton(new QPushButton(tr("Contents")))
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Pantrova Help"));
    TopicList->setObjectName(QStringLiteral("TopicList"));
    TopicList->setAccessibleName(tr("Help topics"));
    TopicText->setObjectName(QStringLiteral("TopicText"));
    TopicText->setAccessibleName(tr("Help text"));
    TopicText->setOpenLinks(false);
    BackButton->setObjectName(QStringLiteral("BackButton"));
    BackButton->setAccessibleName(tr("Back"));
    ContentsButton->setObjectName(QStringLiteral("ContentsButton"));
    ContentsButton->setAccessibleName(tr("Contents"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ContentsButton);
    buttons->addWidget(BackButton);
    buttons->addStretch(1);

    auto* split = new QSplitter;
    split->addWidget(TopicList);
    split->addWidget(TopicText);
    split->setStretchFactor(1, 1);
    split->setSizes({250, 510});
    split->setChildrenCollapsible(false);
    TopicList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    TopicList->setTextElideMode(Qt::ElideRight);
    TopicList->setSpacing(2);
    TopicText->document()->setDocumentMargin(12);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(split, 1);
    resize(800, 560);

    for (const HelpFile::Topic& t : m_file.topics()) {
        auto* item = new QListWidgetItem(t.title, TopicList);
        item->setData(Qt::UserRole, t.id);
    }

    connect(TopicList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { showTopic(item->data(Qt::UserRole).toInt()); });
    connect(TopicText, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme() == QStringLiteral("topic"))
            showTopic(url.path().toInt());
    });
    connect(BackButton, &QPushButton::clicked, this, &HelpViewer::goBack);
    connect(ContentsButton, &QPushButton::clicked, this, &HelpViewer::showContents);
    BackButton->setEnabled(false);
}

bool HelpViewer::showTopic(int id)
{
    if (m_current != 0 && m_current != id) {
        m_history.append(m_current);
        BackButton->setEnabled(true);
    }
    m_current = id;
    const HelpFile::Topic* t = m_file.topic(id);
    if (!t) {
        const QString why = m_file.isEmpty()
                                ? tr("The help file %1 could not be read.").arg(m_path)
                                : tr("There is no help topic number %1 in this help file.").arg(id);
        TopicText->setMarkdown(QStringLiteral("# Help\n\n") + why);
        TopicList->clearSelection();
        return false;
    }
    TopicText->setMarkdown(QStringLiteral("# ") + t->title + QStringLiteral("\n\n") + t->body);
    for (int i = 0; i < TopicList->count(); ++i)
        if (TopicList->item(i)->data(Qt::UserRole).toInt() == id)
            TopicList->setCurrentRow(i);
    setWindowTitle(QStringLiteral("Pantrova Help - ") + t->title);
    return true;
}

void HelpViewer::showContents()
{
    showTopic(m_file.contentsId());
}

QString HelpViewer::currentTitle() const
{
    const HelpFile::Topic* t = m_file.topic(m_current);
    return t ? t->title : QString();
}

QString HelpViewer::currentText() const
{
    return TopicText->toPlainText();
}

void HelpViewer::goBack()
{
    if (m_history.isEmpty())
        return;
    const int previous = m_history.takeLast();
    m_current = 0; // showing the previous topic must not push the current one again
    showTopic(previous);
    BackButton->setEnabled(!m_history.isEmpty());
}

} // namespace pantrova
