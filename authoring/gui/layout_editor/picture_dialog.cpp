#include "authoring/gui/layout_editor/picture_dialog.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include "authoring/gui/common/authoring_look.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "common/jpeg.h"
#include "gui_common/board_geometry.h"
#include "gui_common/prompts.h"
#include "gui_common/qt_bridge.h"

namespace gw::gui {

namespace {
const QString kPictureFilter = QStringLiteral(
    "All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf) (*.jpg *.jpeg);;JPEG Image File (*.jpg) (*.jpg);;"
    "JPEG Image File (*.jpeg) (*.jpeg)");
}

PictureDialog::PictureDialog(int maxWidth, int maxHeight, QWidget* parent) : QDialog(parent, Qt::Tool) {
  setObjectName("pictureDialog");
  setWindowTitle(QStringLiteral("Picture definition"));
  applyAuthoringLook(this);
  setMinimumSize(330, 200);

  preview_ = new QLabel(this);
  preview_->setObjectName("previewLabel");
  preview_->setScaledContents(true);
  preview_->setAutoFillBackground(true);
  QPalette white = preview_->palette();
  white.setColor(QPalette::Window, Qt::white);
  preview_->setPalette(white);

  widthSpin_ = new QSpinBox(this);
  widthSpin_->setObjectName("columnsSpinBox");
  widthSpin_->setRange(1, std::max(1, maxWidth));
  heightSpin_ = new QSpinBox(this);
  heightSpin_->setObjectName("rowsSpinBox");
  heightSpin_->setRange(1, std::max(1, maxHeight));
  auto* dimensions = new QGroupBox(QStringLiteral("Dimensions"), this);
  auto* dimLayout = new QGridLayout(dimensions);
  dimLayout->addWidget(new QLabel(QStringLiteral("columns:"), dimensions), 0, 0);
  dimLayout->addWidget(widthSpin_, 0, 1);
  dimLayout->addWidget(new QLabel(QStringLiteral("rows:"), dimensions), 1, 0);
  dimLayout->addWidget(heightSpin_, 1, 1);

  auto* deleteButton = new QPushButton(style()->standardIcon(QStyle::SP_TrashIcon), QString(), this);
  deleteButton->setObjectName("deletePictureButton");
  deleteButton->setToolTip(QStringLiteral("Delete picture from the crossword layout"));
  auto* addButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogOpenButton), QString(), this);
  addButton->setObjectName("addPictureButton");
  addButton->setToolTip(QStringLiteral("Add JPEG picture"));
  sizeLabel_ = new QLabel(this);
  sizeLabel_->setObjectName("sizeLabel");
  QPalette grey = sizeLabel_->palette();
  grey.setColor(QPalette::WindowText, Qt::gray);
  sizeLabel_->setPalette(grey);
  auto* picture = new QGroupBox(QStringLiteral("Picture"), this);
  auto* picLayout = new QGridLayout(picture);
  picLayout->addWidget(deleteButton, 0, 0);
  picLayout->addWidget(addButton, 0, 1);
  picLayout->addWidget(sizeLabel_, 1, 0, 1, 2);

  okButton_ = new QPushButton(QStringLiteral("OK"), this);
  okButton_->setObjectName("okButton");
  okButton_->setDefault(true);
  auto* cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  cancelButton->setObjectName("cancelButton");

  auto* side = new QVBoxLayout;
  side->addWidget(dimensions);
  side->addWidget(picture);
  side->addStretch();
  auto* top = new QHBoxLayout;
  top->addWidget(preview_, 0, Qt::AlignLeft | Qt::AlignTop);
  top->addStretch();
  top->addLayout(side);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(okButton_);
  buttons->addWidget(cancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(buttons);

  connect(widthSpin_, &QSpinBox::valueChanged, this, &PictureDialog::updateSize);
  connect(heightSpin_, &QSpinBox::valueChanged, this, &PictureDialog::updateSize);
  connect(addButton, &QPushButton::clicked, this, &PictureDialog::addPicture);
  connect(deleteButton, &QPushButton::clicked, this, &PictureDialog::deletePicture);
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  resize(330, 287);
  updateSize();
}

void PictureDialog::setPicture(const std::string& jpeg, int width, int height) {
  jpeg_ = jpeg;
  preview_->setPixmap(QPixmap::fromImage(toQImage(decodeJpeg(jpeg))));
  widthSpin_->setValue(width);
  heightSpin_->setValue(height);
  updateSize();
}

bool PictureDialog::loadPictureFile(const QString& path) {
  try {
    const std::string bytes = readWholeFile(std::filesystem::path(path.toStdString()));
    const IndexedImage image = decodeJpeg(bytes);
    // The picture is kept as it will be saved: decoded to its 256 colours and encoded again.
    jpeg_ = encodeJpeg(image);
    preview_->setPixmap(QPixmap::fromImage(toQImage(image)));
  } catch (const JpegError& e) {
    showMessage(QStringLiteral("\"%1\" is not a JPEG picture that can be read: %2")
                    .arg(QFileInfo(path).fileName(), QString::fromStdString(e.what())));
    return false;
  } catch (const std::exception& e) {
    showMessage(QString::fromStdString(e.what()));
    return false;
  }
  updateSize();
  return true;
}

void PictureDialog::showMessage(const QString& text) {
  Prompts::inform(this, QCoreApplication::applicationName(), text);
}

void PictureDialog::addPicture() {
  FileChoice choice;
  choice.objectName = QStringLiteral("pictureFileDialog");
  choice.filter = kPictureFilter;
  const QString path = Prompts::chooseFile(this, choice);
  if (!path.isEmpty()) loadPictureFile(path);
}

void PictureDialog::deletePicture() {
  jpeg_.clear();
  preview_->clear();
  widthSpin_->setMinimum(0);
  widthSpin_->setValue(0);
  deleteRequested_ = true;
  accept();
}

int PictureDialog::widthInCells() const { return widthSpin_->value(); }
int PictureDialog::heightInCells() const { return heightSpin_->value(); }

void PictureDialog::updateSize() {
  // The preview takes the size the picture will have on the board.
  const int w = widthSpin_->value() * kBoardCellPixels - 1;
  const int h = heightSpin_->value() * kBoardCellPixels - 1;
  preview_->setFixedSize(std::max(w, 0), std::max(h, 0));
  sizeLabel_->setText(QStringLiteral("%1 x %2").arg(w).arg(h));
  okButton_->setEnabled(!jpeg_.empty() && widthSpin_->value() * heightSpin_->value() > 0);
}

}  // namespace gw::gui
