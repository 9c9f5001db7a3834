#include "common/code_page_converter.h"

#include <unicode/ucnv.h>

#include <string>

#include "common/errors.h"

namespace gw {

void CodePageConverterCloser::operator()(UConverter* converter) const { ucnv_close(converter); }

CodePageConverter openCodePageConverter(const char* codePage) {
  UErrorCode status = U_ZERO_ERROR;
  CodePageConverter converter(ucnv_open(codePage, &status));
  if (U_FAILURE(status)) throw FormatError(std::string("Unknown code page ") + codePage);
  return converter;
}

}  // namespace gw
