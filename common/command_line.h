#pragma once
// The start of a command-line tool that parses options (gridwright-compose, gridwright-words):
// its arguments parsed, or a wrong command line said the one way these tools say it.
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

// `parse` takes the arguments after the program name and throws std::invalid_argument with a
// message for the user. Nothing when it threw: then "PROGRAM: MESSAGE" and "Try 'PROGRAM --help'."
// are on `err`, and the tool exits with 2.
template <typename Parse>
auto parseCommandLine(std::string_view program, int argc, char** argv, Parse parse, std::ostream& err)
    -> std::optional<decltype(parse(std::vector<std::string>{}))> {
  try {
    return parse(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::invalid_argument& e) {
    err << program << ": " << e.what() << "\nTry '" << program << " --help'.\n";
    return std::nullopt;
  }
}

}  // namespace gw
