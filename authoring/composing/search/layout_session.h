#pragma once
// The composing layout the author works on, and its files: new, open, save and close the
// pattern file, the state file beside it, the word list of its language and the folder
// the result crossword files go to. The caller says where those files are (ComposingFiles);
// nothing here looks up program folders.
//
// The session also holds the one state of the composing page (ComposingState). It moves
// between Closed and Editable through the calls below; the Composer moves it to Running
// and Stopped and back. How a window drives both:
//
//   LayoutSession session(dictionary, files, this);     // this: a LayoutListener
//   Composer composer(session, this);                   // this: a ComposerListener
//   New layout:   session.newLayout(rows, columns, language);
//   Open layout:  session.open(file);                   // throws FileError / FormatError
//                 if (session.hasSavedSearch() && askContinue()) composer.resume();
//   Save:         if (!session.hasFileName()) session.saveAs(askFileName()); else session.save();
//   Close:        session.close();
//   Cell edits:   session.setIsle(row, column) and friends; ignored unless Editable.
//   Start/Stop:   see composer.h.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "authoring/composing/layout/board.h"
#include "authoring/composing/dictionary/word_scores.h"

namespace gw {

class Composer;
class LayoutLock;
class Dictionary;

// Closed: no layout. Editable: a layout whose cells the author may change (no search
// exists for it). Running: a search runs (Composer::run() advances it). Stopped: a search
// was stopped and can be resumed; the cells cannot be changed until the layout is closed,
// replaced or the search is exhausted.
enum class ComposingState { Closed, Editable, Running, Stopped };

// Where the files of composing are; given by the caller.
struct ComposingFiles {
  // The word list of a language (the window: the user's copy or the shipped one).
  std::function<std::filesystem::path(Language)> wordFile;
  // The folder that receives the result crossword files ("spring1.C_W", ...).
  std::filesystem::path resultsFolder;
};

// Notifications of the session; every hook has a harmless default.
class LayoutListener {
 public:
  virtual ~LayoutListener() = default;
  // Around loading a language's word list (the busy window); the second also after a failure.
  virtual void dictionaryLoading(Language) {}
  virtual void dictionaryLoaded(Language) {}
  // The composing state changed (by the session or by the composer).
  virtual void stateChanged(ComposingState) {}
};

class LayoutSession {
 public:
  // `dictionary` is loaded with the layout's language by newLayout() and open(); the
  // composer searches it. `listener` may be null.
  LayoutSession(Dictionary& dictionary, ComposingFiles files, LayoutListener* listener = nullptr);
  ~LayoutSession();
  LayoutSession(const LayoutSession&) = delete;
  LayoutSession& operator=(const LayoutSession&) = delete;

  ComposingState state() const { return state_; }
  bool isOpen() const { return state_ != ComposingState::Closed; }
  bool isRunning() const { return state_ == ComposingState::Running; }
  // Cells may be changed only while no search exists for the layout.
  bool canEdit() const { return state_ == ComposingState::Editable; }

  // --- the layout and its files. new, open and close are ignored while a search runs;
  // they discard a stopped search (its state file stays on disk).

  // A new empty layout without a file name; sizes are clamped to 1 .. 41. Loads the
  // language's word list first; throws FileError and changes nothing when that fails.
  void newLayout(int rows, int columns, Language language);
  // Reads the pattern file and the language's word list; throws FileError or FormatError
  // and changes nothing when either fails. Afterwards the layout is Editable: whether to
  // continue a stopped search (hasSavedSearch()) is the caller's question ("Continue?").
  void open(const std::filesystem::path& patternFile);
  // A layout already in memory, named `patternFile` (not read), for a dictionary the caller
  // has loaded with its language (tools, benchmarks, a layout made from text).
  void useLayout(const Layout& layout, const std::filesystem::path& patternFile);
  // Writes the layout to its pattern file; the layout must have a file name. Throws FileError.
  void save();
  // Names the layout `patternFile` and writes it there. Throws FileError (the name stays
  // unchanged then).
  void saveAs(const std::filesystem::path& patternFile);
  void close();

  // The author's layout: while a search exists it stays as it was when the search began
  // (the composer fills a board of its own, Composer::shownLayout()).
  const Layout& layout() const { return layout_; }
  bool hasFileName() const { return !patternFile_.empty(); }
  const std::filesystem::path& patternFile() const { return patternFile_; }
  // The state file of a stopped search: the pattern file's name with the extension ".TMP".
  std::filesystem::path stateFile() const;
  // A search of one part of the layout's fills goes by a name of its own: the pattern
  // file's stem with `tag` added names its state, lock and result files ("spring-3of8-.TMP",
  // "spring-3of8-17.C_W"), so that the parts run side by side. Empty: the layout's own names.
  void setSearchTag(std::string tag) { searchTag_ = std::move(tag); }
  // The pattern file, or for a part the name its search files are derived from.
  std::filesystem::path searchName() const;
  // Whether a stopped search of this layout is saved beside it (the state file exists).
  bool hasSavedSearch() const;

  // --- editing the cells (row, column); each does nothing unless canEdit() and the cell
  // lies in the layout. They return whether the board changed.
  bool setIsle(int row, int column);
  bool clearCell(int row, int column);
  bool toggleCell(int row, int column);  // a letter or an isle becomes empty, empty becomes an isle
  // `letter` is a code-page byte of the layout's language; a lower-case letter is upper-cased,
  // anything that is no letter of the language's boards is refused (layout_text.h).
  bool putLetter(int row, int column, char letter);
  bool clearAll();
  // Puts every cell back as `board` has it, byte for byte (undo and redo).
  bool restoreBoard(const ComposingBoard& board);

  // --- files
  const ComposingFiles& files() const { return files_; }
  std::filesystem::path wordFile() const { return files_.wordFile(layout_.language); }
  const std::filesystem::path& resultsFolder() const { return files_.resultsFolder; }
  void setResultsFolder(const std::filesystem::path& folder) { files_.resultsFolder = folder; }
  // Loads the word list of the layout's language again (after the dictionary editor saved it).
  void reloadDictionary();
  // Words scored under this are left out when the dictionary is loaded (from the next load).
  void setMinWordScore(int score) { minWordScore_ = score; }
  // Loads the word list again when it was loaded under another minimum than minWordScore().
  void applyMinWordScore();
  int minWordScore() const { return minWordScore_; }
  Dictionary& dictionary() { return dictionary_; }
  const Dictionary& dictionary() const { return dictionary_; }

 private:
  friend class Composer;
  void setState(ComposingState state);
  // Held from the start of a search until the layout is editable again (layout_lock.h).
  // Throws FileError when another search holds the layout.
  void lockForSearch();
  void unlockSearch();
  void loadDictionary(Language language);
  void replaceLayout(const Layout& layout, const std::filesystem::path& patternFile);
  bool inLayout(int row, int column) const;

  Dictionary& dictionary_;
  int minWordScore_ = kDefaultMinWordScore;
  ComposingFiles files_;
  LayoutListener* listener_;
  Composer* composer_ = nullptr;  // set by the composer over this session
  Layout layout_;
  std::filesystem::path patternFile_;
  std::string searchTag_;
  ComposingState state_ = ComposingState::Closed;
  std::unique_ptr<LayoutLock> lock_;
};

}  // namespace gw
