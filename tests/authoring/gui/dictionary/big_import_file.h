#pragma once
// An import file long enough that its import is still running when a test acts on it.
#include <filesystem>
#include <string>

#include "tests/support/temp_folder.h"

namespace gw::test {

// FOLDER/big.txt with `count` distinct words that no word list holds (WORDAAAA, WORDBAAA, ...).
inline std::filesystem::path writeBigImportFile(const std::filesystem::path& folder, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    std::string w = "WORD";
    for (int n = i, k = 0; k < 4; ++k, n /= 26) w += static_cast<char>('A' + n % 26);
    text += w + "\n";
  }
  return writeFile(folder / "big.txt", text);
}

}  // namespace gw::test
