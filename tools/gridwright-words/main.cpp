#include <iostream>

#include "common/command_line.h"
#include "words_cli.h"

int main(int argc, char** argv) {
  const std::optional<gw::WordsOptions> options =
      gw::parseCommandLine("gridwright-words", argc, argv, gw::parseWordsOptions, std::cerr);
  if (!options) return 2;
  return gw::runWords(*options, gw::programFolders(), std::cout, std::cerr);
}
