#include "common/jpeg.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>
#include <jpeglib.h>

#include "common/file_io.h"
#include "common/picture_decoding.h"
#include "tests/support/jpeg_rows.h"
#include "tests/support/scan_heavy_jpeg.h"

namespace {

// Four flat quadrants: red, green, blue, white.
std::string quadrants(int w, int h) {
  std::string rgb;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool right = x >= w / 2, bottom = y >= h / 2;
      const unsigned char r = (!right && !bottom) || (right && bottom) ? 255 : 0;
      const unsigned char g = (right && !bottom) || (right && bottom) ? 255 : 0;
      const unsigned char b = (!right && bottom) || (right && bottom) ? 255 : 0;
      rgb += static_cast<char>(r);
      rgb += static_cast<char>(g);
      rgb += static_cast<char>(b);
    }
  return rgb;
}

int channelDistance(std::uint32_t a, std::uint32_t b) {
  int d = 0;
  for (int s : {0, 8, 16}) d = std::max(d, std::abs(int((a >> s) & 0xFF) - int((b >> s) & 0xFF)));
  return d;
}

TEST(Jpeg, RoundTripKeepsSizeAndColours) {
  const std::string jpeg = gw::encodeJpegRgb(64, 48, quadrants(64, 48));
  ASSERT_GT(jpeg.size(), 4u);
  EXPECT_EQ(jpeg.substr(0, 2), "\xFF\xD8");
  // Baseline: a SOF0 marker, no progressive SOF2.
  EXPECT_NE(jpeg.find("\xFF\xC0"), std::string::npos);
  EXPECT_EQ(jpeg.find("\xFF\xC2"), std::string::npos);
  // Quality 75 halves the standard luminance table: 16 11 12 14 12 10 16 14 in zigzag order.
  const std::size_t dqt = jpeg.find("\xFF\xDB");
  ASSERT_NE(dqt, std::string::npos);
  EXPECT_EQ(jpeg.substr(dqt + 4, 9), std::string("\x00\x08\x06\x06\x07\x06\x05\x08\x07", 9));

  const gw::IndexedImage image = gw::decodeJpeg(jpeg);
  ASSERT_EQ(image.width, 64);
  ASSERT_EQ(image.height, 48);
  ASSERT_EQ(image.pixels.size(), 64u * 48u);
  ASSERT_FALSE(image.palette.empty());
  ASSERT_LE(image.palette.size(), 256u);
  for (std::uint8_t p : image.pixels) ASSERT_LT(p, image.palette.size());
  EXPECT_LE(channelDistance(image.argb(8, 8), 0xFFFF0000), 40);
  EXPECT_LE(channelDistance(image.argb(56, 8), 0xFF00FF00), 40);
  EXPECT_LE(channelDistance(image.argb(8, 40), 0xFF0000FF), 40);
  EXPECT_LE(channelDistance(image.argb(56, 40), 0xFFFFFFFF), 40);

  // Re-encoding the indexed picture gives a picture of the same size.
  const gw::IndexedImage again = gw::decodeJpeg(gw::encodeJpeg(image));
  EXPECT_EQ(again.width, 64);
  EXPECT_EQ(again.height, 48);
}

TEST(Jpeg, DamagedDataThrowsInsteadOfEndingTheProgram) {
  const std::string jpeg = gw::encodeJpegRgb(128, 128, quadrants(128, 128));
  EXPECT_THROW(gw::decodeJpeg(""), gw::JpegError);
  EXPECT_THROW(gw::decodeJpeg("not a picture at all"), gw::JpegError);
  EXPECT_THROW(gw::decodeJpeg(jpeg.substr(0, 20)), gw::JpegError);
  // Cut inside the picture data: libjpeg fills in and warns.
  try {
    gw::decodeJpeg(jpeg.substr(0, jpeg.size() - 40));
    FAIL();
  } catch (const gw::JpegError& e) {
    EXPECT_STREQ(e.what(), "There are warnings");
  }
  // Garbage after the start-of-image marker.
  std::string garbage = jpeg.substr(0, 2) + std::string(200, '\x5A');
  EXPECT_THROW(gw::decodeJpeg(garbage), gw::JpegError);
}

// The pictures of tests/data/jpeg (shared with the fuzz seeds).
TEST(Jpeg, FixturesDecodeOrAreRefused) {
  const std::filesystem::path dir = std::filesystem::path(GW_SOURCE_DIR) / "tests/data/jpeg";
  const gw::IndexedImage otter = gw::decodeJpeg(gw::readWholeFile(dir / "good-otter.jpg"));
  EXPECT_GT(otter.width, 0);
  EXPECT_EQ(otter.pixels.size(), static_cast<std::size_t>(otter.width) * otter.height);
  for (const char* broken :
       {"broken-cut.jpg", "broken-header.jpg", "broken-bomb.jpg", "broken-many-scans.jpg"})
    EXPECT_THROW(gw::decodeJpeg(gw::readWholeFile(dir / broken)), gw::JpegError) << broken;
}

TEST(Jpeg, EncoderRefusesImpossibleSizes) {
  EXPECT_THROW(gw::encodeJpegRgb(0, 5, ""), gw::JpegError);
  EXPECT_THROW(gw::encodeJpegRgb(2, 2, "short"), gw::JpegError);
  gw::IndexedImage bad;
  bad.width = 2;
  bad.height = 2;
  EXPECT_THROW(gw::encodeJpeg(bad), gw::JpegError);
}

