#include "gui_common/dialog_buttons.h"

namespace gw::gui {

OkCancelButtons makeOkCancelButtons(QDialog* dialog) {
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
  cancel->setObjectName("cancelButton");
  auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
  ok->setObjectName("okButton");
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return {ok, cancel};
}

}  // namespace gw::gui
