#include "SchemaRecipe.h"

#include "HtmlText.h"
#include "Quantities.h"

#include <QJsonArray>
#include <QJsonObject>

namespace pantrova::importing {

namespace {

constexpr int kMaxDepth = 32;

bool isType(const QJsonObject& o, QStringView type)
{
    auto matches = [type](const QString& s) {
        return s == type ||
               (s.endsWith(type) && s.size() > type.size() &&
                (s.at(s.size() - type.size() - 1) == u'/' || s.at(s.size() - type.size() - 1) == u':'));
    };
    const QJsonValue t = o.value(QLatin1StringView("@type"));
    if (t.isString())
        return matches(t.toString());
    const QJsonArray types = t.toArray();
    for (const QJsonValue& v : types)
        if (v.isString() && matches(v.toString()))
            return true;
    return false;
}

// The first text a value holds: a string, a number, the first text of a list, or the value, text or
// name of an object.
QString textOf(const QJsonValue& v, int depth = 0)
{
    if (depth > kMaxDepth)
        return {};
    switch (v.type()) {
    case QJsonValue::String:
        return v.toString();
    case QJsonValue::Double:
        return QString::number(v.toDouble(), 'g', 15);
    case QJsonValue::Array: {
        const QJsonArray items = v.toArray();
        for (const QJsonValue& item : items) {
            const QString t = textOf(item, depth + 1);
            if (!t.trimmed().isEmpty())
                return t;
        }
        return {};
    }
    case QJsonValue::Object: {
        const QJsonObject o = v.toObject();
        for (const char* key : {"@value", "text", "name"})
            if (o.contains(QLatin1StringView(key)))
                return textOf(o.value(QLatin1StringView(key)), depth + 1);
        return {};
    }
    default:
        return {};
    }
}

QString oneLine(const QString& text)
{
    return plainTextOfHtml(text).simplified();
}

QStringList textsOf(const QJsonValue& v)
{
    QStringList texts;
    if (v.isArray()) {
        const QJsonArray items = v.toArray();
        for (const QJsonValue& item : items)
            texts << textOf(item);
    } else {
        texts << textOf(v);
    }
    return texts;
}

// The instructions as the recipe page shows them: steps of a list numbered, each part of the method
// under its own heading, free text kept as it is.
class Instructions
{
public:
    void text(const QString& html)
    {
        const QString plain = plainTextOfHtml(html);
        if (!plain.isEmpty())
            m_steps.append({plain, false});
    }
    void step(const QString& html)
    {
        const QString plain = plainTextOfHtml(html);
        if (!plain.isEmpty())
            m_steps.append({plain, true});
    }
    void section(const QString& name)
    {
        endSection();
        m_heading = oneLine(name);
    }
    QString result()
    {
        endSection();
        return m_parts.join(QStringLiteral("\n\n"));
    }

    void add(const QJsonValue& v, int depth)
    {
        if (depth > kMaxDepth)
            return;
        if (v.isString()) {
            text(v.toString());
        } else if (v.isArray()) {
            const QJsonArray items = v.toArray();
            // A list of plain texts is a list of steps.
            for (const QJsonValue& item : items) {
                if (item.isString())
                    step(item.toString());
                else
                    add(item, depth + 1);
            }
        } else if (v.isObject()) {
            addObject(v.toObject(), depth);
        }
    }

private:
    struct Step
    {
        QString text;
        bool listed;
    };

    void addObject(const QJsonObject& o, int depth)
    {
        const QJsonValue items = o.value(QLatin1StringView("itemListElement"));
        if (isType(o, u"HowToSection")) {
            section(textOf(o.value(QLatin1StringView("name"))));
            add(items, depth + 1);
            endSection();
            return;
        }
        const QString stepText = textOf(o.value(QLatin1StringView("text")));
        if (!stepText.trimmed().isEmpty()) {
            step(stepText);
        } else if (!items.isUndefined()) {
            add(items, depth + 1);
        } else if (o.contains(QLatin1StringView("item"))) {
            add(o.value(QLatin1StringView("item")), depth + 1);
        } else {
            step(textOf(o.value(QLatin1StringView("name"))));
        }
    }

    void endSection()
    {
        int listed = 0;
        for (const Step& s : m_steps)
            listed += s.listed ? 1 : 0;
        QStringList lines;
        if (!m_heading.isEmpty())
            lines << m_heading;
        int number = 0;
        for (const Step& s : m_steps) {
            const bool numbered = s.listed && listed > 1 && !(s.text.front().isDigit());
            lines << (numbered ? QString::number(++number) + QStringLiteral(". ") + s.text : s.text);
        }
        if (!m_steps.isEmpty())
            m_parts << lines.join(u'\n');
        m_steps.clear();
        m_heading.clear();
    }

