// Standard MIDI Files in memory: reading, writing and the event model both share.
//
// ReadMidiFile accepts format 0 and 1 files with a ticks-per-quarter division. It is strict:
// the header must announce exactly the track chunks that follow, nothing may follow the last
// one, every track must close with an End of Track meta event, and every length, status byte
// and variable-length quantity is checked against the bytes that are really there. Anything
// else is an Error, never a crash. Running status is understood on input.
//
// WriteMidiFile writes the same model back with running status for channel messages and one
// End of Track at the end of every track (any End of Track in the events is ignored).
// Event times are absolute ticks and must not decrease within a track.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "toolkit/result.h"

namespace wobbert {

inline constexpr std::uint8_t kMetaStatus = 0xFF;
inline constexpr std::uint8_t kSysexStatus = 0xF0;
inline constexpr std::uint8_t kSysexEscapeStatus = 0xF7;
inline constexpr std::uint8_t kMetaText = 0x01;
inline constexpr std::uint8_t kMetaTrackName = 0x03;
inline constexpr std::uint8_t kMetaEndOfTrack = 0x2F;
inline constexpr std::uint8_t kMetaTempo = 0x51;

struct MidiEvent {
  std::uint32_t tick = 0;     // absolute time in ticks
  std::uint8_t status = 0;    // channel status 0x80..0xEF, kSysexStatus, kSysexEscapeStatus or kMetaStatus
  std::uint8_t metaType = 0;  // meaningful for meta events only
  std::vector<std::uint8_t> data;  // data bytes after the status (after the length for meta/sysex)

  bool IsMeta(std::uint8_t type) const { return status == kMetaStatus && metaType == type; }
  bool IsChannelMessage() const { return status >= 0x80 && status < 0xF0; }
  bool operator==(const MidiEvent&) const = default;
};

struct MidiTrack {
  std::vector<MidiEvent> events;  // without the closing End of Track
  std::uint32_t endTick = 0;      // time of the End of Track, never before the last event
  bool operator==(const MidiTrack&) const = default;
};

struct MidiFile {
  std::uint16_t format = 1;
  std::uint16_t division = 480;  // ticks per quarter note
  std::vector<MidiTrack> tracks;
  bool operator==(const MidiFile&) const = default;
};

Result<MidiFile> ReadMidiFile(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> WriteMidiFile(const MidiFile& file);

}  // namespace wobbert
