// gridwright-cw pdf in a build without the Qt front ends.
#include <iostream>

#include "tools/gridwright-cw/interchange_commands.h"

namespace gw::cw {

int pdfCommand(int, char**) {
  std::cerr << "This gridwright-cw was built without Qt, so it cannot write PDF files.\n";
  return 1;
}

}  // namespace gw::cw
