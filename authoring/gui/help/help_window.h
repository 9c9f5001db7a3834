#pragma once
// The help window: the program's own HTML pages (compiled in as resources under
// ":/help/"), with a contents page, an index of keywords and links between the pages.
#include <QWidget>

class QTextBrowser;

namespace gw::gui {

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr const char* kContentsPage = "contents.html";
  static constexpr const char* kIndexPage = "index.html";

  explicit HelpWindow(QWidget* parent = nullptr);

  void showContents();
  // A page such as "compose.html", optionally with an anchor ("compose.html#start").
  // An unknown page shows the contents.
  void showTopic(const QString& page);
  // The index, scrolled to the first entry that starts with `keyword` (if any).
  void showIndex(const QString& keyword = {});

  // The page shown, e.g. "compose.html".
  QString currentPage() const;
  QString currentTitle() const;
  QTextBrowser* browser() const { return browser_; }

 private:
  void present();

  QTextBrowser* browser_;
  bool shownBefore_ = false;
};

}  // namespace gw::gui
