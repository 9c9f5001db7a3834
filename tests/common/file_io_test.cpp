#include "common/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "common/errors.h"

namespace fs = std::filesystem;

namespace {

class FileIoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("gw_file_io_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override {
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir);
  }
  fs::path dir;
};

TEST_F(FileIoTest, WritesAndReplacesWithoutLeavingTemporaryFiles) {
  fs::path f = dir / "a.C_W";
  gw::writeFileAtomically(f, std::string("one\0two", 7));
  EXPECT_EQ(gw::readWholeFile(f), std::string("one\0two", 7));
  gw::writeFileAtomically(f, "three");
  EXPECT_EQ(gw::readWholeFile(f), "three");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(FileIoTest, FailedWriteKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
  fs::path f = dir / "keep.C_W";
  gw::writeFileAtomically(f, "old");
  fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_THROW(gw::writeFileAtomically(f, "new"), gw::FileError);
  fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
  EXPECT_EQ(gw::readWholeFile(f), "old");
}

TEST_F(FileIoTest, WriteIntoMissingFolderIsAFileError) {
  EXPECT_THROW(gw::writeFileAtomically(dir / "no" / "such.C_W", "x"), gw::FileError);
  EXPECT_THROW(gw::readWholeFile(dir / "missing"), gw::FileError);
  EXPECT_THROW(gw::readWholeFile(dir), gw::FileError);  // a folder opens, but cannot be read
}

TEST_F(FileIoTest, RemoveFileIfExistsToleratesMissingFiles) {
  EXPECT_NO_THROW(gw::removeFileIfExists(dir / "missing"));
  gw::writeFileAtomically(dir / "x", "x");
  gw::removeFileIfExists(dir / "x");
  EXPECT_FALSE(fs::exists(dir / "x"));
}

TEST(WithExtension, ReplacesTheLastExtensionOfTheFileName) {
  EXPECT_EQ(gw::withExtension("a/spring.C_WM", ".TMP"), fs::path("a/spring.TMP"));
  EXPECT_EQ(gw::withExtension("P/x.C_W", ".RES_CW"), fs::path("P/x.RES_CW"));
  EXPECT_EQ(gw::withExtension("dir.d/noext", ".JPG1"), fs::path("dir.d/noext.JPG1"));
  EXPECT_EQ(gw::withExtension("", ".JPG1"), fs::path(".JPG1"));
  EXPECT_EQ(gw::withExtension("a.b.C_W", ".RES_CW"), fs::path("a.b.RES_CW"));
}

}  // namespace
