#pragma once
// Reads the system's font list on a thread of its own while the program starts: the first text
// our windows measure would otherwise wait for the font configuration to be parsed and every
// font registered. Qt's font database takes one lock for this, so whoever comes second waits
// for the list instead of reading it again.

#include <thread>

namespace win::presenter {

class FontWarmUp {
 public:
  // Starts reading; the GUI application must exist.
  FontWarmUp();
  // Waits for the reading to end.
  ~FontWarmUp();
  FontWarmUp(const FontWarmUp&) = delete;
  FontWarmUp& operator=(const FontWarmUp&) = delete;

 private:
  std::thread reader_;
};

}  // namespace win::presenter
