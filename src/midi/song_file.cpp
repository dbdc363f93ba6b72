#include "midi/song_file.h"

#include <cassert>

#include "midi/song_catalogue.h"
#include "platform/file_writer.h"
#include "toolkit/temp_directory.h"

namespace wobbert {

std::string TemporaryMidiFilePath() { return TempDirectory() + "tmp.mid"; }

bool WriteSongFile(std::size_t i) {
  assert(i < kSongCount);
  const platform::FileWriteResult result =
      platform::ReplaceFileContent(TemporaryMidiFilePath(), SongPayloads[i].Bytes());
  switch (result.outcome) {
    case platform::FileWriteOutcome::Written:
      return true;
    case platform::FileWriteOutcome::NotCreated:
      return false;
    case platform::FileWriteOutcome::WriteFailed:
      break;
  }
  throw SongFileError(result.systemMessage);
}

}  // namespace wobbert
