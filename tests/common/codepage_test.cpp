#include "common/codepage.h"

#include <gtest/gtest.h>

#include "common/errors.h"

TEST(CodePage, ConvertsBoardAndClueTextBothWays) {
  // ЉУБАВ in Windows-1251
  const std::string cyr = "\x8A\xD3\xC1\xC0\xC2";
  EXPECT_EQ(gw::toUtf8(cyr, "windows-1251"), "ЉУБАВ");
  EXPECT_EQ(gw::fromUtf8("ЉУБАВ", "windows-1251"), cyr);
  EXPECT_EQ(gw::toUtf8("\xC4\xD6\xDC\xDF", "windows-1252"), "ÄÖÜß");
  EXPECT_EQ(gw::fromUtf8("Njegoš", "windows-1250"), "Njego\x9A");
  EXPECT_EQ(gw::toUtf8(std::string("A\0B", 3), "windows-1252"), std::string("A\0B", 3));
}

TEST(CodePage, RefusesCharactersTheCodePageCannotHold) {
  EXPECT_THROW(gw::fromUtf8("Ж", "windows-1252"), gw::FormatError);
  EXPECT_THROW(gw::fromUtf8("\xFF\xFE", "windows-1252"), gw::FormatError);
  try {
    gw::fromUtf8("AБC", "windows-1252");
    FAIL();
  } catch (const gw::FormatError& e) {
    EXPECT_NE(std::string(e.what()).find("Б"), std::string::npos);
  }
}
