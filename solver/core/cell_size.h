#pragma once
// The size of the board's cells: the player's zoom, shrunk where the board and its two clue
// windows would not fit the screen's work area. Sizes are in logical pixels.
namespace gw::cross {

inline constexpr int kDefaultCellSize = 20;
inline constexpr int kLargestCellSize = 60;
inline constexpr int kZoomStep = 2;
// The fewest device pixels a cell may have and still show a legible letter.
inline constexpr int kSmallestCellDevicePixels = 16;

// The smallest cell size in logical pixels at a scale factor.
int smallestCellSize(double devicePixelRatio);
// A zoom level kept between the smallest size at scale 1 and the largest.
int boundedCellSize(int cellSize);

struct BoardFit {
  int rows = 0;
  int columns = 0;
  int workWidth = 0;
  int workHeight = 0;
  int clueLineHeight = 0;  // the height of a clue window showing one line
  double devicePixelRatio = 1.0;
};

// The largest size up to `wanted` at which rows and columns (plus the two border pixels)
// fit the work area's width, and its height with one clue line above and one below; never
// below smallestCellSize (a board too large for that stays at it and is cut off).
int fittedCellSize(int wanted, const BoardFit& fit);

// The zoom after `steps` zoom steps from the cell size on screen (not from the size wanted
// before, which the screen may have cut down): so zooming in never shrinks the board and
// zooming out never grows it.
int zoomedCellSize(int shown, int steps);

// The cell size at which the board fills a window of the given inner size, within the zoom's
// bounds: what the board takes when the player resizes its window.
int cellSizeFillingWindow(int rows, int columns, int width, int height);

}  // namespace gw::cross
