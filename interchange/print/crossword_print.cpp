#include "interchange/print/crossword_print.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>

#include "common/codepage.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "common/jpeg.h"
#include "common/language.h"
#include "interchange/crossword_numbering.h"

namespace gw {
namespace {

constexpr double kGridShareOfPage = 0.58;  // the rest of the first page starts the clue lists
// Smaller grids and clue type tried, largest first, to put everything on one page.
constexpr double kGridShares[] = {0.58, 0.52, 0.46, 0.40, 0.34};
constexpr double kClueSizes[] = {3.6, 3.2, 2.9, 2.6};
// Clue columns tried: two, else three narrower ones before the clues go on to another page.
constexpr int kClueColumns[] = {2, 3};
constexpr double kClueSize = 3.6;         // millimetres, when nothing fits on one page
constexpr double kPicturePrintDpi = 300;  // finer than any printer shows a photograph

QString fromBoard(const CrosswordFile& cw, char letter) {
  return QString::fromStdString(toUtf8(std::string(1, letter), boardCodePage(cw.language)));
}

QImage toQImage(const IndexedImage& img) {
  QImage q(img.width, img.height, QImage::Format_ARGB32);
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x) q.setPixel(x, y, img.argb(x, y));
  return q;
}

class PagePainter {
 public:
  PagePainter(const CrosswordFile& cw, QPagedPaintDevice& device, const CrosswordPrintOptions& options)
      : cw_(cw), device_(device), options_(options), numbering_(numberCrossword(cw)) {
    if (!painter_.begin(&device_))
      throw FileError("The crossword cannot be printed: the printer did not start.");
    page_ = QRectF(0, 0, device_.width(), device_.height());
    millimetre_ = device_.logicalDpiX() / 25.4;
  }
  ~PagePainter() { painter_.end(); }

  void paint() {
    double top = paintTitle(options_.title, options_.author);
    // The largest grid and clue type with which the grid and both clue lists fit on the page;
    // where none does, the clues go on over further pages.
    double share = kGridShareOfPage, clueSize = kClueSize;
    int columns = 2;
    bool fits = false;
    for (const int n : kClueColumns) {
      for (const double s : kGridShares) {
        for (const double size : kClueSizes) {
          if (flowClues(gridRect(top, s).bottom() + 6 * millimetre_, size, n, false) == 1) {
            share = s;
            clueSize = size;
            columns = n;
            fits = true;
            break;
          }
        }
        if (fits) break;
      }
      if (fits) break;
    }
    const QRectF grid = gridRect(top, share);
    paintGrid(grid, false);
    flowClues(grid.bottom() + 6 * millimetre_, clueSize, columns, true);
    if (options_.withSolution) {
      device_.newPage();
      top = paintTitle(
          options_.title.isEmpty() ? QStringLiteral("Solution") : options_.title + " \u2014 Solution", {});
      paintGrid(gridRect(top, 1.0), true);
    }
  }

 private:
  QFont font(double millimetres, bool bold = false) const {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(std::max(1, static_cast<int>(millimetres * millimetre_)));
    f.setBold(bold);
    // No ligatures, so that the PDF's text reads "ff" and not one glyph.
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
  }

  // The picture decoded no larger than it is printed, at most kPicturePrintDpi: a picture of
  // thousands of pixels in a few cells never takes its full size in memory. An unreadable
  // picture prints as an empty frame.
  QImage printedPicture(const Picture& p, const QRectF& rect) const {
    const double pixelsPerDot = std::min(1.0, kPicturePrintDpi / device_.logicalDpiX());
    const auto pixels = [pixelsPerDot](double dots) {
      return std::max(1, static_cast<int>(std::ceil(dots * pixelsPerDot)));
    };
    try {
      return toQImage(decodeJpeg(p.jpeg, pixels(rect.width()), pixels(rect.height())));
    } catch (const FormatError&) {
      return QImage();
    }
  }

