#pragma once
// Every message, question and file choice that Gridwright and Cross show, behind one facade over
// QMessageBox and QFileDialog. Tests answer in advance: setNextAnswer() and setNextFileName()
// queue what the user would have pressed or chosen, and shown() reads back what was asked. With
// answers queued (or after setTesting(true)) no dialog ever opens.
#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

namespace gw::gui {

struct Question {
  QString title;
  QString text;
  QString informativeText;
  QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
  QMessageBox::Icon icon = QMessageBox::Question;
};

struct FileChoice {
  enum class Mode { Open, Save };
  Mode mode = Mode::Open;
  QString objectName;  // tests under Xvfb find the dialog by it
  QString title;
  QString folder;  // starting folder, or a proposed file path
  QString filter;
  QString defaultSuffix;
  bool confirmOverwrite = true;
  QString selectedFilter;  // the filter shown first, when not the first of `filter`
};

class Prompts {
 public:
  // A message with an OK button.
  static void inform(QWidget* parent, const QString& title, const QString& text);
  static void warn(QWidget* parent, const QString& title, const QString& text);
  static void fail(QWidget* parent, const QString& title, const QString& text);
  // The button pressed. Escape and the close box give the escape button QMessageBox picks:
  // Cancel where there is one, else No.
  static QMessageBox::StandardButton ask(QWidget* parent, const Question& question);
  // The chosen file, or an empty text when cancelled.
  static QString chooseFile(QWidget* parent, const FileChoice& choice);

  // --- for tests ---
  // Queues the button the next question is answered with.
  static void setNextAnswer(QMessageBox::StandardButton answer);
  // Queues the file name the next file choice returns ("" means cancelled).
  static void setNextFileName(const QString& fileName);
  // In testing mode a question with nothing queued gets its escape button and a file choice
  // with nothing queued is cancelled, so a test never blocks on a dialog.
  static void setTesting(bool on);
  // Texts of every message and question shown (or answered from the queue) since the last reset.
  static QStringList shown();
  // Forgets the queues and the texts shown.
  static void reset();
  static int pendingAnswers();
  static int pendingFileNames();
};

}  // namespace gw::gui
