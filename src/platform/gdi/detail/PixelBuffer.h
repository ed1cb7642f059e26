#pragma once
// Internal to the drawing layer: the bytes of a bitmap. New bytes read as zero, as a new DIB
// section's do, but a large new buffer is not written to make them so: it comes from calloc,
// whose fresh memory is the system's zeroed pages, mapped only where something is drawn. A
// window surface or the whole-screen picture then costs nothing until it is painted.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace win::gdi {

class PixelBuffer {
 public:
  PixelBuffer() = default;
  PixelBuffer(const PixelBuffer&) = delete;
  PixelBuffer& operator=(const PixelBuffer&) = delete;
  PixelBuffer(PixelBuffer&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
        capacity_(std::exchange(other.capacity_, 0)) {}
  PixelBuffer& operator=(PixelBuffer&& other) noexcept {
    if (this != &other) {
      std::free(data_);
      data_ = std::exchange(other.data_, nullptr);
      size_ = std::exchange(other.size_, 0);
      capacity_ = std::exchange(other.capacity_, 0);
    }
    return *this;
  }
  ~PixelBuffer() { std::free(data_); }

  uint8_t* data() { return data_; }
  const uint8_t* data() const { return data_; }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  uint8_t& operator[](size_t i) { return data_[i]; }
  const uint8_t& operator[](size_t i) const { return data_[i]; }
  uint8_t* begin() { return data_; }
  uint8_t* end() { return data_ + size_; }
  const uint8_t* begin() const { return data_; }
  const uint8_t* end() const { return data_ + size_; }

  // `count` bytes of `value`; throws std::bad_alloc when the memory is not there.
  void assign(size_t count, uint8_t value) {
    uint8_t* fresh = Zeroed(count);
    std::free(data_);
    data_ = fresh;
    size_ = capacity_ = count;
    if (value != 0 && count > 0) std::memset(data_, value, count);
  }

  // Grows with zero bytes, keeping the bytes held; a smaller size keeps the memory, and the bytes
  // given up read as zero when the size grows again.
  void resize(size_t count) {
    if (count <= size_) {
      size_ = count;
      return;
    }
    if (count <= capacity_) {
      std::memset(data_ + size_, 0, count - size_);
    } else {
      uint8_t* fresh = Zeroed(count);
      if (size_ > 0) std::memcpy(fresh, data_, size_);
      std::free(data_);
      data_ = fresh;
      capacity_ = count;
    }
    size_ = count;
  }

  friend bool operator==(const PixelBuffer& a, const PixelBuffer& b) {
    return a.size_ == b.size_ && (a.size_ == 0 || std::memcmp(a.data_, b.data_, a.size_) == 0);
  }

 private:
  static uint8_t* Zeroed(size_t count) {
    if (count == 0) return nullptr;
    auto* p = static_cast<uint8_t*>(std::calloc(count, 1));
    if (!p) throw std::bad_alloc();
    return p;
  }

  uint8_t* data_ = nullptr;
  size_t size_ = 0;
  size_t capacity_ = 0;
};

}  // namespace win::gdi
