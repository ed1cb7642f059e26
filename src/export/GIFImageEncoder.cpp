#include "export/GIFImageEncoder.h"

#include "export/GIFImageCoders.h"
#include "export/GIFImageException.h"
#include "framework/Streams.h"

namespace kvexport {

void TGIFWriter::Flush() {
  if (count_ <= 1) return;
  buffer_[0] = static_cast<std::uint8_t>(count_ - 1);
  out_.insert(out_.end(), buffer_, buffer_ + count_);
  count_ = 1;
}

void TGIFEncoder::Encode(const GIFCodedFrame& Frame) {
  bitsPerPixel_ = Frame.BitsPerPixel < 2 ? 2 : Frame.BitsPerPixel;
  if (bitsPerPixel_ > 8) throw GIFException("Invalid GIF data");
  // A value the code size cannot express would turn into a control code.
  colorCount_ = Frame.ColorCount < (1 << bitsPerPixel_) ? Frame.ColorCount : 1 << bitsPerPixel_;
  width_ = Frame.Width;
  height_ = Frame.Height;
  interlace_ = Frame.Interlaced;
  data_ = Frame.Data;
  out_.push_back(static_cast<std::uint8_t>(bitsPerPixel_));

  initBitsPerCode_ = bitsPerPixel_ + 1;
  bitsPerCode_ = initBitsPerCode_;
  clearCode_ = 1 << bitsPerPixel_;
  endCode_ = clearCode_ + 1;
  baseCode_ = clearCode_ + 2;
  maxCode_ = (1 << initBitsPerCode_) - 1;
  bitBucket_ = 0;
  bitCount_ = 0;
  pixelsLeft_ = interlace_ ? width_ : static_cast<long long>(width_) * height_;
  row_ = 0;
  pass_ = 0;
  pixel_ = data_;

  TGIFWriter writer(out_);
  writer_ = &writer;
  if (data_ && width_ >= 1 && height_ >= 1) DoCompress();
  OutputCode(endCode_);
  writer.Flush();
  writer_ = nullptr;
  out_.push_back(0);
}

void TGIFEncoder::OutputCode(int Code) {
  if (bitCount_ == 0)
    bitBucket_ = static_cast<std::uint32_t>(Code);
  else
    bitBucket_ = (static_cast<std::uint32_t>(Code) << bitCount_) | (bitBucket_ & ((1u << bitCount_) - 1));
  bitCount_ += bitsPerCode_;
  while (bitCount_ >= 8) {
    writer_->Put(static_cast<std::uint8_t>(bitBucket_));
    bitBucket_ >>= 8;
    bitCount_ -= 8;
  }
  if (Code == endCode_) {
    while (bitCount_ > 0) {
      writer_->Put(static_cast<std::uint8_t>(bitBucket_));
      bitBucket_ >>= 8;
      bitCount_ -= 8;
    }
    bitCount_ = 0;
    bitBucket_ = 0;
  }
}

void TGIFEncoder::Clear() {
  justCleared_ = true;
  OutputCode(clearCode_);
}

bool TGIFEncoder::BumpPixel() {
  if (--pixelsLeft_ > 0) {
    ++pixel_;
    return true;
  }
  const std::uint8_t* row = NextInterlacedRow();
  if (!row) return false;
  pixelsLeft_ = width_;
  pixel_ = row;
  return true;
}

const std::uint8_t* TGIFEncoder::NextInterlacedRow() {
  if (!interlace_) return nullptr;
  // A pass whose first row lies below the picture is skipped, so that short pictures
  // still send every row.
  static constexpr int kStep[4] = {8, 8, 4, 2};
  static constexpr int kNextStart[4] = {4, 2, 1, 0};
  row_ += kStep[pass_];
  while (row_ >= height_ && pass_ < 3) {
    row_ = kNextStart[pass_];
    ++pass_;
  }
  if (row_ >= height_) return nullptr;
  return data_ + static_cast<std::size_t>(row_) * static_cast<std::size_t>(width_);
}

void TGIFEncoder::CheckColors(const std::uint8_t* Pixels, std::size_t Count) const {
  if (colorCount_ >= 256) return;
  // No early exit, so the compiler can vectorise the scan.
  std::uint8_t largest = 0;
  for (std::size_t i = 0; i < Count; ++i) largest = Pixels[i] > largest ? Pixels[i] : largest;
  if (largest >= colorCount_) throw GIFException("Color not in color table");
}

int TGIFEncoder::CurrentPixel() const {
  const int value = *pixel_;
  if (value >= colorCount_) throw GIFException("Color not in color table");
  return value;
}

void GIFEncodeFrame(std::vector<std::uint8_t>& Out, const GIFCodedFrame& Frame, int Compression) {
  auto encoder = Compression == GIFCompressionRLE ? MakeRLEEncoder(Out) : MakeLZWEncoder(Out);
  encoder->Encode(Frame);
}

void GIFEncodeFrame(fw::TStream& Stream, const GIFCodedFrame& Frame, int Compression) {
  std::vector<std::uint8_t> out;
  GIFEncodeFrame(out, Frame, Compression);
  Stream.WriteBuffer(out.data(), static_cast<fw::Integer>(out.size()));
}

}  // namespace kvexport
