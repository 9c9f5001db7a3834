#pragma once
// JPEG pictures of crosswords, on libjpeg-turbo. Decoding quantises to at most 256
// colours (two-pass, Floyd-Steinberg dithering, integer DCT); encoding writes quality 75,
// integer DCT, baseline (not progressive). Errors never end the program: they throw.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/errors.h"

namespace gw {

class JpegError : public FormatError {
 public:
  using FormatError::FormatError;
};

struct IndexedImage {
  int width = 0, height = 0;
  std::vector<std::uint32_t> palette;  // 0xFFRRGGBB, at most 256
  std::vector<std::uint8_t> pixels;    // width*height indices, row by row

  bool empty() const { return width == 0 || height == 0; }
  std::uint32_t argb(int x, int y) const { return palette[pixels[static_cast<std::size_t>(y) * width + x]]; }
  friend bool operator==(const IndexedImage&, const IndexedImage&) = default;
};

// Largest picture decoded or encoded, in pixels; crossword pictures are a few cells wide.
inline constexpr std::uint64_t kMaxJpegPixels = 25'000'000;

// Most scans decoded of one picture. A progressive picture is a handful of scans (libjpeg writes
// ten, optimising encoders a few more); each scan is a pass over the whole picture, so a small
// file of hundreds of scans would take seconds.
inline constexpr int kMaxJpegScans = 100;
// Most decoding work of one picture, in pixel passes (full pixels times scans decoded): twenty
// scans of the largest picture.
inline constexpr std::uint64_t kMaxJpegDecodingWork = kMaxJpegPixels * 20;

// Decodes a complete JPEG file (grey, RGB or CMYK, baseline or progressive). Throws JpegError("There are
// warnings") when the data decodes only with warnings (a truncated file, for instance), and JpegError with
// libjpeg's message for data that is not a picture it can read, or that has more scans or needs more
// work than the limits above. A picture larger than maxWidth x maxHeight
// (when given) is scaled down by libjpeg itself, by the smallest of its eighths that fits (at most eight
// times), so a huge picture drawn in a few cells never takes its full size in memory.
IndexedImage decodeJpeg(std::string_view jpegBytes, int maxWidth = 0, int maxHeight = 0);

// Width and height decodeJpeg would give with the same limits, from the header alone;
// nullopt when the header cannot be read.
std::optional<std::pair<int, int>> decodedJpegSize(std::string_view jpegBytes, int maxWidth, int maxHeight);

// The scans of a JPEG file, counted from its markers without decoding them.
int jpegScanCount(std::string_view jpegBytes);

// What decoding the picture costs, in pixel passes: the pixels of its full size (every scan
// is decoded at full size, whatever the output is scaled to) times its scans. 0 when the
// header cannot be read (decoding it fails at once).
std::uint64_t jpegDecodingWork(std::string_view jpegBytes);

// Encodes an indexed image as a JPEG file (quality 75, integer DCT, not progressive).
std::string encodeJpeg(const IndexedImage& image);
// Encodes 8-bit RGB pixels (3 bytes a pixel, row by row).
std::string encodeJpegRgb(int width, int height, std::string_view rgb);

}  // namespace gw
