// The song builder's normaliser: merging, splitting, rescaling, determinism and refusal.
#include "song_normaliser.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace wobbert {
namespace {

using Bytes = std::vector<std::uint8_t>;

MidiEvent Note(std::uint32_t tick, std::uint8_t channel, std::uint8_t key, std::uint8_t velocity) {
  return {tick, static_cast<std::uint8_t>(0x90 | channel), 0, {key, velocity}};
}
MidiEvent Meta(std::uint32_t tick, std::uint8_t type, Bytes data) { return {tick, kMetaStatus, type, std::move(data)}; }

// What abc2midi writes, in small: a conductor track and two voices on channels 1 and 2, with a
// comment copied into text events and the title as each track's name.
MidiFile AbcLikeSong(std::uint16_t division = 480) {
  MidiFile file;
  file.format = 1;
  file.division = division;
  file.tracks.resize(3);
  file.tracks[0].events = {Meta(0, kMetaText, {'n', 'o', 't', 'e'}), Meta(0, kMetaTrackName, {'S', 'o', 'n', 'g'}),
                           Meta(0, kMetaTempo, {0x07, 0xA1, 0x20}), Meta(960, kMetaTempo, {0x0F, 0x42, 0x40})};
  file.tracks[0].endTick = 960;
  file.tracks[1].events = {Meta(0, kMetaTrackName, {'S', 'o', 'n', 'g'}),
                           Meta(0, kMetaText, {'%', ' ', 'c', 'r', 'e', 'd', 'i', 't'}),
                           {0, 0xC0, 0, {73}},
                           Note(0, 0, 72, 80),
                           Note(480, 0, 72, 0),
                           Note(480, 0, 74, 80),
                           Note(1920, 0, 74, 0)};
  file.tracks[1].endTick = 1920;
  file.tracks[2].events = {{0, 0xC1, 0, {32}}, Note(480, 1, 72, 70), Note(480, 1, 48, 70), Note(1440, 1, 72, 0),
                           Note(1440, 1, 48, 0)};
  file.tracks[2].endTick = 1440;
  return file;
}

MidiFile Normalised(const MidiFile& input, std::uint16_t format) {
  Result<Bytes> bytes = NormaliseSong(WriteMidiFile(input), format);
  EXPECT_TRUE(bytes) << (bytes ? "" : bytes.ErrorMessage());
  if (!bytes) return {};
  Result<MidiFile> read = ReadMidiFile(bytes.Value());
  EXPECT_TRUE(read);
  return read ? read.Value() : MidiFile{};
}

TEST(SongNormaliser, FormatZeroMergesTracksInTimeOrderWithoutText) {
  const MidiFile merged = Normalised(AbcLikeSong(), 0);
  EXPECT_EQ(merged.format, 0);
  EXPECT_EQ(merged.division, 480);
  ASSERT_EQ(merged.tracks.size(), 1u);
  const std::vector<MidiEvent> expected = {
      Meta(0, kMetaTrackName, {'S', 'o', 'n', 'g'}),
      Meta(0, kMetaTempo, {0x07, 0xA1, 0x20}),
      {0, 0xC0, 0, {73}},
      {0, 0xC1, 0, {32}},
      Note(0, 0, 72, 80),
      // At 480 the melody's release comes before every note that starts there, from either track.
      Note(480, 0, 72, 0),
      Note(480, 0, 74, 80),
      Note(480, 1, 72, 70),
      Note(480, 1, 48, 70),
      Meta(960, kMetaTempo, {0x0F, 0x42, 0x40}),
      Note(1440, 1, 72, 0),
      Note(1440, 1, 48, 0),
      Note(1920, 0, 74, 0),
  };
  EXPECT_EQ(merged.tracks[0].events, expected);
  EXPECT_EQ(merged.tracks[0].endTick, 1920u);
}

TEST(SongNormaliser, FormatOneKeepsTracksAndDropsOnlyText) {
  const MidiFile input = AbcLikeSong();
  const MidiFile kept = Normalised(input, 1);
  EXPECT_EQ(kept.format, 1);
  ASSERT_EQ(kept.tracks.size(), 3u);
  for (std::size_t index = 0; index < 3; ++index) {
    std::vector<MidiEvent> withoutText = input.tracks[index].events;
    std::erase_if(withoutText, [](const MidiEvent& event) { return event.IsMeta(kMetaText); });
    EXPECT_EQ(kept.tracks[index].events, withoutText) << "track " << index;
    EXPECT_EQ(kept.tracks[index].endTick, input.tracks[index].endTick);
  }
}

TEST(SongNormaliser, SplitsASingleTrackForFormatOne) {
  const MidiFile merged = Normalised(AbcLikeSong(), 0);
  const MidiFile split = Normalised(merged, 1);
  ASSERT_EQ(split.tracks.size(), 2u);
  for (const MidiEvent& event : split.tracks[0].events) EXPECT_EQ(event.status, kMetaStatus);
  EXPECT_EQ(split.tracks[0].events.size(), 3u);
  EXPECT_EQ(split.tracks[1].events.size(), merged.tracks[0].events.size() - 3);
  EXPECT_EQ(split.tracks[1].endTick, 1920u);
}

TEST(SongNormaliser, RescalesADivisionOutsideTheList) {
  const MidiFile rescaled = Normalised(AbcLikeSong(960), 1);
  EXPECT_EQ(rescaled.division, 480);
  EXPECT_EQ(rescaled.tracks[1].events.back().tick, 960u);
  EXPECT_EQ(rescaled.tracks[2].events[1].tick, 240u);
  EXPECT_EQ(rescaled.tracks[1].endTick, 960u);
  // The same music at the same tempo: its playing time is unchanged.
  EXPECT_DOUBLE_EQ(SongSeconds(rescaled), SongSeconds(AbcLikeSong(960)));
  EXPECT_EQ(Normalised(AbcLikeSong(192), 1).division, 192);
}

TEST(SongNormaliser, IsDeterministicAndIdempotent) {
  const Bytes source = WriteMidiFile(AbcLikeSong());
  for (std::uint16_t format : {std::uint16_t{0}, std::uint16_t{1}}) {
    Result<Bytes> once = NormaliseSong(source, format);
    Result<Bytes> again = NormaliseSong(source, format);
    ASSERT_TRUE(once && again);
    EXPECT_EQ(once.Value(), again.Value());
    Result<Bytes> twice = NormaliseSong(once.Value(), format);
    ASSERT_TRUE(twice);
    EXPECT_EQ(twice.Value(), once.Value()) << "format " << format;
  }
}

TEST(SongNormaliser, RejectsBrokenInputAndResultsTheProgramCannotCarry) {
  const Bytes good = WriteMidiFile(AbcLikeSong());
  EXPECT_FALSE(NormaliseSong({good.data(), good.size() - 1}, 1));
  Bytes badStatus = good;
  badStatus[14 + 8 + 1] = 0x55;  // first event of the first track: a data byte with no status
  EXPECT_FALSE(NormaliseSong(badStatus, 0));
  EXPECT_FALSE(NormaliseSong(good, 2));

  MidiFile crowded = AbcLikeSong();
  crowded.tracks.resize(kMaximumSongTracks + 1, crowded.tracks[2]);
  EXPECT_FALSE(NormaliseSong(WriteMidiFile(crowded), 1));
  EXPECT_TRUE(NormaliseSong(WriteMidiFile(crowded), 0));
}

TEST(SongNormaliser, MeasuresPlayingTimeAcrossTempoChanges) {
  // 960 ticks at 0.5 s per quarter, then 960 at 1 s per quarter: 1 s + 2 s.
  EXPECT_DOUBLE_EQ(SongSeconds(AbcLikeSong()), 3.0);
}

}  // namespace
}  // namespace wobbert
