// The 47 songs the program carries: their titles and their Standard MIDI Files, by song index.
//
// One index (0..46) names the same song everywhere. Each payload is one whole Standard MIDI File
// compiled into the program (assets/songs/NN-*.mid, built from the ABC sources beside them);
// nothing is loaded from disk. Titles are single-byte text of at most 43 characters.
#pragma once

#include <array>
#include <cstddef>

#include "toolkit/embedded_file.h"

namespace wobbert {

inline constexpr std::size_t kSongCount = 47;

extern const std::array<const char*, kSongCount> SongTitles;
extern const EmbeddedFile SongPayloads[kSongCount];

}  // namespace wobbert
