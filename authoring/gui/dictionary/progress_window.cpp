#include "authoring/gui/dictionary/progress_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <limits>

namespace gw::gui {

ProgressWindow::ProgressWindow(const QString& caption, const QString& text, bool showBar, bool canCancel,
                               QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("progressWindow");
  setWindowTitle(caption);
  constexpr int kWidth = 274, kHeight = 96, kButtonRoom = 28;
  setFixedSize(kWidth, canCancel ? kHeight : kHeight - kButtonRoom);

  textLabel_ = new QLabel(text, this);
  textLabel_->setObjectName("textLabel");
  textLabel_->setWordWrap(true);
  textLabel_->setGeometry(10, 7, 207, 34);
  textLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  percentLabel_ = new QLabel("0%", this);
  percentLabel_->setObjectName("percentLabel");
  percentLabel_->setAlignment(Qt::AlignRight | Qt::AlignTop);
  percentLabel_->setGeometry(263 - 44, 7, 44, 16);
  percentLabel_->setVisible(showBar);

  bar_ = new QProgressBar(this);
  bar_->setObjectName("progressBar");
  bar_->setTextVisible(false);
  bar_->setRange(0, 100);
  bar_->setValue(0);
  bar_->setGeometry(10, 45, 253, 15);
  bar_->setVisible(showBar);

  cancelButton_ = new QPushButton(tr("Cancel"), this);
  cancelButton_->setObjectName("cancelButton");
  cancelButton_->setGeometry(100, 68, 75, 23);
  cancelButton_->setVisible(canCancel);
  cancelButton_->setAutoDefault(false);
  connect(cancelButton_, &QPushButton::clicked, this, &ProgressWindow::pressCancel);
  setAttribute(Qt::WA_DeleteOnClose);
}

void ProgressWindow::setText(const QString& text) { textLabel_->setText(text); }

void ProgressWindow::setProgress(qint64 position, qint64 total) {
  if (total == 0) {
    bar_->setRange(0, 1);
    bar_->setValue(1);
    percentLabel_->setText("100%");
    return;
  }
  // The bar holds ints: huge totals are scaled down, the percentage stays exact.
  qint64 scale = 1;
  while (total / scale > std::numeric_limits<int>::max()) scale *= 2;
  bar_->setRange(0, static_cast<int>(total / scale));
  bar_->setValue(static_cast<int>(std::clamp<qint64>(position, 0, total) / scale));
  percentLabel_->setText(QString::number(position * 100 / total) + "%");
}

void ProgressWindow::pressCancel() {
  if (!cancelButton_->isVisible()) return;
  cancelPressed_ = true;
  Q_EMIT cancelRequested();
}

void ProgressWindow::reject() { pressCancel(); }

void ProgressWindow::finish() {
  finished_ = true;
  if (isModal() && isVisible()) done(Accepted);  // ends a modal exec(); the close event follows
  close();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  // Only the end of the job closes the window; the user's way to stop it is Cancel.
  if (!finished_) {
    pressCancel();
    event->ignore();
    return;
  }
  event->accept();  // not QDialog's, which would take the close for a Cancel
}

}  // namespace gw::gui
