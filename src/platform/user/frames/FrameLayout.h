#pragma once
// Geometry of a window's non-client area in the classic look: borders, caption and its buttons,
// the menu-bar strip, the client edge, the scroll bars and the client area. One layout serves
// WM_NCCALCSIZE, hit-testing, painting and the caption-button and scroll-bar loops, so they
// always agree. Everything is in window coordinates (0, 0 is the window's top-left corner).

#include "platform/kernel/WinDef.h"

namespace win::frame {

// What decides the layout of one window.
struct FrameStyle {
  DWORD style = 0;
  DWORD exStyle = 0;
  int menuBarHeight = 0;  // 0: no menu bar
};

enum class BorderKind : uint8_t { None, Thin, Dialog, Thick };

struct FrameLayout {
  int width = 0, height = 0;
  BorderKind border = BorderKind::None;
  int borderX = 0, borderY = 0;  // thickness of the outer frame
  bool hasCaption = false;
  bool smallCaption = false;    // tool window
  RECT caption{};               // the caption band (the separating line below it excluded)
  RECT captionText{};           // the part of the caption left of the buttons
  RECT sysIcon{};               // system-menu icon; empty when there is none
  RECT closeButton{}, maxButton{}, minButton{}, helpButton{};  // empty when absent
  RECT menuBar{};
  int edge = 0;                 // client edge thickness: 2 for the client edge, 1 for the static edge
  RECT edgeOuter{};             // what the client edge surrounds, edge included
  RECT vScroll{}, hScroll{}, sizeBox{};
  RECT client{};
};

BorderKind BorderKindOf(DWORD style, DWORD exStyle);
bool HasCaption(DWORD style);
// The height of the caption including its separating line (0 without a caption).
int CaptionHeight(DWORD style, DWORD exStyle);

FrameLayout ComputeFrameLayout(const FrameStyle& fs, int width, int height);

// The width the menu bar gets for a window of this style and width.
int MenuBarWidth(DWORD style, DWORD exStyle, int windowWidth);

// Hit-test code of a point (window coordinates) by the layout. Sizing codes come only from a
// thick frame of a window that is neither maximised nor minimised; other frames answer HTBORDER.
LRESULT HitTestLayout(const FrameLayout& layout, const FrameStyle& fs, POINT windowPt);

}  // namespace win::frame
