#pragma once
// Pixel sizes of the composing page and its dialogs, in one place.
#include <QSize>
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
constexpr QSize composingWindowSize(int rows, int columns) {
  return {columns * kGridPitch + kWindowExtraWidth, rows * kGridPitch + kWindowExtraHeight};
}

// The word order dialog: 10-pixel cells on the miniature, the panel beside it.
inline constexpr int kMiniatureCellSize = 10;
inline constexpr int kOrderPanelWidth = 86;
inline constexpr QSize kWordOrderMinimumSize{300, 293};
inline constexpr QSize kWordOrderClientSize{294, 266};
inline constexpr int kOrderRowHeight = 16;
inline constexpr int kOrderGlyphSize = 8;
inline constexpr int kOrderGlyphLeft = 2;
inline constexpr int kOrderTextGap = 6;

}  // namespace gw::gui
