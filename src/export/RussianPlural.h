#pragma once
// The Russian word form that follows a count: the One form after 1, 21, 31 …, the Few form after
// 2-4, 22-24 …, the Many form after 0, 5-20, 25-30 … (11-14 take Many).

#include <cstdint>

namespace kvexport {

inline const char* RussianPlural(std::int64_t Count, const char* One, const char* Few, const char* Many) {
  const std::int64_t n = (Count < 0 ? -Count : Count) % 100;
  if (n >= 11 && n <= 14) return Many;
  switch (n % 10) {
    case 1: return One;
    case 2: case 3: case 4: return Few;
    default: return Many;
  }
}

}  // namespace kvexport
