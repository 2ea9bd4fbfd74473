#pragma once

#include "data/Database.h"
#include "data/Recordset.h"

#include <QString>
#include <QStringList>

#include <array>

namespace pantrova {

// The ingredient helper's four word lists in "Utility.mdb": amounts, second amount parts, measures
// and ingredient names. Each list is a table of one text field, named like the table, with an index
// of the same name that gives the list's order and finds a word.
//
// open() opens the file by its bare name (so it is found in the program folder, the current
// directory) and one table-type recordset per list; opening again releases the previous ones.
// Words are unique within a list, compared without regard to case as the engine compares text. A
// word longer than its field holds is never stored, nor cut. Used from the user-interface thread
// only.
class WordLists
{
public:
    enum List { Amount, Amount2, Measure, Ingredient };
    static constexpr int Count = 4;
    static constexpr const char* FileName = "Utility.mdb";

    // The table, its field and its index share this name.
    static QString tableName(List list);

    // Throws engine::EngineError when the file is missing, damaged, or lacks a list.
    void open();
    void close();
    bool isOpen() const { return m_db.isOpen(); }

    // The words of a list in index order.
    QStringList words(List list);
    // The most characters a word of the list can have.
    int fieldSize(List list) const { return m_sizes[size_t(list)]; }
    bool fits(List list, const QString& word) const { return word.size() <= fieldSize(list); }

    bool contains(List list, const QString& word);
    // Stores `word` as typed unless the list has it. True when it was added.
    bool add(List list, const QString& word);
    // Adds several words at once: all of them or, when anything fails, none.
    // `words[i]` goes to list i; empty entries are skipped. Returns which lists gained a word.
    std::array<bool, Count> addAll(const std::array<QString, Count>& words);

    enum class Change { Done, NotStored, Taken };
    // Changes the stored `word` to `replacement` as typed; Taken when another entry of the list
    // already is `replacement` (a change of letter case alone is allowed).
    Change change(List list, const QString& word, const QString& replacement);
    // Deletes the stored `word`. False when it is not stored.
    bool remove(List list, const QString& word);

private:
    engine::Recordset& set(List list) { return m_sets[size_t(list)]; }
    bool seek(List list, const QString& word);

    engine::Database m_db;
    std::array<engine::Recordset, Count> m_sets;
    std::array<int, Count> m_sizes{};
};

} // namespace pantrova
