#pragma once
// Helpers of the graphics tests: an independent reader of written image files (Pillow, run by
// the system's Python), and pixel reads that do not go through the classes under test.

#include <cstdio>
#include <string>
#include <vector>

#include "framework/GraphicsBitmap.h"
#include "platform/gdi/GdiBitmaps.h"

namespace kvtest {

// Runs `script` with /usr/bin/python3 and returns what it printed; "ERROR" and the exit status
// when it failed.
inline std::string RunPython(const std::string& script) {
  const std::string command = "/usr/bin/python3 -c '" + script + "' 2>&1";
  std::string out;
  if (FILE* p = ::popen(command.c_str(), "r")) {
    char buf[512];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    const int status = ::pclose(p);
    if (status != 0) out = "ERROR " + std::to_string(status) + ": " + out;
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

// The bitmap's pixels as 0x00RRGGBB words, top row first, read with GetDIBits.
inline std::vector<uint32_t> PixelsByDIBits(fw::TBitmap& bmp) {
  const int w = bmp.Width(), h = bmp.Height();
  std::vector<uint32_t> px(size_t(w) * size_t(h));
  win::BITMAPINFO bi{};
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biBitCount = 32;
  if (win::GetDIBits(nullptr, bmp.Handle(), 0, win::UINT(h), px.data(), &bi, win::DIB_RGB_COLORS) != h) return {};
  for (auto& p : px) p &= 0xFFFFFF;
  return px;
}

}  // namespace kvtest
