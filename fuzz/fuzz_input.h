#pragma once
// What the word-file fuzz targets share: an input is a language byte (0 English, 1 German,
// 2 Serbian, wrapping) and then the file's bytes; readers that take a path read them from a
// scratch file of this process.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "common/language.h"

namespace gw::fuzz {

struct LanguageInput {
  Language language;
  std::string_view bytes;
};

// Nothing for an empty input.
inline std::optional<LanguageInput> splitLanguageInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return std::nullopt;
  return LanguageInput{static_cast<Language>(data[0] % 3),
                       std::string_view(reinterpret_cast<const char*>(data + 1), size - 1)};
}

// "gw_PID_NAME" in the temporary folder: parallel fuzz jobs never share one.
inline std::filesystem::path scratchFile(std::string_view name) {
  return std::filesystem::temp_directory_path() /
         ("gw_" + std::to_string(::getpid()) + "_" + std::string(name));
}

inline void writeScratchFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

struct LanguageFileInput {
  Language language;
  std::string_view bytes;
  std::filesystem::path file;  // holds the bytes
};

// The input split as above with its bytes written to the scratch file `name`; nothing for an
// empty input.
inline std::optional<LanguageFileInput> languageFileInput(const std::uint8_t* data, std::size_t size,
                                                          std::string_view name) {
  const auto input = splitLanguageInput(data, size);
  if (!input) return std::nullopt;
  LanguageFileInput written{input->language, input->bytes, scratchFile(name)};
  writeScratchFile(written.file, written.bytes);
  return written;
}

}  // namespace gw::fuzz
