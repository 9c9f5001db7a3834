#pragma once
// Answers the modal windows a command opens (message boxes, file dialogs, the about box)
// while the test waits, and records what the message boxes said.
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <functional>

class ModalAnswerer : public QObject {
 public:
  // `answer` closes a message box; the default presses its default button (or Escape's).
  // Other dialogs are cancelled, or accepted as they stand with `acceptDialogs`.
  explicit ModalAnswerer(std::function<void(QMessageBox*)> answer = {}, bool acceptDialogs = false)
      : answer_(std::move(answer)), acceptDialogs_(acceptDialogs) {
    connect(&poll_, &QTimer::timeout, this, &ModalAnswerer::check);
    poll_.start(10);
  }

  QStringList messages;
  int dialogs = 0;

 private:
  void check() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      messages << box->text();
      if (answer_) {
        answer_(box);
      } else if (QAbstractButton* b = box->defaultButton() ? box->defaultButton() : box->escapeButton()) {
        b->click();
      } else {
        box->reject();
      }
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      ++dialogs;
      if (acceptDialogs_) {
        dialog->accept();
      } else {
        dialog->reject();
      }
    }
  }

  std::function<void(QMessageBox*)> answer_;
  bool acceptDialogs_;
  QTimer poll_;
};
