#include <unistd.h>

#include <csignal>
#include <iostream>

#include "common/command_line.h"
#include "compose_cli.h"

namespace {
volatile std::sig_atomic_t stopSignal = 0;
extern "C" void onStopSignal(int) { stopSignal = 1; }
}  // namespace

int main(int argc, char** argv) {
  std::optional<gw::ComposeOptions> parsed =
      gw::parseCommandLine("gridwright-compose", argc, argv, gw::parseComposeOptions, std::cerr);
  if (!parsed) return 2;
  gw::ComposeOptions& options = *parsed;
  if (options.help) {
    std::cout << gw::kComposeUsage;
    return 0;
  }
  options.terminal = ::isatty(STDERR_FILENO) == 1;
  // The handler only sets the flag; the command reads it between slices of the search and stops as Stop does.
  struct sigaction action {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  return gw::runCompose(options, std::cout, std::cerr, &stopSignal);
}
