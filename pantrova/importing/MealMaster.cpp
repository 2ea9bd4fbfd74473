#include "MealMaster.h"

#include "Quantities.h"

#include <QHash>

#include <list>
#include <optional>

namespace pantrova::importing {

namespace {

enum class Form { None, Marks, Dashes };

constexpr qsizetype kAmountWidth = 7;
constexpr qsizetype kTextStart = 11;
constexpr qsizetype kColumnWidth = 39; // a column of a two-column line
constexpr qsizetype kSecondColumn = 40;

// Lines as the parser sees them: views of the text without trailing blanks; a line holding tabs is
// a view of a copy with the tabs expanded to the columns they stand for.
class Lines
{
public:
    explicit Lines(QStringView text)
    {
        for (QStringView raw : text.split(u'\n')) {
            if (raw.contains(u'\t')) {
                QString line;
                line.reserve(raw.size() + 16);
                for (const QChar c : raw) {
                    if (c == u'\t')
                        line.append(QString(8 - line.size() % 8, u' '));
                    else
                        line.append(c);
                }
                m_expanded.push_back(std::move(line));
                raw = m_expanded.back();
            }
            qsizetype end = raw.size();
            while (end > 0 && raw[end - 1].isSpace())
                --end;
            m_lines.append(raw.left(end));
        }
    }
    Lines(const Lines&) = delete;
    Lines& operator=(const Lines&) = delete;

