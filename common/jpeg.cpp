#include "common/jpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <jpeglib.h>

namespace gw {
namespace {

// libjpeg reports errors through error_exit, which must not return: jump back to the
// caller's setjmp and throw from there (a C++ throw across libjpeg's C frames is not safe).
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  bool warned;
};

void onError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

// A warning (corrupt or truncated data) makes the whole decode fail, so stop at the first
// one instead of decoding the rest of a damaged picture. Trace messages are ignored.
void onMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  ++err->pub.num_warnings;
  err->warned = true;
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

// libjpeg's own whole-picture buffers of one decode.
constexpr long kMaxJpegWorkingBytes = 256L << 20;

void onProgress(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
  const int scans = dinfo->input_scan_number;
  const std::uint64_t work = static_cast<std::uint64_t>(dinfo->image_width) * dinfo->image_height * scans;
  if (scans <= kMaxJpegScans && work <= kMaxJpegDecodingWork) return;
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  if (scans > kMaxJpegScans)
    std::snprintf(err->message, sizeof err->message, "The picture has too many scans (more than %d).",
                  kMaxJpegScans);
  else
    std::snprintf(err->message, sizeof err->message,
                  "The picture takes too long to decode (%d scans of %u x %u pixels).", scans,
                  dinfo->image_width, dinfo->image_height);
  std::longjmp(err->jump, 1);
}

void installErrorManager(ErrorManager& err, j_common_ptr cinfo) {
  cinfo->err = jpeg_std_error(&err.pub);
  err.pub.error_exit = onError;
  err.pub.emit_message = onMessage;
  err.message[0] = '\0';
  err.warned = false;
}

// Everything the decode allocates lives here, so that a longjmp back into decodeJpeg leaks
// nothing: the destructor runs when the thrown exception unwinds.
struct DecodeState {
  jpeg_decompress_struct cinfo{};
  ErrorManager err{};
  jpeg_progress_mgr progress{};
  bool created = false;
  bool cmyk = false;               // the header names CMYK or YCCK data; nothing was decoded
  std::vector<unsigned char> row;  // one CMYK scan line
  ~DecodeState() {
    if (created) jpeg_destroy_decompress(&cinfo);
  }
};

struct EncodeState {
  jpeg_compress_struct cinfo{};
  ErrorManager err{};
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  bool created = false;
  ~EncodeState() {
    if (created) jpeg_destroy_compress(&cinfo);
    std::free(buffer);
  }
};

// Scales the output down, by eighths, to fit maxWidth x maxHeight (0: no limit).
// Called after readHeader.
void chooseScale(DecodeState& s, int maxWidth, int maxHeight) {
  const auto fits = [&](unsigned num) {
    const auto scaled = [num](unsigned side) { return (side * num + 7) / 8; };
    return (maxWidth <= 0 || scaled(s.cinfo.image_width) <= static_cast<unsigned>(maxWidth)) &&
           (maxHeight <= 0 || scaled(s.cinfo.image_height) <= static_cast<unsigned>(maxHeight));
  };
  unsigned num = 8;
  while (num > 1 && !fits(num)) --num;
  s.cinfo.scale_num = num;
  s.cinfo.scale_denom = 8;
}

// Sets up a decompressor over the bytes and reads the header. Called after the caller's
// setjmp, so a libjpeg error jumps back there.
void readHeader(DecodeState& s, std::string_view bytes) {
  jpeg_create_decompress(&s.cinfo);
  s.created = true;
  // Whole-picture buffers (progressive coefficients, the quantiser's pass) beyond this fail
  // instead of taking the memory.
  s.cinfo.mem->max_memory_to_use = kMaxJpegWorkingBytes;
  s.progress.progress_monitor = onProgress;
  s.cinfo.progress = &s.progress;
  jpeg_mem_src(&s.cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&s.cinfo, TRUE);
}

// The body of a decode; returns false after a libjpeg error (message in state.err).
// Kept free of objects with destructors, since longjmp skips them.
bool runDecode(DecodeState& s, std::string_view bytes, IndexedImage& image, int maxWidth, int maxHeight) {
  if (setjmp(s.err.jump)) return false;
  readHeader(s, bytes);
  if (static_cast<std::uint64_t>(s.cinfo.image_width) * s.cinfo.image_height > kMaxJpegPixels) {
    std::snprintf(s.err.message, sizeof s.err.message, "The picture is too large (%u x %u pixels).",
                  s.cinfo.image_width, s.cinfo.image_height);
    return false;
  }
  // libjpeg turns CMYK into RGB neither by itself nor through its quantiser (which would
  // take the four channels for three): decodeJpeg converts such pictures first.
  if (s.cinfo.jpeg_color_space == JCS_CMYK || s.cinfo.jpeg_color_space == JCS_YCCK) {
    s.cmyk = true;
    return true;
  }
  chooseScale(s, maxWidth, maxHeight);
  s.cinfo.quantize_colors = TRUE;
  s.cinfo.desired_number_of_colors = 256;
  s.cinfo.two_pass_quantize = TRUE;
  s.cinfo.dither_mode = JDITHER_FS;
  s.cinfo.dct_method = JDCT_ISLOW;
  jpeg_start_decompress(&s.cinfo);

  image.width = static_cast<int>(s.cinfo.output_width);
  image.height = static_cast<int>(s.cinfo.output_height);
  const int colours = s.cinfo.actual_number_of_colors;
  const bool grey = s.cinfo.out_color_components == 1;
  image.palette.resize(static_cast<std::size_t>(colours));
  for (int i = 0; i < colours; ++i) {
    const std::uint32_t r = s.cinfo.colormap[0][i];
    const std::uint32_t g = grey ? r : s.cinfo.colormap[1][i];
    const std::uint32_t b = grey ? r : s.cinfo.colormap[2][i];
    image.palette[static_cast<std::size_t>(i)] = 0xFF000000u | r << 16 | g << 8 | b;
  }
  image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
  while (s.cinfo.output_scanline < s.cinfo.output_height) {
    JSAMPROW row = image.pixels.data() + static_cast<std::size_t>(s.cinfo.output_scanline) * image.width;
    jpeg_read_scanlines(&s.cinfo, &row, 1);
  }
  jpeg_finish_decompress(&s.cinfo);
  return true;
}

// Decodes a CMYK or YCCK picture to 8-bit RGB, unquantised. Pictures with an Adobe marker
// (nearly all of them) store the channels inverted.
bool runDecodeCmyk(DecodeState& s, std::string_view bytes, std::string& rgb, int& width, int& height,
                   int maxWidth, int maxHeight) {
  if (setjmp(s.err.jump)) return false;
  readHeader(s, bytes);
  chooseScale(s, maxWidth, maxHeight);
  s.cinfo.out_color_space = JCS_CMYK;
  s.cinfo.dct_method = JDCT_ISLOW;
  jpeg_start_decompress(&s.cinfo);
  width = static_cast<int>(s.cinfo.output_width);
  height = static_cast<int>(s.cinfo.output_height);
  const bool inverted = s.cinfo.saw_Adobe_marker;
  rgb.resize(static_cast<std::size_t>(width) * height * 3);
  s.row.resize(static_cast<std::size_t>(width) * 4);
  while (s.cinfo.output_scanline < s.cinfo.output_height) {
    const std::size_t y = s.cinfo.output_scanline;
    JSAMPROW row = s.row.data();
    jpeg_read_scanlines(&s.cinfo, &row, 1);
    for (int x = 0; x < width; ++x) {
      const unsigned char* cmyk = s.row.data() + static_cast<std::size_t>(x) * 4;
      const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
      for (int c = 0; c < 3; ++c) {
        const unsigned v = inverted ? cmyk[c] : 255u - cmyk[c];
        rgb[(y * width + x) * 3 + c] = static_cast<char>((v * k + 127) / 255);
      }
    }
  }
  jpeg_finish_decompress(&s.cinfo);
  return true;
}

bool runEncode(EncodeState& s, int width, int height, std::string_view rgb, int quality) {
  if (setjmp(s.err.jump)) return false;
  jpeg_create_compress(&s.cinfo);
  s.created = true;
  jpeg_mem_dest(&s.cinfo, &s.buffer, &s.size);
  s.cinfo.image_width = static_cast<JDIMENSION>(width);
  s.cinfo.image_height = static_cast<JDIMENSION>(height);
  s.cinfo.input_components = 3;
  s.cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&s.cinfo);
  jpeg_set_quality(&s.cinfo, quality, TRUE);
  if (quality == 100)  // an intermediate copy: keep the colour detail too
    for (int c = 0; c < s.cinfo.num_components; ++c)
      s.cinfo.comp_info[c].h_samp_factor = s.cinfo.comp_info[c].v_samp_factor = 1;
  s.cinfo.dct_method = JDCT_ISLOW;
  jpeg_start_compress(&s.cinfo, TRUE);
  const std::size_t stride = static_cast<std::size_t>(width) * 3;
  while (s.cinfo.next_scanline < s.cinfo.image_height) {
    // libjpeg does not write through the row pointer; the cast only satisfies its C signature.
    JSAMPROW row = reinterpret_cast<JSAMPROW>(const_cast<char*>(rgb.data() + s.cinfo.next_scanline * stride));
    jpeg_write_scanlines(&s.cinfo, &row, 1);
  }
  jpeg_finish_compress(&s.cinfo);
  return true;
}

