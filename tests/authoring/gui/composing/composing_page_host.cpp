// A stand-in main window for the composing page: its "File (Compose)" menu, "Quit compose"
// enabled from the page's state and a status line for the busy texts. For looking at the page under Xvfb
// (and driving it with xdotool) before the authoring window hosts it.
//
//   composing_page_host [--program-folder DIR] [PATTERN.C_WM]
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/gui/composing/composing_page.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName("Gridwright");
  QStringList args = app.arguments().mid(1);
  std::filesystem::path programFolder = GW_PROGRAM_DIR;
  if (args.size() >= 2 && args[0] == "--program-folder") {
    programFolder = args[1].toStdString();
    args = args.mid(2);
  }
  const gw::ProgramFolders folders = gw::programFoldersFor(programFolder, programFolder);
  std::filesystem::create_directories(folders.resultsFolder());

  gw::Dictionary dictionary;
  gw::gui::FileDialogFolders dialogFolders;
  dialogFolders.composeOpen = dialogFolders.composeSave =
      QString::fromStdString((programFolder / "Make").string());
  QMainWindow window;
  window.setWindowTitle("Brevant Software : Crosswords Authoring");
  auto* page = new gw::gui::ComposingPage(dictionary, folders, dialogFolders);
  window.setCentralWidget(page);
  QMenu* file = window.menuBar()->addMenu("File (Compose)");
  file->addActions(page->fileMenuActions());
  auto* quit = file->addAction("Quit compose");
  quit->setObjectName("exitProgramAction");
  quit->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
  QObject::connect(quit, &QAction::triggered, &window, &QWidget::close);
  page->setExitProgramAction(quit);
  QObject::connect(page, &gw::gui::ComposingPage::captionChanged, &window, &QWidget::setWindowTitle);
  QObject::connect(page, &gw::gui::ComposingPage::busy, &window, [&](const QString& s) {
    window.statusBar()->showMessage(s);
    window.statusBar()->repaint();
  });
  QObject::connect(page, &gw::gui::ComposingPage::idle, &window, [&] { window.statusBar()->clearMessage(); });
  QObject::connect(
      &page->workflow(), &gw::gui::ComposingWorkflow::statusChanged, quit,
      [quit](const gw::gui::ComposingStatus& s) { quit->setEnabled(!gw::gui::rules::composing(s)); });
  QObject::connect(&app, &QApplication::aboutToQuit, page, [&] { page->stopBeforeExit(); });
  window.resize(472, 374);
  window.show();
  page->setFocus();
  if (!args.isEmpty())
    QTimer::singleShot(0, page, [page, file = args.first()] { page->openPatternFile(file); });
  return app.exec();
}
