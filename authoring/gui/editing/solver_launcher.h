#pragma once
// Starts Cross on a crossword: the copy beside this program (a portable folder), else the
// installed one, else whatever the desktop opens crossword files with.
#include <QString>

namespace gw::gui {

void launchSolver(const QString& crosswordPath);

}  // namespace gw::gui
