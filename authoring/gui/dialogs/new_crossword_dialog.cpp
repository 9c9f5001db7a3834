#include "authoring/gui/dialogs/new_crossword_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "authoring/gui/common/authoring_look.h"
#include "gui_common/dialog_buttons.h"

namespace gw::gui {

namespace {

constexpr QSize kClientSize{232, 240};

QSpinBox* makeSpin(QWidget* parent, const char* name, int maximum) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(name);
  spin->setRange(2, maximum);
  spin->setValue(4);
  // Text that is not a number falls back to the minimum, a number out of range to the range.
  spin->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
  return spin;
}

}  // namespace

NewCrosswordDialog::NewCrosswordDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("newCrosswordDialog");
  setWindowTitle("Crossword Layout");
  applyAuthoringLook(this);
  resize(kClientSize);

  auto* title = new QLabel("Dimensions and language", this);
  title->setObjectName("titleLabel");
  title->setAutoFillBackground(true);
  QPalette titlePalette = title->palette();
  titlePalette.setColor(QPalette::Window, QColor(128, 128, 128));
  titlePalette.setColor(QPalette::WindowText, QColor(192, 192, 192));
  title->setPalette(titlePalette);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  title->setAlignment(Qt::AlignCenter);
  title->setMinimumHeight(28);

  rowsSpin_ = makeSpin(this, "rowsSpinBox", 56);
  columnsSpin_ = makeSpin(this, "columnsSpinBox", 40);
  languageCombo_ = new QComboBox(this);
  languageCombo_->setObjectName("languageComboBox");
  languageCombo_->addItems({"English", "German", "Serbian (Cyrillic)"});
  charsetCombo_ = new QComboBox(this);
  charsetCombo_->setObjectName("definitionsComboBox");
  charsetCombo_->addItems({"ANSI", "SR-Cyrillic", "SR-Latin"});

  auto* form = new QFormLayout;
  form->setContentsMargins(16, 12, 16, 12);
  form->setVerticalSpacing(10);
  form->addRow("&Rows:", rowsSpin_);
  form->addRow("&Columns:", columnsSpin_);
  form->addRow("&Language:", languageCombo_);
  form->addRow("&Definitions:", charsetCombo_);

  const auto [ok, cancel] = makeOkCancelButtons(this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cancel);
  buttons->addStretch();
  buttons->addWidget(ok);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 12);
  layout->addWidget(title);
  layout->addLayout(form);
  layout->addStretch();
  auto* buttonRow = new QWidget(this);
  buttons->setContentsMargins(16, 0, 16, 0);
  buttonRow->setLayout(buttons);
  layout->addWidget(buttonRow);

  setTabOrder(rowsSpin_, columnsSpin_);
  setTabOrder(columnsSpin_, languageCombo_);
  setTabOrder(languageCombo_, charsetCombo_);
  setTabOrder(charsetCombo_, ok);
  setTabOrder(ok, cancel);
  rowsSpin_->setFocus();
}

void NewCrosswordDialog::showEvent(QShowEvent* event) {
  centerOnScreen(this);
  QDialog::showEvent(event);
}

void NewCrosswordDialog::setMaximumRowCount(int rows) { rowsSpin_->setMaximum(rows); }

void NewCrosswordDialog::showForCharsetChange(int rowCount, int columnCount, Language language,
                                              ClueCharset charset) {
  // The spins show the crossword as it is, even a size the dialog would not make.
  auto show = [](QSpinBox* spin, int value) {
    spin->setRange(std::min(spin->minimum(), value), std::max(spin->maximum(), value));
    spin->setValue(value);
    spin->setEnabled(false);
  };
  show(rowsSpin_, rowCount);
  show(columnsSpin_, columnCount);
  languageCombo_->setCurrentIndex(isKnownLanguage(language) ? static_cast<int>(language) : -1);
  languageCombo_->setEnabled(false);
  shownCharset_ = charset;
  charsetCombo_->setCurrentIndex(isKnownClueCharset(charset) ? static_cast<int>(charset) : -1);
  charsetCombo_->setFocus();
}

int NewCrosswordDialog::columnCount() const { return columnsSpin_->value(); }

int NewCrosswordDialog::rowCount() const { return rowsSpin_->value(); }

Language NewCrosswordDialog::language() const {
  return static_cast<Language>(languageCombo_->currentIndex());
}

ClueCharset NewCrosswordDialog::clueCharset() const {
  const int index = charsetCombo_->currentIndex();
  return isKnownClueCharset(index) ? static_cast<ClueCharset>(index) : shownCharset_;
}

}  // namespace gw::gui