// The encoder behind encodeJpegRgb, with the quality as a parameter.
std::string encodeRgb(int width, int height, std::string_view rgb, int quality);

// The output size for the limits; false after a libjpeg error. Free of objects with destructors.
bool runMeasure(DecodeState& s, std::string_view bytes, int maxWidth, int maxHeight, int& width,
                int& height) {
  if (setjmp(s.err.jump)) return false;
  readHeader(s, bytes);
  chooseScale(s, maxWidth, maxHeight);
  jpeg_calc_output_dimensions(&s.cinfo);
  width = static_cast<int>(s.cinfo.output_width);
  height = static_cast<int>(s.cinfo.output_height);
  return true;
}

// The full size from the header; false after a libjpeg error. Free of objects with destructors.
bool runReadSize(DecodeState& s, std::string_view bytes, std::uint64_t& pixels) {
  if (setjmp(s.err.jump)) return false;
  readHeader(s, bytes);
  pixels = static_cast<std::uint64_t>(s.cinfo.image_width) * s.cinfo.image_height;
  return true;
}

bool isStandaloneMarker(unsigned char m) { return m == 0x01 || (m >= 0xD0 && m <= 0xD7); }

}  // namespace

int jpegScanCount(std::string_view jpegBytes) {
  const auto* b = reinterpret_cast<const unsigned char*>(jpegBytes.data());
  const std::size_t n = jpegBytes.size();
  int scans = 0;
  std::size_t pos = 2;  // after the start-of-image marker
  while (pos + 1 < n) {
    if (b[pos] != 0xFF) {  // not at a marker: libjpeg skips to the next one (with a warning)
      ++pos;
      continue;
    }
    const unsigned char m = b[pos + 1];
    if (m == 0xFF) {  // fill byte
      ++pos;
      continue;
    }
    pos += 2;
    if (m == 0xD9) break;  // end of image
    if (isStandaloneMarker(m) || m == 0x00) continue;
    if (pos + 1 >= n) break;
    pos += (static_cast<std::size_t>(b[pos]) << 8 | b[pos + 1]);  // the segment, its length included
    if (m != 0xDA) continue;
    ++scans;
    // Entropy-coded data runs to the next marker other than a stuffed zero or a restart marker.
    while (pos + 1 < n && !(b[pos] == 0xFF && b[pos + 1] != 0x00 && !isStandaloneMarker(b[pos + 1]))) ++pos;
  }
  return scans;
}

