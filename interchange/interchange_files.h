#pragma once
// Opening and writing ipuz and .puz files by their extension.
#include <filesystem>
#include <optional>
#include <string_view>

#include "interchange/interchange_common.h"

namespace gw {

enum class InterchangeFormat { Ipuz, Puz };

// The format a file name's extension names (".ipuz", ".puz", any case), if any.
std::optional<InterchangeFormat> interchangeFormatOf(const std::filesystem::path& path);
// "ipuz" or "puz" as the command line names them.
std::optional<InterchangeFormat> interchangeFormatNamed(std::string_view name);

// Reads an ipuz or .puz file. Throws FileError when it cannot be read (or is too large to be a
// crossword), InterchangeError when it cannot become a crossword.
ImportedCrossword importCrosswordFile(const std::filesystem::path& path);

// The crossword in the format. Throws InterchangeError when the format cannot carry it.
ExportedCrossword exportCrossword(const CrosswordFile& crossword, InterchangeFormat format,
                                  const CrosswordCredits& credits = {});

}  // namespace gw
