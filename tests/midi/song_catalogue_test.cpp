// The embedded songs: every payload a whole, well-formed Standard MIDI File of the right shape.
#include "midi/song_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>

#include "midi/midi_file.h"

namespace wobbert {
namespace {

std::uint32_t BigEndian(const std::uint8_t* bytes, int count) {
  std::uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = (value << 8) | bytes[i];
  return value;
}

const std::set<std::size_t> kFormatZeroSongs = {8, 16, 19, 21, 22, 25, 26, 30, 31, 36, 38, 40, 41};

TEST(SongPayloads, AreWholeFilesOfHeaderAndAnnouncedTracks) {
  for (std::size_t i = 0; i < kSongCount; ++i) {
    const auto bytes = SongPayloads[i].Bytes();
    ASSERT_GE(bytes.size(), 14u) << "song " << i;
    EXPECT_EQ(std::memcmp(bytes.data(), "MThd\0\0\0\6", 8), 0) << "song " << i;
    const std::uint32_t trackCount = BigEndian(bytes.data() + 10, 2);
    // Walk the chunks by their stored lengths: they must end exactly where the payload ends.
    std::size_t position = 14;
    std::uint32_t chunks = 0;
    while (position + 8 <= bytes.size()) {
      EXPECT_EQ(std::memcmp(bytes.data() + position, "MTrk", 4), 0) << "song " << i << " chunk " << chunks;
      position += 8 + BigEndian(bytes.data() + position + 4, 4);
      ++chunks;
    }
    EXPECT_EQ(position, bytes.size()) << "song " << i;
    EXPECT_EQ(chunks, trackCount) << "song " << i;
    EXPECT_TRUE(ReadMidiFile(bytes)) << "song " << i;
  }
}

TEST(SongPayloads, HaveTheCatalogueFormatsDivisionsAndTrackCounts) {
  const std::set<std::uint16_t> divisions = {96, 120, 192, 240, 384, 480};
  for (std::size_t i = 0; i < kSongCount; ++i) {
    Result<MidiFile> file = ReadMidiFile(SongPayloads[i].Bytes());
    ASSERT_TRUE(file) << "song " << i << ": " << file.ErrorMessage();
    EXPECT_TRUE(divisions.contains(file.Value().division)) << "song " << i;
    if (kFormatZeroSongs.contains(i)) {
      EXPECT_EQ(file.Value().format, 0) << "song " << i;
      EXPECT_EQ(file.Value().tracks.size(), 1u) << "song " << i;
    } else {
      EXPECT_EQ(file.Value().format, 1) << "song " << i;
      EXPECT_GE(file.Value().tracks.size(), 2u) << "song " << i;
      EXPECT_LE(file.Value().tracks.size(), 32u) << "song " << i;
    }
  }
}

// Each file carries its title as the first track's name: this catches songs embedded out of order.
TEST(SongPayloads, AreInTheOrderOfTheTitles) {
  for (std::size_t i = 0; i < kSongCount; ++i) {
    Result<MidiFile> file = ReadMidiFile(SongPayloads[i].Bytes());
    ASSERT_TRUE(file) << "song " << i;
    const auto& events = file.Value().tracks[0].events;
    const auto name = std::find_if(events.begin(), events.end(),
                                   [](const MidiEvent& event) { return event.IsMeta(kMetaTrackName); });
    ASSERT_NE(name, events.end()) << "song " << i;
    EXPECT_EQ(std::string(name->data.begin(), name->data.end()), SongTitles[i]) << "song " << i;
  }
}

TEST(SongTitles, AreDistinctShortSingleByteTexts) {
  std::set<std::string> seen;
  std::size_t longest = 0;
  for (const char* title : SongTitles) {
    const std::string text = title;
    EXPECT_TRUE(seen.insert(text).second) << text;
    EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char c) { return c >= ' ' && c <= '~'; })) << text;
    longest = std::max(longest, text.size());
  }
  EXPECT_EQ(longest, 43u);
  EXPECT_EQ(std::string(SongTitles[19]).size(), 43u);
}

}  // namespace
}  // namespace wobbert
