#include "authoring/gui/dictionary/edit_word_list.h"

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/gui/dictionary/dictionary_editor_dialog.h"
#include "common/errors.h"
#include "gui_common/prompts.h"

namespace gw::gui {

namespace {

// Shows the busy window for as long as it lives.
class BusyWindowShown {
 public:
  BusyWindowShown(const WordListEditing& editing, const QString& status) : editing_(editing) {
    if (editing_.showBusy) editing_.showBusy(status);
  }
  ~BusyWindowShown() { hide(); }
  void hide() {
    if (shown_ && editing_.hideBusy) editing_.hideBusy();
    shown_ = false;
  }

 private:
  const WordListEditing& editing_;
  bool shown_ = true;
};

}  // namespace

bool editWordList(Language language, Dictionary& composingDictionary, const ProgramFolders& folders,
                  const WordListEditing& editing, QWidget* parent) {
  const std::filesystem::path relative(wordFileName(language));
  BusyWindowShown busy(editing, "Loading words ...");
  DictionaryEditorDialog dialog(language, folders.readPath(relative), folders.writePath(relative), parent);
  DictionaryEditorWorkflow& workflow = dialog.workflow();
  try {
    workflow.loadWordFile();
  } catch (const FileError& e) {
    busy.hide();
    Prompts::fail(parent, dialog.windowTitle(), QString::fromUtf8(e.what()));
    return false;
  }
  busy.hide();
  workflow.setBusyIndicator(editing.showBusy, editing.hideBusy);
  workflow.setDictionaryReload([&](const std::filesystem::path& wordFile) {
    if (editing.mayReloadDictionary && !editing.mayReloadDictionary(language)) return;
    // Under the minimum the composing page loaded it with.
    composingDictionary.load(wordFile, language, composingDictionary.minScore());
  });
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace gw::gui
