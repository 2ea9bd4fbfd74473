#include "RecipeEditor.h"

#include "LetterIndex.h"
#include "PictureStore.h"
#include "RecipeNew.h"
#include "ScaledPicture.h"
#include "ServingFigures.h"
#include "data/ProgramFolder.h"
#include "startup/Program.h"
#include "startup/SharedRoutines.h"
#include "ui/Dialogs.h"
#include "ui/FlexGrid.h"
#include "ui/LetterStrip.h"
#include "ui/PlainTextBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace pantrova {

namespace {
const QString kWhite = QStringLiteral("16777215");
const QString kGrey = QStringLiteral("14737632");

QString noNameMessage()
{
    return QStringLiteral("Please enter a name for the recipe.");
}
} // namespace

QString RecipeEditor::programFolder() const
{
    return program().programDir();
}

QString RecipeEditor::pictureFilter()
{
    // Bitmaps, JPEG (preselected) and GIF first, then every format the program reads, then any
    // file; extensions in either letter case, as cameras write them in capitals.
    const auto entry = [](const QString& label, const QStringList& suffixes) -> QString {
        return label + u'|' + PictureStore::patternsOf(suffixes).join(u';');
    };
    QStringList entries{entry(QStringLiteral("BMP"), {QStringLiteral("bmp")}),
                        entry(QStringLiteral("JPG"), {QStringLiteral("jpg"), QStringLiteral("jpeg")}),
                        entry(QStringLiteral("GIF Files"), {QStringLiteral("gif")})};
    if (PictureStore::readablePatterns().contains(QStringLiteral("*.png")))
        entries << entry(QStringLiteral("PNG"), {QStringLiteral("png")});
    entries << QStringLiteral("All pictures|") + PictureStore::readablePatterns().join(u';')
            << QStringLiteral("All files|*");
    return entries.join(u'|');
}

QString RecipeEditor::refusedPictureMessage(const QString& file)
{
    return QStringLiteral("The file \"") + QFileInfo(file).fileName() +
           QStringLiteral(
               "\" is not a picture that can be shown. Please choose a BMP, JPG, GIF or PNG picture.");
}

QString RecipeEditor::copyQuestion() const
{
    return QStringLiteral("File must be located in the ") +
           PictureStore(programFolder()).picturesFolderText() +
           QStringLiteral(" directory. Copy file to the required directory??");
}

// ---------------------------------------------------------------------------------------------
// Adding, saving, cancelling, deleting.

void RecipeEditor::AddRecipe()
{
    if (w.RecipeSet.isOpen() && w.RecipeSet.RecordCount() > 0 && !w.RecipeSet.isEOF() && !w.RecipeSet.isBOF())
        w.SavedBookmark = w.RecipeSet.bookmark();
    w.AddingRecipe = true;
    w.ClearRecipeFields();
    if (!w.RecipeSet.isOpen() || w.RecipeSet.RecordCount() == 0) {
        bool on = true;
        w.SetRecipeFieldsEnabled(kWhite, on);
    }
    w.ToolBar_2();
    updatePictureCommands();
    w.SSTab1->setCurrentIndex(0);
    w.Recipe_Name->setFocus();
}

void RecipeEditor::SaveRecipeCommand()
{
    finishGridEditing();
    // A name of blanks only would be stored empty and belong to no letter of the index.
    if (w.Recipe_Name->text().trimmed().isEmpty()) {
        ui::Dialogs::messageBox(noNameMessage());
        return;
    }
    SaveRecipe();
    if (!w.AddingRecipe) {
        w.ToolBar_1();
        updatePictureCommands();
    }
}

