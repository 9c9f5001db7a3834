#include "gui_common/prompts.h"

#include <QFileDialog>
#include <QQueue>

namespace gw::gui {

namespace {

struct TestState {
  bool testing = false;
  QQueue<QMessageBox::StandardButton> answers;
  QQueue<QString> fileNames;
  QStringList shown;
};

TestState& state() {
  static TestState s;
  return s;
}

// The button QMessageBox itself would take for Escape.
QMessageBox::StandardButton escapeButton(QMessageBox::StandardButtons buttons) {
  for (QMessageBox::StandardButton b : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok}) {
    if (buttons.testFlag(b)) return b;
  }
  return QMessageBox::NoButton;
}

bool answeredByTest() { return state().testing || !state().answers.isEmpty(); }

void show(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
  state().shown << text;
  if (answeredByTest()) {
    if (!state().answers.isEmpty()) state().answers.dequeue();
    return;
  }
  QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace

void Prompts::inform(QWidget* parent, const QString& title, const QString& text) {
  show(parent, QMessageBox::Information, title, text);
}

void Prompts::warn(QWidget* parent, const QString& title, const QString& text) {
  show(parent, QMessageBox::Warning, title, text);
}

void Prompts::fail(QWidget* parent, const QString& title, const QString& text) {
  show(parent, QMessageBox::Critical, title, text);
}

QMessageBox::StandardButton Prompts::ask(QWidget* parent, const Question& question) {
  state().shown << question.text;
  if (!state().answers.isEmpty()) return state().answers.dequeue();
  if (state().testing) return escapeButton(question.buttons);
  QMessageBox box(question.icon, question.title, question.text, question.buttons, parent);
  box.setObjectName("questionBox");
  if (!question.informativeText.isEmpty()) box.setInformativeText(question.informativeText);
  if (question.defaultButton != QMessageBox::NoButton) box.setDefaultButton(question.defaultButton);
  const int pressed = box.exec();
  // The close box of a box without an escape button reports no button at all.
  if (pressed == 0 || box.clickedButton() == nullptr) return escapeButton(question.buttons);
  return static_cast<QMessageBox::StandardButton>(box.standardButton(box.clickedButton()));
}

QString Prompts::chooseFile(QWidget* parent, const FileChoice& choice) {
  if (!state().fileNames.isEmpty()) return state().fileNames.dequeue();
  if (state().testing) return {};
  QFileDialog dialog(parent, choice.title, choice.folder, choice.filter);
  if (!choice.selectedFilter.isEmpty()) dialog.selectNameFilter(choice.selectedFilter);
  if (!choice.objectName.isEmpty()) dialog.setObjectName(choice.objectName);
  if (choice.mode == FileChoice::Mode::Save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (!choice.confirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (!choice.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(choice.defaultSuffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

void Prompts::setNextAnswer(QMessageBox::StandardButton answer) { state().answers.enqueue(answer); }
void Prompts::setNextFileName(const QString& fileName) { state().fileNames.enqueue(fileName); }
void Prompts::setTesting(bool on) { state().testing = on; }
QStringList Prompts::shown() { return state().shown; }
int Prompts::pendingAnswers() { return static_cast<int>(state().answers.size()); }
int Prompts::pendingFileNames() { return static_cast<int>(state().fileNames.size()); }

void Prompts::reset() {
  state().answers.clear();
  state().fileNames.clear();
  state().shown.clear();
}

}  // namespace gw::gui
