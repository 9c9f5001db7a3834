#pragma once
// The dictionary editor's window: the word list, the word box, the buttons and menus of
// its workflow, enabled from the workflow's state. Everything it decides lives there.
#include <QDialog>
#include <filesystem>
#include <optional>

#include "authoring/gui/dictionary/dictionary_editor_workflow.h"
#include "common/language.h"

class QAction;
class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QTableView;
class QPushButton;

namespace gw::gui {

class WordBox;

class DictionaryEditorDialog : public QDialog {
  Q_OBJECT
 public:
  // `readFile` is the word file the list comes from, `writeFile` where OK writes it.
  DictionaryEditorDialog(Language language, std::filesystem::path readFile, std::filesystem::path writeFile,
                         QWidget* parent = nullptr);
  ~DictionaryEditorDialog() override;

  DictionaryEditorWorkflow& workflow() { return *workflow_; }
  const WordListModel& model() const { return workflow_->model(); }

  void accept() override;
  void reject() override;

 private:
  void buildWindow();
  void showState(const DictionaryEditorState& state);
  void reportSelection();
  void selectRow(int row);
  // The view shows the model itself (fast for 356,000 words) until the author sorts by
  // score or searches a pattern; then a sorting and filtering proxy stands between.
  void updateView();
  QModelIndex toView(const QModelIndex& source) const;
  QModelIndex toSource(const QModelIndex& shown) const;

  DictionaryEditorWorkflow* workflow_;
  QTableView* listView_ = nullptr;
  QSortFilterProxyModel* proxy_ = nullptr;
  QLineEdit* patternEdit_ = nullptr;
  QLabel* noticeLabel_ = nullptr;
  QPushButton* deleteButton_ = nullptr;
  WordBox* wordBox_ = nullptr;
  QLabel* countLabel_ = nullptr;
  QPushButton* addButton_ = nullptr;
  QPushButton* findButton_ = nullptr;
  QPushButton* importButton_ = nullptr;
  QAction* addAction_ = nullptr;
  QAction* findAction_ = nullptr;
  QAction* deleteAction_ = nullptr;
  QAction* importAction_ = nullptr;
  QAction* recheckAction_ = nullptr;
};

}  // namespace gw::gui