void RecipeEditor::SaveRecipe()
{
    QString name = RecipeStore::storedName(w.Recipe_Name->text());
    SanitizeName(name, 1);
    name = RecipeStore::storedName(name);
    w.Recipe_Name->setText(name);
    if (name.isEmpty()) { // the name was nothing but quotation marks
        ui::Dialogs::messageBox(noNameMessage());
        return;
    }

    finishGridEditing();
    const RecipeText text = pageText(name);
    const bool adding = w.AddingRecipe;
    const engine::Bookmark row = adding ? 0 : w.RecipeSet.bookmark();
    engine::Database& db = program().Cookbook;
    RecipeStore::Saved saved;
    // The recipe detail is read afresh once the recipe is saved; letting its row go now means a
    // text of megabytes is not held once more while it is written.
    w.RecipeDetail = engine::Recordset();
    try {
        saved = RecipeStore::save(db, w.RecipeSet, adding, row, text, program().CurrentGroup);
    } catch (...) {
        // Nothing was kept; the set is opened afresh (a failed add may have left it a row that does
        // not exist) and put back on the recipe it was on. The page keeps what was typed.
        try {
            reopenRecipeSet();
            w.letters().refresh();
            const engine::Bookmark back = adding ? w.SavedBookmark : row;
            if (w.RecipeSet.RecordCount() > 0) {
                w.RecipeSet.setBookmark(back);
                openDetailOfCurrentRow();
            }
        } catch (...) {
        }
        throw;
    }
    w.AddingRecipe = false;

    if (adding || saved.oldName.toUpper() != name.toUpper()) {
        // A new name takes its sorted place only when the set is read again.
        w.letters().noteSaved(saved.row, name, saved.number);
        reopenRecipeSet();
        w.RecipeSet.setBookmark(saved.row);
        showCurrentRow(true);
    } else if (saved.oldName != name) {
        // Letter case alone changed: same letter, same place, same number; only the list's text.
        w.letters().noteSaved(saved.row, name, saved.number);
        w.RecipeSet.setBookmark(saved.row);
        showCurrentRow(false);
    } else {
        w.RecipeSet.setBookmark(saved.row);
        openDetailOfCurrentRow();
        w.ShowRecipe();
    }
}

void RecipeEditor::CancelAdd()
{
    w.AddingRecipe = false;
    if (!w.RecipeSet.isOpen() || w.RecipeSet.RecordCount() == 0) {
        w.ClearRecipeFields();
        bool off = false;
        w.SetRecipeFieldsEnabled(kGrey, off);
        w.ToolBar_3();
    } else {
        w.RecipeSet.setBookmark(w.SavedBookmark);
        w.ShowCurrentRecipe();
        w.ToolBar_1();
    }
    updatePictureCommands();
}

void RecipeEditor::DeleteRecipe()
{
    if (!w.RecipeSet.isOpen() || w.RecipeSet.RecordCount() == 0 || w.RecipeSet.isEOF() || w.RecipeSet.isBOF())
        return;
    const int answer = ui::Dialogs::messageBox(QStringLiteral("Are you sure you want to delete this recipe"),
                                               ui::MsgButtons::YesNo);
    w.LastAnswer = QString::number(answer);
    if (answer != ui::AnswerYes)
        return;
    const engine::Bookmark row = w.RecipeSet.bookmark();
    RecipeStore::remove(program().Cookbook, w.RecipeSet);
    w.letters().noteDeleted(row);
    if (w.RecipeSet.RecordCount() == 0) {
        w.letters().refresh();
        showEmptyGroup();
        return;
    }
    w.Recipe_List->clear();
    w.ShowFirstRecipe();
    w.ToolBar_1();
    updatePictureCommands();
}

void RecipeEditor::leaveAdding()
{
    if (!w.AddingRecipe)
        return;
    w.AddingRecipe = false;
    if (w.RecipeSet.isOpen() && w.RecipeSet.RecordCount() > 0) {
        w.ToolBar_1();
    } else {
        bool off = false;
        w.SetRecipeFieldsEnabled(kGrey, off);
        w.ToolBar_3();
    }
    updatePictureCommands();
}

