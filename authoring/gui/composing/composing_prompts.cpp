#include "authoring/gui/composing/composing_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "authoring/gui/composing/word_order_dialog.h"
#include "authoring/gui/dialogs/new_crossword_dialog.h"

namespace gw::gui {

namespace {

constexpr int kMaxComposingRows = kBoardSide;
const QString kPatternFilter = "Crossword making pattern (*.C_WM)";

QString messageTitle() { return QApplication::applicationDisplayName(); }

}  // namespace

std::optional<NewLayoutValues> DialogComposingPrompts::newLayout(QWidget* parent) {
  NewCrosswordDialog dialog(parent);
  dialog.setMaximumRowCount(kMaxComposingRows);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return NewLayoutValues{dialog.rowCount(), dialog.columnCount(), dialog.language()};
}

QString DialogComposingPrompts::openFileName(QWidget* parent, const QString& folder) {
  QFileDialog dialog(parent, "Open", folder, kPatternFilter);
  dialog.setObjectName("openPatternDialog");
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDefaultSuffix("C_WM");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

QString DialogComposingPrompts::saveFileName(QWidget* parent, const QString& folder, const QString& current) {
  QFileDialog dialog(parent, "Save", folder, kPatternFilter);
  dialog.setObjectName("savePatternDialog");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("C_WM");
  if (!current.isEmpty()) dialog.selectFile(current);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

std::optional<std::vector<int>> DialogComposingPrompts::wordOrder(QWidget* parent, int maxColumn, int maxRow,
                                                                  const std::vector<Slot>& order) {
  WordOrderDialog dialog(maxColumn, maxRow, order, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.givenPositions();
}

bool DialogComposingPrompts::confirmContinue(QWidget* parent) {
  return QMessageBox::question(parent, messageTitle(), "Continue?", QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

void DialogComposingPrompts::information(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, messageTitle(), text);
}

void DialogComposingPrompts::error(QWidget* parent, const QString& text) {
  QMessageBox::critical(parent, messageTitle(), text);
}

}  // namespace gw::gui
