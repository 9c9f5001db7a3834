#pragma once
// Where the programs find their own files and where they write.
//
// A portable copy (a build tree, an unpacked folder) keeps everything beside the
// executable, as the classic layout expects: "Make/EN.words", "Make/Results/",
// the settings files. An installed copy cannot write beside its executable, so it
// reads its shipped files (word lists, examples) from its data folder and keeps
// what it writes (edited word lists, results, settings) in the user's XDG folders.
#include <filesystem>
#include <string>

namespace gw {

struct ProgramFolders {
  std::filesystem::path executableFolder;  // folder of the running executable
  bool portable = true;                    // the executable's folder can be written
  std::filesystem::path dataFolder;        // shipped files are read from here
  std::filesystem::path writableFolder;    // files the program writes (word lists, results)
  std::filesystem::path configFolder;      // settings files

  // A file of the program's own, e.g. "Make/EN.words": the writable copy when the
  // user has one, otherwise the shipped one.
  std::filesystem::path readPath(const std::filesystem::path& relative) const;
  // Where such a file is written.
  std::filesystem::path writePath(const std::filesystem::path& relative) const;
  // Where a settings file such as "CROSS.CONF" lives.
  std::filesystem::path configPath(const std::string& fileName) const;
  // "Make/Results" under the writable folder.
  std::filesystem::path resultsFolder() const;
};

// Folders for an executable in `executableFolder`; `installedDataFolder` is where an
// installed copy's shipped files are. The XDG variables are read from the environment.
ProgramFolders programFoldersFor(const std::filesystem::path& executableFolder,
                                 const std::filesystem::path& installedDataFolder);

// Folders of the running executable (read from /proc/self/exe).
ProgramFolders programFolders();

}  // namespace gw