void RecipeEditor::showEmptyGroup()
{
    w.Recipe_List->clear();
    w.Enable_Buttons2();
    w.ClearRecipeFields();
    bool off = false;
    w.SetRecipeFieldsEnabled(kGrey, off);
    w.ToolBar_3();
    updatePictureCommands();
}

RecipeText RecipeEditor::pageText(const QString& name) const
{
    RecipeText text;
    text.name = name;
    text.description = w.Description->toPlainText();
    text.ingrediants = w.Ingrediants->toPlainText();
    text.instructions = w.Instructions->toPlainText();
    text.figures = ServingFigures::read(*w.SMGrid, *w.ServingGrid);
    return text;
}

void RecipeEditor::finishGridEditing()
{
    // A figure still in its cell editor is part of what the person typed.
    w.SMGrid->commitEdit();
    w.ServingGrid->commitEdit();
}

// ---------------------------------------------------------------------------------------------
// Refreshing the list, the letter strip and the page for the recipe set's current row.

void RecipeEditor::reopenRecipeSet()
{
    w.RecipeSet = program().Cookbook.OpenRecordset(LetterIndex::recipeSetSql(program().CurrentGroup));
}

void RecipeEditor::openDetailOfCurrentRow()
{
    w.letters().openDetailOfCurrentRow();
}

void RecipeEditor::showCurrentRow(bool rebuildStrip)
{
    engine::Recordset& set = w.RecipeSet;
    LetterIndex& letters = w.letters();
    const engine::Bookmark current = set.bookmark();
    if (rebuildStrip)
        letters.MarkLettersWithRecipes();
    else
        letters.refresh(); // same letters; only the list's texts change
    w.Recipe_List->clear();
    set.setBookmark(current);

    // The saved recipe's letter becomes the active one, its list is rebuilt, and it is shown.
    w.OldLetterButton = w.PreviousLetterButton;
    w.NewLetterButton = w.ActiveLetterButton;
    letters.LetterOfRecipe(true);
    w.PreviousLetterButton = w.OldLetterButton;
    w.ActiveLetterButton = w.NewLetterButton;
    w.CurrentLetter = w.NewLetter;
    letters.FillLetterList(w.NewLetter);
    letters.HighlightLetter(w.ActiveLetterButton, w.PreviousLetterButton);
    set.setBookmark(current);
    w.ShowCurrentRecipe();
}

// ---------------------------------------------------------------------------------------------
// Pictures.

void RecipeEditor::updatePictureCommands()
{
    const bool recipeShown = !w.AddingRecipe && w.RecipeSet.isOpen() && w.RecipeSet.RecordCount() > 0 &&
                             !w.RecipeSet.isEOF() && !w.RecipeSet.isBOF();
    w.Add_Pic->setEnabled(recipeShown);
    w.Delete_Pic->setEnabled(recipeShown);
}

