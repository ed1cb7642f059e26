// The dockable panel's two modal mouse loops: the docked resize at the edge facing the form and
// the split resize at the edge shared with a neighbour in a multi-dock.

#include <algorithm>
#include <functional>
#include <vector>

#include "framework/Forms.h"
#include "platform/gdi/GdiDC.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBDock.h"
#include "tx/TxDkPanels.h"
#include "tx/TxMultiDock.h"
#include "tx/TxUtils.h"

namespace tx {

using namespace toolbars;

namespace {

// Runs while Wnd holds the capture: Step gets every new cursor position from the press at Start
// on, each as its own message carries it (the live cursor may already be further on, at a move
// or a release still queued); the release's own position is the last step. Another button
// press, Esc, the loss of the capture or the end of the queue ends the loop where it stands.
void MouseLoop(win::HWND Wnd, win::POINT Start, const std::function<void(win::POINT)>& Step) {
  win::SetCapture(Wnd);
  win::POINT last = Start;
  auto stepTo = [&](win::POINT pt) {
    if (pt.x == last.x && pt.y == last.y) return;
    last = pt;
    Step(pt);
  };
  win::MSG msg{};
  while (win::GetCapture() == Wnd) {
    if (!win::GetMessageW(&msg, nullptr, 0, 0)) {
      win::PostQuitMessage(int(msg.wParam));
      break;
    }
    const win::UINT m = msg.message;
    if (m == win::WM_LBUTTONUP) {
      stepTo(msg.pt);
      break;
    }
    if (m == win::WM_LBUTTONDOWN || m == win::WM_LBUTTONDBLCLK) break;
    if ((m == win::WM_KEYDOWN || m == win::WM_KEYUP) && msg.wParam == win::VK_ESCAPE) break;
    if (m == win::WM_MOUSEMOVE) {
      stepTo(msg.pt);
      continue;
    }
    if (m >= 0x204 && m <= 0x209) continue;  // the other buttons
    win::TranslateMessage(&msg);
    win::DispatchMessageW(&msg);
  }
  if (win::GetCapture() == Wnd) win::ReleaseCapture();
}

// The halftone bar on the screen while a resize runs without SmoothDockedResize.
class TOutlineBar {
 public:
  ~TOutlineBar() { Hide(); }
  void Show(const TRect& R) {
    if (!FDC) FDC = win::GetDCEx(win::GetDesktopWindow(), nullptr, win::DCX_WINDOW | win::DCX_CACHE);
    if (!FDC) return;
    DrawDragOutline(FDC, &R, FShown ? &FRect : nullptr);
    FRect = R;
    FShown = true;
  }
  void Hide() {
    if (FDC && FShown) DrawDragOutline(FDC, nullptr, &FRect);
    FShown = false;
    if (FDC) win::ReleaseDC(win::GetDesktopWindow(), FDC);
    FDC = nullptr;
  }

