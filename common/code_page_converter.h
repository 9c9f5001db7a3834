#pragma once
// ICU's converter for one code page, for code that converts many strings with it (import
// files) or builds tables from it; single conversions go through common/codepage.h.
#include <memory>

struct UConverter;

namespace gw {

struct CodePageConverterCloser {
  void operator()(UConverter* converter) const;
};
using CodePageConverter = std::unique_ptr<UConverter, CodePageConverterCloser>;

// Throws FormatError naming a code page that ICU does not know.
CodePageConverter openCodePageConverter(const char* codePage);

}  // namespace gw
