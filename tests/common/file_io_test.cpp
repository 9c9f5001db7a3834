#include "common/file_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "common/errors.h"

namespace fs = std::filesystem;

namespace {

class FileIoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("gw_file_io_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
  }
  fs::path dir_;
};

TEST_F(FileIoTest, WritesAndReplacesWithoutLeavingTemporaryFiles) {
  fs::path f = dir_ / "a.C_W";
  gw::writeFileAtomically(f, std::string("one\0two", 7));
  EXPECT_EQ(gw::readWholeFile(f), std::string("one\0two", 7));
  gw::writeFileAtomically(f, "three");
  EXPECT_EQ(gw::readWholeFile(f), "three");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(FileIoTest, FailedWriteKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
  fs::path f = dir_ / "keep.C_W";
  gw::writeFileAtomically(f, "old");
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  try {
    gw::writeFileAtomically(f, "new");
    ADD_FAILURE() << "written";
  } catch (const gw::FileError& e) {
    EXPECT_NE(std::string(e.what()).find("the folder \"" + dir_.string() + "\" cannot be written to"),
              std::string::npos)
        << e.what();
  }
  fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
  EXPECT_EQ(gw::readWholeFile(f), "old");
}

TEST_F(FileIoTest, WriteIntoMissingFolderIsAFileError) {
  EXPECT_THROW(gw::writeFileAtomically(dir_ / "no" / "such.C_W", "x"), gw::FileError);
  EXPECT_THROW(gw::readWholeFile(dir_ / "missing"), gw::FileError);
  EXPECT_THROW(gw::readWholeFile(dir_), gw::FileError);  // a folder opens, but cannot be read
}

std::size_t openDescriptorCount() {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

// Failures that happen whoever runs the test (root ignores permissions, not these): each ends in
// a FileError naming the file, leaves what was there as it was, no temporary file beside it
// and no descriptor open.
TEST_F(FileIoTest, FailedWritesKeepWhatWasThereAndLeakNothing) {
  gw::writeFileAtomically(dir_ / "plain", "old");
  fs::create_directories(dir_ / "folder" / "inside");
  struct Case {
    const char* what;
    fs::path target;
  };
  const std::vector<Case> cases = {
      {"a folder under a plain file", dir_ / "plain" / "x.C_W"},
      {"a name longer than the file system allows", dir_ / std::string(300, 'n')},
      {"a rename onto a folder that holds files", dir_ / "folder"},
  };
  const std::size_t descriptors = openDescriptorCount();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      gw::writeFileAtomically(c.target, "new");
      ADD_FAILURE() << "written";
    } catch (const gw::FileError& e) {
      EXPECT_NE(std::string(e.what()).find(c.target.filename().string()), std::string::npos) << e.what();
    }
    EXPECT_EQ(openDescriptorCount(), descriptors);
  }
  EXPECT_EQ(gw::readWholeFile(dir_ / "plain"), "old");
  EXPECT_TRUE(fs::is_directory(dir_ / "folder" / "inside"));
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(dir_)) left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"folder", "plain"}));
}

TEST_F(FileIoTest, FailedReadsLeakNoDescriptor) {
  const std::size_t descriptors = openDescriptorCount();
  EXPECT_THROW(gw::readWholeFile(dir_), gw::FileError);  // opens, then the read fails
  EXPECT_THROW(gw::readWholeFile(dir_ / std::string(300, 'n')), gw::FileError);
  EXPECT_EQ(openDescriptorCount(), descriptors);
}

TEST_F(FileIoTest, RemoveFileIfExistsToleratesMissingFiles) {
  EXPECT_NO_THROW(gw::removeFileIfExists(dir_ / "missing"));
  gw::writeFileAtomically(dir_ / "x", "x");
  gw::removeFileIfExists(dir_ / "x");
  EXPECT_FALSE(fs::exists(dir_ / "x"));
}

TEST(WithExtension, ReplacesTheLastExtensionOfTheFileName) {
  EXPECT_EQ(gw::withExtension("a/spring.C_WM", ".TMP"), fs::path("a/spring.TMP"));
  EXPECT_EQ(gw::withExtension("P/x.C_W", ".RES_CW"), fs::path("P/x.RES_CW"));
  EXPECT_EQ(gw::withExtension("dir_.d/noext", ".JPG1"), fs::path("dir_.d/noext.JPG1"));
  EXPECT_EQ(gw::withExtension("", ".JPG1"), fs::path(".JPG1"));
  EXPECT_EQ(gw::withExtension("a.b.C_W", ".RES_CW"), fs::path("a.b.RES_CW"));
}

}  // namespace

