#include "common/byte_io.h"

#include <gtest/gtest.h>

TEST(ByteIo, RoundTripsLittleEndianFields) {
  gw::ByteWriter w;
  w.u8(0xA4);
  w.i32(-1);
  w.u32(300);
  w.bytes("CW10");
  const std::string& b = w.data();
  ASSERT_EQ(b.size(), 13u);
  EXPECT_EQ(b.substr(5, 4), std::string("\x2C\x01\x00\x00", 4));
  gw::ByteReader r(b);
  EXPECT_EQ(r.u8("a"), 0xA4);
  EXPECT_EQ(r.i32("b"), -1);
  EXPECT_EQ(r.u32("c"), 300u);
  EXPECT_EQ(r.bytes(4, "d"), "CW10");
  EXPECT_TRUE(r.atEnd());
}

TEST(ByteIo, ReadingPastTheEndIsAFormatErrorNamingTheField) {
  gw::ByteReader r(std::string_view("\x01\x02", 2), "state file");
  EXPECT_EQ(r.u8("depth"), 1);
  try {
    r.u32("slot count");
    FAIL();
  } catch (const gw::FormatError& e) {
    EXPECT_NE(std::string(e.what()).find("state file"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("slot count"), std::string::npos);
  }
  EXPECT_THROW(r.bytes(0xFFFFFFFFull, "words"), gw::FormatError);
  EXPECT_THROW(r.requireRoom(0x7FFFFFFF, 16, "slots"), gw::FormatError);
}