  // The title and, under it, the author's line; returns where the grid may start.
  double paintTitle(const QString& title, const QString& author) {
    double top = 0;
    painter_.setPen(Qt::black);
    if (!title.isEmpty()) {
      painter_.setFont(font(6, true));
      const double height = QFontMetricsF(painter_.font()).height();
      painter_.drawText(QRectF(0, top, page_.width(), height), Qt::AlignLeft | Qt::AlignVCenter, title);
      top += height;
    }
    if (!author.isEmpty()) {
      painter_.setFont(font(4));
      const double height = QFontMetricsF(painter_.font()).height();
      painter_.drawText(QRectF(0, top, page_.width(), height), Qt::AlignLeft | Qt::AlignVCenter, author);
      top += height;
    }
    return top > 0 ? top + 4 * millimetre_ : 0;
  }

  // The largest square cells that fit the page width and the given share of the page height.
  QRectF gridRect(double top, double share) const {
    const double available = page_.height() * share - top;
    double cell = std::min(page_.width() / cw_.columns, available / cw_.rows);
    const double width = cell * cw_.columns;
    return QRectF((page_.width() - width) / 2, top, width, cell * cw_.rows);
  }

  void paintGrid(const QRectF& grid, bool solution) {
    const double cell = grid.width() / cw_.columns;
    auto cellRect = [&](int r, int c) {
      return QRectF(grid.left() + c * cell, grid.top() + r * cell, cell, cell);
    };
    painter_.setRenderHint(QPainter::Antialiasing, false);
    for (int r = 0; r < cw_.rows; ++r)
      for (int c = 0; c < cw_.columns; ++c)
        if (cw_.cell(r, c) == kBlankCell && !isUnderPicture(cw_, r, c))
          painter_.fillRect(cellRect(r, c), Qt::black);
    // Lines: thin solid edges, dotted where the crossword marks them, a heavier frame.
    const double thin = std::max(1.0, 0.25 * millimetre_);
    QPen solid(Qt::black, thin);
    QPen dotted(Qt::black, thin * 1.6, Qt::CustomDashLine);
    dotted.setDashPattern({1.2, 2.0});
    dotted.setCapStyle(Qt::FlatCap);
    auto marked = [](const std::vector<EdgeMark>& marks, int r, int c) {
      return std::any_of(marks.begin(), marks.end(),
                         [&](const EdgeMark& m) { return m.row == r && m.column == c; });
    };
    for (int r = 0; r < cw_.rows; ++r)
      for (int c = 0; c < cw_.columns; ++c) {
        const QRectF rect = cellRect(r, c);
        const bool topDotted = marked(cw_.topMarks, r, c), leftDotted = marked(cw_.leftMarks, r, c);
        if (topDotted) {
          painter_.setPen(QPen(Qt::white, thin));
          painter_.drawLine(rect.topLeft(), rect.topRight());
        }
        painter_.setPen(topDotted ? dotted : solid);
        painter_.drawLine(rect.topLeft(), rect.topRight());
        if (leftDotted) {
          painter_.setPen(QPen(Qt::white, thin));
          painter_.drawLine(rect.topLeft(), rect.bottomLeft());
        }
        painter_.setPen(leftDotted ? dotted : solid);
        painter_.drawLine(rect.topLeft(), rect.bottomLeft());
      }
    // Pictures over their cells' lines, framed.
    for (const Picture& p : cw_.pictures) {
      const QRectF rect(grid.left() + p.column * cell, grid.top() + p.row * cell, p.width * cell,
                        p.height * cell);
      painter_.fillRect(rect, Qt::white);
      const QImage image = printedPicture(p, rect);
      if (!image.isNull()) painter_.drawImage(rect, image);
      painter_.setPen(solid);
      painter_.drawRect(rect);
    }

    painter_.setPen(QPen(Qt::black, thin * 3));
    painter_.drawRect(grid);

    const QFont numberFont = font(std::min(3.2, cell / millimetre_ * 0.26));
    const QFont letterFont = font(cell / millimetre_ * 0.55, true);
    painter_.setPen(Qt::black);
    for (int r = 0; r < cw_.rows; ++r)
      for (int c = 0; c < cw_.columns; ++c) {
        if (isBlockCell(cw_, r, c)) continue;
        const QRectF rect = cellRect(r, c);
        if (const int number = numbering_.numberAt(r, c)) {
          painter_.setFont(numberFont);
          painter_.drawText(rect.adjusted(cell * 0.07, cell * 0.03, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                            QString::number(number));
        }
        if (solution) {
          painter_.setFont(letterFont);
          painter_.drawText(rect.adjusted(0, cell * 0.12, 0, 0), Qt::AlignCenter,
                            fromBoard(cw_, cw_.cell(r, c)));
        }
      }
  }

  // Columns of clues, Across then Down, flowing on to new pages line by line, so that no clue
  // is ever cut, however long. Without `paint` nothing is drawn: returns the pages the clues
  // would take (1 when they fit on the grid's page).
  int flowClues(double top, double clueMillimetres, int columns, bool paint) {
    const double gap = (columns > 2 ? 6 : 8) * millimetre_;
    const double columnWidth = (page_.width() - gap * (columns - 1)) / columns;
    int column = 0, pages = 1;
    double y = top, columnTop = top;
    const QFont headingFont = font(clueMillimetres * 7 / 6, true), clueFont = font(clueMillimetres);
    auto room = [&](double height) {
      if (y + height <= page_.height()) return;
      if (column + 1 < columns) {
        ++column;
      } else {
        if (paint) device_.newPage();
        ++pages;
        column = 0;
        columnTop = 0;
      }
      y = columnTop;
    };
    auto x = [&] { return column * (columnWidth + gap); };
    QTextOption wrap;
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const auto* list : {&numbering_.across, &numbering_.down}) {
      const double headingHeight = QFontMetricsF(headingFont, &device_).height() * 1.4;
      room(headingHeight * 2);
      if (paint) {
        painter_.setFont(headingFont);
        painter_.drawText(QRectF(x(), y, columnWidth, headingHeight), Qt::AlignLeft | Qt::AlignTop,
                          list == &numbering_.across ? QStringLiteral("Across") : QStringLiteral("Down"));
      }
      y += headingHeight;
      const double spacing = QFontMetricsF(clueFont, &device_).height() * 0.35;
      for (const NumberedWord& w : *list) {
        const QString text = QString::number(w.number) + ". " +
                             QString::fromStdString(toUtf8(w.clue, clueCodePage(cw_.charset)));
        QTextLayout layout(text, clueFont, &device_);
        layout.setTextOption(wrap);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
          line.setLineWidth(columnWidth);
        layout.endLayout();
        for (int n = 0; n < layout.lineCount(); ++n) {
          const QTextLine line = layout.lineAt(n);
          room(line.height());
          if (paint) line.draw(&painter_, QPointF(x(), y - line.y()));
          y += line.height();
        }
        y += spacing;
      }
      y += QFontMetricsF(clueFont, &device_).height();
    }
    return pages;
  }

  const CrosswordFile& cw_;
  QPagedPaintDevice& device_;
  const CrosswordPrintOptions& options_;
  const CrosswordNumbering numbering_;
  QPainter painter_;
  QRectF page_;
  double millimetre_ = 1;
};

}  // namespace

void printCrossword(const CrosswordFile& crossword, QPagedPaintDevice& device,
                    const CrosswordPrintOptions& options) {
  if (crossword.rows == 0 || crossword.columns == 0)
    throw FormatError("The crossword has no board to print.");
  PagePainter(crossword, device, options).paint();
}

void writeCrosswordPdf(const CrosswordFile& crossword, const std::filesystem::path& path,
                       QPageSize::PageSizeId paper, const CrosswordPrintOptions& options) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(720);
    writer.setPageSize(QPageSize(paper));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setTitle(options.title);
    writer.setCreator(QStringLiteral("Gridwright"));
    printCrossword(crossword, writer, options);
  }
  writeFileAtomically(
      path, std::string_view(buffer.data().constData(), static_cast<std::size_t>(buffer.data().size())));
}

}  // namespace gw
