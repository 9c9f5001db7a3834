#pragma once
// What the main window needs of its editing page (page 2); the editing page derives from it.
#include <QAction>
#include <QList>
#include <QWidget>

namespace gw::gui {

class EditingPageBase : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;

  // The "File (Edit)" commands in menu order, separators included; the main window
  // appends its own "Quit editing ..." entry after them.
  virtual QList<QAction*> fileMenuActions() const = 0;
  // Enabling rules for the page in front or behind; the main window calls it when the pages change.
  virtual void updateActions(bool pageInFront) = 0;
  // The editing "Close" command: asks "Save changes?" for a modified crossword. Returns
  // false when the crossword is still modified afterwards (the author cancelled).
  virtual bool closeCrossword() = 0;
  // "Save changes?" (Yes/No/Cancel) for a modified crossword, which stays open. False when the
  // author cancelled (or the save failed): the program must not end.
  virtual bool maybeSave() { return true; }
  // Opens a crossword file named on the command line (the open crossword is closed first).
  virtual void openCrosswordFile(const QString& path) { Q_UNUSED(path); }

 Q_SIGNALS:
  void captionChanged(const QString& caption);  // "Edit: ..." / "Editing tool"
  void busy(const QString& status);             // show the busy window with this status line
  void idle();                                  // hide the busy window
};

}  // namespace gw::gui
