#pragma once
// Files that must not outlive an interrupted process: temporary files to remove, and original
// files kept aside to be put back over what a run wrote. A signal that ends the process
// (Ctrl-C, kill) tidies them, newest first, before the process ends as the signal says.
#include <string>

namespace magmo::pendingFiles {

// Registers path: on a signal it is removed, or, with restoreTo, renamed over restoreTo.
// Returns the id that forgets it again.
int add(const std::string& path, const std::string& restoreTo = {});
void forget(int id);
// Installs the tidying for SIGINT, SIGTERM and SIGHUP.
void tidyOnSignals();

}  // namespace magmo::pendingFiles