TEST_F(FileIoTest, ReadsOnlyRegularFilesWithinTheLimit) {
  // A device or a pipe would be read forever (or wait for a writer): both are refused at once.
  EXPECT_THROW(gw::readWholeFile("/dev/zero"), gw::FileError);
  const fs::path fifo = dir_ / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  try {
    gw::readWholeFile(fifo);
    ADD_FAILURE() << "a pipe was read";
  } catch (const gw::FileError& e) {
    EXPECT_NE(std::string(e.what()).find("not a regular file"), std::string::npos) << e.what();
  }
  gw::writeFileAtomically(dir_ / "ten", "0123456789");
  EXPECT_EQ(gw::readWholeFile(dir_ / "ten", 10), "0123456789");
  try {
    gw::readWholeFile(dir_ / "ten", 9);
    ADD_FAILURE() << "a file past its limit was read";
  } catch (const gw::FileError& e) {
    EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << e.what();
  }
}

// A writer killed before its rename leaves its temporary file: the next write of the same file
// removes it, but not the temporary file of a writer still at work, nor anything else.
TEST_F(FileIoTest, NextWriteRemovesStaleTemporaryFiles) {
  gw::writeFileAtomically(dir_ / ".keep.C_W.tmp4711", "left by a killed writer");
  gw::writeFileAtomically(dir_ / ".keep.C_W.tmp815", "being written");
  gw::writeFileAtomically(dir_ / ".keep.C_W.tmpnotes", "not a temporary file");
  gw::writeFileAtomically(dir_ / ".other.C_W.tmp12", "another file's");
  // Only a file some seconds old is stale: a new one's writer may not have locked it yet.
  gw::writeFileAtomically(dir_ / ".keep.C_W.tmp99", "just created, not yet locked");
  fs::last_write_time(dir_ / ".keep.C_W.tmp4711", fs::file_time_type::clock::now() - std::chrono::minutes(1));
  const int busy = ::open((dir_ / ".keep.C_W.tmp815").c_str(), O_RDONLY);
  ASSERT_GE(busy, 0);
  ASSERT_EQ(::flock(busy, LOCK_EX), 0);
  gw::writeFileAtomically(dir_ / "keep.C_W", "new");
  ::close(busy);
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(dir_)) left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{".keep.C_W.tmp815", ".keep.C_W.tmp99", ".keep.C_W.tmpnotes",
                                            ".other.C_W.tmp12", "keep.C_W"}));
}

// New files (result files) list their folder once per process, not at every write; a stale
// temporary file of a new file's name is still removed, another name's left alone.
TEST_F(FileIoTest, ANewFileRemovesItsStaleTemporaryFiles) {
  for (const char* name : {".r1.C_W.tmp4711", ".r2.C_W.tmp4711"}) {
    gw::writeFileAtomically(dir_ / name, "left by a killed writer");
    fs::last_write_time(dir_ / name, fs::file_time_type::clock::now() - std::chrono::minutes(1));
  }
  EXPECT_TRUE(gw::writeNewFileAtomically(dir_ / "r0.C_W", "first"));
  EXPECT_TRUE(gw::writeNewFileAtomically(dir_ / "r1.C_W", "second"));
  EXPECT_FALSE(fs::exists(dir_ / ".r1.C_W.tmp4711"));
  EXPECT_TRUE(fs::exists(dir_ / ".r2.C_W.tmp4711"));
  EXPECT_TRUE(gw::writeNewFileAtomically(dir_ / "r2.C_W", "third"));
  EXPECT_FALSE(fs::exists(dir_ / ".r2.C_W.tmp4711"));
}

TEST_F(FileIoTest, ANewFileNeverReplacesAnother) {
  EXPECT_TRUE(gw::writeNewFileAtomically(dir_ / "a.C_W", "first"));
  EXPECT_FALSE(gw::writeNewFileAtomically(dir_ / "a.C_W", "second"));
  EXPECT_EQ(gw::readWholeFile(dir_ / "a.C_W"), "first");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}