void RecipeEditor::showImage(const QImage& picture)
{
    if (auto* box = qobject_cast<ScaledPicture*>(w.Pic_Image)) {
        if (picture.isNull())
            box->clearPicture();
        else
            box->setPicture(picture);
        return;
    }
    if (picture.isNull()) {
        w.Pic_Image->clear();
        return;
    }
    const QSize room = w.Pic_Image->size().expandedTo(QSize(150, 100)) - QSize(6, 6);
    w.Pic_Image->setPixmap(
        QPixmap::fromImage(picture).scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void RecipeEditor::showDefaultPicture()
{
    showImage(w.DefaultPictureFile.isEmpty()
                  ? QImage()
                  : PictureStore(program().shippedDir()).load(w.DefaultPictureFile));
}

void RecipeEditor::ShowRecipePicture()
{
    const QString stored = w.RecipeDetail.Text(QStringLiteral("Picture"));
    if (stored.isEmpty())
        return; // the default picture shown by ClearRecipeFields stays
    const QImage picture = PictureStore(programFolder()).load(stored);
    if (!picture.isNull()) {
        showImage(picture);
        return;
    }
    // A picture that is gone or unreadable is dropped from the recipe at once; the recipe then
    // counts as having none.
    showDefaultPicture();
    // Written through the recipe set when it is on this recipe, so both views of the row agree.
    const bool setOnRecipe = w.RecipeSet.isOpen() && w.RecipeSet.RecordCount() > 0 && !w.RecipeSet.isEOF() &&
                             !w.RecipeSet.isBOF() && w.RecipeSet.bookmark() == w.RecipeDetail.bookmark();
    RecipeStore::setPicture(program().Cookbook, setOnRecipe ? w.RecipeSet : w.RecipeDetail, QString());
    if (setOnRecipe)
        openDetailOfCurrentRow();
}

void RecipeEditor::Add_Pic_Click()
{
    updatePictureCommands();
    if (!w.Add_Pic->isEnabled())
        return;
    const PictureStore store(programFolder());
    ui::FileQuestion question;
    question.title = QStringLiteral("Add/Change Pic");
    question.filter = pictureFilter();
    question.filterIndex = PictureFilterIndex;
    const QString current = w.RecipeSet.Text(QStringLiteral("Picture"));
    if (!current.isEmpty()) {
        const QString file = store.resolve(current);
        question.fileName = file.isEmpty() ? QString(current).replace(u'\\', u'/') : file;
    }
    const std::optional<QString> chosen = ui::Dialogs::openFile(question);
    if (!chosen || chosen->isEmpty())
        return;
    // The whole picture is read before it is taken: a photo cut short would show as a blank frame
    // and lose its link the next time the recipe is shown.
    const QImage picture = PictureStore::decodeWhole(*chosen);
    if (picture.isNull()) {
        ui::Dialogs::messageBox(refusedPictureMessage(*chosen), ui::MsgButtons::OK, ui::MsgIcon::Exclamation);
        return;
    }
    if (!store.isInPicturesFolder(*chosen)) {
        const int answer = ui::Dialogs::messageBox(copyQuestion(), ui::MsgButtons::YesNo);
        w.LastAnswer = QString::number(answer);
        if (answer != ui::AnswerYes)
            return;
    }
    const QString stored = store.bringIn(*chosen);
    RecipeStore::setPicture(program().Cookbook, w.RecipeSet, stored);
    ProgramFolder(programFolder()).makeCurrent();
    openDetailOfCurrentRow();
    showImage(picture);
}

void RecipeEditor::Delete_Pic_Click()
{
    updatePictureCommands();
    if (!w.Delete_Pic->isEnabled())
        return;
    const int answer =
        ui::Dialogs::messageBox(QStringLiteral("Are you sure you want to remove this picture") + QChar(10) +
                                    QStringLiteral("and return to the system picture??"),
                                ui::MsgButtons::YesNo);
    w.LastAnswer = QString::number(answer);
    if (answer != ui::AnswerYes)
        return;
    RecipeStore::setPicture(program().Cookbook, w.RecipeSet, QString());
    openDetailOfCurrentRow();
    showDefaultPicture();
}

void RecipeEditor::PicDisplayMenu_Click(bool checked)
{
    w.DisplayPic->setChecked(checked);
    w.DisplayPic_Click();
    if (w.AddingRecipe) // the empty page of a new recipe follows the choice too
        showDefaultPicture();
}

// ---------------------------------------------------------------------------------------------
// Tabs.

void RecipeEditor::SSTab1_Click(int tab)
{
    const bool recipeOnPage = w.AddingRecipe || (w.RecipeSet.isOpen() && w.RecipeSet.RecordCount() > 0);
    if (!recipeOnPage)
        return;
    switch (tab) {
    case 0:
        w.Recipe_Name->setFocus();
        break;
    case 1:
        w.Ingrediants->setFocus();
        break;
    case 2:
        w.Instructions->setFocus();
        break;
    default:
        break;
    }
}

} // namespace pantrova
