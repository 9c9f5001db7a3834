#include "solver/core/cell_size.h"

#include <algorithm>
#include <cmath>

namespace gw::cross {

int smallestCellSize(double devicePixelRatio) {
  double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
  return std::max(4, static_cast<int>(std::ceil(kSmallestCellDevicePixels / ratio)));
}

int boundedCellSize(int cellSize) { return std::clamp(cellSize, smallestCellSize(1.0), kLargestCellSize); }

int fittedCellSize(int wanted, const BoardFit& fit) {
  int size = wanted;
  if (fit.columns > 0) size = std::min(size, (fit.workWidth - 2) / fit.columns);
  if (fit.rows > 0) size = std::min(size, (fit.workHeight - 2 - 2 * fit.clueLineHeight) / fit.rows);
  return std::max(size, smallestCellSize(fit.devicePixelRatio));
}

int zoomedCellSize(int shown, int steps) { return boundedCellSize(shown + steps * kZoomStep); }

int cellSizeFillingWindow(int rows, int columns, int width, int height) {
  if (rows <= 0 || columns <= 0) return kDefaultCellSize;
  return boundedCellSize(std::min((width - 2) / columns, (height - 2) / rows));
}

}  // namespace gw::cross
