#pragma once
// "Crossword Layout": the size, language and clue charset of a new board, or of the open
// crossword with only its charset open (Change Charset). It only collects values; the command
// that shows it applies them. "&Rows:" is the count of cells down, "&Columns:" across.
#include <QDialog>

#include "common/language.h"

class QComboBox;
class QSpinBox;

namespace gw::gui {

class NewCrosswordDialog : public QDialog {
  Q_OBJECT
 public:
  explicit NewCrosswordDialog(QWidget* parent = nullptr);

  // Limits the row count; the composing board holds 41 rows.
  void setMaximumRowCount(int rows);
  // Shows an open crossword's values with everything but the charset locked.
  void showForCharsetChange(int rowCount, int columnCount, Language language, ClueCharset charset);

  int rowCount() const;
  int columnCount() const;
  Language language() const;
  // With no charset chosen, the one shown for a change (else ANSI): nothing changes.
  ClueCharset clueCharset() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QSpinBox* rowsSpin_;
  QSpinBox* columnsSpin_;
  QComboBox* languageCombo_;
  QComboBox* charsetCombo_;
  ClueCharset shownCharset_ = ClueCharset::Ansi;
};

}  // namespace gw::gui
