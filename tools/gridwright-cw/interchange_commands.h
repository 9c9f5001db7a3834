#pragma once
// gridwright-cw export, import and pdf. Each returns the exit status: 0 done, 1 failed with the
// message on standard error, 2 a wrong command line.
#include <functional>

namespace gw::cw {

// Runs a command's work: 0 when it is done, 1 with the exception's message on standard error.
int exitStatusOf(const std::function<void()>& work);

int exportCommand(int argc, char** argv);  // export --to ipuz|puz FILE.C_W OUT [--title T] [--author A]
int importCommand(int argc, char** argv);  // import FILE.ipuz|FILE.puz OUT.C_W
int pdfCommand(int argc, char** argv);     // pdf FILE.C_W OUT.pdf [--solution] [--paper a4|letter]

// Dispatches the three commands; -1 when argv[1] is none of them.
int runInterchangeCommand(int argc, char** argv);

}  // namespace gw::cw
