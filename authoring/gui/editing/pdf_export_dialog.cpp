#include "authoring/gui/editing/pdf_export_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "authoring/gui/common/authoring_look.h"

namespace gw::gui {

PdfExportDialog::PdfExportDialog(const PdfExportChoice& proposed, BrowseForFile browse, QWidget* parent)
    : QDialog(parent), browse_(std::move(browse)), folder_(QFileInfo(proposed.path).absolutePath()) {
  setObjectName("pdfExportDialog");
  setWindowTitle(QStringLiteral("Export PDF"));
  applyAuthoringLook(this);

  fileEdit_ = new QLineEdit(proposed.path, this);
  fileEdit_->setObjectName("pdfFileEdit");
  fileEdit_->setMinimumWidth(320);
  auto* browseButton = new QPushButton(QStringLiteral("&Browse..."), this);
  browseButton->setObjectName("browseButton");
  browseButton->setAutoDefault(false);
  connect(browseButton, &QPushButton::clicked, this, &PdfExportDialog::browse);
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(fileEdit_, 1);
  fileRow->addWidget(browseButton);

  paperCombo_ = new QComboBox(this);
  paperCombo_->setObjectName("paperComboBox");
  paperCombo_->addItem(QStringLiteral("A4"), QPageSize::A4);
  paperCombo_->addItem(QStringLiteral("Letter"), QPageSize::Letter);
  paperCombo_->setCurrentIndex(std::max(0, paperCombo_->findData(proposed.paper)));

  titleEdit_ = new QLineEdit(proposed.title, this);
  titleEdit_->setObjectName("titleEdit");
  authorEdit_ = new QLineEdit(proposed.author, this);
  authorEdit_->setObjectName("authorEdit");

  solutionCheck_ = new QCheckBox(QStringLiteral("Add the &solution page"), this);
  solutionCheck_->setObjectName("solutionCheckBox");
  solutionCheck_->setChecked(proposed.withSolution);

  auto* form = new QFormLayout;
  auto* fileLabel = new QLabel(QStringLiteral("&File:"), this);
  fileLabel->setBuddy(fileEdit_);
  form->addRow(fileLabel, fileRow);
  form->addRow(QStringLiteral("&Paper:"), paperCombo_);
  form->addRow(QString(), solutionCheck_);
  form->addRow(QStringLiteral("&Title:"), titleEdit_);
  form->addRow(QStringLiteral("&Author:"), authorEdit_);

  auto* buttons = new QDialogButtonBox(this);
  auto* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  exportButton_ = buttons->addButton(QStringLiteral("Export"), QDialogButtonBox::AcceptRole);
  cancel->setObjectName("cancelButton");
  exportButton_->setObjectName("exportButton");
  exportButton_->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // Without a file name there is nowhere to write.
  auto enableExport = [this] { exportButton_->setEnabled(!fileEdit_->text().trimmed().isEmpty()); };
  connect(fileEdit_, &QLineEdit::textChanged, this, enableExport);
  enableExport();

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addStretch();
  layout->addWidget(buttons);
  fileEdit_->setFocus();
}

void PdfExportDialog::browse() {
  if (!browse_) return;
  const QString path = browse_(fileEdit_->text().trimmed());
  if (!path.isEmpty()) fileEdit_->setText(path);
}

PdfExportChoice PdfExportDialog::choice() const {
  PdfExportChoice c;
  c.path = fileEdit_->text().trimmed();
  if (!c.path.isEmpty() && QFileInfo(c.path).isRelative()) c.path = QDir(folder_).filePath(c.path);
  if (!c.path.isEmpty() &&
      QFileInfo(c.path).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) != 0)
    c.path += QStringLiteral(".pdf");
  c.paper = static_cast<QPageSize::PageSizeId>(paperCombo_->currentData().toInt());
  c.withSolution = solutionCheck_->isChecked();
  c.title = titleEdit_->text().trimmed();
  c.author = authorEdit_->text().trimmed();
  return c;
}

}  // namespace gw::gui
