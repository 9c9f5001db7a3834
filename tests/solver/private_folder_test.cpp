// The folder of the lock and the hand-over socket: only one of this user's own, closed to others.
#include "solver/core/private_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

constexpr uid_t kNobody = 65534;

TEST(PrivateRuntimeFolder, TakesOnlyAFolderOfTheUsersOwnClosedToOthers) {
  gw::test::TempFolder temp("cross_private");
  const fs::path shared = temp / "tmp";
  fs::create_directories(shared);
  ::chmod(shared.c_str(), 01777);
  const fs::path own = shared / ("cross-runtime-" + std::to_string(::geteuid()));

  const fs::path good = temp / "good", open = temp / "open", link = temp / "link";
  fs::create_directories(good);
  ::chmod(good.c_str(), 0700);
  fs::create_directories(open);
  ::chmod(open.c_str(), 0755);
  fs::create_directory_symlink(good, link);

  struct Case {
    fs::path preferred;
    fs::path expected;
  } cases[] = {{good, good}, {open, own}, {link, own}, {temp / "missing", own}, {"", own}};
  for (const Case& c : cases) {
    std::string why;
    EXPECT_EQ(gw::cross::privateRuntimeFolder(c.preferred, shared, why), c.expected) << c.preferred;
    struct stat st {};
    if (c.expected == own) {
      ASSERT_EQ(::lstat(own.c_str(), &st), 0);
      EXPECT_EQ(st.st_mode & 0777, 0700u);
    }
  }

  // Made earlier but opened up: not taken, and nothing else is either.
  ::chmod(own.c_str(), 0777);
  std::string why;
  EXPECT_EQ(gw::cross::privateRuntimeFolder(open, shared, why), std::nullopt);
  EXPECT_NE(why.find("open to other users"), std::string::npos) << why;
}

// Another user made the folders first (only root can play them here).
TEST(PrivateRuntimeFolder, RefusesFoldersOfAnotherUser) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to hand folders to another user";
  gw::test::TempFolder temp("cross_private");
  const fs::path shared = temp / "tmp";
  const fs::path squatted = shared / ("cross-runtime-" + std::to_string(::geteuid()));
  const fs::path theirs = temp / "theirs";
  for (const fs::path& p : {squatted, theirs}) {
    fs::create_directories(p);
    ::chmod(p.c_str(), 0700);
    ASSERT_EQ(::chown(p.c_str(), kNobody, kNobody), 0);
  }
  std::string why;
  EXPECT_EQ(gw::cross::privateRuntimeFolder(theirs, shared, why), std::nullopt);
  EXPECT_NE(why.find("belongs to another user"), std::string::npos) << why;
}

}  // namespace
