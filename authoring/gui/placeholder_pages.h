#pragma once
// The stand-in for the editing page until that page is built: the main window's page
// switching, its "File (Edit)" menu and closing keep working around it.
#include <QAction>
#include <QList>
#include <QWidget>

#include "authoring/gui/editing_page_base.h"

namespace gw::gui {

// An empty editing page: nothing to close, nothing to save.
class PlaceholderEditingPage : public EditingPageBase {
  Q_OBJECT
 public:
  explicit PlaceholderEditingPage(QWidget* parent = nullptr);
  QList<QAction*> fileMenuActions() const override { return {}; }
  void updateActions(bool) override {}
  bool closeCrossword() override { return true; }
};

}  // namespace gw::gui
