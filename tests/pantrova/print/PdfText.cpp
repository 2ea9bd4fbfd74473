#include "PdfText.h"

#include <QProcess>
#include <QStandardPaths>

bool PdfText::available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

QStringList PdfText::pages(const QString& pdfPath)
{
    QProcess extractor;
    extractor.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                                  QStringLiteral("UTF-8"), pdfPath, QStringLiteral("-")});
    if (!extractor.waitForFinished(60000) || extractor.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(extractor.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast(); // the extractor ends the last page with a form feed too
    return pages;
}
