// icon_maker PICTURE.bmp OUTPUT.ico: the icon of wobbert.scr from one of our figure poses, at
// 48, 32 and 16 pixels (icon_file.h). Exits 1 with a message when the picture cannot be read or
// the icon cannot be written.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "icon_file.h"
#include "toolkit/bmp_reader.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: icon_maker PICTURE.bmp OUTPUT.ico\n");
    return 1;
  }
  std::ifstream input(argv[1], std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(input)), std::istreambuf_iterator<char>());
  if (!input.good() && !input.eof()) {
    std::fprintf(stderr, "icon_maker: cannot read %s\n", argv[1]);
    return 1;
  }
  const auto picture = wobbert::ReadBmp(bytes);
  if (!picture) {
    std::fprintf(stderr, "icon_maker: %s: %s\n", argv[1], picture.ErrorMessage().c_str());
    return 1;
  }
  constexpr int sizes[] = {48, 32, 16};
  const auto icon = wobbert::tools::MakeIcon(picture.Value(), sizes);
  if (!icon) {
    std::fprintf(stderr, "icon_maker: %s\n", icon.ErrorMessage().c_str());
    return 1;
  }
  std::ofstream output(argv[2], std::ios::binary | std::ios::trunc);
  output.write(reinterpret_cast<const char*>(icon.Value().data()), static_cast<std::streamsize>(icon.Value().size()));
  output.close();
  if (!output) {
    std::fprintf(stderr, "icon_maker: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
