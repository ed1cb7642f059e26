#include "framework/StreamSlices.h"

#include <algorithm>

#include "framework/Streams.h"

namespace fw {

std::size_t StreamSliceBytes = std::size_t(1) << 30;

namespace {
// Never 0, never past what an Integer counts.
std::size_t Slice(std::size_t Left) {
  return std::min(Left, std::clamp<std::size_t>(StreamSliceBytes, 1, std::size_t(1) << 30));
}
}  // namespace

void ReadSliced(TStream* Stream, void* Buffer, std::size_t Count) {
  auto* at = static_cast<char*>(Buffer);
  for (std::size_t done = 0; done < Count;) {
    const std::size_t slice = Slice(Count - done);
    Stream->ReadBuffer(at + done, Integer(slice));
    done += slice;
  }
}

void WriteSliced(TStream* Stream, const void* Buffer, std::size_t Count) {
  const auto* at = static_cast<const char*>(Buffer);
  for (std::size_t done = 0; done < Count;) {
    const std::size_t slice = Slice(Count - done);
    Stream->WriteBuffer(at + done, Integer(slice));
    done += slice;
  }
}

}  // namespace fw
