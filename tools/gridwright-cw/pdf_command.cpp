// gridwright-cw pdf: the one command that needs Qt (fonts and the PDF writer). It runs on the
// offscreen platform, so it works on a server without a display.
#include <QGuiApplication>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string_view>
#include <vector>

#include "common/crossword_reader.h"
#include "interchange/print/crossword_print.h"
#include "tools/gridwright-cw/interchange_commands.h"

namespace gw::cw {

int pdfCommand(int argc, char** argv) {
  bool solution = false;
  QPageSize::PageSizeId paper = QPageSize::A4;
  std::optional<std::string_view> title, author;
  bool wrong = false;
  std::vector<std::string_view> files;
  for (int i = 2; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--solution") {
      solution = true;
    } else if (arg == "--paper" && i + 1 < argc) {
      const std::string_view name = argv[++i];
      if (name == "a4")
        paper = QPageSize::A4;
      else if (name == "letter")
        paper = QPageSize::Letter;
      else
        wrong = true;
    } else if (arg == "--title" && i + 1 < argc) {
      title = argv[++i];
    } else if (arg == "--author" && i + 1 < argc) {
      author = argv[++i];
    } else if (arg.starts_with("--")) {
      wrong = true;
    } else {
      files.push_back(arg);
    }
  }
  if (wrong || files.size() != 2) {
    std::cerr << "Usage: gridwright-cw pdf FILE.C_W OUT.pdf [--solution] [--paper a4|letter] [--title TEXT] "
                 "[--author TEXT]\n";
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QGuiApplication app(qtArgc, argv);
  return exitStatusOf([&] {
    const std::filesystem::path input(files[0]);
    const CrosswordFile cw = readCrosswordFile(input, CrosswordReadMode::Authoring);
    CrosswordPrintOptions options;
    // The title is the file's name unless one is given (an empty one prints none).
    options.title = QString::fromStdString(title ? std::string(*title) : input.stem().string());
    if (author) options.author = QString::fromUtf8(author->data(), static_cast<qsizetype>(author->size()));
    options.withSolution = solution;
    writeCrosswordPdf(cw, std::filesystem::path(files[1]), paper, options);
  });
}

}  // namespace gw::cw
