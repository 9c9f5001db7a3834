// Opens "Edit words" for one language on a program folder, as the authoring window will:
// behind a busy window, with the composing dictionary reloaded on OK. For checks of the
// real window under Xvfb.
//   dictionary_editor_harness en|de|sr PROGRAM_FOLDER
#include <QApplication>
#include <QLabel>
#include <cstdio>
#include <cstring>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/gui/dictionary/edit_word_list.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: dictionary_editor_harness en|de|sr PROGRAM_FOLDER\n");
    return 2;
  }
  gw::Language language = std::strcmp(argv[1], "de") == 0   ? gw::Language::German
                          : std::strcmp(argv[1], "sr") == 0 ? gw::Language::Serbian
                                                            : gw::Language::English;
  gw::ProgramFolders folders = gw::programFoldersFor(argv[2], argv[2]);
  folders.portable = true;
  folders.dataFolder = folders.writableFolder = argv[2];

  QLabel busy;
  busy.setWindowFlags(Qt::SplashScreen);
  busy.setMinimumSize(300, 60);
  busy.setAlignment(Qt::AlignCenter);
  gw::gui::WordListEditing editing;
  editing.showBusy = [&](const QString& status) {
    busy.setText(status);
    busy.show();
    QApplication::processEvents();
  };
  editing.hideBusy = [&] { busy.hide(); };

  gw::Dictionary dictionary;
  bool accepted = gw::gui::editWordList(language, dictionary, folders, editing, nullptr);
  std::printf("%s, dictionary of %zu words\n", accepted ? "OK" : "Cancel", dictionary.totalWordCount());
  return accepted ? 0 : 1;
}
