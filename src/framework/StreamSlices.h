#pragma once
// Whole buffers of any size through a stream: TStream's ReadBuffer and WriteBuffer take an
// Integer count, so a buffer of 2 GiB or more goes in slices.

#include <cstddef>

namespace fw {

class TStream;

// The most bytes one ReadBuffer or WriteBuffer call is given: 1 GiB (tests lower it).
extern std::size_t StreamSliceBytes;

// All or nothing, as ReadBuffer and WriteBuffer.
void ReadSliced(TStream* Stream, void* Buffer, std::size_t Count);
void WriteSliced(TStream* Stream, const void* Buffer, std::size_t Count);

}  // namespace fw
