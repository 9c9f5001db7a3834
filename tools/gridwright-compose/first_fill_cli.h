#pragma once
// gridwright-compose --first-fill: one fill of the layout, found by the first-fill search.
#include <csignal>
#include <iosfwd>

#include "authoring/composing/search/layout_session.h"
#include "compose_cli.h"

namespace gw {

// Writes the fill as the layout's next result file and prints it with its seed. Returns
// the exit status: 0 when a fill was written, when none exists, or when stopped; 1 when
// composing fails.
// `files` names the word list and the (existing) results folder.
int runFirstFill(const ComposeOptions& options, const ComposingFiles& files, std::ostream& out,
                 std::ostream& err, const volatile std::sig_atomic_t* stopFlag);

}  // namespace gw
