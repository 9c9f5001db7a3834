#include "authoring/gui/help/help_window.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace gw::gui {

namespace {

const QString kHelpRoot = QStringLiteral("qrc:/help/");

QPushButton* makeButton(const QString& text, const QString& name, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("helpWindow");
  setWindowTitle(tr("Crossword Help"));
  resize(720, 560);

  browser_ = new QTextBrowser(this);
  browser_->setObjectName("helpBrowser");
  browser_->setOpenExternalLinks(true);
  browser_->setSearchPaths({QStringLiteral(":/help")});

  auto* contents = makeButton(tr("&Contents"), "contentsButton", this);
  auto* index = makeButton(tr("&Index"), "indexButton", this);
  auto* back = makeButton(tr("&Back"), "backButton", this);
  auto* forward = makeButton(tr("&Forward"), "forwardButton", this);
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(contents, &QPushButton::clicked, this, &HelpWindow::showContents);
  connect(index, &QPushButton::clicked, this, [this] { showIndex(); });
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::sourceChanged, this,
          [this] { setWindowTitle(tr("Crossword Help") + QStringLiteral(" - ") + currentTitle()); });

  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {contents, index, back, forward}) buttons->addWidget(b);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(browser_);
}

void HelpWindow::showContents() { showTopic(kContentsPage); }

void HelpWindow::showTopic(const QString& page) {
  const QString file = page.section('#', 0, 0);
  const bool known = !file.isEmpty() && QFile::exists(QStringLiteral(":/help/") + file);
  browser_->setSource(QUrl(kHelpRoot + (known ? page : QString(kContentsPage))));
  present();
}

void HelpWindow::showIndex(const QString& keyword) {
  browser_->setSource(QUrl(kHelpRoot + kIndexPage));
  if (!keyword.isEmpty()) {
    browser_->moveCursor(QTextCursor::Start);
    browser_->find(keyword);
  }
  present();
}

QString HelpWindow::currentPage() const { return browser_->source().fileName(); }

QString HelpWindow::currentTitle() const { return browser_->documentTitle(); }

void HelpWindow::present() {
  if (!isVisible()) {
    if (!shownBefore_) {
      // First time: in the middle of the screen the program is on.
      const QScreen* s = parentWidget() ? parentWidget()->screen() : screen();
      if (s) move(s->availableGeometry().center() - rect().center());
      shownBefore_ = true;
    }
    show();
  }
  raise();
  activateWindow();
}

}  // namespace gw::gui
