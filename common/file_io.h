#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace gw {

// Largest file a reader takes unless it names its own limit.
inline constexpr std::uint64_t kDefaultMaxFileBytes = 64ull << 20;

// Reads a whole regular file of at most `maxBytes` bytes. A device, pipe or folder, or a
// longer file, is refused before anything is read. Throws FileError with a message naming the file.
std::string readWholeFile(const std::filesystem::path& path, std::uint64_t maxBytes = kDefaultMaxFileBytes);

// "There is not enough memory to read ..." for a reader that ran out while taking in the file.
std::string outOfMemoryMessage(const std::filesystem::path& path);

// Writes `bytes` to a temporary file in the same folder and renames it over `path`,
// so a crash or a full disk never destroys the file that was there. Throws FileError.
void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// When a new file reaches the disk: before the write returns, or later, for many small files
// written in a row (a flush each is what limits them; syncFileSystem() flushes them all).
// Until then a power cut may leave the file's name over no content.
enum class FileSync { Now, Later };

// The same for a file that must not replace another: false, with nothing written, when
// `path` exists already (two writers never both get one name). Throws FileError.
bool writeNewFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                            FileSync sync = FileSync::Now);

// Flushes every file written on the file system that holds `folder`, names included.
// Throws FileError.
void syncFileSystem(const std::filesystem::path& folder);

// Deletes a file if it exists; a missing file is not an error. Throws FileError otherwise.
void removeFileIfExists(const std::filesystem::path& path);

// `path` with its extension (from the last dot of the file name) replaced by `extension`,
// which includes its dot: withExtension("a/spring.C_WM", ".TMP") is "a/spring.TMP".
std::filesystem::path withExtension(const std::filesystem::path& path, std::string_view extension);

// Opens a lock file for flock(), making it when it is missing. Throws FileError.
int openLockFile(const std::filesystem::path& path);

// Whether the open file `fd` is still the one `path` names. A lock file's holder removes it as
// it lets go, so a lock won on a file that was removed (or replaced) meanwhile guards nothing.
bool isNamedFile(int fd, const std::filesystem::path& path);

}  // namespace gw
