#pragma once
// "Picture definition": the author picks a JPEG picture and sets how many cells it covers.
// The dialog only collects: the picture it shows, its size, or the wish to delete it; the
// layout editor applies them after OK, so Cancel leaves the crossword as it was.
#include <QDialog>
#include <string>

class QLabel;
class QPushButton;
class QSpinBox;

namespace gw::gui {

class PictureDialog : public QDialog {
  Q_OBJECT
 public:
  // `maxWidth` and `maxHeight` in cells: as far as the board reaches from the picture's corner.
  PictureDialog(int maxWidth, int maxHeight, QWidget* parent = nullptr);

  // An existing picture to resize, replace or delete.
  void setPicture(const std::string& jpeg, int width, int height);
  // Reads a JPEG file into the preview; anything else is refused with a message and the
  // preview stays as it was. Returns whether it was taken.
  bool loadPictureFile(const QString& path);

  const std::string& jpeg() const { return jpeg_; }
  int widthInCells() const;
  int heightInCells() const;
  bool deleteRequested() const { return deleteRequested_; }

 private:
  void addPicture();
  void deletePicture();
  void updateSize();
  void showMessage(const QString& text);

  std::string jpeg_;  // the picture as it will be saved
  bool deleteRequested_ = false;
  QLabel* preview_;
  QSpinBox* widthSpin_;
  QSpinBox* heightSpin_;
  QLabel* sizeLabel_;
  QPushButton* okButton_;
};

}  // namespace gw::gui
