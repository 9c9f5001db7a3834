#pragma once
// Pixel sizes of the composing page and its dialogs, in one place.
#include <QSize>
#include <algorithm>
#include <array>

namespace gw::gui {

// The layout grid: 18-pixel cells with a 1-pixel line after each.
inline constexpr int kGridCellSize = 18;
inline constexpr int kGridLineWidth = 1;
inline constexpr int kGridPitch = kGridCellSize + kGridLineWidth;
// Room the main window needs around the grid (frame, menu, toolbar, status bar).
inline constexpr int kWindowExtraWidth = 27;
inline constexpr int kWindowExtraHeight = 130;
// Font height of the grid and the status bar.
inline constexpr int kComposingFontPixels = 9;

// Widths of the status bar's six panels.
inline constexpr std::array<int, 6> kStatusPanelWidths{30, 80, 50, 50, 50, 50};

// The smallest main window that shows a layout of `rows` × `columns` cells whole.
constexpr QSize composingWindowSize(int rows, int columns, int cellSize = kGridCellSize) {
  const int pitch = cellSize + kGridLineWidth;
  return {columns * pitch + kWindowExtraWidth, rows * pitch + kWindowExtraHeight};
}

// The cell sizes the grid zooms through (Ctrl+Plus, Ctrl+Minus, Ctrl+wheel); 18 is the size of
// old, and Ctrl+0 goes back to it.
inline constexpr std::array<int, 11> kZoomCellSizes{12, 14, 16, 18, 21, 24, 28, 32, 36, 42, 48};

// `cellSize` zoomed by `steps` (negative: smaller), kept within the sizes above; a size between
// two of them first snaps to the next one in the direction of the zoom.
constexpr int zoomedCellSize(int cellSize, int steps) {
  int i = 0;
  const int last = static_cast<int>(kZoomCellSizes.size()) - 1;
  while (i < last && kZoomCellSizes[static_cast<std::size_t>(i)] < cellSize) ++i;
  if (steps > 0 && kZoomCellSizes[static_cast<std::size_t>(i)] > cellSize) --steps;
  i = std::clamp(i + steps, 0, last);
  return kZoomCellSizes[static_cast<std::size_t>(i)];
}

// The grid's font grows with its cells: 9 pixels at 18.
constexpr int gridFontPixels(int cellSize) { return std::max(kComposingFontPixels, cellSize / 2); }

// The word order dialog: 10-pixel cells on the miniature, the panel beside it.
inline constexpr int kMiniatureCellSize = 10;
inline constexpr int kOrderPanelWidth = 300;  // room for "12 Across, row 13 column 15, 15 letters"
// The miniature's cells when the dialog opens; they follow its size from then on.
inline constexpr int kMiniatureOpeningCellSize = 16;
inline constexpr int kOrderLegendHeight = 84;
inline constexpr QSize kWordOrderMinimumSize{480, 400};
inline constexpr QSize kWordOrderClientSize{294, 266};
inline constexpr int kOrderRowHeight = 16;
inline constexpr int kOrderGlyphSize = 8;
inline constexpr int kOrderGlyphLeft = 2;
inline constexpr int kOrderTextGap = 6;

}  // namespace gw::gui
