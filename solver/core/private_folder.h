#pragma once
// The folder of Cross's single-copy lock and hand-over socket. Another local user must not be
// able to hold the lock (and so keep Cross from starting) or receive the crossword's path, so
// only a folder of this user's own, closed to everyone else, will do.
#include <filesystem>
#include <optional>
#include <string>

namespace gw::cross {

// True when `folder` is a folder itself (not a link), owned by this process's user and closed to
// group and others. Otherwise false with the reason in `why`.
bool isPrivateFolder(const std::filesystem::path& folder, std::string& why);

// `preferred` (the session's runtime folder; may be empty) when it is private; else the folder
// "cross-runtime-UID" in `sharedTemp`, made with mode 0700 or, when it is there, private itself.
// nullopt when neither will do, with the reason in `why`.
std::optional<std::filesystem::path> privateRuntimeFolder(const std::filesystem::path& preferred,
                                                          const std::filesystem::path& sharedTemp,
                                                          std::string& why);

}  // namespace gw::cross
