#include "common/program_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

TEST(ProgramFolders, WritableExecutableFolderKeepsEverythingBesideIt) {
  fs::path exe = fs::temp_directory_path();
  gw::ProgramFolders f = gw::programFoldersFor(exe, "/usr/share/gridwright");
  EXPECT_TRUE(f.portable);
  EXPECT_EQ(f.readPath("Make/EN.words"), exe / "Make/EN.words");
  EXPECT_EQ(f.writePath("Make/EN.words"), exe / "Make/EN.words");
  EXPECT_EQ(f.configPath("CROSS.CONF"), exe / "CROSS.CONF");
  EXPECT_EQ(f.resultsFolder(), exe / "Make" / "Results");
}

TEST(ProgramFolders, InstalledCopyReadsShippedFilesAndWritesToXdgFolders) {
  if (::geteuid() == 0) GTEST_SKIP() << "root can write every folder";
  ::setenv("XDG_DATA_HOME", "/tmp/xdg-data", 1);
  ::setenv("XDG_CONFIG_HOME", "/tmp/xdg-config", 1);
  gw::ProgramFolders f = gw::programFoldersFor("/usr/bin", "/usr/share/gridwright");
  EXPECT_FALSE(f.portable);
  EXPECT_EQ(f.readPath("Make/EN.words"), fs::path("/usr/share/gridwright/Make/EN.words"));
  EXPECT_EQ(f.writePath("Make/EN.words"), fs::path("/tmp/xdg-data/gridwright/Make/EN.words"));
  EXPECT_EQ(f.configPath("CROSS.CONF"), fs::path("/tmp/xdg-config/gridwright/CROSS.CONF"));
}

TEST(ProgramFolders, BinFolderBesideShareGridwrightIsAnInstalledCopy) {
  fs::path prefix = fs::temp_directory_path() / ("gw_prefix_" + std::to_string(::getpid()));
  fs::create_directories(prefix / "bin");
  fs::create_directories(prefix / "share" / "gridwright" / "Make");
  ::setenv("XDG_DATA_HOME", "/tmp/xdg-data", 1);
  gw::ProgramFolders f = gw::programFoldersFor(prefix / "bin", prefix / "share" / "gridwright");
  EXPECT_FALSE(f.portable);
  EXPECT_EQ(f.readPath("Make/EN.words"), prefix / "share" / "gridwright" / "Make/EN.words");
  EXPECT_EQ(f.resultsFolder(), fs::path("/tmp/xdg-data/gridwright/Make/Results"));
  fs::remove_all(prefix);
}
