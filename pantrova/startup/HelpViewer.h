#pragma once

#include "HelpFile.h"

#include <QWidget>

class QListWidget;
class QPushButton;
class QTextBrowser;

namespace pantrova {

// The help viewer: a window showing one topic of the help file at a time, with the list of all
// topics beside it (the contents), links between topics, and Back. Opened through Help.
class HelpViewer : public QWidget
{
    Q_OBJECT

public:
    explicit HelpViewer(const QString& helpFilePath, QWidget* parent = nullptr);

    // Shows a topic; an id the file does not hold shows a page saying so. Returns false then.
    bool showTopic(int id);
    void showContents();
    int currentTopic() const { return m_current; }
    QString currentTitle() const;
    QString currentText() const; // the topic as plain text
    const HelpFile& helpFile() const { return m_file; }

private:
    void goBack();

    HelpFile m_file;
    QString m_path;
    int m_current = 0;
    QList<int> m_history;
    QListWidget* TopicList;
    QTextBrowser* TopicText;
    QPushButton* BackButton;
    QPushButton* ContentsButton;
};

} // namespace pantrova
