#include "midi/midi_file.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <limits>
#include <string>

namespace wobbert {

namespace {

constexpr std::uint32_t kHeaderLength = 6;

// Reads big-endian fields and variable-length quantities; every read checks what is left.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t Remaining() const { return bytes_.size() - position_; }
  std::size_t Position() const { return position_; }

  bool Byte(std::uint8_t& value) {
    if (Remaining() < 1) return false;
    value = bytes_[position_++];
    return true;
  }
  bool BigEndian16(std::uint16_t& value) {
    if (Remaining() < 2) return false;
    value = static_cast<std::uint16_t>((bytes_[position_] << 8) | bytes_[position_ + 1]);
    position_ += 2;
    return true;
  }
  bool BigEndian32(std::uint32_t& value) {
    if (Remaining() < 4) return false;
    value = 0;
    for (int i = 0; i < 4; ++i) value = (value << 8) | bytes_[position_++];
    return true;
  }
  // At most four bytes, as the file format allows (values up to 0x0FFFFFFF).
  bool VariableLength(std::uint32_t& value) {
    value = 0;
    for (int count = 0; count < 4; ++count) {
      std::uint8_t byte = 0;
      if (!Byte(byte)) return false;
      value = (value << 7) | (byte & 0x7Fu);
      if ((byte & 0x80u) == 0) return true;
    }
    return false;
  }
  bool Take(std::size_t count, std::span<const std::uint8_t>& part) {
    if (Remaining() < count) return false;
    part = bytes_.subspan(position_, count);
    position_ += count;
    return true;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

std::size_t ChannelDataLength(std::uint8_t status) {
  const std::uint8_t kind = status & 0xF0;
  return (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
}

Error TrackError(std::size_t track, const std::string& what) {
  return Error{"track " + std::to_string(track) + ": " + what};
}

Result<MidiTrack> ReadTrack(std::span<const std::uint8_t> body, std::size_t index) {
  ByteReader reader(body);
  MidiTrack track;
  std::uint64_t tick = 0;
  std::uint8_t runningStatus = 0;
  bool ended = false;
  while (reader.Remaining() > 0) {
    if (ended) return TrackError(index, "events after End of Track");
    std::uint32_t delta = 0;
    if (!reader.VariableLength(delta)) return TrackError(index, "bad or cut delta time");
    tick += delta;
    if (tick > std::numeric_limits<std::uint32_t>::max()) return TrackError(index, "time overflows");
    std::uint8_t first = 0;
    if (!reader.Byte(first)) return TrackError(index, "event cut after its delta time");

    MidiEvent event;
    event.tick = static_cast<std::uint32_t>(tick);
    if (first == kMetaStatus || first == kSysexStatus || first == kSysexEscapeStatus) {
      event.status = first;
      if (first == kMetaStatus && !reader.Byte(event.metaType)) return TrackError(index, "cut meta event");
      std::uint32_t length = 0;
      std::span<const std::uint8_t> data;
      if (!reader.VariableLength(length) || !reader.Take(length, data)) {
        return TrackError(index, "meta or system exclusive length runs past the track");
      }
      event.data.assign(data.begin(), data.end());
      if (first != kMetaStatus) runningStatus = 0;
      if (event.IsMeta(kMetaEndOfTrack)) {
        ended = true;
        track.endTick = event.tick;
        continue;
      }
    } else if (first > kSysexStatus) {
      return TrackError(index, "system real-time or common message in a file");
    } else {
      std::size_t dataLeft = 0;
      if (first & 0x80u) {
        event.status = runningStatus = first;
        dataLeft = ChannelDataLength(first);
      } else {
        if (runningStatus == 0) return TrackError(index, "data byte without a status");
        event.status = runningStatus;
        event.data.push_back(first);
        dataLeft = ChannelDataLength(runningStatus) - 1;
      }
      for (; dataLeft > 0; --dataLeft) {
        std::uint8_t byte = 0;
        if (!reader.Byte(byte)) return TrackError(index, "channel message cut short");
        if (byte & 0x80u) return TrackError(index, "status byte where a data byte belongs");
        event.data.push_back(byte);
      }
    }
    track.events.push_back(std::move(event));
  }
  if (!ended) return TrackError(index, "no End of Track");
  return track;
}

void AppendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void AppendVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value) {
  assert(value <= 0x0FFFFFFFu);
  std::uint8_t groups[4];
  int count = 0;
  do {
    groups[count++] = static_cast<std::uint8_t>(value & 0x7Fu);
    value >>= 7;
  } while (value != 0 && count < 4);
  while (count > 1) out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80u));
  out.push_back(groups[0]);
}

void AppendChunkId(std::vector<std::uint8_t>& out, const char* id) { out.insert(out.end(), id, id + 4); }

}  // namespace

