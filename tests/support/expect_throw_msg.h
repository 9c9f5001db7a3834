#pragma once
// Expectations on errors with their message, after {fmt}'s gtest-extra.h:
//   EXPECT_THROW_MSG(readPatternFile(path), gw::FormatError, "too short");
//   EXPECT_FILE_ERROR(writeFileAtomically(path, ""), path.string());
// The statement must throw that type (or one derived from it) with `message` somewhere in
// what(): a reader's message has to name what failed, not only fail.
#include <gtest/gtest.h>

#include <exception>
#include <string>
#include <string_view>

#include "common/errors.h"

namespace gw::test {

template <typename Expected, typename Statement>
::testing::AssertionResult throwsWithMessage(Statement&& statement, std::string_view message) {
  try {
    statement();
  } catch (const Expected& e) {
    if (std::string_view(e.what()).find(message) != std::string_view::npos)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "the message \"" << e.what() << "\" does not say \"" << message << "\"";
  } catch (const std::exception& e) {
    return ::testing::AssertionFailure() << "threw another kind of error: " << e.what();
  }
  return ::testing::AssertionFailure() << "threw nothing";
}

}  // namespace gw::test

#define EXPECT_THROW_MSG(statement, type, message) \
  EXPECT_TRUE(::gw::test::throwsWithMessage<type>([&] { statement; }, message)) << #statement
#define EXPECT_FILE_ERROR(statement, message) EXPECT_THROW_MSG(statement, ::gw::FileError, message)
