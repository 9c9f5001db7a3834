#pragma once
// Pictures as the boards draw them: each decoded at most at the size of the cells it covers,
// and all of a crossword's pictures together within a pixel budget, so that a small file
// declaring huge pictures is refused before anything large is allocated.
#include <cstdint>
#include <vector>

#include "common/jpeg.h"
#include "common/picture.h"

namespace gw {

inline constexpr int kPictureCellPixels = 20;  // a cell on either board
inline constexpr std::uint64_t kPicturePixelBudget = 64'000'000;
// Decoding work of all of a crossword's pictures, in pixel passes (jpegDecodingWork): a
// fraction of a second for pictures without content, about a hundred 12-megapixel photos.
inline constexpr std::uint64_t kPictureDecodingWorkBudget = 2'000'000'000;

// Decodes the picture scaled down to about its cells' size. Throws JpegError.
IndexedImage decodePicture(const Picture& picture);

// Pixels decodePicture would give for all the pictures (one whose header cannot be read counts
// nothing: decoding it fails on its own).
std::uint64_t decodedPicturePixels(const std::vector<Picture>& pictures);

// Refuses pictures that together would decode past the pixel budget or the work budget, from
// their headers and markers alone: every way a crossword with pictures comes in asks this before
// decoding any of them. Throws JpegError ("The crossword's pictures are too large: ...").
void requirePictureBudget(const std::vector<Picture>& pictures);

}  // namespace gw
