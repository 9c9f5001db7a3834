#pragma once
// "Crossword Layout" for the editing page: the size, language and clue charset of a new
// crossword, and the same dialog with only the charset open for "Change Charset".
// "&Rows:" is the number of cells across (the column count), "&Columns:" the number of
// cells down (the row count), as the dialog has always labelled them.
#include <QDialog>

class QComboBox;
class QSpinBox;

namespace gw::gui {

class CrosswordSettingsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit CrosswordSettingsDialog(QWidget* parent = nullptr);

  // Shows an open crossword's values with everything but the charset locked.
  void showForCharsetChange(int rowCount, int columnCount, int language, int charset);

  int rowCount() const;     // from "&Columns:"
  int columnCount() const;  // from "&Rows:"
  int language() const;
  int charset() const;  // -1 when nothing is chosen

 private:
  QSpinBox* rowsSpin_;
  QSpinBox* columnsSpin_;
  QComboBox* languageCombo_;
  QComboBox* charsetCombo_;
};

}  // namespace gw::gui
