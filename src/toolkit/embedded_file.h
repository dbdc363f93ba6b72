// A file compiled into the program as constant data (see cmake/EmbedFiles.cmake).
#pragma once

#include <cstdint>
#include <span>

namespace wobbert {

struct EmbeddedFile {
  const unsigned char* data;
  std::uint32_t size;

  std::span<const std::uint8_t> Bytes() const { return {data, size}; }
};

}  // namespace wobbert
