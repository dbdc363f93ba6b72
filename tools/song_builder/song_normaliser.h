// Turns abc2midi's output into the Standard MIDI File the program embeds.
//
// NormaliseSong reads a format 0 or 1 file and writes it again in the requested format:
// format 0 merges every track into one, ordered by time (at one tick: meta events, then note-offs,
// then other channel messages, then note-ons, each track keeping its own order); format 1 keeps
// the tracks (a single track is split into a conductor track of meta events and a track of the
// rest) and needs 2 to 32 of them. Text events (abc2midi copies comment lines into them) are
// dropped, so the bytes depend on the music alone. A division outside kSongDivisions is rescaled
// to 480. Malformed input, or a result the program could not carry, is an Error.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "midi/midi_file.h"
#include "toolkit/result.h"

namespace wobbert {

inline constexpr std::array<std::uint16_t, 6> kSongDivisions = {96, 120, 192, 240, 384, 480};
inline constexpr std::size_t kMaximumSongTracks = 32;

Result<std::vector<std::uint8_t>> NormaliseSong(std::span<const std::uint8_t> bytes, std::uint16_t format);

// Playing time in seconds of a file, following its tempo changes (120 bpm until the first).
double SongSeconds(const MidiFile& file);

}  // namespace wobbert
