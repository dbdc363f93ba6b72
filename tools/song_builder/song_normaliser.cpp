#include "song_normaliser.h"

#include <algorithm>
#include <map>
#include <string>
#include <tuple>

namespace wobbert {

namespace {

constexpr std::uint16_t kRescaledDivision = 480;
constexpr std::uint32_t kDefaultTempo = 500000;  // microseconds per quarter note

// Order of events that share a tick once tracks are merged: the tempo is in force before the
// notes, and a note that ends is released before one that starts, so no voice swallows another.
int MergeRank(const MidiEvent& event) {
  if (event.status == kMetaStatus) return 0;
  if (!event.IsChannelMessage()) return 1;
  const std::uint8_t kind = event.status & 0xF0;
  if (kind == 0x80 || (kind == 0x90 && event.data.size() == 2 && event.data[1] == 0)) return 2;
  if (kind == 0x90) return 4;
  return 3;
}

MidiTrack MergeTracks(const std::vector<MidiTrack>& tracks) {
  MidiTrack merged;
  std::vector<std::size_t> next(tracks.size(), 0);
  bool keptName = false;
  for (;;) {
    std::size_t best = tracks.size();
    std::tuple<std::uint32_t, int> bestKey;
    for (std::size_t index = 0; index < tracks.size(); ++index) {
      if (next[index] >= tracks[index].events.size()) continue;
      const MidiEvent& event = tracks[index].events[next[index]];
      const std::tuple<std::uint32_t, int> key{event.tick, MergeRank(event)};
      if (best == tracks.size() || key < bestKey) {
        best = index;
        bestKey = key;
      }
    }
    if (best == tracks.size()) break;
    const MidiEvent& event = tracks[best].events[next[best]++];
    if (event.IsMeta(kMetaTrackName)) {  // one title for the one track
      if (keptName) continue;
      keptName = true;
    }
    merged.events.push_back(event);
  }
  for (const MidiTrack& track : tracks) merged.endTick = std::max(merged.endTick, track.endTick);
  return merged;
}

std::vector<MidiTrack> SplitConductor(const MidiTrack& track) {
  std::vector<MidiTrack> split(2);
  for (const MidiEvent& event : track.events) {
    split[event.status == kMetaStatus ? 0 : 1].events.push_back(event);
  }
  split[0].endTick = split[1].endTick = track.endTick;
  return split;
}

std::uint32_t Rescale(std::uint32_t tick, std::uint16_t from, std::uint16_t to) {
  return static_cast<std::uint32_t>((std::uint64_t{tick} * to + from / 2) / from);
}

}  // namespace

Result<std::vector<std::uint8_t>> NormaliseSong(std::span<const std::uint8_t> bytes, std::uint16_t format) {
  if (format > 1) return Error{"the output format must be 0 or 1"};
  Result<MidiFile> read = ReadMidiFile(bytes);
  if (!read) return Error{read.ErrorMessage()};
  MidiFile file = std::move(read).Value();

  const bool divisionAllowed =
      std::find(kSongDivisions.begin(), kSongDivisions.end(), file.division) != kSongDivisions.end();
  for (MidiTrack& track : file.tracks) {
    std::erase_if(track.events, [](const MidiEvent& event) { return event.IsMeta(kMetaText); });
    if (divisionAllowed) continue;
    for (MidiEvent& event : track.events) event.tick = Rescale(event.tick, file.division, kRescaledDivision);
    track.endTick = Rescale(track.endTick, file.division, kRescaledDivision);
  }
  if (!divisionAllowed) file.division = kRescaledDivision;

  if (format == 0) {
    file.tracks = {MergeTracks(file.tracks)};
  } else if (file.tracks.size() == 1) {
    file.tracks = SplitConductor(file.tracks[0]);
  }
  file.format = format;
  if (file.tracks.size() > kMaximumSongTracks) {
    return Error{std::to_string(file.tracks.size()) + " tracks, more than " + std::to_string(kMaximumSongTracks)};
  }
  for (const MidiTrack& track : file.tracks) {
    for (const MidiEvent& event : track.events) {
      if (event.tick > 0x0FFFFFFFu) return Error{"an event lies beyond what a delta time can reach"};
    }
  }
  return WriteMidiFile(file);
}

double SongSeconds(const MidiFile& file) {
  // Tempo changes from every track, in time order; the last one at a tick wins.
  std::map<std::uint32_t, std::uint32_t> tempoAt;
  std::uint32_t end = 0;
  for (const MidiTrack& track : file.tracks) {
    end = std::max(end, track.endTick);
    for (const MidiEvent& event : track.events) {
      end = std::max(end, event.tick);
      if (event.IsMeta(kMetaTempo) && event.data.size() == 3) {
        tempoAt[event.tick] = (std::uint32_t{event.data[0]} << 16) | (std::uint32_t{event.data[1]} << 8) | event.data[2];
      }
    }
  }
  double seconds = 0;
  std::uint32_t tick = 0;
  std::uint32_t tempo = kDefaultTempo;
  for (const auto& [at, value] : tempoAt) {
    if (at >= end) break;
    seconds += double(at - tick) * tempo / (1e6 * file.division);
    tick = at;
    tempo = value;
  }
  seconds += double(end - tick) * tempo / (1e6 * file.division);
  return seconds;
}

}  // namespace wobbert
