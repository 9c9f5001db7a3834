#include "common/codepage.h"

#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include "common/code_page_converter.h"
#include "common/errors.h"

namespace gw {

std::string toUtf8(std::string_view bytes, const char* codePage) {
  CodePageConverter conv = openCodePageConverter(codePage);
  UErrorCode status = U_ZERO_ERROR;
  icu::UnicodeString text(bytes.data(), static_cast<int32_t>(bytes.size()), conv.get(), status);
  if (U_FAILURE(status)) throw FormatError(std::string("Cannot convert text from ") + codePage);
  std::string out;
  return text.toUTF8String(out);
}

std::string fromUtf8(std::string_view utf8, const char* codePage) {
  icu::UnicodeString text =
      icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
  if (text.indexOf(static_cast<char16_t>(0xFFFD)) >= 0 &&
      std::string_view(utf8).find("\xEF\xBF\xBD") == std::string_view::npos)
    throw FormatError("The text is not valid UTF-8.");
  CodePageConverter conv = openCodePageConverter(codePage);
  UErrorCode status = U_ZERO_ERROR;
  ucnv_setFromUCallBack(conv.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  std::string out;
  // Converting one code point at a time names the first character that does not fit.
  for (int32_t i = 0; i < text.length();) {
    UChar32 cp = text.char32At(i);
    int32_t next = text.moveIndex32(i, 1);
    icu::UnicodeString one(text, i, next - i);
    char buf[8];
    status = U_ZERO_ERROR;
    int32_t n = one.extract(buf, sizeof buf, conv.get(), status);
    if (U_FAILURE(status) || n <= 0) {
      std::string ch;
      icu::UnicodeString(cp).toUTF8String(ch);
      throw FormatError("The character \"" + ch + "\" cannot be written in " + codePage + ".");
    }
    out.append(buf, static_cast<std::size_t>(n));
    i = next;
  }
  return out;
}

}  // namespace gw
