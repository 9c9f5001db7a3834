#pragma once
// Everything the editing side asks of the user or the desktop: messages, questions, file
// choices and starting the solver. One object is shared by the editing page, the layout
// editor and the picture dialog, so that tests can answer for the user in one place.
#include <QString>

class QWidget;

namespace gw::gui {

class UserInteraction {
 public:
  virtual ~UserInteraction() = default;
  virtual void showMessage(QWidget* parent, const QString& text);
  // "Save changes?" with Yes and No; true for Yes.
  virtual bool confirmSaveChanges(QWidget* parent);
  // An empty result means the dialog was cancelled.
  virtual QString chooseOpenFile(QWidget* parent, const QString& folder, const QString& filter);
  virtual QString chooseSaveFile(QWidget* parent, const QString& title, const QString& proposed,
                                 const QString& filter, const QString& defaultSuffix);
  virtual QString choosePictureFile(QWidget* parent, const QString& filter);
  // Starts Cross on the crossword: the copy beside this program (a portable folder), else the
  // installed one, else whatever the desktop opens crossword files with.
  virtual void startSolver(const QString& crosswordPath);
  // A short tone: the layout editor's cursor ran into a picture.
  virtual void beep();
};

}  // namespace gw::gui
