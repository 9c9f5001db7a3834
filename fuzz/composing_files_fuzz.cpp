// libFuzzer target: the pattern and state file readers, and resuming any state they accept.
// The first byte chooses: even reads the rest as a pattern file, odd as the state file of a
// fixed layout, which is then resumed for a bounded number of steps.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "authoring/composing/composer.h"
#include "authoring/composing/dictionary.h"
#include "authoring/composing/layout_text.h"
#include "common/errors.h"
#include "common/file_io.h"

namespace {
namespace fs = std::filesystem;
using namespace gw;

struct Bounded : ComposerListener {
  Composer* composer = nullptr;
  int pumps = 0;
  void pump(PumpPoint) override {
    if (++pumps == 400 && composer) composer->stop();
  }
};

struct Fixture {
  fs::path dir;
  fs::path pattern, state, words;
  Layout layout;
  Fixture() {
    fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    dir = base / ("gw_composing_fuzz_" + std::to_string(::getpid()));
    fs::create_directories(dir / "Results");
    pattern = dir / "fuzz.C_WM";
    state = stateFileFor(pattern);
    words = dir / "words.txt";
    layout = parseTextLayout("#...\n....\n..A.\n...#\n", Language::English);
    writePatternFile(pattern, layout);
    writeFileAtomically(words, "A\r\nAB\r\nBA\r\nABA\r\nBAB\r\nAAB\r\nABAB\r\nBABA\r\nAABB\r\nBBAA\r\n");
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Fixture fx;
  if (size == 0) return 0;
  std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  try {
    if ((data[0] & 1) == 0) {
      Layout l = parsePattern(rest);
      if (parsePattern(serializePattern(l)) != l) __builtin_trap();
      return 0;
    }
    SearchState st = parseState(rest, fx.layout);
    if (serializeState(st).size() > rest.size()) {
      // Lists above the depth are dropped on reading, so a re-written state is never longer.
      __builtin_trap();
    }
    writeFileAtomically(fx.state, rest);
    Dictionary dictionary;
    struct Yes : Bounded {
      bool confirmContinue() override { return true; }
    } yes;
    Composer resumed(dictionary, yes);
    yes.composer = &resumed;
    resumed.setWordFile(fx.words);
    resumed.setResultsFolder(fx.dir / "Results");
    resumed.openLayout(fx.pattern);
    if (resumed.running()) __builtin_trap();
  } catch (const FormatError&) {
  } catch (const FileError&) {
  }
  return 0;
}
