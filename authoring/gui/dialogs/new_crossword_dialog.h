#pragma once
// "Crossword Layout": the size, language and clue charset of a new board, or of the open
// crossword with only its charset open (Change Charset). It only collects values; the command
// that shows it applies them.
//
// Mind the captions: the number under "&Rows:" is the board's column count (cells across)
// and the number under "&Columns:" its row count (cells down), for every caller.
#include <QDialog>

#include "common/language.h"

class QComboBox;
class QSpinBox;

namespace gw::gui {

class NewCrosswordDialog : public QDialog {
  Q_OBJECT
 public:
  explicit NewCrosswordDialog(QWidget* parent = nullptr);

  // Limits the row count (the "&Columns:" field); the composing board holds 41 rows.
  void setMaximumRowCount(int rows);
  // Shows an open crossword's values with everything but the charset locked.
  void showForCharsetChange(int rowCount, int columnCount, Language language, ClueCharset charset);

  int columnCount() const;  // "&Rows:"
  int rowCount() const;     // "&Columns:"
  Language language() const;
  // With no charset chosen, the one shown for a change (else ANSI): nothing changes.
  ClueCharset clueCharset() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QSpinBox* columnsAcrossSpin_;  // captioned "&Rows:"
  QSpinBox* rowsDownSpin_;       // captioned "&Columns:"
  QComboBox* languageCombo_;
  QComboBox* charsetCombo_;
  ClueCharset shownCharset_ = ClueCharset::Ansi;
};

}  // namespace gw::gui
