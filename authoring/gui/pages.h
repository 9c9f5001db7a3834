#pragma once
// The pages the main window hosts, and what it asks of a page that holds the author's work
// when the window closes or the program is told to end.
#include <QString>
#include <optional>

#include "authoring/gui/composing/composing_page.h"
#include "authoring/gui/common/editing_page_base.h"

namespace gw::gui {

class ClosablePage {
 public:
  virtual ~ClosablePage() = default;

  // Unsaved work asks "Save changes?" (Yes, No, Cancel) as the page's Close does. False when
  // the author cancelled: nothing closes and nothing is written.
  virtual bool maybeSave() = 0;

  // The user's file of the unsaved work (an empty text for work never saved), or nothing when
  // everything is saved.
  virtual std::optional<QString> unsavedFile() const = 0;
  // Writes the unsaved work to `path` in the page's own file format, leaving the user's file
  // and the page as they are; runs without asking anything. False when it could not.
  virtual bool writeRecovery(const QString& path) = 0;
  // Opens work that writeRecovery() wrote and that now lies at `path`.
  virtual void openRecovered(const QString& path) = 0;
};

}  // namespace gw::gui
