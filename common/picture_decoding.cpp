#include "common/picture_decoding.h"

#include <string>

namespace gw {

IndexedImage decodePicture(const Picture& picture) {
  return decodeJpeg(picture.jpeg, picture.width * kPictureCellPixels, picture.height * kPictureCellPixels);
}

std::uint64_t decodedPicturePixels(const std::vector<Picture>& pictures) {
  std::uint64_t total = 0;
  for (const Picture& p : pictures) {
    const auto size = decodedJpegSize(p.jpeg, p.width * kPictureCellPixels, p.height * kPictureCellPixels);
    if (size) total += static_cast<std::uint64_t>(size->first) * static_cast<std::uint64_t>(size->second);
  }
  return total;
}

void requirePictureBudget(const std::vector<Picture>& pictures) {
  const std::uint64_t pixels = decodedPicturePixels(pictures);
  if (pixels > kPicturePixelBudget)
    throw JpegError("The crossword's pictures are too large: together they need " + std::to_string(pixels) +
                    " pixels, more than " + std::to_string(kPicturePixelBudget) + ".");
  std::uint64_t work = 0;
  for (const Picture& p : pictures) work += jpegDecodingWork(p.jpeg);
  if (work > kPictureDecodingWorkBudget)
    throw JpegError("The crossword's pictures are too large: decoding them takes " + std::to_string(work) +
                    " pixel passes, more than " + std::to_string(kPictureDecodingWorkBudget) + ".");
}

}  // namespace gw
