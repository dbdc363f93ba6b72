// song_builder: the host tool that turns abc2midi's output into the embedded song files.
//
//   song_builder normalise <0|1> <input.mid> <output.mid>   write the normalised file
//   song_builder describe <file.mid>...                     format, tracks, division, seconds,
//                                                           General MIDI programs per file
// Exit status 0 on success, 1 on any error (the message goes to standard error).
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "midi/midi_file.h"
#include "song_normaliser.h"

namespace {

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

int Normalise(const std::string& format, const std::string& input, const std::string& output) {
  if (format != "0" && format != "1") {
    std::cerr << "song_builder: format must be 0 or 1\n";
    return 1;
  }
  std::vector<std::uint8_t> bytes;
  if (!ReadWholeFile(input, bytes)) {
    std::cerr << "song_builder: cannot read " << input << "\n";
    return 1;
  }
  auto normalised = wobbert::NormaliseSong(bytes, format == "0" ? 0 : 1);
  if (!normalised) {
    std::cerr << "song_builder: " << input << ": " << normalised.ErrorMessage() << "\n";
    return 1;
  }
  if (!WriteWholeFile(output, normalised.Value())) {
    std::cerr << "song_builder: cannot write " << output << "\n";
    return 1;
  }
  return 0;
}

int Describe(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  if (!ReadWholeFile(path, bytes)) {
    std::cerr << "song_builder: cannot read " << path << "\n";
    return 1;
  }
  auto file = wobbert::ReadMidiFile(bytes);
  if (!file) {
    std::cerr << "song_builder: " << path << ": " << file.ErrorMessage() << "\n";
    return 1;
  }
  std::set<int> programs;
  bool drums = false;
  for (const auto& track : file.Value().tracks) {
    for (const auto& event : track.events) {
      if (!event.IsChannelMessage()) continue;
      if ((event.status & 0x0F) == 9) drums = drums || (event.status & 0xF0) == 0x90;
      else if ((event.status & 0xF0) == 0xC0) programs.insert(event.data[0]);
    }
  }
  std::printf("%s\tformat %u\ttracks %zu\tdivision %u\tbytes %zu\tseconds %.1f\tprograms", path.c_str(),
              file.Value().format, file.Value().tracks.size(), file.Value().division, bytes.size(),
              wobbert::SongSeconds(file.Value()));
  for (int program : programs) std::printf(" %d", program);
  std::printf("%s\n", drums ? " drums" : "");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (arguments.size() == 4 && arguments[0] == "normalise") return Normalise(arguments[1], arguments[2], arguments[3]);
  if (arguments.size() >= 2 && arguments[0] == "describe") {
    int status = 0;
    for (std::size_t i = 1; i < arguments.size(); ++i) status |= Describe(arguments[i]);
    return status;
  }
  std::cerr << "usage: song_builder normalise <0|1> <input.mid> <output.mid>\n"
               "       song_builder describe <file.mid>...\n";
  return 1;
}
