#pragma once
// Runs a program as a user would from a shell, for tests of the command-line tools.
#include <string>

namespace gw::test {

struct CommandRun {
  int status = -1;  // the exit status; -1 when the command did not end by itself
  std::string out;  // its standard output
};

// Runs COMMAND with /bin/sh; redirections in it decide where standard error goes.
CommandRun runCommand(const std::string& command);

}  // namespace gw::test
