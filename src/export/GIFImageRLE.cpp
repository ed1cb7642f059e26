#include "export/GIFImageEncoder.h"

namespace kvexport {
namespace {

// Writes a stream any LZW decoder accepts using only literal codes and the codes the decoder
// builds for runs of one pixel value. It keeps its own model of the decoder's code width
// (bump limit) and table (table max, table pixel) to know which run codes exist.
class TRLEEncoder final : public TGIFEncoder {
 public:
  using TGIFEncoder::TGIFEncoder;

 protected:
  void Clear() override {
    bumpLimit_ = bumpStart_;
    clearLimit_ = clearStart_;
    outputCount_ = 0;
    tableMax_ = 0;
    TGIFEncoder::Clear();
    bitsPerCode_ = initBitsPerCode_;
  }

  void DoCompress() override {
    bumpStart_ = clearCode_ - 1;
    clearStart_ = bitsPerPixel_ <= 3 ? 9 : bumpStart_ - 1;
    maxOutputCodes_ = 4095 - (clearCode_ + 2);
    Clear();
    runPixel_ = -1;
    long long runLength = 0;
    do {
      const int value = CurrentPixel();
      if (runLength > 0 && value != runPixel_) {
        FlushRun(runLength);
        runLength = 0;
      }
      if (value != runPixel_) {
        runPixel_ = value;
        runLength = 1;
      } else {
        ++runLength;
      }
    } while (BumpPixel());
    FlushRun(runLength);
  }

 private:
  void OutputPlain(int Code) {
    justCleared_ = false;
    OutputCode(Code);
    ++outputCount_;
    if (outputCount_ >= bumpLimit_) {
      ++bitsPerCode_;
      bumpLimit_ += 1 << (bitsPerCode_ - 1);
    }
    if (outputCount_ >= clearLimit_) Clear();
  }

  void FlushRun(long long N) {
    if (N == 1)
      OutputPlain(runPixel_);
    else if (justCleared_)
      FlushFromClear(N);
    else if (tableMax_ >= 2 && tablePixel_ == runPixel_)
      FlushWithTable(N);
    else
      FlushClearOrRepeat(N);
  }

  void FlushFromClear(long long N) {
    clearLimit_ = maxOutputCodes_;
    tablePixel_ = runPixel_;
    long long k = 1;
    while (N > 0) {
      if (k == 1) {
        tableMax_ = 1;
        OutputPlain(runPixel_);
        --N;
      } else if (N >= k) {
        tableMax_ = static_cast<int>(k);
        OutputPlain(baseCode_ + static_cast<int>(k) - 2);
        N -= k;
      } else {
        ++tableMax_;
        OutputPlain(N == 1 ? runPixel_ : baseCode_ + static_cast<int>(N) - 2);
        N = 0;
      }
      k = outputCount_ == 0 ? 1 : k + 1;
    }
    clearLimit_ = clearStart_;
    if (outputCount_ >= clearLimit_) Clear();
  }

  void FlushClearOrRepeat(long long N) {
    if (1 + TriangleCount(N, maxOutputCodes_) < N) {
      Clear();
      FlushFromClear(N);
    } else {
      for (long long i = 0; i < N; ++i) OutputPlain(runPixel_);
    }
  }

  void FlushWithTable(long long N) {
    long long repeats = N / tableMax_;
    long long leftover = N % tableMax_;
    long long extra = leftover > 0 ? 1 : 0;
    if (outputCount_ + repeats + extra > maxOutputCodes_) {
      repeats = maxOutputCodes_ - outputCount_;
      leftover = N - repeats * tableMax_;
      extra = 1 + TriangleCount(leftover, maxOutputCodes_);
    }
    if (1 + TriangleCount(N, maxOutputCodes_) < repeats + extra) {
      Clear();
      FlushFromClear(N);
      return;
    }
    clearLimit_ = maxOutputCodes_;
    for (long long i = 0; i < repeats; ++i) OutputPlain(baseCode_ + tableMax_ - 2);
    if (leftover > 0) {
      if (justCleared_)
        FlushFromClear(leftover);
      else
        OutputPlain(leftover == 1 ? runPixel_ : baseCode_ + static_cast<int>(leftover) - 2);
    }
    clearLimit_ = clearStart_;
    if (outputCount_ >= clearLimit_) Clear();
  }

  // Codes needed to send a run of Count from a fresh table, where the k-th code covers k pixels
  // and a table holds at most Codes of them.
  static long long TriangleCount(long long Count, long long Codes) {
    const long long perTable = Codes * (Codes + 1) / 2;
    long long cost = 0;
    while (Count >= perTable) {
      cost += Codes;
      Count -= perTable;
    }
    if (Count > 0) {
      long long n = IntegerSqrt(Count);
      while (n * (n + 1) >= 2 * Count) --n;
      while (n * (n + 1) < 2 * Count) ++n;
      cost += n;
    }
    return cost;
  }

  static long long IntegerSqrt(long long X) {
    if (X < 2) return X;
    long long r = 1;
    for (long long v = X; v > 0; v /= 4) r *= 2;
    for (;;) {
      const long long v = (X / r + r) / 2;
      if (v == r || v == r + 1) return r;
      r = v;
    }
  }

  int maxOutputCodes_ = 0;
  int bumpStart_ = 0;
  int clearStart_ = 0;
  int runPixel_ = -1;
  int tableMax_ = 0;
  int tablePixel_ = -1;
  int outputCount_ = 0;
  int clearLimit_ = 0;
  int bumpLimit_ = 0;
};

}  // namespace

std::unique_ptr<TGIFEncoder> MakeRLEEncoder(std::vector<std::uint8_t>& Out) {
  return std::make_unique<TRLEEncoder>(Out);
}

}  // namespace kvexport
