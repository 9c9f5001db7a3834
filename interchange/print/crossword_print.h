#pragma once
// The printed crossword: a puzzle page (the title and author, the empty grid with numbers, blocks,
// dotted edges and pictures, then the Across and Down clues in two or three columns) and, when
// asked, a solution page. Grid and clues share one page where a smaller grid, smaller type or a
// third column lets them; else the clues go on over further pages, line by line, never cut.
// Every line is a vector.
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QString>
#include <filesystem>

#include "common/crossword_file.h"

namespace gw {

struct CrosswordPrintOptions {
  QString title;   // printed above the grid; may be empty
  QString author;  // printed under the title; may be empty
  bool withSolution = false;
};

// Paints the pages on a printer or PDF writer whose page size the caller has set.
// Throws FileError when the device cannot be painted on, FormatError for a crossword without a board.
void printCrossword(const CrosswordFile& crossword, QPagedPaintDevice& device,
                    const CrosswordPrintOptions& options);

// Writes a PDF file (written aside and renamed into place). Throws FileError.
void writeCrosswordPdf(const CrosswordFile& crossword, const std::filesystem::path& path,
                       QPageSize::PageSizeId paper, const CrosswordPrintOptions& options);

}  // namespace gw
