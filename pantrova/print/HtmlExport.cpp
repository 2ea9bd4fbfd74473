#include "HtmlExport.h"

#include "Document.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QLocale>
#include <QSaveFile>
#include <QTextStream>

#include <cmath>
#include <stdexcept>

namespace print {

namespace {

// Twips to CSS units: points for type and indents, pixels (96 per inch) for pictures.
QString cssPoints(double twips)
{
    QString n = QString::number(twips / Document::TwipsPerPoint, 'f', 2);
    while (n.contains(u'.') && (n.endsWith(u'0') || n.endsWith(u'.')))
        n.chop(1);
    return n + QStringLiteral("pt");
}

int cssPixels(double twips)
{
    return std::max(1, int(std::lround(twips / 15.0)));
}

QString escaped(const QString& text)
{
    QString out;
    out.reserve(text.size() + 16);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += QStringLiteral("&amp;");
            break;
        case u'<':
            out += QStringLiteral("&lt;");
            break;
        case u'>':
            out += QStringLiteral("&gt;");
            break;
        case u'"':
            out += QStringLiteral("&quot;");
            break;
        case u'\r':
            break; // CR LF and lone CR both end a line as LF
        default:
            out += c;
        }
    }
    return out;
}

// The paragraph's text as it is laid out: a closing line break opens no further line, and a lone
// CR breaks a line like LF.
QString paragraphText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

