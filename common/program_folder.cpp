#include "common/program_folder.h"

#include <unistd.h>

#include <cstdlib>

#include "gw/version.h"

namespace gw {
namespace fs = std::filesystem;

namespace {

fs::path xdgFolder(const char* variable, const char* fallbackUnderHome) {
  const char* value = std::getenv(variable);
  if (value && *value && fs::path(value).is_absolute()) return fs::path(value);
  const char* home = std::getenv("HOME");
  return fs::path(home && *home ? home : "/tmp") / fallbackUnderHome;
}

bool canWrite(const fs::path& folder) { return ::access(folder.c_str(), W_OK) == 0; }

}  // namespace

fs::path ProgramFolders::readPath(const fs::path& relative) const {
  fs::path own = writableFolder / relative;
  std::error_code ec;
  if (portable || fs::exists(own, ec)) return own;
  return dataFolder / relative;
}

fs::path ProgramFolders::writePath(const fs::path& relative) const { return writableFolder / relative; }

fs::path ProgramFolders::configPath(const std::string& fileName) const { return configFolder / fileName; }

fs::path ProgramFolders::resultsFolder() const { return writableFolder / "Make" / "Results"; }

ProgramFolders programFoldersFor(const fs::path& executableFolder, const fs::path& installedDataFolder) {
  ProgramFolders f;
  f.executableFolder = executableFolder;
  // A bin folder with share/gridwright beside it is an installed copy, even where
  // the user (root, say) could write into it.
  std::error_code ec;
  const bool installedLayout = fs::is_directory(executableFolder.parent_path() / "share" / "gridwright", ec);
  f.portable = canWrite(executableFolder) && !installedLayout;
  if (f.portable) {
    f.dataFolder = f.writableFolder = f.configFolder = executableFolder;
  } else {
    f.dataFolder = installedDataFolder;
    f.writableFolder = xdgFolder("XDG_DATA_HOME", ".local/share") / "gridwright";
    f.configFolder = xdgFolder("XDG_CONFIG_HOME", ".config") / "gridwright";
  }
  return f;
}

ProgramFolders programFolders() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  fs::path folder = ec ? fs::current_path() : exe.parent_path();
  // An install moved to another prefix than the one it was built for still finds
  // its data beside its bin folder.
  fs::path data = folder.parent_path() / "share" / "gridwright";
  if (!fs::is_directory(data, ec)) data = kDataInstallDir;
  return programFoldersFor(folder, data);
}

}  // namespace gw
