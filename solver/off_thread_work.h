#pragma once
// Long work (opening a crossword with large pictures) on a thread of its own while the window
// thread's event loop runs on, so that the window repaints and termination signals are handled
// during it. User input is held back until the work is done.
#include <functional>

// Runs `work` on another thread and returns when it is done, rethrowing what it threw. `work`
// must touch no widget. When the event loop is told to end meanwhile (a signal, a quit), the
// work is still waited for: the readers' limits keep it short.
void runOffWindowThread(const std::function<void()>& work);
