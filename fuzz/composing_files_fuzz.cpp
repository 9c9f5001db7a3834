// libFuzzer target: the pattern and state file readers, and resuming any state they accept.
// The first byte chooses: even reads the rest as a pattern file; odd takes a state file of a
// fixed layout, which is then resumed for a bounded number of steps and stopped. That state file is the
// rest itself (first byte & 2 clear), or a real stopped search of the layout with the rest
// XOR-ed over it (so that mutations reach past the slot records), cut to the rest's length
// when the first byte has bit 4.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "authoring/composing/search/composer.h"
#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/composing/layout/layout_text.h"
#include "common/errors.h"
#include "common/file_io.h"

namespace {
namespace fs = std::filesystem;
using namespace gw;

// Resumed searches run for at most this many steps, then stop.
constexpr std::uint64_t kResumeSteps = 150;

struct Fixture {
  fs::path dir;
  fs::path pattern, state, words;
  Layout layout;
  ComposingFiles files;
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
    files.wordFile = [w = words](Language) { return w; };
    files.resultsFolder = dir / "Results";
    // A search stopped part of the way, as the base of patched states.
    Dictionary dictionary;
    LayoutSession session(dictionary, files);
    ComposerListener quiet;
    Composer composer(session, quiet);
    session.open(pattern);
    composer.start();
    composer.run(RunBudget::forSteps(20));
    composer.stop();
    stopped = serializeState(composer.searchState());
  }
  std::string stopped;
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
    std::string patched;
    if (data[0] & 2) {
      patched = fx.stopped;
      for (std::size_t i = 0; i < rest.size(); ++i) patched[i % patched.size()] ^= rest[i];
      if ((data[0] & 4) && rest.size() < patched.size()) patched.resize(rest.size());
      rest = patched;
    }
    SearchState st = parseState(rest, fx.layout);
    if (serializeState(st).size() > rest.size()) {
      // Lists above the depth are dropped on reading, so a re-written state is never longer.
      __builtin_trap();
    }
    writeFileAtomically(fx.state, rest);
    // Results are never replaced: an empty folder keeps every run alike and the folder small.
    fs::remove_all(fx.files.resultsFolder);
    fs::create_directories(fx.files.resultsFolder);
    Dictionary dictionary;
    LayoutSession session(dictionary, fx.files);
    ComposerListener quiet;
    Composer resumed(session, quiet);
    session.open(fx.pattern);
    resumed.resume();  // "Continue?" answered Yes
    resumed.run(RunBudget::forSteps(kResumeSteps));
    resumed.stop();
    if (session.state() == ComposingState::Running) __builtin_trap();
  } catch (const FormatError&) {
  } catch (const FileError&) {
  }
  return 0;
}
