// Writes the files whose bytes a refactor must not change, for scripts/golden-files:
//   golden_driver crossword IN.C_W OUT.C_W   opens IN in the crossword document and saves it as OUT
//   golden_driver progress IN.C_W DIR        types into IN's board and writes DIR/<name>.RES_CW
//   golden_driver settings FILE              writes solver settings over FILE (other keys kept)
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "authoring/definitions/crossword_document.h"
#include "solver/core/loader.h"
#include "solver/core/settings.h"

namespace fs = std::filesystem;

namespace {

int saveCrossword(const fs::path& in, const fs::path& out) {
  gw::CrosswordDocument document;
  for (const std::string& m : document.open(in)) std::cerr << m << '\n';
  document.saveAs(out);
  return 0;
}

int writeProgress(const fs::path& in, const fs::path& dir) {
  fs::create_directories(dir);
  const fs::path copy = dir / in.filename();
  fs::copy_file(in, copy, fs::copy_options::overwrite_existing);
  gw::cross::LoadedCrossword loaded = gw::cross::loadCrossword(copy);
  // Letters, keys that are letters only on some layouts, a direction change, a revealed cell.
  for (char key : std::string("qwe[;'asd")) loaded.board.typeKey(key);
  loaded.board.setDirection(gw::Direction::Down);
  for (char key : std::string("zx,.")) loaded.board.typeKey(key);
  loaded.board.cheatOne();
  gw::cross::saveProgress(loaded);
  return 0;
}

int writeSettings(const fs::path& file) {
  gw::cross::Settings settings;
  settings.markBadEntries = true;
  settings.sounds = false;
  settings.solveFolder = "/home/player/Crosswords";
  gw::cross::writeSettings(file, settings);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    if (args.size() == 3 && args[0] == "crossword") return saveCrossword(args[1], args[2]);
    if (args.size() == 3 && args[0] == "progress") return writeProgress(args[1], args[2]);
    if (args.size() == 2 && args[0] == "settings") return writeSettings(args[1]);
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  std::cerr << "usage: golden_driver crossword IN OUT | progress IN DIR | settings FILE\n";
  return 2;
}
