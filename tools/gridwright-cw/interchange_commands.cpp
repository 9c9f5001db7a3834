#include "tools/gridwright-cw/interchange_commands.h"

#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/crossword_reader.h"
#include "common/file_io.h"
#include "interchange/interchange_files.h"

namespace gw::cw {
namespace {

constexpr std::string_view kUsage =
    "Usage: gridwright-cw export --to ipuz|puz FILE.C_W OUT [--title TEXT] [--author TEXT]\n"
    "       gridwright-cw import FILE.ipuz|FILE.puz OUT.C_W\n"
    "       gridwright-cw pdf FILE.C_W OUT.pdf [--solution] [--paper a4|letter] [--title TEXT]\n"
    "                         [--author TEXT]\n";

int usage() {
  std::cerr << kUsage;
  return 2;
}

void printNotes(const std::vector<std::string>& notes) {
  for (const std::string& note : notes) std::cerr << "Note: " << note << '\n';
}

}  // namespace

int exitStatusOf(const std::function<void()>& work) {
  try {
    work();
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}

int exportCommand(int argc, char** argv) {
  std::optional<InterchangeFormat> format;
  CrosswordCredits credits;
  std::vector<const char*> files;
  for (int i = 2; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool valued = i + 1 < argc;
    if (arg == "--to" && valued && !format) {
      format = interchangeFormatNamed(argv[++i]);
      if (!format) return usage();
    } else if (arg == "--title" && valued) {
      credits.title = argv[++i];
    } else if (arg == "--author" && valued) {
      credits.author = argv[++i];
    } else if (arg.starts_with("--")) {
      return usage();
    } else {
      files.push_back(argv[i]);
    }
  }
  if (!format || files.size() != 2) return usage();
  return exitStatusOf([&] {
    const CrosswordFile cw = readCrosswordFile(files[0], CrosswordReadMode::Authoring);
    const ExportedCrossword out = exportCrossword(cw, *format, credits);
    writeFileAtomically(files[1], out.bytes);
    printNotes(out.notes);
  });
}

int importCommand(int argc, char** argv) {
  if (argc != 4 || !interchangeFormatOf(argv[2])) return usage();
  return exitStatusOf([&] {
    const ImportedCrossword in = importCrosswordFile(argv[2]);
    writeCrosswordFile(argv[3], in.crossword);
    printNotes(in.notes);
  });
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
