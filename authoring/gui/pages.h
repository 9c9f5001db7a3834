#pragma once
// The pages the main window hosts. The composing page is the placeholder until the real
// one is built; then this alias gives way to "authoring/gui/composing/composing_page.h".
#include "authoring/gui/editing_page_base.h"
#include "authoring/gui/placeholder_pages.h"

namespace gw::gui {
using ComposingPage = PlaceholderComposingPage;
}  // namespace gw::gui