std::uint64_t jpegDecodingWork(std::string_view jpegBytes) {
  if (jpegBytes.empty()) return 0;
  auto state = std::make_unique<DecodeState>();
  installErrorManager(state->err, reinterpret_cast<j_common_ptr>(&state->cinfo));
  std::uint64_t pixels = 0;
  if (!runReadSize(*state, jpegBytes, pixels)) return 0;
  return pixels * static_cast<std::uint64_t>(std::max(jpegScanCount(jpegBytes), 1));
}

std::optional<std::pair<int, int>> decodedJpegSize(std::string_view jpegBytes, int maxWidth, int maxHeight) {
  if (jpegBytes.empty()) return std::nullopt;
  auto state = std::make_unique<DecodeState>();
  installErrorManager(state->err, reinterpret_cast<j_common_ptr>(&state->cinfo));
  int width = 0, height = 0;
  if (!runMeasure(*state, jpegBytes, maxWidth, maxHeight, width, height)) return std::nullopt;
  return std::pair(width, height);
}

IndexedImage decodeJpeg(std::string_view jpegBytes, int maxWidth, int maxHeight) {
  if (jpegBytes.empty()) throw JpegError("The picture is empty.");
  auto state = std::make_unique<DecodeState>();
  installErrorManager(state->err, reinterpret_cast<j_common_ptr>(&state->cinfo));
  IndexedImage image;
  const bool done = runDecode(*state, jpegBytes, image, maxWidth, maxHeight);
  if (state->err.warned || state->err.pub.num_warnings > 0) throw JpegError("There are warnings");
  if (!done) throw JpegError(std::string("The picture cannot be read: ") + state->err.message);
  if (!state->cmyk) return image;

  // CMYK: convert to RGB, then quantise that as any other picture, through a lossless-enough
  // RGB JPEG (libjpeg's quantiser only runs inside a decode).
  state = std::make_unique<DecodeState>();
  installErrorManager(state->err, reinterpret_cast<j_common_ptr>(&state->cinfo));
  std::string rgb;
  int width = 0, height = 0;
  const bool converted = runDecodeCmyk(*state, jpegBytes, rgb, width, height, maxWidth, maxHeight);
  if (state->err.warned || state->err.pub.num_warnings > 0) throw JpegError("There are warnings");
  if (!converted) throw JpegError(std::string("The picture cannot be read: ") + state->err.message);
  return decodeJpeg(encodeRgb(width, height, rgb, 100));
}