// A CMYK picture as print software writes it: Adobe marker, channels stored inverted.
std::string cmykJpeg(int w, int h, const unsigned char left[4], const unsigned char right[4]) {
  std::string row(static_cast<std::size_t>(w) * 4, '\0');
  for (int x = 0; x < w; ++x)
    for (int c = 0; c < 4; ++c)
      row[static_cast<std::size_t>(x) * 4 + c] = static_cast<char>(x < w / 2 ? left[c] : right[c]);
  return gw::test::jpegOfRows(w, h, 4, JCS_CMYK, row,
                              [](jpeg_compress_struct& cinfo) { jpeg_set_quality(&cinfo, 95, TRUE); });
}

TEST(Jpeg, CmykPicturesKeepTheirColours) {
  const unsigned char black[4] = {255, 255, 255, 0};  // inverted C M Y K = 0 0 0 100%
  const unsigned char red[4] = {255, 0, 0, 255};      // inverted 0 100% 100% 0
  const gw::IndexedImage image = gw::decodeJpeg(cmykJpeg(32, 16, black, red));
  ASSERT_EQ(image.width, 32);
  ASSERT_EQ(image.height, 16);
  ASSERT_LE(image.palette.size(), 256u);
  EXPECT_LE(channelDistance(image.argb(4, 8), 0xFF000000), 40);
  EXPECT_LE(channelDistance(image.argb(28, 8), 0xFFFF0000), 40);
  // Cut short, it fails like any other picture.
  const std::string jpeg = cmykJpeg(64, 64, black, red);
  EXPECT_THROW(gw::decodeJpeg(jpeg.substr(0, jpeg.size() / 2)), gw::JpegError);
}

// A picture larger than its box decodes scaled down by libjpeg, never enlarged, and the size
// the budget counts is the size decoded.
TEST(Jpeg, LargePicturesDecodeAtTheirDrawnSize) {
  const std::string jpeg = gw::encodeJpegRgb(160, 80, quadrants(160, 80));
  const gw::IndexedImage half = gw::decodeJpeg(jpeg, 80, 40);
  EXPECT_EQ(std::pair(half.width, half.height), std::pair(80, 40));
  EXPECT_EQ(gw::decodedJpegSize(jpeg, 80, 40), std::pair(80, 40));
  EXPECT_LE(channelDistance(half.argb(10, 10), 0xFFFF0000), 40);  // still red at the top left
  const gw::IndexedImage small = gw::decodeJpeg(jpeg, 20, 20);    // at most an eighth smaller
  EXPECT_EQ(std::pair(small.width, small.height), std::pair(20, 10));
  const gw::IndexedImage same = gw::decodeJpeg(jpeg, 400, 400);
  EXPECT_EQ(std::pair(same.width, same.height), std::pair(160, 80));
  const unsigned char black[4] = {255, 255, 255, 0}, red[4] = {255, 0, 0, 255};
  const gw::IndexedImage cmyk = gw::decodeJpeg(cmykJpeg(32, 16, black, red), 16, 8);
  EXPECT_EQ(std::pair(cmyk.width, cmyk.height), std::pair(16, 8));

  const std::string bomb =
      gw::readWholeFile(std::filesystem::path(GW_SOURCE_DIR) / "tests/data/jpeg/broken-bomb.jpg");
  EXPECT_EQ(gw::decodedJpegSize(bomb, 20, 20), std::pair(625, 625));
  EXPECT_EQ(gw::decodedJpegSize("not a picture", 20, 20), std::nullopt);
}

}  // namespace

// Pictures that cost time: each scan is a pass over the whole picture, so a few kilobytes of
// scans are refused by their count or their work, and a crossword of them before any decoding.
TEST(Jpeg, ScanHeavyPicturesAreRefusedByScansAndWork) {
  struct Case {
    int side, levels;
    const char* refusal;  // nullptr: decodes
  } cases[] = {
      {64, 1, nullptr},                 // 64 scans
      {64, 2, "too many scans"},        // 128 scans
      {3000, 1, "too long to decode"},  // 64 passes over 9 megapixels
  };
  for (const Case& c : cases) {
    const std::string jpeg = gw::test::scanHeavyJpeg(c.side, c.side, c.levels);
    EXPECT_EQ(gw::jpegScanCount(jpeg), 64 * c.levels);
    EXPECT_EQ(gw::jpegDecodingWork(jpeg), std::uint64_t(c.side) * c.side * 64 * c.levels);
    if (!c.refusal) {
      EXPECT_EQ(gw::decodeJpeg(jpeg).width, c.side);
      continue;
    }
    try {
      gw::decodeJpeg(jpeg, 20, 20);
      ADD_FAILURE() << c.side << " x " << c.levels << " decoded";
    } catch (const gw::JpegError& e) {
      EXPECT_NE(std::string(e.what()).find(c.refusal), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(gw::jpegScanCount(gw::encodeJpegRgb(16, 16, quadrants(16, 16))), 1);

  // Each within the limits of one picture, together past the work of a crossword.
  gw::Picture picture;
  picture.width = picture.height = 1;
  picture.jpeg = gw::test::scanHeavyJpeg(2000, 2000, 1);
  std::vector<gw::Picture> pictures(7, picture);
  EXPECT_NO_THROW(gw::requirePictureBudget(pictures));
  pictures.resize(8, picture);
  EXPECT_THROW(gw::requirePictureBudget(pictures), gw::JpegError);
}
