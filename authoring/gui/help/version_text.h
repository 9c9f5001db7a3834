#pragma once
// The version line of the splash window and the about box.
#include <QString>

#include "gw/version.h"

namespace gw::gui {

// "Version 1.2 (Build 3.4)" from the four parts of a version number.
inline QString versionText(int major, int minor, int release, int build) {
  return QStringLiteral("Version %1.%2 (Build %3.%4)").arg(major).arg(minor).arg(release).arg(build);
}

// This program's version, from the CMake project; the build part is not counted.
inline QString programVersionText() { return versionText(kVersionMajor, kVersionMinor, kVersionPatch, 0); }

}  // namespace gw::gui
