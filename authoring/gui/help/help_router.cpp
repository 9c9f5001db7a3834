#include "authoring/gui/help/help_router.h"

namespace gw::gui {

QString helpPageForContext(int context) {
  switch (context) {
    case help_context::kCompose: return QStringLiteral("compose.html");
    case help_context::kEdit: return QStringLiteral("edit.html");
    case help_context::kWords: return QStringLiteral("words.html");
    case help_context::kSolve: return QStringLiteral("solve.html");
    default: return HelpWindow::kContentsPage;
  }
}

HelpWindow* HelpRouter::ensureWindow() {
  if (!window_) window_ = new HelpWindow(owner_);
  return window_;
}

void HelpRouter::handle(HelpRequest request, const QVariant& data) {
  switch (request) {
    case HelpRequest::Quit:
      if (window_) window_->close();
      return;
    case HelpRequest::Context:
    case HelpRequest::ContextPopup: ensureWindow()->showTopic(helpPageForContext(data.toInt())); return;
    case HelpRequest::Contents: ensureWindow()->showContents(); return;
    case HelpRequest::Finder: ensureWindow()->showTopic(data.toString()); return;
    case HelpRequest::Key: ensureWindow()->showIndex(data.toString()); return;
  }
}

}  // namespace gw::gui
