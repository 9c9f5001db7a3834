#pragma once
// The editing page: the words of the open crossword on the left, the clue of the current
// word on the right, and the "File (Edit)" commands. The page builds the widgets, binds the
// commands to its workflow and enables them from the workflow's state; the main window hosts
// the page and shows its commands in its menu.
#include <QList>
#include <QPageSize>
#include <QString>
#include <filesystem>

#include "authoring/gui/editing/editing_workflow.h"
#include "authoring/gui/common/editing_page_base.h"
#include "authoring/gui/common/file_dialog_folders.h"
#include "common/program_folder.h"

class QAction;
class QDataWidgetMapper;
class QDialog;
class QLabel;
class QTableView;
class QToolBar;

namespace gw::gui {

class ClueBoard;
class ClueEditor;
class DefinitionTableModel;

class EditingPage : public EditingPageBase {
  Q_OBJECT
 public:
  // `folders` are the remembered dialog folders ("Edit:Open", "Edit:Save").
  explicit EditingPage(FileDialogFolders& folders, QWidget* parent = nullptr);
  ~EditingPage() override;

  // The "File (Edit)" commands in menu order, separators included; the main window
  // appends its "Quit editing ..." after them.
  QList<QAction*> fileMenuActions() const override;
  // Behind another page every command is off, so its shortcuts reach that page's commands.
  void updateActions(bool pageInFront) override;
  // The Close command with "Save changes?"; returns whether no crossword is open afterwards.
  bool closeCrossword() override;
  // "Save changes?" (Yes/No/Cancel) for a modified crossword without closing it; true when
  // the program may end.
  bool maybeSave() override;
  // Opens a crossword file as Open does (a crossword already open is closed first).
  void openCrosswordFile(const QString& path) override;

  EditingWorkflow& workflow() { return *workflow_; }
  DefinitionTableModel* model() const { return model_; }
  ClueEditor* clueEditor() const { return clueEditor_; }
  QTableView* wordGrid() const { return wordGrid_; }
  ClueBoard* board() const { return board_; }
  QAction* action(const QString& objectName) const;
  // The definition (a row of the definition table) the clue editor shows, or -1.
  int currentDefinition() const;
  // Makes a definition current as a click in the list would.
  void moveToDefinition(int definition);
  // The list in printed-number order (else the table's order), as the "No." header toggles it.
  void setSortedByNumber(bool byNumber);
  // crossword.conf: the list's order is read from it now and written to it when the author
  // changes it with the "No." header.
  void useSettingsFile(const std::filesystem::path& file);

  // The commands that show a dialog of the page.
  void newCrossword();
  void changeCharset();
  void printCrossword();
  bool exportPdf();
  void defineCrossword();

 Q_SIGNALS:
  // A dialog of the page is about to be shown modally.
  void dialogOpened(QDialog* dialog);
  // The author sorted the list by the "No." header (or back), to be remembered.
  void sortOrderChanged(bool byNumber);

 private:
  void createActions();
  void createWidgets();
  void bindWorkflow();
  // Runs a command after storing the clue being written; nothing runs when it is refused.
  template <typename Command>
  void withClueStored(Command command);
  // Stores the clue being edited in its definition; false (with a message) when its text
  // cannot be stored in the crossword's charset.
  bool storePendingClue();
  // Shows a definition without taking it for the author's move (after a reset).
  void selectDefinition(int definition);
  void showCurrentDefinition();
  void applyState(const EditingState& state);
  void showStatus();
  void showMessage(const QString& text);

  EditingWorkflow* workflow_;
  FileDialogFolders& folders_;
  // The paper and solution page last chosen for printing or a PDF, proposed again this session.
  QPageSize::PageSizeId paper_;
  bool withSolution_ = false;
  // The author last printed, proposed again; the title proposed is always the file's name.
  QString author_;
  bool pageInFront_ = true;
  int definitionBeforeReset_ = -1;
  DefinitionTableModel* model_ = nullptr;
  QDataWidgetMapper* mapper_ = nullptr;
  QTableView* wordGrid_ = nullptr;
  ClueEditor* clueEditor_ = nullptr;
  ClueBoard* board_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QLabel* wordStatus_ = nullptr;
  QLabel* clueStatus_ = nullptr;
  QLabel* wordCheckStatus_ = nullptr;
  std::filesystem::path settingsFile_;
  QLabel* changeStatus_ = nullptr;
  struct EnablingRule {
    QAction* action;
    bool (*enabled)(const EditingState&);
  };
  QList<EnablingRule> rules_;
  QList<QAction*> menuActions_;
};

// Page 2 of the main window, as the window makes it: its choices kept in `settingsFile`, the
// answers checked against the word lists of `program`.
EditingPageBase* createEditingPage(FileDialogFolders& folders, const gw::ProgramFolders& program,
                                   const std::filesystem::path& settingsFile, QWidget* parent);

}  // namespace gw::gui
