#pragma once
#include <stdexcept>
#include <string>

namespace gw {

// A file that could not be opened, created, read or written. what() is the message for the user.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file whose content is not what its format allows (ends early, counts out of range, ...).
// what() is the message for the user.
class FormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace gw
