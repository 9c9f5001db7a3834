#include "tools/gridwright-cw/interchange_commands.h"

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "common/crossword_reader.h"
#include "common/file_io.h"
#include "interchange/interchange_files.h"

namespace gw::cw {
namespace {

constexpr std::string_view kUsage =
    "Usage: gridwright-cw export --to ipuz|puz FILE.C_W OUT\n"
    "       gridwright-cw import FILE.ipuz|FILE.puz OUT.C_W\n"
    "       gridwright-cw pdf FILE.C_W OUT.pdf [--solution] [--paper a4|letter]\n";

int usage() {
  std::cerr << kUsage;
  return 2;
}

void printNotes(const std::vector<std::string>& notes) {
  for (const std::string& note : notes) std::cerr << "Note: " << note << '\n';
}

}  // namespace

int exportCommand(int argc, char** argv) {
  if (argc != 6 || std::string_view(argv[2]) != "--to") return usage();
  const std::optional<InterchangeFormat> format = interchangeFormatNamed(argv[3]);
  if (!format) return usage();
  try {
    const CrosswordFile cw = readCrosswordFile(argv[4], CrosswordReadMode::Authoring);
    const ExportedCrossword out = exportCrossword(cw, *format);
    writeFileAtomically(argv[5], out.bytes);
    printNotes(out.notes);
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}

int importCommand(int argc, char** argv) {
  if (argc != 4 || !interchangeFormatOf(argv[2])) return usage();
  try {
    const ImportedCrossword in = importCrosswordFile(argv[2]);
    writeCrosswordFile(argv[3], in.crossword);
    printNotes(in.notes);
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}

int runInterchangeCommand(int argc, char** argv) {
  if (argc < 2) return -1;
  const std::string_view command = argv[1];
  if (command == "export") return exportCommand(argc, argv);
  if (command == "import") return importCommand(argc, argv);
  if (command == "pdf") return pdfCommand(argc, argv);
  return -1;
}

}  // namespace gw::cw