    QList<Step> m_steps;
    QString m_heading;
    QStringList m_parts;
};

void readYield(const QJsonValue& v, ImportedRecipe& r)
{
    for (const QString& raw : textsOf(v)) {
        const QString t = oneLine(raw);
        if (t.isEmpty())
            continue;
        if (const std::optional<double> servings = servingsIn(t)) {
            if (!r.figures.contains(QStringLiteral("S1")))
                r.figures.insert(QStringLiteral("S1"), *servings);
        } else if (r.yield.isEmpty()) {
            r.yield = t;
        }
    }
}

void readNutrition(const QJsonValue& v, ImportedRecipe& r)
{
    const QJsonArray list = v.toArray();
    const QJsonObject n =
        v.isArray() ? (list.isEmpty() ? QJsonObject() : list.first().toObject()) : v.toObject();
    if (n.isEmpty())
        return;
    struct Nutrient
    {
        const char* property;
        const char16_t* field;
        const char16_t* bareUnit;
    };
    static constexpr Nutrient nutrients[] = {
        {"fatContent", u"G1", u"g"},          {"saturatedFatContent", u"G2", u"g"},
        {"cholesterolContent", u"G5", u"mg"}, {"sodiumContent", u"G6", u"mg"},
        {"carbohydrateContent", u"G7", u"g"}, {"fiberContent", u"G8", u"g"},
        {"sugarContent", u"G10", u"g"},       {"proteinContent", u"G12", u"g"},
    };
    if (const std::optional<double> kcal = caloriesIn(textOf(n.value(QLatin1StringView("calories")))))
        r.figures.insert(QStringLiteral("c1"), *kcal);
    for (const Nutrient& nutrient : nutrients) {
        const QString text = textOf(n.value(QLatin1StringView(nutrient.property)));
        if (const std::optional<double> grams = gramsIn(text, QStringView(nutrient.bareUnit)))
            r.figures.insert(QString::fromUtf16(nutrient.field), *grams);
    }
}

QString pictureOf(const QJsonValue& v, int depth = 0)
{
    if (depth > kMaxDepth)
        return {};
    if (v.isString())
        return v.toString().trimmed();
    if (v.isArray()) {
        const QJsonArray items = v.toArray();
        for (const QJsonValue& item : items) {
            const QString p = pictureOf(item, depth + 1);
            if (!p.isEmpty())
                return p;
        }
        return {};
    }
    if (!v.isObject())
        return {};
    const QJsonObject o = v.toObject();
    for (const char* key : {"url", "contentUrl", "@id"}) {
        const QString p = pictureOf(o.value(QLatin1StringView(key)), depth + 1);
        if (!p.isEmpty())
            return p;
    }
    return {};
}

void collect(const QJsonValue& v, int line, QList<ImportedRecipe>& out, int depth)
{
    if (depth > kMaxDepth)
        return;
    if (v.isArray()) {
        const QJsonArray items = v.toArray();
        for (const QJsonValue& item : items)
            if (item.isArray() || item.isObject())
                collect(item, line, out, depth + 1);
        return;
    }
    if (!v.isObject())
        return;
    const QJsonObject o = v.toObject();
    if (isType(o, u"Recipe")) {
        out.append(schemaRecipe(o, line));
        return;
    }
    for (auto it = o.constBegin(); it != o.constEnd(); ++it)
        if (it.value().isArray() || it.value().isObject())
            collect(it.value(), line, out, depth + 1);
}

} // namespace

ImportedRecipe schemaRecipe(const QJsonObject& o, int line)
{
    ImportedRecipe r;
    r.line = line;
    r.name = oneLine(textOf(o.value(QLatin1StringView("name"))));
    if (r.name.isEmpty())
        r.name = oneLine(textOf(o.value(QLatin1StringView("headline"))));
    r.description = plainTextOfHtml(textOf(o.value(QLatin1StringView("description"))));

    QJsonValue ingredients = o.value(QLatin1StringView("recipeIngredient"));
    if (ingredients.isUndefined())
        ingredients = o.value(QLatin1StringView("ingredients"));
    for (const QString& raw : textsOf(ingredients)) {
        const QString text = oneLine(raw);
        if (!text.isEmpty())
            r.ingredients << text;
    }

    Instructions instructions;
    instructions.add(o.value(QLatin1StringView("recipeInstructions")), 0);
    r.instructions = instructions.result();

    readYield(o.value(QLatin1StringView("recipeYield")), r);
    readNutrition(o.value(QLatin1StringView("nutrition")), r);
    for (const QString& raw : textsOf(o.value(QLatin1StringView("recipeCategory")))) {
        const QString category = oneLine(raw);
        if (!category.isEmpty())
            r.categories << category;
    }
    r.picture = pictureOf(o.value(QLatin1StringView("image")));
    return r;
}

void collectSchemaRecipes(const QJsonValue& document, int line, QList<ImportedRecipe>& out)
{
    collect(document, line, out, 0);
}

} // namespace pantrova::importing
