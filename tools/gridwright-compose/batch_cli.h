#pragma once
// --first-fill over several layouts in one run: the word lists are loaded once, the layouts
// are filled --jobs at a time, and each gets one summary line (and a JSON line with --summary).
#include <csignal>
#include <iosfwd>
#include <optional>
#include <string>

#include "authoring/composing/search/layout_session.h"
#include "compose_cli.h"

namespace gw {

// More than one layout, or a folder of layouts, was given.
bool isBatch(const ComposeOptions& options);

// What is wrong with the batch options (several layouts without --first-fill, --jobs or
// --summary with one layout), if anything.
std::optional<std::string> batchOptionError(const ComposeOptions& options);

// Returns the exit status: 0 when every layout was searched (filled or not), 1 when one
// could not be read or written.
int runBatch(const ComposeOptions& options, const ComposingFiles& files, std::ostream& out, std::ostream& err,
             const volatile std::sig_atomic_t* stopFlag);

}  // namespace gw