namespace {
std::string encodeRgb(int width, int height, std::string_view rgb, int quality) {
  if (width <= 0 || height <= 0 || static_cast<std::uint64_t>(width) * height > kMaxJpegPixels ||
      width > JPEG_MAX_DIMENSION || height > JPEG_MAX_DIMENSION)
    throw JpegError("A picture of " + std::to_string(width) + " x " + std::to_string(height) +
                    " pixels cannot be written.");
  if (rgb.size() != static_cast<std::size_t>(width) * height * 3)
    throw JpegError("The picture's pixels do not match its size.");
  auto state = std::make_unique<EncodeState>();
  installErrorManager(state->err, reinterpret_cast<j_common_ptr>(&state->cinfo));
  if (!runEncode(*state, width, height, rgb, quality) || state->err.warned)
    throw JpegError(std::string("The picture cannot be written: ") + state->err.message);
  return std::string(reinterpret_cast<const char*>(state->buffer), state->size);
}
}  // namespace

std::string encodeJpegRgb(int width, int height, std::string_view rgb) {
  return encodeRgb(width, height, rgb, 75);
}

std::string encodeJpeg(const IndexedImage& image) {
  const std::size_t count = static_cast<std::size_t>(std::max(image.width, 0)) * std::max(image.height, 0);
  if (image.pixels.size() != count) throw JpegError("The picture's pixels do not match its size.");
  std::string rgb(count * 3, '\0');
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t index = image.pixels[i];
    const std::uint32_t argb = index < image.palette.size() ? image.palette[index] : 0xFF000000u;
    rgb[3 * i] = static_cast<char>(argb >> 16);
    rgb[3 * i + 1] = static_cast<char>(argb >> 8);
    rgb[3 * i + 2] = static_cast<char>(argb);
  }
  return encodeJpegRgb(image.width, image.height, rgb);
}

}  // namespace gw