    const QList<QStringView>& lines() const { return m_lines; }

private:
    QList<QStringView> m_lines;
    std::list<QString> m_expanded; // keeps the views of expanded lines valid
};

bool isBlank(QStringView line)
{
    return line.isEmpty(); // trailing blanks are gone already
}

Form formOfRule(QStringView line)
{
    if (line.startsWith(u"MMMMM"))
        return Form::Marks;
    if (line.startsWith(u"-----"))
        return Form::Dashes;
    return Form::None;
}

// The value of a header field such as "      Title: Apple Pie", or nothing.
std::optional<QString> fieldValue(QStringView line, QStringView label)
{
    const QStringView t = line.trimmed();
    if (!t.startsWith(label, Qt::CaseInsensitive))
        return std::nullopt;
    const QStringView rest = t.mid(label.size()).trimmed();
    if (!rest.startsWith(u':'))
        return std::nullopt;
    return rest.mid(1).trimmed().toString();
}

// The form of the header line at `i`, or Form::None. A header names the format, or is followed
// within a few lines by the recipe's title (some exporters name themselves instead).
Form headerAt(const QList<QStringView>& lines, qsizetype i)
{
    const QStringView line = lines.at(i);
    const Form form = formOfRule(line);
    if (form == Form::None)
        return Form::None;
    if (line.contains(u"meal-master", Qt::CaseInsensitive))
        return form;
    for (qsizetype j = i + 1; j < lines.size() && j <= i + 3; ++j) {
        if (isBlank(lines.at(j)))
            continue;
        return fieldValue(lines.at(j), u"Title") ? form : Form::None;
    }
    return Form::None;
}

bool isEnd(QStringView line, Form form)
{
    const QStringView t = line.trimmed();
    return form == Form::Marks ? t == u"MMMMM" : t == u"-----";
}

// A rule inside a recipe ("MMMMM-----FILLING-----", "-----------"): its text, which is empty for
// a bare rule. Nothing when the line is no rule.
std::optional<QString> ruleText(QStringView line)
{
    if (formOfRule(line) == Form::None)
        return std::nullopt;
    qsizetype start = 0;
    while (start < line.size() && (line.at(start) == u'M' || line.at(start) == u'-'))
        ++start;
    // "MMMMM" is followed by dashes; a word right after the marks ("MMMMMeat") is no rule.
    if (start < 10 && line.startsWith(u"MMMMM") && start < line.size() && line.at(start).isLetter())
        return std::nullopt;
    qsizetype end = line.size();
    while (end > start && (line.at(end - 1) == u'-' || line.at(end - 1).isSpace()))
        --end;
    return line.mid(start, end - start).trimmed().toString();
}

bool isAmountChar(QChar c)
{
    return (c >= u'0' && c <= u'9') || c == u' ' || c == u'/' || c == u'.' || c == u'-' || c == u',' ||
           QStringView(u"\u00bd\u00bc\u00be\u2153\u2154\u215b\u215c\u215d\u215e").contains(c);
}

struct Column
{
    QString amount;
    QString unit;
    QString text;
    bool continues = false; // "-more words" under the ingredient above
};

// One ingredient in the fixed layout, read from `s` (the whole line, or one column of it).
std::optional<Column> columnOf(QStringView s)
{
    const QStringView amount = s.left(kAmountWidth);
    bool amountHasNumber = false;
    for (const QChar c : amount) {
        if (!isAmountChar(c))
            return std::nullopt;
        amountHasNumber = amountHasNumber || (c != u' ' && c != u'-' && c != u'.' && c != u',' && c != u'/');
    }
    if (s.size() > kAmountWidth && s[kAmountWidth] != u' ')
        return std::nullopt;
    if (s.size() > kTextStart - 1 && s[kTextStart - 1] != u' ')
        return std::nullopt;
    const QStringView unit = s.mid(std::min(s.size(), kAmountWidth + 1), 2).trimmed();
    for (const QChar c : unit)
        if (!c.isLetter())
            return std::nullopt;
    Column col;
    col.amount = amount.toString().simplified();
    if (!col.amount.isEmpty() && !amountHasNumber)
        return std::nullopt;
    col.unit = unit.toString();
    col.text = s.size() > kTextStart ? s.mid(kTextStart).trimmed().toString() : QString();
    if (col.amount.isEmpty() && col.unit.isEmpty()) {
        if (col.text.isEmpty())
            return std::nullopt;
        col.continues = col.text.startsWith(u'-');
    }
    return col;
}

QString unitWord(const QString& code)
{
    static const QHash<QString, QString> words = {
        {QStringLiteral("x"), QString()},
        {QStringLiteral("sm"), QStringLiteral("small")},
        {QStringLiteral("md"), QStringLiteral("medium")},
        {QStringLiteral("lg"), QStringLiteral("large")},
        {QStringLiteral("cn"), QStringLiteral("can")},
        {QStringLiteral("pk"), QStringLiteral("package")},
        {QStringLiteral("pn"), QStringLiteral("pinch")},
        {QStringLiteral("dr"), QStringLiteral("drop")},
        {QStringLiteral("ds"), QStringLiteral("dash")},
        {QStringLiteral("ct"), QStringLiteral("carton")},
        {QStringLiteral("bn"), QStringLiteral("bunch")},
        {QStringLiteral("sl"), QStringLiteral("slice")},
        {QStringLiteral("ea"), QStringLiteral("each")},
        {QStringLiteral("t"), QStringLiteral("tsp")},
        {QStringLiteral("ts"), QStringLiteral("tsp")},
        {QStringLiteral("T"), QStringLiteral("tbsp")},
        {QStringLiteral("tb"), QStringLiteral("tbsp")},
        {QStringLiteral("fl"), QStringLiteral("fl oz")},
        {QStringLiteral("c"), QStringLiteral("cup")},
        {QStringLiteral("pt"), QStringLiteral("pint")},
        {QStringLiteral("qt"), QStringLiteral("quart")},
        {QStringLiteral("ga"), QStringLiteral("gallon")},
        {QStringLiteral("cb"), QStringLiteral("cc")},
    };
    const auto exact = words.constFind(code);
    if (exact != words.cend())
        return *exact;
    // Codes in capitals ("TS", "LB") mean the same; only "T" and "t" differ by case.
    const auto lower = words.constFind(code.toLower());
    return code.size() == 2 && lower != words.cend() ? *lower : code;
}

QString ingredientText(const Column& c)
{
    QStringList parts;
    for (const QString& p : {c.amount, unitWord(c.unit), c.text})
        if (!p.isEmpty())
            parts << p;
    return parts.join(u' ');
}

void addTo(QStringList& list, const Column& c)
{
    if (c.continues && !list.isEmpty()) {
        const QString more = c.text.mid(1).trimmed();
        if (!more.isEmpty())
            list.last() += u' ' + more;
        return;
    }
    const QString text = c.continues ? c.text.mid(1).trimmed() : ingredientText(c);
    if (!text.isEmpty())
        list.append(text);
}

// The ingredient list as it is read: lines in one column go straight in; a block of two-column lines
// is gathered column by column and goes in when the block ends.
class IngredientList
{
public:
    explicit IngredientList(QStringList& out) : m_out(out) {}

