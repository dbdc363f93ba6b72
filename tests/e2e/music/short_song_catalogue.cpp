// Short stand-ins for the 47 songs, for the end-to-end test in which one song's end must start
// the next: song i is four quarter notes of pitch 48 + i on a piano, 2 seconds at 120 beats a
// minute, so the songs differ from one another byte for byte. They replace the shipped catalogue
// in the test program wobbert_short_songs only; the shipped songs are untouched.
#include <cstdint>
#include <vector>

#include "midi/song_catalogue.h"

namespace wobbert {

namespace {

std::vector<std::uint8_t> ShortSong(int index) {
  const auto pitch = static_cast<std::uint8_t>(48 + index);
  std::vector<std::uint8_t> track = {0x00, 0xC0, 0x00};
  for (int note = 0; note < 4; ++note) {
    track.insert(track.end(), {0x00, 0x90, pitch, 0x64, 0x60, 0x80, pitch, 0x40});
  }
  track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
  std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,
                                    'M', 'T', 'r', 'k', 0, 0, 0, static_cast<std::uint8_t>(track.size())};
  file.insert(file.end(), track.begin(), track.end());
  return file;
}

const std::vector<std::vector<std::uint8_t>> songs = [] {
  std::vector<std::vector<std::uint8_t>> all;
  for (int i = 0; i < static_cast<int>(kSongCount); ++i) all.push_back(ShortSong(i));
  return all;
}();

EmbeddedFile Payload(std::size_t i) { return {songs[i].data(), static_cast<std::uint32_t>(songs[i].size())}; }

}  // namespace

const std::array<const char*, kSongCount> SongTitles = [] {
  std::array<const char*, kSongCount> titles{};
  titles.fill("Short song");
  return titles;
}();

const EmbeddedFile SongPayloads[kSongCount] = {
    Payload(0),
    Payload(1),
    Payload(2),
    Payload(3),
    Payload(4),
    Payload(5),
    Payload(6),
    Payload(7),
    Payload(8),
    Payload(9),
    Payload(10),
    Payload(11),
    Payload(12),
    Payload(13),
    Payload(14),
    Payload(15),
    Payload(16),
    Payload(17),
    Payload(18),
    Payload(19),
    Payload(20),
    Payload(21),
    Payload(22),
    Payload(23),
    Payload(24),
    Payload(25),
    Payload(26),
    Payload(27),
    Payload(28),
    Payload(29),
    Payload(30),
    Payload(31),
    Payload(32),
    Payload(33),
    Payload(34),
    Payload(35),
    Payload(36),
    Payload(37),
    Payload(38),
    Payload(39),
    Payload(40),
    Payload(41),
    Payload(42),
    Payload(43),
    Payload(44),
    Payload(45),
    Payload(46)};

}  // namespace wobbert
