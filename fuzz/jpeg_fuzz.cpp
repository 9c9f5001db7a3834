// JPEG decoding of picture data, and encoding what decoded.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  gw::IndexedImage image;
  try {
    image = gw::decodeJpeg(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const gw::JpegError&) {
    return 0;
  }
  if (image.pixels.size() != std::size_t(image.width) * image.height || image.palette.size() > 256)
    __builtin_trap();
  for (std::uint8_t p : image.pixels)
    if (p >= image.palette.size()) __builtin_trap();
  if (std::size_t(image.width) * image.height <= 256 * 256) {
    const gw::IndexedImage again = gw::decodeJpeg(gw::encodeJpeg(image));
    if (again.width != image.width || again.height != image.height) __builtin_trap();
  }
  return 0;
}
