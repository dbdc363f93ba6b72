// Reading and writing Standard MIDI Files: hand-built byte arrays, good and broken.
#include "midi/midi_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace wobbert {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Header(std::uint8_t format, std::uint8_t tracks, std::uint16_t division = 96) {
  return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, format, 0, tracks,
          static_cast<std::uint8_t>(division >> 8), static_cast<std::uint8_t>(division)};
}

Bytes Track(const Bytes& body) {
  Bytes chunk = {'M', 'T', 'r', 'k', 0, 0, static_cast<std::uint8_t>(body.size() >> 8),
                 static_cast<std::uint8_t>(body.size())};
  chunk.insert(chunk.end(), body.begin(), body.end());
  return chunk;
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

// Tempo, a program change, a chord in running status (note-on velocity 0 as note-off), a pitch
// bend, a system exclusive message after which the status must be given again, and a delta time
// of 200 ticks in two bytes.
const Bytes kConductor = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x03, 0x02, 'H', 'i',
                          0x00, 0xFF, 0x2F, 0x00};
const Bytes kNotes = {0x00, 0xC1, 0x30,              // program 48 on channel 2
                      0x00, 0x91, 0x3C, 0x50,        // note on C4
                      0x00, 0x40, 0x50,              // running status: E4
                      0x81, 0x48, 0x3C, 0x00,        // 200 ticks later, C4 off (velocity 0)
                      0x00, 0x40, 0x00,              // E4 off
                      0x0A, 0xE1, 0x00, 0x40,        // pitch bend centre
                      0x00, 0xF0, 0x02, 0x7E, 0xF7,  // system exclusive
                      0x05, 0x81, 0x3C, 0x40,        // explicit note-off
                      0x10, 0xFF, 0x2F, 0x00};

TEST(MidiFile, ReadsEventsWithRunningStatusAndAbsoluteTimes) {
  const Bytes bytes = Join({Header(1, 2), Track(kConductor), Track(kNotes)});
  Result<MidiFile> file = ReadMidiFile(bytes);
  ASSERT_TRUE(file) << file.ErrorMessage();
  EXPECT_EQ(file.Value().format, 1);
  EXPECT_EQ(file.Value().division, 96);
  ASSERT_EQ(file.Value().tracks.size(), 2u);

  const std::vector<MidiEvent>& conductor = file.Value().tracks[0].events;
  ASSERT_EQ(conductor.size(), 2u);
  EXPECT_TRUE(conductor[0].IsMeta(kMetaTempo));
  EXPECT_EQ(conductor[0].data, (Bytes{0x07, 0xA1, 0x20}));
  EXPECT_TRUE(conductor[1].IsMeta(kMetaTrackName));

  const MidiTrack& notes = file.Value().tracks[1];
  ASSERT_EQ(notes.events.size(), 8u);
  EXPECT_EQ(notes.events[2], (MidiEvent{0, 0x91, 0, {0x40, 0x50}}));
  EXPECT_EQ(notes.events[3], (MidiEvent{200, 0x91, 0, {0x3C, 0x00}}));
  EXPECT_EQ(notes.events[5], (MidiEvent{210, 0xE1, 0, {0x00, 0x40}}));
  EXPECT_EQ(notes.events[6], (MidiEvent{210, kSysexStatus, 0, {0x7E, 0xF7}}));
  EXPECT_EQ(notes.events[7], (MidiEvent{215, 0x81, 0, {0x3C, 0x40}}));
  EXPECT_EQ(notes.endTick, 231u);
}

TEST(MidiFile, WritingAndReadingAgainGivesTheSameFile) {
  const Bytes bytes = Join({Header(1, 2), Track(kConductor), Track(kNotes)});
  const MidiFile file = ReadMidiFile(bytes).Value();
  const Bytes written = WriteMidiFile(file);
  // The input already uses running status wherever the writer may, so the bytes come back as well.
  EXPECT_EQ(written, bytes);
  Result<MidiFile> again = ReadMidiFile(written);
  ASSERT_TRUE(again);
  EXPECT_EQ(again.Value(), file);
}

