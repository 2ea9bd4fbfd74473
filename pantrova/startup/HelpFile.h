#pragma once

#include <QList>
#include <QString>

namespace pantrova {

// The help file "recipe.HLP": plain UTF-8 text holding numbered topics.
//
//   @topic 210 What's new in Pantrova 7.0
//   Markdown text of the topic ... [another topic](topic:100)
//
// A line starting with "@topic" opens a topic: its context id, a blank, its title. The lines up to
// the next topic are its text, in Markdown; links of the form "topic:<id>" lead to other topics.
// Lines starting with "@@" are remarks for whoever edits the file. The first topic is the
// contents page.
class HelpFile
{
public:
    struct Topic
    {
        int id = 0;
        QString title;
        QString body; // Markdown
    };

    static HelpFile parse(const QString& text);
    // An unreadable or missing file gives an empty help file; isEmpty() tells. A file whose name
    // differs only in letter case is the same file.
    static HelpFile load(const QString& path);

    bool isEmpty() const { return m_topics.isEmpty(); }
    const QList<Topic>& topics() const { return m_topics; }
    const Topic* topic(int id) const;
    int contentsId() const { return m_topics.isEmpty() ? 0 : m_topics.constFirst().id; }

private:
    QList<Topic> m_topics;
};

} // namespace pantrova
