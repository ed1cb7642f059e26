#pragma once
// Byte-level reading and writing helpers of the GIF file classes.

#include <cstdint>

#include "export/GIFImageException.h"
#include "framework/Streams.h"

namespace kvexport::gifio {

// Reads exactly Count bytes or raises "Premature end of data".
inline void ReadExact(fw::TStream* Stream, void* Buffer, int Count) {
  if (Stream->Read(Buffer, Count) != Count) throw GIFException("Premature end of data");
}
inline std::uint8_t ReadByte(fw::TStream* Stream) {
  std::uint8_t b = 0;
  ReadExact(Stream, &b, 1);
  return b;
}
// False at the end of the stream.
inline bool TryReadByte(fw::TStream* Stream, std::uint8_t& Value) { return Stream->Read(&Value, 1) == 1; }
inline std::uint16_t Word16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
inline void WriteByte(fw::TStream* Stream, std::uint8_t Value) { Stream->WriteBuffer(&Value, 1); }
inline void WriteWord(fw::TStream* Stream, std::uint16_t Value) {
  const std::uint8_t b[2] = {static_cast<std::uint8_t>(Value & 0xFF), static_cast<std::uint8_t>(Value >> 8)};
  Stream->WriteBuffer(b, 2);
}

}  // namespace kvexport::gifio
