#include "presenter/FontWarmUp.h"

#include <QFontDatabase>
#include <QStringList>

namespace win::presenter {

// Asking for the styles of no family reads the list and nothing more (listing the families would
// go on to look into each of them).
FontWarmUp::FontWarmUp() : reader_([] { (void)QFontDatabase::styles(QString()); }) {}

FontWarmUp::~FontWarmUp() {
  if (reader_.joinable()) reader_.join();
}

}  // namespace win::presenter
