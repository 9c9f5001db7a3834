#pragma once
// The clue text of the current definition, edited in place. A clue is one line: Enter and
// Tab move to the next word (Shift+Tab, Ctrl+Up to the previous, Ctrl+Down to the next) and
// never enter the text. Its user property "clue" is what QDataWidgetMapper fills
// and reads, so text put in by the mapper never counts as the author's edit.
#include <QPlainTextEdit>

namespace gw::gui {

class ClueEditor : public QPlainTextEdit {
  Q_OBJECT
  Q_PROPERTY(QString clue READ clue WRITE setClue USER true)
 public:
  explicit ClueEditor(QWidget* parent = nullptr);

  QString clue() const { return toPlainText(); }
  // Shows a stored clue; the editor then holds no edit of the author's.
  void setClue(const QString& clue);
  // The author changed the text since it was last shown or stored.
  bool hasPendingEdit() const { return pendingEdit_; }
  void markStored() { pendingEdit_ = false; }

 Q_SIGNALS:
  void editedByUser();
  // The author asked for the next (1) or previous (-1) word of the list.
  void stepRequested(int step);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // Pasted text joins the clue's one line: its tabs and line breaks become spaces.
  void insertFromMimeData(const QMimeData* source) override;

 private:
  bool filling_ = false;
  bool pendingEdit_ = false;
};

}  // namespace gw::gui
