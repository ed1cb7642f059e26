// The menu font and the sizes derived from it.

#include "platform/user/detail/MenuMetrics.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiText.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/services/SysParams.h"

namespace win::menu {

MenuMetrics::MenuMetrics() {
  NONCLIENTMETRICSW ncm;
  ncm.cbSize = sizeof(ncm);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
  normal_ = CreateFontIndirectW(&ncm.lfMenuFont);
  LOGFONTW bold = ncm.lfMenuFont;
  bold.lfWeight = 700;
  bold_ = CreateFontIndirectW(&bold);
  dc_ = CreateCompatibleDC(nullptr);
  TEXTMETRICW tm{};
  if (dc_ && normal_) {
    SelectObject(dc_, normal_);
    GetTextMetricsW(dc_, &tm);
  }
  textHeight = tm.tmHeight;
  int check = GetSystemMetrics(SM_CXMENUCHECK);
  itemHeight = std::max<int>(tm.tmHeight + 4, GetSystemMetrics(SM_CYMENUCHECK) + 4);
  separatorHeight = std::max(4, itemHeight / 2);
  checkWidth = check + 4;
  arrowWidth = check + 4;
  accelGap = 2 * std::max<int>(tm.tmAveCharWidth, 1);
  barPadding = std::max<int>(tm.tmAveCharWidth, 1);
}

MenuMetrics::~MenuMetrics() {
  if (dc_) DeleteDC(dc_);
  if (normal_) DeleteObject(normal_);
  if (bold_) DeleteObject(bold_);
}

int MenuMetrics::TextWidth(const std::u16string& text, bool bold) const {
  if (!dc_ || text.empty()) return 0;
  SelectObject(dc_, Font(bold));
  RECT r{0, 0, 0, 0};
  DrawTextW(dc_, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc_, normal_);
  return r.right - r.left;
}

}  // namespace win::menu
