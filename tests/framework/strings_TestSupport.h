#pragma once
// Helpers shared by the list, string-list and ini tests.

#include <string>
#include <vector>

#include "framework/StringList.h"

namespace fw {

inline std::vector<std::string> Lines(const TStrings& s) {
  std::vector<std::string> out;
  for (Integer i = 0; i < s.Count(); ++i) out.push_back(s.Strings(i));
  return out;
}

// Counts its own destruction, to see who frees what.
class TCountedObject : public TObject {
 public:
  explicit TCountedObject(int& counter) : counter_(counter) {}
  ~TCountedObject() override { ++counter_; }

 private:
  int& counter_;
};

}  // namespace fw