QString fontFamily(const QString& family)
{
    if (family.compare(QStringLiteral("arial"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Arial, \"Liberation Sans\", Helvetica, sans-serif");
    QString quoted = family;
    quoted.remove(u'"').remove(u'<').remove(u'>');
    return u'"' + quoted + QStringLiteral("\", sans-serif");
}

bool webFriendly(const QString& suffix)
{
    static const QStringList suffixes{QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("png"),
                                      QStringLiteral("gif"), QStringLiteral("webp")};
    return suffixes.contains(suffix.toLower());
}

} // namespace

QString HtmlExport::pictureFolderFor(const QString& path)
{
    const QFileInfo info(path);
    return info.completeBaseName() + QStringLiteral("_files");
}

void HtmlExport::writePage(const Document& document, QTextStream& out, const QString& pictureFolder,
                           QList<std::pair<QString, int>>* pictures)
{
    QString title = document.title().isEmpty() ? QStringLiteral("Report") : document.title();
    QString lang = QLocale().bcp47Name();
    if (lang.isEmpty() || lang == u"C")
        lang = QStringLiteral("en");

    out << "<!DOCTYPE html>\n<html lang=\"" << escaped(lang) << "\">\n<head>\n<meta charset=\"utf-8\">\n"
        << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        << "<meta name=\"generator\" content=\"Pantrova\">\n"
        << "<title>" << escaped(title) << "</title>\n<style>\n";
    const double textWidth = document.pageWidth() - document.pageLeft() - document.pageRight();
    out << "body { margin: 2em auto; padding: 0 1em; max-width: " << cssPoints(textWidth)
        << "; background: #fff; color: #000; }\n";
    if (document.pageColumns() > 1)
        out << "main { column-count: " << document.pageColumns()
            << "; column-gap: " << cssPoints(Document::ColumnSpacing) << "; }\n";
    out << "p { margin: 0; white-space: pre-wrap; overflow-wrap: anywhere; }\n"
        << "p.at-edge { clear: left; }\n"
        << ".centre { text-align: center; }\n.right { text-align: right; }\n"
        << "img.beside { float: left; clear: left; }\n"
        << "img.block { display: block; margin: 0 auto; clear: both; }\n"
        << "hr.page { clear: both; border: 0; border-top: 1px dashed #aaa; margin: 2em 0; }\n"
        << "@media print { hr.page { break-after: page; border: 0; margin: 0; } }\n";
    for (int s = 0; s < document.styleCount(); ++s) {
        const Document::Style& style = document.style(s);
        out << ".s" << s << " { font-family: " << fontFamily(style.family)
            << "; font-size: " << cssPoints(style.sizeTwips)
            << "; font-weight: " << (style.bold ? "bold" : "normal")
            << "; color: " << QColor::fromRgb(style.color).name() << "; }\n";
    }
    out << "</style>\n</head>\n<body>\n<main>\n";

    QHash<const void*, QString> names;
    for (const Document::Item& item : document.items()) {
        switch (item.kind) {
        case Document::Item::PageBreakItem:
            out << "<hr class=\"page\">\n";
            break;
        case Document::Item::PictureItem: {
            const Document::PlacedPicture& placed = document.pictures()[size_t(item.index)];
            QString& name = names[placed.picture.identity()];
            if (name.isEmpty()) {
                const QString suffix = QFileInfo(placed.picture.filePath()).suffix();
                name = QStringLiteral("picture") + QString::number(names.size()) + u'.' +
                       (webFriendly(suffix) ? suffix.toLower() : QStringLiteral("png"));
                if (pictures)
                    pictures->append({name, item.index});
            }
            const bool atEdge = std::abs(placed.rect.left() - document.pageLeft()) < 1.0;
            out << "<img class=\"" << (atEdge ? "beside" : "block") << "\" src=\"" << escaped(pictureFolder)
                << u'/' << name << "\" width=\"" << cssPixels(placed.rect.width()) << "\" height=\""
                << cssPixels(placed.rect.height()) << "\" alt=\"" << escaped(placed.picture.description())
                << "\">\n";
            break;
        }
        case Document::Item::ParagraphItem: {
            const Document::Paragraph& p = document.paragraphs()[size_t(item.index)];
            out << "<p class=\"s" << p.style;
            if (p.alignment == AlignCenter)
                out << " centre";
            else if (p.alignment == AlignRight)
                out << " right";
            if (p.indent <= 0)
                out << " at-edge";
            out << u'"';
            if (p.indent > 0)
                out << " style=\"margin-left: " << cssPoints(p.indent) << u'"';
            const QString text = paragraphText(p.text);
            out << u'>' << (text.isEmpty() ? QStringLiteral("&nbsp;") : escaped(text)) << "</p>\n";
            break;
        }
        }
    }
    out << "</main>\n</body>\n</html>\n";
}

void HtmlExport::write(const Document& document, const QString& path)
{
    const auto failed = [&path](const QString& why) {
        return std::runtime_error(QStringLiteral("Could not write the HTML file %1: %2")
                                      .arg(QFileInfo(path).absoluteFilePath(), why)
                                      .toStdString());
    };
    const QString folderName = pictureFolderFor(path);
    QList<std::pair<QString, int>> pictures;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw failed(file.errorString());
    {
        QTextStream out(&file);
        out.setEncoding(QStringConverter::Utf8);
        writePage(document, out, folderName, &pictures);
        out.flush();
        if (out.status() != QTextStream::Ok)
            throw failed(QStringLiteral("the disk may be full"));
    }
    if (!file.commit())
        throw failed(file.errorString());

    // The pictures of the previous report go; this report's take their place.
    QDir folder(QFileInfo(path).absoluteDir().filePath(folderName));
    if (folder.exists())
        for (const QString& old : folder.entryList({QStringLiteral("picture*")}, QDir::Files))
            folder.remove(old);
    if (pictures.isEmpty())
        return;
    if (!folder.exists() && !folder.mkpath(QStringLiteral(".")))
        throw failed(QStringLiteral("the picture folder %1 cannot be made").arg(folder.path()));
    for (const auto& [name, index] : pictures) {
        const Picture& picture = document.pictures()[size_t(index)].picture;
        const QString target = folder.filePath(name);
        const QString source = picture.filePath();
        const bool copied =
            !source.isEmpty() && webFriendly(QFileInfo(source).suffix()) && QFile::copy(source, target);
        // A picture that can no longer be read is left out; the page shows its text alternative.
        if (!copied) {
            const QImage image = picture.image();
            if (!image.isNull() && !image.save(target, "PNG"))
                throw failed(QStringLiteral("the picture %1 cannot be written").arg(target));
        }
    }
}

} // namespace print
