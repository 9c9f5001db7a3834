#include "common/jpeg.h"

#include <cstdlib>

#include <gtest/gtest.h>

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

TEST(Jpeg, EncoderRefusesImpossibleSizes) {
  EXPECT_THROW(gw::encodeJpegRgb(0, 5, ""), gw::JpegError);
  EXPECT_THROW(gw::encodeJpegRgb(2, 2, "short"), gw::JpegError);
  gw::IndexedImage bad;
  bad.width = 2;
  bad.height = 2;
  EXPECT_THROW(gw::encodeJpeg(bad), gw::JpegError);
}

}  // namespace
