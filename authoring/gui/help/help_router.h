#pragma once
// Routes the program's help requests to the help window: a context number to its
// topic, contents, a topic by name, a keyword to the index, or closing the window.
#include <QPointer>
#include <QVariant>

#include "authoring/gui/help/help_window.h"

namespace gw::gui {

enum class HelpRequest {
  Context,       // data: a context number (below)
  ContextPopup,  // the same, asked from a dialog
  Quit,          // close every help window
  Contents,      // the table of contents
  Finder,        // data: a page name such as "compose.html"
  Key,           // data: a keyword looked up in the index
};

// Context numbers of the program's windows, as help requests carry them.
namespace help_context {
inline constexpr int kCompose = 10;
inline constexpr int kEdit = 20;
inline constexpr int kWords = 30;
inline constexpr int kSolve = 40;
}  // namespace help_context

// The page of a context number; an unknown number gives the contents.
QString helpPageForContext(int context);

class HelpRouter {
 public:
  // `owner` parents the help window, so it goes with the main window.
  explicit HelpRouter(QWidget* owner) : owner_(owner) {}

  // Always handled: the help window is created on the first request that shows something.
  void handle(HelpRequest request, const QVariant& data = {});
  HelpWindow* window() const { return window_; }

 private:
  HelpWindow* ensureWindow();

  QWidget* owner_;
  QPointer<HelpWindow> window_;
};

}  // namespace gw::gui
