#pragma once
// The editing page: the words of the open crossword on the left, the clue of the current
// word on the right, and the "File (Edit)" commands that create, open, shape, save, print,
// export, close and try the crossword. The main window hosts the page and shows its commands in its menu.
#include <QList>
#include <QPageSize>
#include <QString>
#include <memory>

#include "authoring/gui/editing/edited_crossword.h"
#include "authoring/gui/editing_page_base.h"
#include "authoring/gui/file_dialog_folders.h"

class QAction;
class QDataWidgetMapper;
class QDialog;
class QLabel;
class QPagedPaintDevice;
class QTableView;
class QToolBar;

namespace gw::gui {

class ClueEditor;
class DefinitionTableModel;
class UserInteraction;

class EditingPage : public EditingPageBase {
  Q_OBJECT
 public:
  // `document` is the program's one crossword document; `folders` the remembered dialog
  // folders ("Edit:Open", "Edit:Save"), updated as crosswords are saved.
  EditingPage(CrosswordDocument& document, FileDialogFolders& folders,
              std::shared_ptr<UserInteraction> interaction, QWidget* parent = nullptr);
  // The page with a crossword document of its own: the program's one, alive as long as the page.
  EditingPage(FileDialogFolders& folders, std::shared_ptr<UserInteraction> interaction,
              QWidget* parent = nullptr);
  ~EditingPage() override;

  // The "File (Edit)" commands in menu order, separators included; the main window
  // appends its "Quit editing ..." after them.
  QList<QAction*> fileMenuActions() const override;
  // The enabling rules; the main window calls it when idle. Behind another page every
  // command is off, so its shortcuts reach that page's commands.
  void updateActions(bool pageInFront) override;
  // The Close command with "Save changes?"; returns whether no crossword is open afterwards.
  bool closeCrossword() override;
  // Opens a crossword file as Open does (a crossword already open is closed first).
  void openCrosswordFile(const QString& path) override;

  EditedCrossword& crossword() { return crossword_; }
  DefinitionTableModel* model() const { return model_; }
  ClueEditor* clueEditor() const { return clueEditor_; }
  QTableView* wordGrid() const { return wordGrid_; }
  QAction* action(const QString& objectName) const;

  // The commands.
  void newCrossword();
  void openCrossword();
  bool saveCrossword();
  bool saveCrosswordAs();
  void changeCharset();
  void tryCrossword();
  // Print and Export PDF take the crossword as it stands in the editor, unsaved edits
  // included, and leave the modified flag as it was.
  void printCrossword();
  bool exportPdf();
  void defineCrossword();
  void prepareDefinitions();

 Q_SIGNALS:
  // A dialog of the page is about to be shown modally.
  void dialogOpened(QDialog* dialog);

 private:
  QAction* makeAction(const char* name, const QString& caption, const QString& hint,
                      const QKeySequence& shortcut = {});
  // Stores the clue being edited in its definition; false (with a message) when its text
  // cannot be stored in the crossword's charset.
  bool storePendingClue();
  void showCurrentDefinition();
  void reloadDefinitions();
  void readCrossword(const QString& path);
  void showMessage(const QString& text);
  void setCaptionForFile(const QString& path);
  void showStatus();
  void createPage();
  // The title printed above the grid: the crossword file's name without extension.
  QString printTitle() const;
  // The proposed PDF: the crossword's name with ".pdf", in the crossword's folder.
  QString proposedPdfPath() const;
  // Paints the crossword on a printer or PDF writer; false (with a message) when it cannot.
  bool paintCrossword(QPagedPaintDevice& device, bool withSolution);

  std::unique_ptr<CrosswordDocument> ownDocument_;  // when the page keeps the document itself
  EditedCrossword crossword_;
  FileDialogFolders& folders_;
  std::shared_ptr<UserInteraction> interaction_;
  QString lastOpenFolder_;  // where the open dialog starts this session
  // The paper and solution page last chosen for printing or a PDF, proposed again this session.
  QPageSize::PageSizeId paper_;
  bool withSolution_ = false;
  bool pageInFront_ = true;
  DefinitionTableModel* model_;
  QDataWidgetMapper* mapper_;
  QTableView* wordGrid_;
  ClueEditor* clueEditor_;
  QToolBar* toolBar_;
  QLabel* wordStatus_;
  QLabel* changeStatus_;
  QAction* newAction_;
  QAction* openAction_;
  QAction* saveAction_;
  QAction* saveAsAction_;
  QAction* printAction_;
  QAction* exportPdfAction_;
  QAction* closeAction_;
  QAction* changeCharsetAction_;
  QAction* tryAction_;
  QAction* defineAction_;
  QAction* prepareAction_;
  QList<QAction*> menuActions_;
};

// Page 2 of the main window, as the window makes it.
EditingPageBase* createEditingPage(FileDialogFolders& folders, QWidget* parent);

}  // namespace gw::gui