    void endBlock()
    {
        m_out += m_left;
        m_out += m_right;
        m_left.clear();
        m_right.clear();
        m_inBlock = false;
    }
    void heading(const QString& text)
    {
        endBlock();
        m_out.append(text);
    }
    // Takes the line if it is an ingredient line; false when it is not.
    bool take(QStringView line)
    {
        if (line.size() > kSecondColumn + 1 && line.at(kColumnWidth) == u' ') {
            const QStringView left = line.left(kColumnWidth);
            const std::optional<Column> right = columnOf(line.mid(kSecondColumn));
            const bool leftBlank = left.trimmed().isEmpty();
            const std::optional<Column> leftCol = leftBlank ? std::nullopt : columnOf(left);
            if (right && !right->text.isEmpty() && (leftBlank || leftCol)) {
                m_inBlock = true;
                if (leftCol)
                    addTo(m_left, *leftCol);
                addTo(m_right, *right);
                return true;
            }
        }
        const std::optional<Column> one = columnOf(line);
        if (!one)
            return false;
        if (m_inBlock && line.size() <= kSecondColumn) {
            addTo(m_left, *one);
        } else {
            endBlock();
            addTo(m_out, *one);
        }
        return true;
    }

private:
    QStringList& m_out;
    QStringList m_left;
    QStringList m_right;
    bool m_inBlock = false;
};

bool startsListItem(QStringView t)
{
    if (t.startsWith(u'*') || t.startsWith(u'-') || t.startsWith(u'\u2022'))
        return true;
    qsizetype i = 0;
    while (i < t.size() && i < 3 && t[i].isDigit())
        ++i;
    return i > 0 && i < t.size() && (t[i] == u'.' || t[i] == u')');
}

// Directions come wrapped at the width of a screen. Lines of a paragraph that was wrapped are joined;
// a short line, a list item or a blank line keeps its break.
QString directionsText(const QStringList& lines)
{
    constexpr qsizetype kWrappedWidth = 55;
    QStringList paragraphs;
    QString current;
    qsizetype previousWidth = 0;
    for (const QString& line : lines) {
        const QString t = line.trimmed();
        if (t.isEmpty()) {
            if (!current.isEmpty())
                paragraphs << current;
            current.clear();
        } else if (current.isEmpty()) {
            current = t;
        } else if (previousWidth >= kWrappedWidth && !startsListItem(t)) {
            current += u' ' + t;
        } else {
            current += u'\n' + t;
        }
        previousWidth = line.size();
    }
    if (!current.isEmpty())
        paragraphs << current;
    return paragraphs.join(QStringLiteral("\n\n"));
}

void readYield(const QString& value, ImportedRecipe& recipe)
{
    if (value.isEmpty())
        return;
    if (const std::optional<double> servings = servingsIn(value))
        recipe.figures.insert(QStringLiteral("S1"), *servings);
    else
        recipe.yield = value.simplified();
}

// Reads the recipe whose header is at `header`; returns the index of the first line after it.
qsizetype readRecipe(const QList<QStringView>& lines, qsizetype header, Form form, ParsedFile& file)
{
    ImportedRecipe recipe;
    recipe.line = int(header + 1);
    bool hasTitle = false;
    enum class Phase { Fields, Ingredients, Directions } phase = Phase::Fields;
    bool fieldsSeen = false;
    IngredientList ingredients(recipe.ingredients);
    QStringList directions;

    qsizetype i = header + 1;
    for (; i < lines.size(); ++i) {
        const QStringView line = lines.at(i);
        if (isEnd(line, form)) {
            ++i;
            break;
        }
        if (headerAt(lines, i) != Form::None)
            break; // the end mark is missing: the next recipe begins
        if (phase == Phase::Fields) {
            if (isBlank(line))
                continue;
            if (std::optional<QString> v = fieldValue(line, u"Title")) {
                recipe.name = v->simplified();
                hasTitle = true;
                fieldsSeen = true;
                continue;
            }
            if (std::optional<QString> v = fieldValue(line, u"Categories")) {
                for (const QString& c : v->split(u',')) {
                    const QString category = c.simplified();
                    if (!category.isEmpty() && category.compare(u"None", Qt::CaseInsensitive) != 0)
                        recipe.categories << category;
                }
                fieldsSeen = true;
                continue;
            }
            std::optional<QString> yield = fieldValue(line, u"Yield");
            if (!yield)
                yield = fieldValue(line, u"Servings");
            if (yield) {
                readYield(*yield, recipe);
                fieldsSeen = true;
                continue;
            }
            if (!fieldsSeen)
                continue; // stray text before the fields
            phase = Phase::Ingredients;
        }
        if (phase == Phase::Ingredients) {
            if (isBlank(line)) {
                ingredients.endBlock();
                continue;
            }
            if (const std::optional<QString> rule = ruleText(line)) {
                if (rule->isEmpty())
                    ingredients.endBlock();
                else
                    ingredients.heading(*rule);
                continue;
            }
            if (ingredients.take(line))
                continue;
            ingredients.endBlock();
            phase = Phase::Directions;
        }
        // Directions. A heading followed by ingredient lines starts another part of the list.
        if (const std::optional<QString> rule = ruleText(line)) {
            qsizetype next = i + 1;
            while (next < lines.size() && isBlank(lines.at(next)))
                ++next;
            QStringList probe;
            if (next < lines.size() && !isEnd(lines.at(next), form) && !ruleText(lines.at(next)) &&
                IngredientList(probe).take(lines.at(next))) {
                phase = Phase::Ingredients;
                if (!rule->isEmpty())
                    ingredients.heading(*rule);
                continue;
            }
            if (!rule->isEmpty())
                directions << QString() << *rule;
            continue;
        }
        directions << line.toString();
    }
    ingredients.endBlock();
    recipe.instructions = directionsText(directions);

    if (!hasTitle)
        file.skipped.append({int(header + 1), QStringLiteral("The recipe has no title.")});
    else
        file.recipes.append(std::move(recipe));
    return i;
}

} // namespace

ParsedFile parseMealMaster(QStringView text)
{
    ParsedFile file;
    const Lines split(text);
    const QList<QStringView>& lines = split.lines();
    qsizetype i = 0;
    while (i < lines.size()) {
        const Form form = headerAt(lines, i);
        if (form == Form::None) {
            ++i;
            continue;
        }
        i = readRecipe(lines, i, form, file);
    }
    if (file.recipes.isEmpty() && file.skipped.isEmpty())
        file.skipped.append({0, QStringLiteral("The file holds no MealMaster recipe.")});
    return file;
}

bool looksLikeMealMaster(QStringView text)
{
    const Lines split(text.left(64 * 1024));
    const QList<QStringView>& lines = split.lines();
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (headerAt(lines, i) != Form::None)
            return true;
    return false;
}

} // namespace pantrova::importing