TEST(MidiFile, WritesLongDeltaTimesAsVariableLengthQuantities) {
  MidiFile file;
  file.format = 0;
  file.tracks.resize(1);
  file.tracks[0].events.push_back({0x0FFFFFFF, 0x90, 0, {60, 1}});
  file.tracks[0].endTick = 0x0FFFFFFF;
  const Bytes written = WriteMidiFile(file);
  const Bytes expectedTrack = {0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 1, 0x00, 0xFF, 0x2F, 0x00};
  EXPECT_EQ(written, Join({Header(0, 1, 480), Track(expectedTrack)}));
  Result<MidiFile> read = ReadMidiFile(written);
  ASSERT_TRUE(read);
  EXPECT_EQ(read.Value(), file);
}

TEST(MidiFile, RejectsBrokenFiles) {
  const Bytes notes = Track(kNotes);
  struct Case {
    const char* what;
    Bytes bytes;
  };
  const Case cases[] = {
      {"empty", {}},
      {"wrong magic", Join({Bytes{'M', 'T', 'h', 'x', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96}, notes})},
      {"header length 8", Join({Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 8, 0, 0, 0, 1, 0, 96, 0, 0}, notes})},
      {"header cut", Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0}},
      {"format 2", Join({Header(2, 1), notes})},
      {"SMPTE division", Join({Header(0, 1, 0xE728), notes})},
      {"division 0", Join({Header(0, 1, 0), notes})},
      {"no tracks", Header(1, 0)},
      {"format 0 with two tracks", Join({Header(0, 2), notes, notes})},
      {"fewer tracks than announced", Join({Header(1, 3), notes, notes})},
      {"bytes after the last track", Join({Header(0, 1), notes, Bytes{0}})},
      {"unknown chunk instead of a track", Join({Header(0, 1), Bytes{'X', 'Y', 'Z', 'W', 0, 0, 0, 0}})},
      {"chunk longer than the file", Join({Header(0, 1), Bytes{'M', 'T', 'r', 'k', 0, 0, 1, 0, 0, 0xFF, 0x2F, 0}})},
      {"no End of Track", Join({Header(0, 1), Track({0x00, 0x90, 60, 64})})},
      {"events after End of Track", Join({Header(0, 1), Track({0x00, 0xFF, 0x2F, 0x00, 0x00, 0x90, 60, 64})})},
      {"data byte without status", Join({Header(0, 1), Track({0x00, 60, 64, 0x00, 0xFF, 0x2F, 0x00})})},
      {"status inside a message", Join({Header(0, 1), Track({0x00, 0x90, 60, 0x90, 0x00, 0xFF, 0x2F, 0x00})})},
      {"five-byte delta time", Join({Header(0, 1), Track({0x81, 0x81, 0x81, 0x81, 0x01, 0xFF, 0x2F, 0x00})})},
      {"meta longer than the track", Join({Header(0, 1), Track({0x00, 0xFF, 0x01, 0x20, 'a', 0x00, 0xFF, 0x2F, 0x00})})},
      {"system exclusive longer than the track", Join({Header(0, 1), Track({0x00, 0xF0, 0x7F})})},
      {"real-time message", Join({Header(0, 1), Track({0x00, 0xF8, 0x00, 0xFF, 0x2F, 0x00})})},
      {"message cut at the end", Join({Header(0, 1), Track({0x00, 0x90, 60})})},
  };
  for (const Case& broken : cases) {
    EXPECT_FALSE(ReadMidiFile(broken.bytes)) << broken.what;
  }

  Bytes farAway;  // 17 of the longest delta times add up to more than 32 bits of ticks
  for (int i = 0; i < 17; ++i) farAway.insert(farAway.end(), {0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x01, 0x00});
  farAway.insert(farAway.end(), {0x00, 0xFF, 0x2F, 0x00});
  Bytes track = {'M', 'T', 'r', 'k', 0, 0, 0, static_cast<std::uint8_t>(farAway.size())};
  track.insert(track.end(), farAway.begin(), farAway.end());
  EXPECT_FALSE(ReadMidiFile(Join({Header(0, 1), track}))) << "time beyond 32 bits";
}

TEST(MidiFile, RejectsEveryTruncationOfAGoodFile) {
  const Bytes bytes = Join({Header(1, 2), Track(kConductor), Track(kNotes)});
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    EXPECT_FALSE(ReadMidiFile({bytes.data(), length})) << "cut to " << length << " bytes";
  }
}

}  // namespace
}  // namespace wobbert
