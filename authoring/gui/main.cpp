// Gridwright: start-up of the authoring program. The window opens on its start page; a
// composing layout named as the first argument is opened once the event loop runs.
#include <QApplication>
#include <QFile>
#include <QTimer>

#include "authoring/definitions/crossword_document.h"
#include "authoring/gui/common/authoring_look.h"
#include "authoring/gui/dictionary/edit_word_list.h"
#include "authoring/gui/main_window.h"
#include "authoring/settings/settings_file.h"
#include "common/program_folder.h"
#include "gui_common/mouse_wheel_filter.h"
#include "gui_common/termination_signals.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Gridwright");
  QApplication::setApplicationDisplayName("Crossword Authoring");
  QApplication::setDesktopFileName("gridwright");
  gw::gui::applyAuthoringLook(app);
  app.installEventFilter(new gw::gui::MouseWheelFilter(&app));

  gw::ProgramFolders folders = gw::programFolders();
  gw::gui::MainWindow window(folders, folders.configPath(gw::kSettingsFileName));
  // The program ends with its main window, whatever other window is still up.
  QObject::connect(&window, &gw::gui::MainWindow::closed, &app, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  window.setWordListEditor([](gw::Language language, gw::gui::MainWindow& w) {
    gw::gui::WordListEditing editing;
    editing.showBusy = [&w](const QString& status) { w.showBusy(status); };
    editing.hideBusy = [&w] { w.hideBusy(); };
    // An English layout is never composed with German words, and a search keeps its words.
    editing.mayReloadDictionary = [&w](gw::Language edited) {
      const gw::gui::ComposingPage* page = w.composingPage();
      if (page->isComposing()) return false;
      const std::optional<gw::Language> open = page->layoutLanguage();
      return !open || *open == edited;
    };
    gw::gui::editWordList(language, w.dictionary(), w.programFolders(), editing, &w);
  });
  // SIGTERM, SIGINT and SIGHUP (a log-out) never wait for an answer: a running search is
  // stopped and saved, unsaved work is kept for the next start, the settings are written.
  gw::gui::TerminationSignals terminationSignals;
  QObject::connect(&terminationSignals, &gw::gui::TerminationSignals::received, &window,
                   [&window] { window.closeForTermination(); });
  window.show();
  QTimer::singleShot(0, &window, [&window] { window.offerRecovery(); });

  // A crossword file named on the command line (as the desktop passes one) opens on the editing
  // page once the event loop runs; anything else is taken for a composing layout.
  const QStringList args = QApplication::arguments();
  if (args.size() > 1 && gw::CrosswordDocument::isCrosswordFile(QFile::encodeName(args.at(1)).toStdString())) {
    const QString path = args.at(1);
    QTimer::singleShot(0, &window, [&window, path] {
      window.showPage(gw::gui::MainWindow::Page::Editing);
      window.editingPage()->openCrosswordFile(path);
    });
  } else if (args.size() > 1) {
    window.openPatternFileAtStart(args.at(1));
  }
  return app.exec();
}
