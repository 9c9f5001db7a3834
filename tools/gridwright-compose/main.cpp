#include <csignal>
#include <iostream>
#include <stdexcept>

#include "compose_cli.h"

namespace {
volatile std::sig_atomic_t stopSignal = 0;
extern "C" void onStopSignal(int) { stopSignal = 1; }
}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  gw::ComposeOptions options;
  try {
    options = gw::parseComposeOptions(args);
  } catch (const std::invalid_argument& e) {
    std::cerr << "gridwright-compose: " << e.what() << "\nTry 'gridwright-compose --help'.\n";
    return 2;
  }
  if (options.help) {
    std::cout << gw::kComposeUsage;
    return 0;
  }
  // The handler only sets the flag; the command reads it between slices of the search and stops as Stop does.
  struct sigaction action {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  return gw::runCompose(options, std::cout, std::cerr, &stopSignal);
}
