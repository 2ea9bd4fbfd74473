#include "RecipeReport.h"

#include "data/Database.h"
#include "data/Recordset.h"
#include "data/Value.h"
#include "print/Document.h"

#include <QLocale>

#include <cmath>

namespace pantrova {

namespace {

const QColor kNavy(0, 0, 128);
const QColor kMaroon(128, 0, 0);
const QString kTen = QString(10, u' ');
constexpr double kTitleStep = 7;
constexpr double kGap = 2000; // between recipes that share a page
constexpr double kTextBesideBanner = 3800;

struct Nutrient
{
    const char* label;
    int blanksAfter;
};
const Nutrient kNutrients[12] = {
    {"Total Fat Grams: ", 1},
    {"Saturated Fat Grams: ", 1},
    {"Polyunsaturated Fat Grams: ", 1},
    {"Monounsaturated Fat Grams: ", 2},
    {"Choresterol: ", 2},
    {"Sodium: ", 2},
    {"Total Carbohydrate: ", 1},
    {"Dietary Fiber: ", 1},
    {"Soluble Fiber: ", 1},
    {"Sugars: ", 1},
    {"Other Carbohydrate: ", 2},
    {"Protein: ", 0},
};

void blank(print::Document& doc, int count = 1)
{
    for (int i = 0; i < count; ++i)
        doc.paragraph(QStringLiteral("\n"));
}

QString field(const engine::Recordset& row, const char* name)
{
    return row.Text(QString::fromLatin1(name));
}

// A banner with the text beside it: the banner stands at the current position and the text starts
// level with its top, at the indent. A banner that would run off the bottom of the page goes to the
// top of the next, with its text.
void bannerBeside(print::Document& doc, const print::Picture& banner, double up)
{
    const double height = std::round(banner.naturalSizeHiMetric().height() * 1440.0 / 2540.0);
    if (doc.currentY() + height > doc.pageHeight() - doc.pageBottom())
        doc.newPage();
    const double y0 = doc.currentY();
    doc.drawPicture(banner, doc.currentX(), doc.currentY());
    doc.setCurrentY(y0 - up);
    doc.setLeftIndent(kTextBesideBanner);
    blank(doc);
}

void recipePicture(print::Document& doc, const print::Picture& picture)
{
    const QSize hiMetric = picture.naturalSizeHiMetric();
    double w = std::round(hiMetric.width() * 1440.0 / 2540.0);
    double h = std::round(hiMetric.height() * 1440.0 / 2540.0);
    // A photo larger than the paper is brought down to the width between the margins and half the
    // height of the writing area, in proportion, so it neither runs off the page nor pushes the
    // recipe's text onto another one.
    const double room = doc.pageWidth() - doc.pageRight() - doc.pageLeft();
    const double tall = (doc.pageHeight() - doc.pageTop() - doc.pageBottom()) / 2;
    const double shrink = std::min({1.0, room / w, tall / h});
    if (shrink < 1.0) {
        w = std::floor(w * shrink);
        h = std::floor(h * shrink);
    }
    doc.drawPicture(picture, doc.currentX() + (doc.pageWidth() - doc.pageRight() - doc.pageLeft() - w) / 2,
                    doc.currentY(), w, h);
    doc.setCurrentY(doc.currentY() + h + 300);
}

void servingBlock(print::Document& doc, const engine::Recordset& row)
{
    const auto number = [&row](const QString& name) { return RecipeReport::NumberText(row.Fields(name)); };
    doc.setTextAlign(print::AlignCenter);
    doc.setFontSize(doc.fontSize() - 1);
    doc.setFontBold(true);
    blank(doc, 3);
    doc.paragraph(QStringLiteral("SERVING INFORMATION"));
    doc.setFontBold(false);
    blank(doc);
    doc.paragraph(QStringLiteral("(Grams per serving/% of Daily Requirement)"));
    blank(doc, 2);
    doc.paragraph(QStringLiteral("# of Servings: ") + number(QStringLiteral("S1")) + kTen +
                  QStringLiteral("Serving Size: ") + number(QStringLiteral("S2")) + kTen +
                  QStringLiteral("Calories Per Serving: ") + number(QStringLiteral("c1")));
    blank(doc, 2);
    doc.paragraph(QStringLiteral("Calories Per Serving: ") + number(QStringLiteral("c1")) + kTen +
                  QStringLiteral("Calories From Fat: ") + number(QStringLiteral("c2")));
    blank(doc, 2);
    for (int k = 1; k <= 12; ++k) {
        const QString g = number(QStringLiteral("G") + QString::number(k));
        QString p = number(QStringLiteral("P") + QString::number(k));
        if (!p.isEmpty())
            p += u'%';
        if (g.isEmpty() && p.isEmpty())
            continue;
        doc.paragraph(QString::fromLatin1(kNutrients[k - 1].label) + g + kTen + p);
        blank(doc, kNutrients[k - 1].blanksAfter);
    }
    doc.setFontSize(doc.fontSize() + 1);
    doc.setTextAlign(print::AlignLeft);
    blank(doc);
}

} // namespace

QString RecipeReport::NumberText(const engine::Value& value)
{
    if (value.isNumber())
        return engine::trimmedDecimalText(value.toDouble());
    if (value.type() == engine::Value::Type::Text) {
        bool ok = false;
        const double d = QLocale::c().toDouble(value.toText().trimmed(), &ok);
        if (ok && std::isfinite(d))
            return engine::trimmedDecimalText(d);
    }
    return {};
}

QString RecipeReport::exportMessage(const QString& file)
{
    return QStringLiteral("THe HTML version of Recipe Report will be saved as") + u'\n' + u'\n' + file;
}

bool RecipeReport::PrintRecipeReport(print::Document& doc, engine::Database& cookbook, const Options& options)
{
    engine::Recordset row =
        cookbook.OpenRecordset(QStringLiteral("select * from Report order by extra2 + extra3 + name"));
    if (row.RecordCount() == 0)
        return false;

    doc.clear();
    doc.setTitle(QStringLiteral("Recipe Report"));
    doc.setMarginTop(720);
    doc.setMarginBottom(720);
    doc.setExportFile(options.exportFile);
    if (!options.exportFile.isEmpty() && options.beforeExport)
        options.beforeExport();
    doc.start();

    QString previousSection;
    QString previousGroup;
    bool first = true;
    print::Picture picture;
    for (; !row.isEOF(); row.MoveNext()) {
        const QString section = field(row, "extra2");
        const QString group = field(row, "extra3");
        const QString pictureFile = field(row, "Picture");

        if (!first) {
            if (group != previousGroup || section != previousSection || options.newPageSkip ||
                !pictureFile.isEmpty() || doc.currentY() + kGap > doc.pageHeight() / 2)
                doc.newPage();
            else
                doc.setCurrentY(doc.currentY() + kGap);
        }
        first = false;

        doc.setTextAlign(print::AlignCenter);
        doc.setFontName(QStringLiteral("arial"));
        doc.setFontSize(doc.fontSize() + kTitleStep);
        doc.setFontBold(true);
        doc.setTextColor(kNavy);
        if (options.heading && (section != previousSection || group != previousGroup)) {
            previousSection = section;
            previousGroup = group;
            doc.paragraph(section + QStringLiteral("  -  ") + group);
            blank(doc, 2);
        }
        doc.setTextColor(kMaroon);
        doc.paragraph(field(row, "Name"));
        blank(doc);

        doc.setFontSize(doc.fontSize() - kTitleStep);
        doc.setFontBold(false);
        doc.setTextColor(Qt::black);
        doc.setTextAlign(print::AlignLeft);
        blank(doc);

        if (!pictureFile.isEmpty() && options.loadPicture && options.loadPicture(row, picture))
            recipePicture(doc, picture);

        const QString description = field(row, "Description");
        if (!description.trimmed().isEmpty()) {
            bannerBeside(doc, options.descriptionBanner, 10);
            doc.paragraph(description);
            blank(doc, 2);
        }
        doc.setLeftIndent(0);
        blank(doc);

        bannerBeside(doc, options.ingredientsBanner, 5);
        doc.paragraph(field(row, "Ingrediants"));
        blank(doc, 2);
        doc.setLeftIndent(0);
        blank(doc);

        bannerBeside(doc, options.instructionsBanner, 5);
        doc.paragraph(field(row, "Instructions"));
        doc.setLeftIndent(0);
        blank(doc);

        if (options.servingInfo)
            servingBlock(doc, row);
    }
    doc.end();
    return true;
}

} // namespace pantrova
