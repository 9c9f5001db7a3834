#pragma once
// "Export PDF": where to write the crossword as a PDF file, on which paper, whether a
// solution page follows the puzzle, and the title and author printed above the grid. It only collects the
// choice; the editing page writes.
#include <QDialog>
#include <QPageSize>
#include <QString>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace gw::gui {

struct PdfExportChoice {
  QString path;
  QPageSize::PageSizeId paper = QPageSize::A4;
  bool withSolution = false;
  QString title;   // printed above the grid
  QString author;  // printed under the title
};

class PdfExportDialog : public QDialog {
  Q_OBJECT
 public:
  // `browse` asks for a file name starting from the one given; empty when cancelled.
  using BrowseForFile = std::function<QString(const QString& current)>;
  PdfExportDialog(const PdfExportChoice& proposed, BrowseForFile browse, QWidget* parent = nullptr);

  // The file name always ends in ".pdf"; a bare name lies in the proposed file's folder.
  PdfExportChoice choice() const;

 private:
  void browse();

  BrowseForFile browse_;
  QString folder_;
  QLineEdit* fileEdit_;
  QComboBox* paperCombo_;
  QCheckBox* solutionCheck_;
  QLineEdit* titleEdit_;
  QLineEdit* authorEdit_;
  QPushButton* exportButton_;
};

}  // namespace gw::gui
