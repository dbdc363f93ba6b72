// Per-user directories on Linux.
//
// PrivateRuntimeDirectory: where the program keeps its per-user files (the song file, the
// single-instance lock): $XDG_RUNTIME_DIR when it is a directory of ours that no one else may
// enter, else "wobbert-<uid>" under $TMPDIR (or /tmp), created with mode 0700 and refused when it
// is a symbolic link, belongs to someone else or is open to others. A fixed file name in a
// world-writable directory would let another user plant a symbolic link there. The result ends
// in '/'; it is empty when no such directory can be had.
//
// ConfigurationDirectory: where the settings file lives: "wobbert/" under $XDG_CONFIG_HOME when
// that is an absolute path, else under $HOME/.config (the password database's home directory
// when $HOME is unset). It is not created here. The result ends in '/'; it is empty when there is
// no home directory to be had.
#pragma once

#include <string>

namespace wobbert::platform {

std::string PrivateRuntimeDirectory();
std::string ConfigurationDirectory();

}  // namespace wobbert::platform
