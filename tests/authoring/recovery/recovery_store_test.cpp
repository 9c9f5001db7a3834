// The store of unsaved work: names that never collide, entries read back with the user's file
// they belong to, what is no entry, and restoring beside the user's file without replacing any.
#include "authoring/recovery/recovery_store.h"

#include <gtest/gtest.h>

#include "tests/support/expect_throw_msg.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace gw {
namespace {

TEST(RecoveryStoreTest, ReservedFilesNeverCollideAndListWithTheirOriginals) {
  test::TempFolder folder;
  const RecoveryStore store(folder / "Recovery");
  EXPECT_TRUE(store.entries().empty());  // no folder yet

  const fs::path original = folder / "Data/spring.C_W";
  const fs::path first = store.reserve(original, ".C_W");
  const fs::path second = store.reserve(original, ".C_W");
  const fs::path untitled = store.reserve({}, ".C_WM");
  EXPECT_NE(first, second);
  EXPECT_EQ(first.parent_path(), store.folder());
  EXPECT_NE(first, original);
  for (const fs::path& p : {first, second, untitled}) test::writeFile(p, "work");
  // A file without its note (someone's own) and a note whose file was never written are no entries.
  test::writeFile(folder / "Recovery/stray.C_W", "x");
  store.reserve(folder / "gone.C_W", ".C_W");

  const std::vector<RecoveryEntry> entries = store.entries();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].original, original);
  EXPECT_EQ(entries[0].name(), "spring.C_W");
  EXPECT_TRUE(entries[2].original.empty());
  EXPECT_EQ(entries[2].name(), untitled.filename().string());

  store.remove(entries[0]);
  EXPECT_EQ(store.entries().size(), 2u);
  EXPECT_FALSE(fs::exists(entries[0].file));
  EXPECT_TRUE(fs::exists(folder / "Recovery/stray.C_W"));
}

TEST(RecoveryStoreTest, RestoringLandsBesideTheUsersFileAndNeverReplacesOne) {
  test::TempFolder folder;
  const RecoveryStore store(folder / "Recovery");
  const fs::path original = test::writeFile(folder / "Data/spring.C_W", "saved");
  const fs::path kept = store.reserve(original, ".C_W");
  test::writeFile(kept, "unsaved");
  const RecoveryEntry entry{kept, original};

  const fs::path restored = restoreRecovered(entry, folder / "Fallback");
  EXPECT_EQ(restored, folder / "Data/spring (recovered).C_W");
  EXPECT_EQ(test::readFile(restored), "unsaved");
  EXPECT_EQ(restoreRecovered(entry, folder / "Fallback"), folder / "Data/spring (recovered 2).C_W");
  EXPECT_EQ(test::readFile(original), "saved");
  EXPECT_EQ(test::readFile(restored), "unsaved");

  // Work never saved, or whose folder is gone, goes to the fallback folder.
  EXPECT_EQ(restoreRecovered({kept, {}}, folder / "Fallback"), folder / "Fallback/untitled (recovered).C_W");
  EXPECT_EQ(restoreRecovered({kept, folder / "gone/x.C_W"}, folder / "Fallback"),
            folder / "Fallback/x (recovered).C_W");
  EXPECT_FILE_ERROR(restoreRecovered({folder / "Recovery/missing.C_W", original}, folder.path()),
                    "missing.C_W");
}

TEST(RecoveryStoreTest, AStoreThatCannotBeMadeIsAFileError) {
  test::TempFolder folder;
  const fs::path blocker = test::writeFile(folder / "blocked", "x");
  EXPECT_FILE_ERROR(RecoveryStore(blocker / "Recovery").reserve({}, ".C_W"), "blocked");
}

}  // namespace
}  // namespace gw
