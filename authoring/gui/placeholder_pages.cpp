#include "authoring/gui/placeholder_pages.h"

#include <QLabel>
#include <QVBoxLayout>

namespace gw::gui {

PlaceholderEditingPage::PlaceholderEditingPage(QWidget* parent) : EditingPageBase(parent) {
  setObjectName("editingPage");
  auto* label = new QLabel(tr("Editing is not available in this build."), this);
  label->setAlignment(Qt::AlignCenter);
  label->setWordWrap(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
}

}  // namespace gw::gui
