#pragma once
// "Edit words": the dictionary editor of one language, shown modally, and what OK does to
// the composing dictionary.
#include <QString>
#include <functional>

#include "common/language.h"
#include "common/program_folder.h"

class QWidget;

namespace gw {
class Dictionary;
}

namespace gw::gui {

struct WordListEditing {
  // The busy window: shown while the word file loads ("Loading words ...") and while
  // Re-check runs, hidden on every path.
  std::function<void(const QString& status)> showBusy;
  std::function<void()> hideBusy;
  // Asked on OK, once the word file is written: may the composing dictionary take this
  // language's words now? No when a layout of another language is open (its search would
  // fill it with foreign words) or while a search runs. Without it the answer is yes.
  std::function<bool(Language edited)> mayReloadDictionary;
};

// Opens the editor for `language` on its word file of the program folder; on OK writes the
// file and, if allowed, loads it into `composingDictionary`. Returns whether OK closed it.
// A word file that cannot be read is reported and the editor does not open.
bool editWordList(Language language, Dictionary& composingDictionary, const ProgramFolders& folders,
                  const WordListEditing& editing, QWidget* parent);

}  // namespace gw::gui
