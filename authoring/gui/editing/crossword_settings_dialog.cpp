#include "authoring/gui/editing/crossword_settings_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "authoring/gui/authoring_look.h"

namespace gw::gui {

CrosswordSettingsDialog::CrosswordSettingsDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("crosswordSettingsDialog");
  setWindowTitle(QStringLiteral("Crossword Layout"));
  applyAuthoringLook(this);

  auto* title = new QLabel(QStringLiteral("Dimensions and language"), this);
  title->setObjectName("titleLabel");
  title->setAlignment(Qt::AlignCenter);
  title->setStyleSheet(QStringLiteral("background: grey; color: silver; font-weight: bold; padding: 6px;"));

  rowsSpin_ = new QSpinBox(this);
  rowsSpin_->setObjectName("rowsSpinBox");
  rowsSpin_->setRange(2, 40);
  rowsSpin_->setValue(4);
  columnsSpin_ = new QSpinBox(this);
  columnsSpin_->setObjectName("columnsSpinBox");
  columnsSpin_->setRange(2, 56);
  columnsSpin_->setValue(4);
  languageCombo_ = new QComboBox(this);
  languageCombo_->setObjectName("languageComboBox");
  languageCombo_->addItems(
      {QStringLiteral("English"), QStringLiteral("German"), QStringLiteral("Serbian (Cyrillic)")});
  charsetCombo_ = new QComboBox(this);
  charsetCombo_->setObjectName("definitionsComboBox");
  charsetCombo_->addItems(
      {QStringLiteral("ANSI"), QStringLiteral("SR-Cyrillic"), QStringLiteral("SR-Latin")});

  auto* form = new QFormLayout;
  auto addRow = [&](const QString& caption, QWidget* field) {
    auto* label = new QLabel(caption, this);
    label->setBuddy(field);
    form->addRow(label, field);
  };
  addRow(QStringLiteral("&Rows:"), rowsSpin_);
  addRow(QStringLiteral("&Columns:"), columnsSpin_);
  addRow(QStringLiteral("&Language:"), languageCombo_);
  addRow(QStringLiteral("&Definitions:"), charsetCombo_);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  cancel->setObjectName("cancelButton");
  ok->setObjectName("okButton");
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title);
  layout->addLayout(form);
  layout->addStretch();
  layout->addWidget(buttons);
  setTabOrder(columnsSpin_, rowsSpin_);
  setTabOrder(rowsSpin_, languageCombo_);
  setTabOrder(languageCombo_, charsetCombo_);
  setTabOrder(charsetCombo_, ok);
  setTabOrder(ok, cancel);
  resize(232, 240);
}

void CrosswordSettingsDialog::showForCharsetChange(int rowCount, int columnCount, int language, int charset) {
  columnsSpin_->setValue(rowCount);
  rowsSpin_->setValue(columnCount);
  languageCombo_->setCurrentIndex(language >= 0 && language < languageCombo_->count() ? language : -1);
  charsetCombo_->setCurrentIndex(charset >= 0 && charset < charsetCombo_->count() ? charset : -1);
  rowsSpin_->setEnabled(false);
  columnsSpin_->setEnabled(false);
  languageCombo_->setEnabled(false);
  charsetCombo_->setFocus();
}

int CrosswordSettingsDialog::rowCount() const { return columnsSpin_->value(); }
int CrosswordSettingsDialog::columnCount() const { return rowsSpin_->value(); }
int CrosswordSettingsDialog::language() const { return languageCombo_->currentIndex(); }
int CrosswordSettingsDialog::charset() const { return charsetCombo_->currentIndex(); }

}  // namespace gw::gui
