#include <iostream>
#include <stdexcept>

#include "words_cli.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  gw::WordsOptions options;
  try {
    options = gw::parseWordsOptions(args);
  } catch (const std::invalid_argument& e) {
    std::cerr << "gridwright-words: " << e.what() << "\nTry 'gridwright-words --help'.\n";
    return 2;
  }
  return gw::runWords(options, gw::programFolders(), std::cout, std::cerr);
}
