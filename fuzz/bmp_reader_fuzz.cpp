// Any bytes given to the BMP reader give a picture or an error, never a crash or a stray access.
#include <cstddef>
#include <cstdint>
#include <span>

#include "toolkit/bmp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  wobbert::Result<wobbert::Bitmap> result = wobbert::ReadBmp(std::span(data, size));
  if (result.Ok()) {
    const wobbert::Bitmap& bitmap = result.Value();
    volatile std::uint8_t sink = bitmap.ScanLine(bitmap.Height() - 1)[bitmap.Width() * 3 - 1];
    (void)sink;
  }
  return 0;
}
