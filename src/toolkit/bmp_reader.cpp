#include "toolkit/bmp_reader.h"

#include <array>
#include <cstring>

#include "toolkit/byte_order.h"

namespace wobbert {

namespace {

constexpr std::size_t fileHeaderSize = 14;
constexpr std::int64_t maximumSide = 16384;

struct Header {
  std::int64_t width = 0;
  std::int64_t height = 0;
  bool bottomUp = true;
  std::uint32_t bitsPerPixel = 0;
  std::uint32_t compression = 0;
  std::size_t pixelOffset = 0;
  std::size_t paletteOffset = 0;
  std::size_t paletteSize = 0;
};

using Palette = std::array<std::uint32_t, 256>;  // colour values, red in the low byte

Result<Header> ReadHeader(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < fileHeaderSize + 40) return Error{"BMP file too short"};
  const std::uint8_t* p = bytes.data();
  if (p[0] != 'B' || p[1] != 'M') return Error{"not a BMP file"};
  Header header;
  header.pixelOffset = ReadU32(p + 10);
  const std::uint32_t infoSize = ReadU32(p + 14);
  if (infoSize < 40) return Error{"unsupported BMP header size"};
  if (infoSize > bytes.size() - fileHeaderSize) return Error{"BMP header runs past the end"};
  header.width = ReadS32(p + 18);
  const std::int64_t height = ReadS32(p + 22);
  header.bottomUp = height > 0;
  header.height = height < 0 ? -height : height;
  if (ReadU16(p + 26) != 1) return Error{"BMP planes must be 1"};
  header.bitsPerPixel = ReadU16(p + 28);
  header.compression = ReadU32(p + 30);
  if (header.width <= 0 || header.height <= 0 || header.width > maximumSide || header.height > maximumSide) {
    return Error{"BMP size out of range"};
  }
  if (header.bitsPerPixel == 8) {
    if (header.compression != 0 && header.compression != 1) return Error{"unsupported 8-bit compression"};
    if (header.compression == 1 && !header.bottomUp) return Error{"RLE8 must be bottom-up"};
    const std::uint32_t used = ReadU32(p + 46);
    if (used > 256) return Error{"BMP palette too large"};
    header.paletteSize = used == 0 ? 256 : used;
    header.paletteOffset = fileHeaderSize + infoSize;
    if (header.paletteOffset + 4 * header.paletteSize > bytes.size()) return Error{"BMP palette runs past the end"};
  } else if (header.bitsPerPixel == 24) {
    if (header.compression != 0) return Error{"unsupported 24-bit compression"};
  } else {
    return Error{"unsupported BMP bits per pixel"};
  }
  if (header.pixelOffset < fileHeaderSize + infoSize || header.pixelOffset > bytes.size()) {
    return Error{"BMP pixel data offset out of range"};
  }
  return header;
}

void Store(Bitmap& bitmap, const Header& header, std::int64_t x, std::int64_t fileRow, std::uint32_t color) {
  const int y = static_cast<int>(header.bottomUp ? header.height - 1 - fileRow : fileRow);
  bitmap.SetPixel(static_cast<int>(x), y, color);
}

Result<Bitmap> ReadUncompressed(std::span<const std::uint8_t> bytes, const Header& header, const Palette& palette) {
  const std::int64_t rowBytes = ((header.width * header.bitsPerPixel + 31) / 32) * 4;
  // The last row need not carry its padding.
  const std::int64_t lastRowBytes = (header.width * header.bitsPerPixel + 7) / 8;
  const std::int64_t needed = rowBytes * (header.height - 1) + lastRowBytes;
  if (needed > static_cast<std::int64_t>(bytes.size() - header.pixelOffset)) return Error{"BMP pixel data truncated"};
  Bitmap bitmap(static_cast<int>(header.width), static_cast<int>(header.height));
  for (std::int64_t row = 0; row < header.height; ++row) {
    const std::uint8_t* in = bytes.data() + header.pixelOffset + row * rowBytes;
    for (std::int64_t x = 0; x < header.width; ++x) {
      std::uint32_t color;
      if (header.bitsPerPixel == 8) {
        if (in[x] >= header.paletteSize) return Error{"BMP palette index out of range"};
        color = palette[in[x]];
      } else {
        const std::uint8_t* px = in + 3 * x;
        color = Rgb(px[2], px[1], px[0]);
      }
      Store(bitmap, header, x, row, color);
    }
  }
  return bitmap;
}

Result<Bitmap> ReadRle8(std::span<const std::uint8_t> bytes, const Header& header, const Palette& palette) {
  Bitmap bitmap(static_cast<int>(header.width), static_cast<int>(header.height));
  const std::uint32_t ground = palette[0];
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) bitmap.SetPixel(x, y, ground);
  }
  std::size_t at = header.pixelOffset;
  const std::size_t end = bytes.size();
  std::int64_t x = 0, row = 0;
  auto colorOf = [&](std::uint8_t index) -> const std::uint32_t* {
    return index < header.paletteSize ? &palette[index] : nullptr;
  };
  while (true) {
    if (end - at < 2) return Error{"RLE8 data truncated"};
    const std::uint8_t count = bytes[at];
    const std::uint8_t value = bytes[at + 1];
    at += 2;
    if (count > 0) {
      if (row >= header.height || x + count > header.width) return Error{"RLE8 run outside the picture"};
      const std::uint32_t* color = colorOf(value);
      if (!color) return Error{"BMP palette index out of range"};
      for (int i = 0; i < count; ++i) Store(bitmap, header, x++, row, *color);
    } else if (value == 0) {  // end of line
      x = 0;
      ++row;
    } else if (value == 1) {  // end of bitmap
      return bitmap;
    } else if (value == 2) {  // delta
      if (end - at < 2) return Error{"RLE8 data truncated"};
      x += bytes[at];
      row += bytes[at + 1];
      at += 2;
      if (x > header.width || row > header.height) return Error{"RLE8 delta outside the picture"};
    } else {  // absolute run of `value` indices, padded to an even byte count
      const std::size_t stored = value + (value & 1u);
      if (end - at < stored) return Error{"RLE8 data truncated"};
      if (row >= header.height || x + value > header.width) return Error{"RLE8 run outside the picture"};
      for (std::size_t i = 0; i < value; ++i) {
        const std::uint32_t* color = colorOf(bytes[at + i]);
        if (!color) return Error{"BMP palette index out of range"};
        Store(bitmap, header, x++, row, *color);
      }
      at += stored;
    }
  }
}

}  // namespace

Result<Bitmap> ReadBmp(std::span<const std::uint8_t> bytes) {
  Result<Header> parsed = ReadHeader(bytes);
  if (!parsed) return Error{parsed.ErrorMessage()};
  const Header& header = parsed.Value();
  Palette palette{};
  for (std::size_t i = 0; i < header.paletteSize; ++i) {
    const std::uint8_t* entry = bytes.data() + header.paletteOffset + 4 * i;
    palette[i] = Rgb(entry[2], entry[1], entry[0]);
  }
  if (header.compression == 1) return ReadRle8(bytes, header, palette);
  return ReadUncompressed(bytes, header, palette);
}

}  // namespace wobbert
