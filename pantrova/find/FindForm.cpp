#include "FindForm.h"

#include "FindCommands.h"
#include "FoundRecipeDelegate.h"
#include "FoundRecipesModel.h"
#include "IndexProgress.h"
#include "RecipeFinder.h"
#include "data/RecipeSearch.h"
#include "recipes/RecipeNew.h"
#include "ui/ErrorGuard.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

namespace pantrova {

namespace {

const QString kHint =
    QStringLiteral("Type words from a recipe's name, description, ingredients or instructions. Words in "
                   "\"double quotes\" are found as a phrase.");

// Room the window asks for beside the main window, in device-independent pixels.
constexpr int kWidth = 440;
constexpr int kHeight = 560;
constexpr int kSpacing = 8;

} // namespace

FindForm::FindForm(RecipeNew& mainWindow) : QWidget(&mainWindow, Qt::Tool), m_main(&mainWindow)
{
    setObjectName(QStringLiteral("FindForm"));
    setWindowTitle(QStringLiteral("Find Recipes"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose);

    auto* findLabel = new QLabel(QStringLiteral("&Find:"), this);
    SearchText = new QLineEdit(this);
    SearchText->setObjectName(QStringLiteral("SearchText"));
    SearchText->setAccessibleName(QStringLiteral("Find"));
    SearchText->setPlaceholderText(QStringLiteral("Words from a recipe"));
    SearchText->setClearButtonEnabled(true);
    findLabel->setBuddy(SearchText);

    AllCookbooks = new QCheckBox(QStringLiteral("&All cookbooks"), this);
    AllCookbooks->setObjectName(QStringLiteral("AllCookbooks"));
    AllCookbooks->setAccessibleName(QStringLiteral("All cookbooks"));

    m_model = new FoundRecipesModel(this);
    Results = new QListView(this);
    Results->setObjectName(QStringLiteral("Results"));
    Results->setAccessibleName(QStringLiteral("Recipes found"));
    Results->setModel(m_model);
    Results->setItemDelegate(new FoundRecipeDelegate(Results));
    Results->setUniformItemSizes(true);
    Results->setSelectionMode(QAbstractItemView::SingleSelection);
    Results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Results->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Results->setAlternatingRowColors(true);

    Status = new QLabel(kHint, this);
    Status->setObjectName(QStringLiteral("Status"));
    Status->setWordWrap(true);

    ShowButton = new QPushButton(QStringLiteral("&Show Recipe"), this);
    ShowButton->setObjectName(QStringLiteral("ShowButton"));
    ShowButton->setAccessibleName(QStringLiteral("Show Recipe"));
    ShowButton->setEnabled(false);
    CloseButton = new QPushButton(QStringLiteral("Close"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setAccessibleName(QStringLiteral("Close"));

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(findLabel);
    searchRow->addWidget(SearchText, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ShowButton);
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(AllCookbooks);
    layout->addWidget(Results, 1);
    layout->addWidget(Status);
    layout->addLayout(buttons);

    m_pause.setSingleShot(true);
    m_pause.setInterval(kTypingPause);
    auto search = [this] { ui::guarded(QStringLiteral("Finding recipes"), [this] { Search(); }); };
    auto show = [this] {
        ui::guarded(QStringLiteral("Showing the recipe found"), [this] { ShowButton_Click(); });
    };
    connect(&m_pause, &QTimer::timeout, this, search);
    connect(SearchText, &QLineEdit::textChanged, this, [this] { m_pause.start(); });
    connect(SearchText, &QLineEdit::returnPressed, this, show);
    connect(AllCookbooks, &QCheckBox::toggled, this, search);
    connect(Results, &QAbstractItemView::activated, this, show);
    connect(ShowButton, &QPushButton::clicked, this, show);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);
    // Ctrl+F here too goes back to the words, ready to be typed over.
    auto* again = new QShortcut(QKeySequence::Find, this);
    connect(again, &QShortcut::activated, this, [this] {
        SearchText->setFocus();
        SearchText->selectAll();
    });
    SearchText->installEventFilter(this);
}

FindForm::~FindForm() = default;

FindForm* FindForm::Open(RecipeNew& mainWindow)
{
    auto* form = mainWindow.findChild<FindForm*>(QString(), Qt::FindDirectChildrenOnly);
    if (!form) {
        form = new FindForm(mainWindow);
        form->placeBesideMainWindow();
    }
    form->show();
    form->raise();
    form->activateWindow();
    form->SearchText->setFocus();
    form->SearchText->selectAll();
    return form;
}

void FindForm::placeBesideMainWindow()
{
    resize(kWidth, kHeight);
    if (!m_main)
        return;
    const QRect main = m_main->frameGeometry();
    const QScreen* screen = m_main->screen() ? m_main->screen() : QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : main;
    const QSize size(qMin(kWidth, room.width()), qMin(kHeight, room.height()));
    // To the right of the main window if it fits, else to its left, else over its right edge.
    int x = main.right() + kSpacing;
    if (x + size.width() > room.right())
        x = main.left() - kSpacing - size.width();
    if (x < room.left())
        x = room.right() - size.width();
    const int y = qBound(room.top(), main.top(), room.bottom() - size.height());
    setGeometry(QRect(QPoint(x, y), size));
}

void FindForm::Search()
{
    m_pause.stop();
    const QString typed = SearchText->text();
    m_searched = typed;
    m_searchedAll = AllCookbooks->isChecked();
    if (!engine::RecipeSearch::hasWords(typed)) {
        m_model->clear();
        Status->setText(kHint);
        ShowButton->setEnabled(false);
        return;
    }
    IndexProgress progress(this);
    const RecipeFinder::Outcome outcome =
        RecipeFinder::find(typed, m_searchedAll, [&](const QString& cookbook, int done, int total) {
            progress.report(cookbook, done, total);
        });
    m_model->setResults(outcome.entries, typed);
    if (m_model->rowCount() > 0)
        Results->setCurrentIndex(m_model->index(0, 0));
    ShowButton->setEnabled(m_model->rowCount() > 0);
    showStatus(m_model->rowCount(), outcome.more, outcome.unsearched);
}

void FindForm::showStatus(int found, bool more, const QStringList& unsearched)
{
    QString text;
    if (more)
        text = QStringLiteral("More than %1 recipes hold these words; the first %1 are listed. More words "
                              "narrow the search.")
                   .arg(found);
    else if (found == 0)
        text = QStringLiteral("No recipe holds these words.");
    else if (found == 1)
        text = QStringLiteral("1 recipe found.");
    else
        text = QStringLiteral("%1 recipes found.").arg(found);
    if (!unsearched.isEmpty())
        text += QStringLiteral(" Not searched: %1.").arg(unsearched.join(QStringLiteral(", ")));
    Status->setText(text);
}

void FindForm::ShowButton_Click()
{
    // Enter right after typing shows what the words find, not what the list showed before.
    if (m_pause.isActive() || SearchText->text() != m_searched || AllCookbooks->isChecked() != m_searchedAll)
        Search();
    if (!m_main || m_model->rowCount() == 0)
        return;
    QModelIndex current = Results->currentIndex();
    if (!current.isValid())
        current = m_model->index(0, 0);
    const FoundEntry entry = m_model->entry(current.row());
    if (FindCommands::ShowFound(*m_main, entry) == FindCommands::Shown::Gone)
        Search();
}

void FindForm::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

bool FindForm::eventFilter(QObject* watched, QEvent* e)
{
    // Down from the words goes into the list, so the keyboard alone walks the recipes found.
    if (watched == SearchText && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if ((key == Qt::Key_Down || key == Qt::Key_PageDown) && m_model->rowCount() > 0) {
            Results->setFocus();
            if (!Results->currentIndex().isValid())
                Results->setCurrentIndex(m_model->index(0, 0));
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

} // namespace pantrova
