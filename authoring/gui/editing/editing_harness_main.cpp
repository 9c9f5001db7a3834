// The editing page in a window of its own: "gridwright-editing [FILE.C_W]". It stands in
// for the authoring main window until that hosts the page.
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>

#include "authoring/gui/editing/editing_page.h"
#include "authoring/gui/editing/user_interaction.h"

namespace {

class EditingWindow : public QMainWindow {
 public:
  EditingWindow()
      : page_(new gw::gui::EditingPage(document_, folders_, std::make_shared<gw::gui::UserInteraction>())) {
    setWindowTitle(QStringLiteral("Editing tool"));
    setCentralWidget(page_);
    QMenu* menu = menuBar()->addMenu(QStringLiteral("File (Edit)"));
    menu->addActions(page_->fileMenuActions());
    QAction* quit = menu->addAction(QStringLiteral("Quit editing ..."));
    quit->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    connect(quit, &QAction::triggered, this, &QWidget::close);
    connect(page_, &gw::gui::EditingPage::captionChanged, this, &QWidget::setWindowTitle);
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
      connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
              [this] { page_->updateActions(true); });
    resize(620, 420);
  }
  gw::gui::EditingPage* page() const { return page_; }

 protected:
  void closeEvent(QCloseEvent* e) override {
    if (page_->closeCrossword()) {
      e->accept();
    } else {
      e->ignore();
    }
  }

 private:
  gw::CrosswordDocument document_;
  gw::gui::FileDialogFolders folders_;
  gw::gui::EditingPage* page_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationName(QStringLiteral("Crossword Authoring"));
  EditingWindow window;
  window.show();
  const QStringList args = app.arguments();
  if (args.size() > 1 && QFileInfo(args.at(1)).isFile()) window.page()->openCrosswordFile(args.at(1));
  return app.exec();
}
