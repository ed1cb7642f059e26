#pragma once
// Little-endian bytes gathered in a buffer and handed to a stream in large pieces, for the
// picture writers that produce a file front to back.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/Streams.h"

namespace kvexport {

class TByteSink {
 public:
  explicit TByteSink(fw::TStream& Stream) : FStream(Stream) { FBuffer.reserve(kChunk + 1024); }
  TByteSink(const TByteSink&) = delete;
  TByteSink& operator=(const TByteSink&) = delete;

  void Byte(std::uint8_t V) {
    FBuffer.push_back(V);
    ++FWritten;
    if (FBuffer.size() >= kChunk) Flush();
  }
  void Word(std::uint16_t V) {
    Byte(std::uint8_t(V));
    Byte(std::uint8_t(V >> 8));
  }
  void Long(std::uint32_t V) {
    Word(std::uint16_t(V));
    Word(std::uint16_t(V >> 16));
  }
  void Bytes(const void* Data, std::size_t Count) {
    const auto* p = static_cast<const std::uint8_t*>(Data);
    FBuffer.insert(FBuffer.end(), p, p + Count);
    FWritten += Count;
    if (FBuffer.size() >= kChunk) Flush();
  }
  void Zeros(std::size_t Count) {
    FBuffer.insert(FBuffer.end(), Count, 0);
    FWritten += Count;
    if (FBuffer.size() >= kChunk) Flush();
  }
  // Bytes handed over so far, flushed or not.
  std::uint64_t Written() const { return FWritten; }
  // Raises fw::EWriteError when the stream takes fewer bytes than given.
  void Flush() {
    std::size_t done = 0;
    while (done < FBuffer.size()) {
      const std::size_t n = std::min<std::size_t>(FBuffer.size() - done, kChunk);
      FStream.WriteBuffer(FBuffer.data() + done, fw::Integer(n));
      done += n;
    }
    FBuffer.clear();
  }

 private:
  static constexpr std::size_t kChunk = 1 << 20;
  fw::TStream& FStream;
  std::vector<std::uint8_t> FBuffer;
  std::uint64_t FWritten = 0;
};

}  // namespace kvexport