 private:
  win::HDC FDC = nullptr;
  TRect FRect{};
  bool FShown = false;
};

TRect ScreenRectOf(fw::TWinControl* C) {
  win::RECT r{};
  win::GetWindowRect(C->Handle(), &r);
  return TRect{r.left, r.top, r.right, r.bottom};
}

}  // namespace

// ---- docked resize ---------------------------------------------------------------------------

bool TTxDockablePanel::BeginDockedResizing(bool Vertical) {
  Integer size = Vertical ? Height() : Width();
  bool allow = true;
  if (OnDockedResizing) OnDockedResizing(this, Vertical, size, rsBeginResizing, allow);
  if (!allow) return false;
  if (Vertical)
    SetHeight(size);
  else
    SetWidth(size);
  return true;
}

bool TTxDockablePanel::DockedResizing(bool Vertical, Integer& NewSize) {
  // A panel leaves at least 32 pixels of its form's client area to the rest.
  if (fw::TWinControl* host = CurrentDock() ? CurrentDock()->Parent() : nullptr) {
    const TPoint client = GetClientSizeEx(host);
    NewSize = std::min(NewSize, (Vertical ? client.y : client.x) - 32);
  }
  TPoint nc{};
  GetDockedNCAreaSize(nc);
  const Integer ncSize = Vertical ? nc.y : nc.x;
  const Integer minClient = Vertical ? FMinClientHeight : FMinClientWidth;
  const Integer maxClient = Vertical ? FMaxClientHeight : FMaxClientWidth;
  Integer clientPart = NewSize - ncSize;
  if (maxClient > minClient) clientPart = std::min(clientPart, maxClient);
  clientPart = std::max(clientPart, minClient);
  NewSize = clientPart + ncSize;
  bool allow = true;
  if (OnDockedResizing) OnDockedResizing(this, Vertical, NewSize, rsResizing, allow);
  return allow;
}

bool TTxDockablePanel::EndDockedResizing(bool Vertical) {
  Integer size = Vertical ? Height() : Width();
  bool allow = true;
  if (OnDockedResizing) OnDockedResizing(this, Vertical, size, rsEndResizing, allow);
  return allow;
}

void TTxDockablePanel::DockedResize(Integer HitCode, win::POINT PressedAt) {
  TTBDock* dock = CurrentDock();
  if (!dock || !HandleAllocated()) return;
  const bool vertical = HitCode == win::HTTOP || HitCode == win::HTBOTTOM;
  if (!BeginDockedResizing(vertical)) return;
  const bool growsBackwards = HitCode == win::HTTOP || HitCode == win::HTLEFT;  // the far edge stays
  const TRect startBounds = BoundsRect();
  const TRect startScreen = ScreenRectOf(this);
  const win::POINT start = PressedAt;
  const Integer startSize = vertical ? Height() : Width();
  Integer lastSize = startSize;
  TPoint nc{};
  GetDockedNCAreaSize(nc);
  TOutlineBar outline;
  auto outlineAt = [&](Integer Size) {
    const Integer edge = vertical ? (growsBackwards ? startScreen.bottom - Size : startScreen.top + Size)
                                  : (growsBackwards ? startScreen.right - Size : startScreen.left + Size);
    return vertical ? TRect{startScreen.left, edge - 1, startScreen.right, edge + 1}
                    : TRect{edge - 1, startScreen.top, edge + 1, startScreen.bottom};
  };
  FDockedResizing = true;
  if (!FSmoothDockedResize) outline.Show(outlineAt(startSize));
  try {
    MouseLoop(Handle(), start, [&](win::POINT pt) {
      const Integer moved = vertical ? pt.y - start.y : pt.x - start.x;
      Integer size = startSize + (growsBackwards ? -moved : moved);
      if (!DockedResizing(vertical, size) || size == lastSize) return;
      lastSize = size;
      if (FSmoothDockedResize) {
        dock->BeginUpdate();
        if (vertical)
          SetDockedHeight(size - nc.y);
        else
          SetDockedWidth(size - nc.x);
        dock->EndUpdate();
      } else {
        outline.Show(outlineAt(size));
      }
    });
  } catch (...) {
    FDockedResizing = false;
    throw;
  }
  const bool allow = EndDockedResizing(vertical);
  outline.Hide();
  FDockedResizing = false;
  if (FSmoothDockedResize) {
    if (!allow) {
      SetBounds(startBounds.left, startBounds.top, startBounds.right - startBounds.left,
                startBounds.bottom - startBounds.top);
      dock->ArrangeToolbars();
    }
  } else if (allow) {
    if (vertical)
      SetDockedHeight(lastSize - nc.y);
    else
      SetDockedWidth(lastSize - nc.x);
  }
}

// ---- split resize ----------------------------------------------------------------------------

namespace {

struct TSplitRecord {
  TTxDockablePanel* Panel;
  Integer OldPos, OldSize, NewPos, NewSize, Min, Max;
};

// Adds Delta to records From, From - 1, ... 0 (Step -1) or From ... last (Step 1), each within
// its limits, the rest passing on; returns what could not be placed.
Integer Spread(std::vector<TSplitRecord>& R, Integer From, Integer Step, Integer Delta) {
  for (Integer i = From; Delta != 0 && i >= 0 && i < Integer(R.size()); i += Step) {
    TSplitRecord& r = R[size_t(i)];
    const Integer size = std::clamp(r.OldSize + Delta, r.Min, r.Max);
    Delta -= size - r.OldSize;
    r.NewSize = size;
  }
  return Delta;
}

}  // namespace

void TTxDockablePanel::SplitResize(Integer HitCode, win::POINT PressedAt) {
  auto* dock = dynamic_cast<TTxMultiDock*>(CurrentDock());
  if (!dock || !CanSplitResize(HitCode)) return;
  const bool vertical = dock->Position() == dpLeft || dock->Position() == dpRight;
  const std::vector<TTxDockablePanel*> panels = dock->SortedVisiblePanels();
  std::vector<TSplitRecord> records;
  Integer at = 0, sumMin = 0, sumMax = 0, self = -1;
  bool smooth = true;
  const Integer length = vertical ? dock->ClientHeight() : dock->ClientWidth();
  for (TTxDockablePanel* p : panels) {
    Integer minW, minH, maxW, maxH;
    p->GetWindowSizeLimits(minW, minH, maxW, maxH);
    TSplitRecord r{p, at, vertical ? p->Height() : p->Width(), 0, 0, vertical ? minH : minW, vertical ? maxH : maxW};
    if (r.Max < r.Min) r.Max = std::max(length, r.Min);
    r.NewSize = r.OldSize;
    at += r.OldSize;
    sumMin += r.Min;
    sumMax += r.Max;
    smooth = smooth && p->SmoothDockedResize();
    if (p == this) self = Integer(records.size());
    records.push_back(r);
  }
  if (self < 0 || sumMin > length || length > sumMax) return;
  const Integer k = (HitCode == HTSPLITRIGHT || HitCode == HTSPLITBOTTOM) ? self : self - 1;
  if (k < 0 || k + 1 >= Integer(records.size())) return;  // no neighbour on that side
  const Integer cross = vertical ? Width() : Height();

  auto layout = [&](Integer D) {
    for (TSplitRecord& r : records) r.NewSize = r.OldSize;
    D -= Spread(records, k, -1, D);
    const Integer left = Spread(records, k + 1, 1, -D);
    if (left != 0) {
      D += left;
      for (TSplitRecord& r : records) r.NewSize = r.OldSize;
      Spread(records, k, -1, D);
      Spread(records, k + 1, 1, -D);
    }
    Integer pos = 0;
    for (TSplitRecord& r : records) {
      r.NewPos = pos;
      pos += r.NewSize;
    }
  };
  auto apply = [&] {
    dock->BeginUpdate();
    for (TSplitRecord& r : records) {
      if (vertical) {
        r.Panel->SetSplitHeight(r.NewSize);
        r.Panel->SetBoundsInternally(0, r.NewPos, cross, r.NewSize);
      } else {
        r.Panel->SetSplitWidth(r.NewSize);
        r.Panel->SetBoundsInternally(r.NewPos, 0, r.NewSize, cross);
      }
    }
    dock->EndUpdate();
  };
  const TRect dockScreen = ScreenRectOf(dock);
  TOutlineBar outline;
  auto showSplit = [&] {
    const Integer edge = (vertical ? dockScreen.top : dockScreen.left) + records[size_t(k)].NewPos +
                         records[size_t(k)].NewSize;
    outline.Show(vertical ? TRect{dockScreen.left, edge - 1, dockScreen.right, edge + 1}
                          : TRect{edge - 1, dockScreen.top, edge + 1, dockScreen.bottom});
  };
  const win::POINT start = PressedAt;
  bool moved = false;
  layout(0);
  FSplitResizing = true;
  if (!smooth) showSplit();
  try {
    MouseLoop(Handle(), start, [&](win::POINT pt) {
      const Integer D = vertical ? pt.y - start.y : pt.x - start.x;
      if (D == 0 && !moved) return;
      moved = true;
      layout(D);
      if (smooth)
        apply();
      else
        showSplit();
    });
  } catch (...) {
    FSplitResizing = false;
    throw;
  }
  outline.Hide();
  FSplitResizing = false;
  if (!smooth && moved) apply();
}

}  // namespace tx
