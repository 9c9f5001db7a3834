#include "interchange/interchange_files.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>

#include "common/file_io.h"
#include "interchange/ipuz_format.h"
#include "interchange/puz_format.h"

namespace gw {

std::optional<InterchangeFormat> interchangeFormatOf(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".ipuz") return InterchangeFormat::Ipuz;
  if (extension == ".puz") return InterchangeFormat::Puz;
  return std::nullopt;
}

std::optional<InterchangeFormat> interchangeFormatNamed(std::string_view name) {
  if (name == "ipuz") return InterchangeFormat::Ipuz;
  if (name == "puz") return InterchangeFormat::Puz;
  return std::nullopt;
}

ImportedCrossword importCrosswordFile(const std::filesystem::path& path) {
  const std::optional<InterchangeFormat> format = interchangeFormatOf(path);
  if (!format) throw InterchangeError("\"" + path.string() + "\" is neither an .ipuz nor a .puz file.");
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (!error && size > kMaxInterchangeFileBytes)
    throw FileError("\"" + path.string() + "\" is too large to be a crossword.");
  const std::string bytes = readWholeFile(path);
  return *format == InterchangeFormat::Ipuz ? readIpuz(bytes) : readPuz(bytes);
}

ExportedCrossword exportCrossword(const CrosswordFile& crossword, InterchangeFormat format,
                                  const CrosswordCredits& credits) {
  return format == InterchangeFormat::Ipuz ? writeIpuz(crossword, credits) : writePuz(crossword, credits);
}

}  // namespace gw
