#include "ReportWindowForm.h"

#include "ListReports.h"
#include "Print_Form.h"
#include "RecipeReport.h"
#include "ReportArt.h"
#include "data/Recordset.h"
#include "print/PreviewWidget.h"
#include "print/VSPrinter.h"
#include "recipes/PictureStore.h"
#include "startup/Program.h"
#include "ui/BusyCursor.h"
#include "ui/Dialogs.h"
#include "ui/ErrorGuard.h"
#include "ui/Named.h"
#include "ui/Twips.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>
#include <QToolButton>

namespace pantrova {

namespace {

// The design, in twips: the client area, and the band of buttons under the preview.
constexpr int kDesignWidth = 5490;
constexpr int kDesignHeight = 6075;
constexpr int kPreviewBottom = 4875;
constexpr int kButtonColumn = 2685; // left edge of the column of wide buttons

using ui::named;

} // namespace

ReportWindowForm::ReportWindowForm(Print_Form& selection, QWidget* parent)
    : QWidget(parent, Qt::Window), m_selection(selection)
{
    setObjectName(QStringLiteral("ReportWindowForm"));
    setWindowTitle(QStringLiteral("Pantrova: Report Window"));
    setAccessibleName(windowTitle());

    VSPrinter1 = named(new print::VSPrinter(this), "VSPrinter1", QStringLiteral("Report preview"));
    BButton = named(new QToolButton(this), "BButton", QStringLiteral("Previous page"));
    BButton->setToolTip(QStringLiteral("Previous page"));
    BButton->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    PButton = named(new QToolButton(this), "PButton", QStringLiteral("Next page"));
    PButton->setToolTip(QStringLiteral("Next page"));
    PButton->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    for (QToolButton* b : {BButton, PButton})
        b->setIconSize(QSize(28, 28));
    PageLabel = named(new QLabel(this), "PageLabel", QStringLiteral("Page"));
    PageLabel->setAlignment(Qt::AlignCenter);
    PdfButton = named(new QPushButton(QStringLiteral("Save as PDF..."), this), "PdfButton",
                      QStringLiteral("Save as PDF..."));
    PrintButton = named(new QPushButton(QStringLiteral("Send Report to Printer"), this), "PrintButton",
                        QStringLiteral("Send Report to Printer"));
    Command1 = named(new QPushButton(QStringLiteral("Close"), this), "Command1", QStringLiteral("Close"));

    for (int i = 1; i <= 4; ++i) {
        static const char* const words[] = {"No Picture", "Description", "Ingredients", "Instructions"};
        m_pictures[size_t(i - 1)] = print::Picture::fromImage(ReportArt::picture(ReportArt::Banner(i)),
                                                              QString::fromLatin1(words[i - 1]));
    }

    connectControls();
    setMinimumSize(ui::Twips::toPixelsX(kDesignWidth), ui::Twips::toPixelsY(kDesignHeight));
    // The page should be readable: the window opens as tall as the screen comfortably allows, in the
    // design's proportions.
    int height = ui::Twips::toPixelsY(kDesignHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        height = std::max(height, int(screen->availableGeometry().height() * 0.85));
    resize(height * kDesignWidth / kDesignHeight, height);
    showPageNumber();
}

ReportWindowForm::~ReportWindowForm() = default;

void ReportWindowForm::resizeEvent(QResizeEvent* event)
{
    using ui::Twips;
    QWidget::resizeEvent(event);
    // The preview takes whatever the buttons leave; the buttons keep their places against the
    // bottom edge, the wide ones against the right edge.
    const int band = Twips::toPixelsY(kDesignHeight - kPreviewBottom);
    const int below = height() - band; // where the design's preview bottom now lies
    const int right = width() - Twips::toPixelsX(kDesignWidth - kButtonColumn);
    const auto y = [below](int designTop) {
        return below + ui::Twips::toPixelsY(designTop - kPreviewBottom);
    };
    VSPrinter1->setGeometry(Twips::toPixelsX(30), 0, width() - Twips::toPixelsX(90), below);
    BButton->setGeometry(Twips::toPixelsX(90), y(5130), Twips::toPixelsX(645), Twips::toPixelsY(615));
    PButton->setGeometry(Twips::toPixelsX(735), y(5130), Twips::toPixelsX(645), Twips::toPixelsY(615));
    PageLabel->setGeometry(Twips::toPixelsX(90), y(5760), Twips::toPixelsX(1290), Twips::toPixelsY(270));
    const int wide = Twips::toPixelsX(2745);
    const int tall = std::max(Twips::toPixelsY(300), PrintButton->sizeHint().height());
    PdfButton->setGeometry(right, y(5010), wide, tall);
    PrintButton->setGeometry(right, y(5340), wide, tall);
    Command1->setGeometry(right, y(5670), wide, tall);
}

void ReportWindowForm::connectControls()
{
    const auto on = [this](auto* sender, auto signal, const QString& what, auto handler) {
        connect(sender, signal, this,
                [what, handler](auto... args) { ui::guarded(what, [&] { handler(args...); }); });
    };
    on(BButton, &QToolButton::clicked, QStringLiteral("Showing the previous page"),
       [this](bool) { BButton_Click(); });
    on(PButton, &QToolButton::clicked, QStringLiteral("Showing the next page"),
       [this](bool) { PButton_Click(); });
    on(PrintButton, &QPushButton::clicked, QStringLiteral("Printing the report"),
       [this](bool) { PrintButton_Click(); });
    on(PdfButton, &QPushButton::clicked, QStringLiteral("Saving the report as PDF"),
       [this](bool) { PdfButton_Click(); });
    on(Command1, &QPushButton::clicked, QStringLiteral("Closing the report"),
       [this](bool) { Command1_Click(); });
    connect(VSPrinter1, &print::VSPrinter::previewPageChanged, this, [this] { showPageNumber(); });

    auto* print = new QAction(this);
    print->setShortcut(QKeySequence::Print);
    addAction(print);
    on(print, &QAction::triggered, QStringLiteral("Printing the report"),
       [this](bool) { PrintButton_Click(); });
    auto* escape = new QAction(this);
    escape->setShortcut(Qt::Key_Escape);
    addAction(escape);
    connect(escape, &QAction::triggered, this, [this] { Command1_Click(); });
}

void ReportWindowForm::showPageNumber()
{
    const int count = VSPrinter1->pageCount();
    const int page = VSPrinter1->previewPage();
    const QString text =
        page == 0 ? QStringLiteral("No pages")
                  : QStringLiteral("Page %1 of %2").arg(QString::number(page), QString::number(count));
    PageLabel->setText(text);
    PageLabel->setAccessibleName(text);
    BButton->setEnabled(page > 1);
    PButton->setEnabled(page < count);
    PdfButton->setEnabled(count > 0);
}

print::Picture ReportWindowForm::ImageList1(int index) const
{
    return index >= 1 && index <= 4 ? m_pictures[size_t(index - 1)] : print::Picture();
}

bool ReportWindowForm::LoadRecipePicture(const engine::Recordset& row)
{
    const QString stored = row.Text(QStringLiteral("Picture"));
    const QString file = PictureStore(program().folder).resolve(stored);
    RecipePicture = print::Picture::fromFile(file, row.Text(QStringLiteral("Name")));
    return !RecipePicture.isNull();
}

void ReportWindowForm::Form_Load()
{
    if (m_selection.ListCheck->isChecked())
        PrintNameList();
    else if (m_selection.CardPrint->isChecked())
        PrintRecipeCards();
    else
        PrintRecipeReport();
    showPageNumber();
}

void ReportWindowForm::BButton_Click()
{
    VSPrinter1->setPreviewPage(VSPrinter1->previewPage() - 1);
}

void ReportWindowForm::PButton_Click()
{
    VSPrinter1->setPreviewPage(VSPrinter1->previewPage() + 1);
}

void ReportWindowForm::PrintButton_Click()
{
    VSPrinter1->printDocument();
}

void ReportWindowForm::PdfButton_Click()
{
    if (VSPrinter1->pageCount() == 0)
        return;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    const QString title = VSPrinter1->document().title();
    QFileDialog dialog(this, QStringLiteral("Save Report as PDF"), folder,
                       QStringLiteral("PDF files (*.pdf)"));
    dialog.setObjectName(QStringLiteral("SavePdfDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile((title.isEmpty() ? QStringLiteral("Report") : title) + QStringLiteral(".pdf"));
    if (ui::Dialogs::runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QString path = dialog.selectedFiles().constFirst();
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    const ui::BusyCursor busy;
    VSPrinter1->saveAsPdf(path);
}

void ReportWindowForm::Command1_Click()
{
    close();
}

void ReportWindowForm::PrintRecipeReport()
{
    RecipeReport::Options options;
    options.heading = !m_selection.Report_Option[0]->isChecked();
    options.servingInfo = m_selection.ServingInfo->isChecked();
    options.newPageSkip = m_selection.NewPageSkip->isChecked();
    if (m_selection.HTMLCheck1->isChecked()) {
        options.exportFile =
            QDir::toNativeSeparators(QDir(program().folder).filePath(QStringLiteral("recipe.htm")));
        options.beforeExport = [file = options.exportFile] {
            ui::Dialogs::messageBox(RecipeReport::exportMessage(file), ui::MsgButtons::OK, ui::MsgIcon::None,
                                    ui::Dialogs::programTitle());
        };
    }
    options.loadPicture = [this](const engine::Recordset& row, print::Picture& picture) {
        const bool loaded = LoadRecipePicture(row);
        picture = RecipePicture;
        return loaded;
    };
    options.descriptionBanner = ImageList1(2);
    options.ingredientsBanner = ImageList1(3);
    options.instructionsBanner = ImageList1(4);
    try {
        RecipeReport::PrintRecipeReport(VSPrinter1->document(), program().Cookbook, options);
    } catch (const std::exception& e) {
        // The report itself is whole; only its HTML version is missing.
        if (!VSPrinter1->document().isFinished())
            throw;
        ui::Dialogs::showError(QStringLiteral("Writing the HTML version of the report"),
                               QString::fromUtf8(e.what()));
    }
}

void ReportWindowForm::PrintNameList()
{
    ListReports::PrintNameList(VSPrinter1->document(), program().Cookbook);
}

void ReportWindowForm::PrintRecipeCards()
{
    ListReports::PrintRecipeCards(VSPrinter1->document(), program().Cookbook);
}

} // namespace pantrova
