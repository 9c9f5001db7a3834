#pragma once
// The small window of a running job: a text, a percentage, a bar and Cancel. Cancel only
// raises a flag that the job reads; the window closes when the job has ended.
#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace gw::gui {

class ProgressWindow : public QDialog {
  Q_OBJECT
 public:
  ProgressWindow(const QString& caption, const QString& text, bool showBar, bool canCancel,
                 QWidget* parent = nullptr);

  bool cancelPressed() const { return cancelPressed_; }
  void setText(const QString& text);
  // Bar mode: position out of total; a total of 0 shows a full bar and "100%".
  void setProgress(qint64 position, qint64 total);
  // Closes the window for good (the job has ended).
  void finish();

  // Esc presses Cancel rather than closing the window under the job.
  void reject() override;

 Q_SIGNALS:
  void cancelRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void pressCancel();

  QLabel* textLabel_;
  QLabel* percentLabel_;
  QProgressBar* bar_;
  QPushButton* cancelButton_;
  bool cancelPressed_ = false;
  bool finished_ = false;
};

}  // namespace gw::gui