Result<MidiFile> ReadMidiFile(std::span<const std::uint8_t> bytes) {
  ByteReader reader(bytes);
  std::span<const std::uint8_t> id;
  std::uint32_t headerLength = 0;
  if (!reader.Take(4, id) || !std::equal(id.begin(), id.end(), "MThd")) return Error{"no MThd header"};
  if (!reader.BigEndian32(headerLength) || headerLength != kHeaderLength) return Error{"header length is not 6"};
  MidiFile file;
  std::uint16_t trackCount = 0;
  if (!reader.BigEndian16(file.format) || !reader.BigEndian16(trackCount) || !reader.BigEndian16(file.division)) {
    return Error{"header cut short"};
  }
  if (file.format > 1) return Error{"format " + std::to_string(file.format) + " is not supported"};
  if (file.division == 0 || (file.division & 0x8000u)) return Error{"division is not ticks per quarter note"};
  if (trackCount == 0) return Error{"no tracks"};
  if (file.format == 0 && trackCount != 1) return Error{"format 0 with more than one track"};

  for (std::size_t index = 0; index < trackCount; ++index) {
    std::uint32_t length = 0;
    std::span<const std::uint8_t> body;
    if (!reader.Take(4, id) || !std::equal(id.begin(), id.end(), "MTrk")) return TrackError(index, "no MTrk chunk");
    if (!reader.BigEndian32(length) || !reader.Take(length, body)) return TrackError(index, "chunk runs past the file");
    Result<MidiTrack> track = ReadTrack(body, index);
    if (!track) return Error{track.ErrorMessage()};
    file.tracks.push_back(std::move(track).Value());
  }
  if (reader.Remaining() != 0) return Error{"bytes after the last announced track"};
  return file;
}

std::vector<std::uint8_t> WriteMidiFile(const MidiFile& file) {
  assert(!file.tracks.empty() && file.tracks.size() <= 0xFFFF);
  std::vector<std::uint8_t> out;
  AppendChunkId(out, "MThd");
  AppendBigEndian(out, kHeaderLength, 4);
  AppendBigEndian(out, file.format, 2);
  AppendBigEndian(out, static_cast<std::uint32_t>(file.tracks.size()), 2);
  AppendBigEndian(out, file.division, 2);

  for (const MidiTrack& track : file.tracks) {
    AppendChunkId(out, "MTrk");
    const std::size_t lengthAt = out.size();
    AppendBigEndian(out, 0, 4);
    std::uint32_t lastTick = 0;
    std::uint8_t runningStatus = 0;
    for (const MidiEvent& event : track.events) {
      if (event.IsMeta(kMetaEndOfTrack)) continue;
      assert(event.tick >= lastTick);
      AppendVariableLength(out, event.tick - lastTick);
      lastTick = event.tick;
      if (event.IsChannelMessage()) {
        if (event.status != runningStatus) out.push_back(event.status);
        runningStatus = event.status;
      } else {
        out.push_back(event.status);
        if (event.status == kMetaStatus) out.push_back(event.metaType);
        AppendVariableLength(out, static_cast<std::uint32_t>(event.data.size()));
        runningStatus = 0;
      }
      out.insert(out.end(), event.data.begin(), event.data.end());
    }
    AppendVariableLength(out, std::max(track.endTick, lastTick) - lastTick);
    out.insert(out.end(), {kMetaStatus, kMetaEndOfTrack, 0x00});
    const auto length = static_cast<std::uint32_t>(out.size() - lengthAt - 4);
    for (int i = 0; i < 4; ++i) out[lengthAt + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(length >> (24 - 8 * i));
  }
  return out;
}

}  // namespace wobbert
