// Per-user directories on Linux.
//
// PrivateRuntimeDirectory: where the program keeps its per-user files (the song file, the
// single-instance lock): $XDG_RUNTIME_DIR when it is a directory of ours that no one else may
// enter, else "wobbert-<uid>" under $TMPDIR (or /tmp), created with mode 0700 and refused when it
// is a symbolic link, belongs to someone else or is open to others. A fixed file name in a
// world-writable directory would let another user plant a symbolic link there. The result ends
// in '/'; it is empty when no such directory can be had.
#pragma once

#include <string>

namespace wobbert::platform {

std::string PrivateRuntimeDirectory();

}  // namespace wobbert::platform
