#pragma once
// The "Cancel" and "OK" buttons of a dialog, named cancelButton and okButton for tests and
// screen readers: OK is the default and accepts, Cancel rejects. Made in that order (the
// focus chain follows it); the dialog lays them out.
#include <QDialog>
#include <QPushButton>

namespace gw::gui {

struct OkCancelButtons {
  QPushButton* ok;
  QPushButton* cancel;
};

OkCancelButtons makeOkCancelButtons(QDialog* dialog);

}  // namespace gw::gui
