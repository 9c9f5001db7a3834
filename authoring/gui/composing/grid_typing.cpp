#include "authoring/gui/composing/grid_typing.h"

#include <string>

#include "common/key_mapping.h"

namespace gw::gui {

std::optional<char> typedBoardLetter(char usCharacter, Language language) {
  char k = mapKeyToLayout(usCharacter, language);
  switch (language) {
    case Language::English:
    case Language::German: {
      if (k >= 'a' && k <= 'z') k = static_cast<char>(k - 'a' + 'A');
      if (k >= 'A' && k <= 'Z') return k;
      return std::nullopt;
    }
    case Language::Serbian: {
      char capital = upperCaseCyrillic(std::string(1, k))[0];
      if (kSerbianCyrillicCapitals.find(capital) != std::string_view::npos) return capital;
      return std::nullopt;
    }
  }
  return std::nullopt;
}

CellPos cursorAfterLetter(CellPos at, int rows, int columns) {
  if (at.column + 1 < columns) return {at.row, at.column + 1};
  if (at.row + 1 < rows) return {at.row + 1, at.column};
  return {0, 0};
}

}  // namespace gw::gui
