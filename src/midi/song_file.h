// The temporary song file: one fixed file, "tmp.mid" in the temporary directory, that the media
// player opens. Every write replaces its whole content with one song's payload.
//
// TemporaryMidiFilePath is built anew on every call (the temporary directory is never cached).
// WriteSongFile(i), i in 0..46 (the caller's promise): true when the file was created and
// written; false, with nothing else changed, when it could not be created (including a symbolic
// link or other non-file under that name, which is never followed). A failure after creation is
// not ours to handle: it throws SongFileError with the system's text.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace wobbert {

class SongFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::string TemporaryMidiFilePath();
bool WriteSongFile(std::size_t i);

}  // namespace wobbert
