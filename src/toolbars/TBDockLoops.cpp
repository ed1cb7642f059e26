// The modal mouse loops of a dockable window: the drag loop (along the dock, to another dock,
// out to float), the sizing loop of a floating window, and the pressed close button.

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/gdi/GdiDC.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBDockableWindow.h"
#include "toolbars/TBFloatingParent.h"
#include "toolbars/detail/TBDragOutline.h"

namespace toolbars {
namespace {

bool CtrlDown() { return win::GetKeyState(win::VK_CONTROL) < 0; }

TRect ScreenRectOf(fw::TWinControl* C) {
  win::RECT r{};
  win::GetWindowRect(C->Handle(), &r);
  return TRect{r.left, r.top, r.right, r.bottom};
}

bool Meets(const TRect& A, const TRect& B) {
  return A.left < B.right && A.right > B.left && A.top < B.bottom && A.bottom > B.top;
}

bool Inside(const TRect& R, const win::POINT& P) { return P.x >= R.left && P.x < R.right && P.y >= R.top && P.y < R.bottom; }

bool IsInside(fw::TControl* C, fw::TControl* Outer) {
  for (; C; C = C->Parent())
    if (C == Outer) return true;
  return false;
}

// Docks under Ctl: its docks by position (top, bottom, left, right), then its other windowed
// children, depth first.
void FindDocks(fw::TWinControl* Ctl, TTBCustomDockableWindow* W, std::vector<TTBDock*>& Out) {
  for (TTBDockPosition pos : {dpTop, dpBottom, dpLeft, dpRight})
    for (Integer i = 0; i < Ctl->ControlCount(); ++i) {
      auto* d = dynamic_cast<TTBDock*>(Ctl->Controls(i));
      if (d && d->Position() == pos && d->Showing() && d->Accepts(W) && W->CanDockTo(d) &&
          std::find(Out.begin(), Out.end(), d) == Out.end())
        Out.push_back(d);
    }
  for (Integer i = 0; i < Ctl->ControlCount(); ++i) {
    auto* c = dynamic_cast<fw::TWinControl*>(Ctl->Controls(i));
    if (!c || dynamic_cast<TTBDock*>(c) || !c->Showing() || IsInside(c, W)) continue;
    FindDocks(c, W, Out);
  }
}

struct TRowSize {
  Integer Size;
  bool FullSize;
};

struct TDropTarget {
  TTBDock* Dock = nullptr;  // nil: floating
  TRect ScreenRect{};
  TPoint Size{};  // window size there
  std::vector<TRowSize> Rows;
};

}  // namespace

bool TTBCustomDockableWindow::TrackCloseButton(win::HWND Wnd, const TRect& ButtonRect, bool& Pushed) {
  // Over the button at the point a message carries, not at the live cursor, which may already be
  // at a move still queued behind the release.
  auto over = [&](win::POINT p) {
    win::RECT wr{};
    win::GetWindowRect(Wnd, &wr);
    return Inside(ButtonRect, win::POINT{p.x - wr.left, p.y - wr.top});
  };
  auto redraw = [&] { win::SendMessageW(Wnd, win::WM_NCPAINT, 1, 0); };
  win::SetCapture(Wnd);
  Pushed = true;
  redraw();
  bool accept = false;
  win::MSG msg{};
  while (win::GetCapture() == Wnd) {
    if (!win::GetMessageW(&msg, nullptr, 0, 0)) {
      win::PostQuitMessage(int(msg.wParam));
      break;
    }
    if (msg.message == win::WM_LBUTTONUP) {
      accept = over(msg.pt);
      break;
    }
    if (msg.message == win::WM_LBUTTONDOWN || msg.message == win::WM_RBUTTONDOWN ||
        msg.message == win::WM_MBUTTONDOWN || msg.message == win::WM_LBUTTONDBLCLK)
      break;
    if (msg.message == win::WM_MOUSEMOVE) {
      const bool now = over(msg.pt);
      if (now != Pushed) {
        Pushed = now;
        redraw();
      }
      continue;
    }
    win::TranslateMessage(&msg);
    win::DispatchMessageW(&msg);
  }
  if (win::GetCapture() == Wnd) win::ReleaseCapture();
  Pushed = false;
  redraw();
  return accept;
}

void TTBCustomDockableWindow::BeginMoving(Integer InitX, Integer InitY) {
  TTBDock* const startDock = FCurrentDock;
  const Integer startRow = FDockRow, startPos = FDockPos;
  const bool startFloating = FFloating;
  bool startSplitting = false;
  if (startDock) {
    startDock->FDragWindow = this;
    startDock->FKeepDragIndex = false;
    startDock->FDragSplitting = false;
    startDock->FCommitNewPositions = true;
    startDock->ArrangeToolbars();
    startSplitting = startDock->FDragSplitting;
  }
  FDragSmoothly = FSmoothDrag;
  bool dockingDisabled = CtrlDown();

  // The frame that moves and the grab point inside it, read together before anything is
  // measured: a floating window moves with its floating parent, whose caption is usually what
  // was grabbed. The grab point keeps its relative place at every size.
  TTBFloatingWindowParent* const startParent = FloatingParent();
  const TRect startRect = startParent ? ScreenRectOf(startParent) : ScreenRectOf(this);
  const TPoint startSize{std::max(1, startRect.right - startRect.left), std::max(1, startRect.bottom - startRect.top)};
  const TPoint origin = ClientToScreen(TPoint{0, 0});
  const TPoint grab{origin.x + InitX - startRect.left, origin.y + InitY - startRect.top};

  const bool canFloat = FDockMode == dmCanFloat;

  // Candidate docks.
  std::vector<TTBDock*> docks;
  if (FDockMode == dmCannotFloatOrChangeDocks) {
    if (startDock) docks.push_back(startDock);
  } else {
    if (startDock && startDock->Accepts(this) && CanDockTo(startDock)) docks.push_back(startDock);
    if (fw::TCustomForm* form = [&]() -> fw::TCustomForm* {
          if (auto* p = FloatingParent()) return p->ParentForm();
          return fw::GetParentForm(this);
        }())
      FindDocks(form, this, docks);
  }
  for (TTBDock* d : docks) d->CommitPositions();

  // Drop targets: floating first, then the docks.
  TPoint border{};
  GetFloatingBorderSize(border);
  const Integer caption = FShowCaption ? win::GetSystemMetrics(win::SM_CYSMCAPTION) : 0;
  std::vector<TDropTarget> targets;
  {
    TDropTarget t;
    if (startParent) {
      t.Size = startSize;  // floating already: it keeps its present size
    } else {
      const TPoint c = OrderControls(false, dtFloating, nullptr);
      t.Size = TPoint{c.x + 2 * border.x, c.y + 2 * border.y + caption};
    }
    targets.push_back(t);
  }
  for (TTBDock* d : docks) {
    TDropTarget t;
    t.Dock = d;
    t.ScreenRect = ScreenRectOf(d);
    if (d == startDock) {
      t.Size = TPoint{Width(), Height()};
    } else {
      const TPoint c = OrderControls(false, GetDockTypeOf(d, false), d);
      const Integer handle = d->AllowDrag() ? DragHandleSize() : 0;
      const bool lr = GetDockTypeOf(d, false) == dtLeftRight;
      t.Size = TPoint{c.x + 4 + (lr ? 0 : handle), c.y + 4 + (lr ? handle : 0)};
    }
    for (Integer row = 0; row <= d->GetHighestRow(true); ++row) {
      bool full = false;
      const Integer size = d->GetRowSize(row, full);
      t.Rows.push_back({size, full});
    }
    targets.push_back(std::move(t));
  }

  ProcessPaintMessages();
  const bool outline = !FDragSmoothly;
  // Without smooth dragging the window stays until the release; a frame on the locked screen
  // shows where it would go.
  std::optional<detail::TDragOutline> frame;
  if (outline) frame.emplace();
  TRect lastRect{};
  bool lastShown = false;
  const TDropTarget* lastTarget = nullptr;
  Integer lastRow = startRow;
  bool lastInsert = false;
  bool splitPossible = startSplitting;
  // From the press on, the drag follows the points its messages carry: the live cursor may
  // already be at a move or a release still queued, and the drag ends where the button came up.
  win::POINT lastPos{origin.x + InitX, origin.y + InitY};
  const win::POINT firstPos = lastPos;
  win::HCURSOR startCursor = win::GetCursor();
  bool firstMove = true;

  // As wide as the floating border for a floating place, one pixel on a dock.
  auto drawOutline = [&](const TRect* rect, bool floating) {
    if (rect)
      frame->Show(*rect, floating ? win::SIZE{border.x, border.y} : win::SIZE{1, 1});
    else
      frame->Erase();
    lastShown = rect != nullptr;
    if (rect) lastRect = *rect;
  };

  // Puts the window on the target (smooth drag now, outline drag at the end).
  auto apply = [&](const TDropTarget* target, const TRect& rect, Integer row, bool insert) {
    if (target && target->Dock) {
      TTBDock* d = target->Dock;
      const TPoint dockOrigin = d->ClientToScreen(TPoint{0, 0});
      const bool lr = GetDockTypeOf(d, false) == dtLeftRight;
      FDockRow = row;
      FDockPos = lr ? rect.top - dockOrigin.y : rect.left - dockOrigin.x;
      FInsertRowBefore = insert;
      if (!outline) d->FCommitNewPositions = true;
      d->FDragWindow = this;
      if (Parent() != d)
        SetParent(d);
      else
        d->ArrangeToolbars();
      FInsertRowBefore = false;
    } else {
      FFloatingPosition = TPoint{rect.left, rect.top};
      if (!FFloating)
        SetFloating(true);
      else
        SetFloatingPosition(FFloatingPosition);
      MoveOnScreen(true);
    }
    if (HandleAllocated()) win::UpdateWindow(Handle());
  };

  auto mouseMove = [&](win::POINT pos) {
    const TDropTarget* target = nullptr;
    if (FCurrentDock && FCurrentDock->FKeepDragIndex) {
      for (const TDropTarget& t : targets)
        if (t.Dock == FCurrentDock) target = &t;
    } else if (!(dockingDisabled || CtrlDown() || (firstMove && startFloating))) {
      for (size_t i = targets.size(); i-- > 1;) {
        const TDropTarget& t = targets[i];
        const bool lr = GetDockTypeOf(t.Dock, false) == dtLeftRight;
        TRect grown{t.ScreenRect.left - 3, t.ScreenRect.top - 3, t.ScreenRect.right + 3, t.ScreenRect.bottom + 3};
        TRect zone = grown;
        if (lr) {
          zone.left -= 25 * grab.x / startSize.x;
          zone.right += 25 - 25 * grab.x / startSize.x;
        } else {
          zone.top -= 25 * grab.y / startSize.y;
          zone.bottom += 25 - 25 * grab.y / startSize.y;
        }
        if (!Inside(zone, pos)) continue;
        const Integer gx = grab.x * t.Size.x / startSize.x, gy = grab.y * t.Size.y / startSize.y;
        const TRect there{pos.x - gx, pos.y - gy, pos.x - gx + t.Size.x, pos.y - gy + t.Size.y};
        if (!Meets(there, grown)) continue;
        bool accept = true;
        if (t.Dock->OnRequestDock) t.Dock->OnRequestDock(t.Dock, this, accept);
        if (!accept) continue;
        target = &t;
        break;
      }
    }
    if (!target) {
      if (!canFloat) {
        win::SetCursor(win::LoadCursorW(nullptr, win::IDC_NO));
        if (outline) drawOutline(nullptr, false);
        lastTarget = nullptr;
        return;
      }
      target = &targets[0];
      const TRect area = GetRectOfMonitorContainingPoint(TPoint{pos.x, pos.y}, true);
      pos.x = std::clamp(pos.x, area.left, std::max(area.left, area.right - 1));
      pos.y = std::clamp(pos.y, area.top, std::max(area.top, area.bottom - 1));
    }
    const Integer gx = grab.x * target->Size.x / startSize.x, gy = grab.y * target->Size.y / startSize.y;
    TRect rect{pos.x - gx, pos.y - gy, pos.x - gx + target->Size.x, pos.y - gy + target->Size.y};
    Integer row = lastRow;
    bool insert = false;
    if (target->Dock) {
      TTBDock* d = target->Dock;
      const bool lr = GetDockTypeOf(d, false) == dtLeftRight;
      if (d->FKeepDragIndex) {
        row = FDockRow;
        win::SetCursor(win::LoadCursorW(nullptr, lr ? win::IDC_SIZENS : win::IDC_SIZEWE));
      } else {
        const TPoint dockOrigin = d->ClientToScreen(TPoint{0, 0});
        const Integer centre = lr ? (rect.left + rect.right) / 2 - dockOrigin.x : (rect.top + rect.bottom) / 2 - dockOrigin.y;
        Integer acc = 0;
        bool found = false;
        for (size_t r = 0; r < target->Rows.size() && !found; ++r) {
          const TRowSize& rs = target->Rows[r];
          if (rs.Size == 0) continue;
          const Integer edge = (rs.FullSize || FullSize()) ? rs.Size / 2 : rs.Size / 4;
          if (centre < acc + edge) {
            row = Integer(r);
            insert = true;
            found = true;
          } else if (!rs.FullSize && centre < acc + rs.Size - edge) {
            row = Integer(r);
            found = true;
          }
          acc += rs.Size;
        }
        if (!found) row = Integer(target->Rows.size());
        // Dragging along a squeezed row of its own: keep the order and resize the neighbours.
        if (splitPossible) {
          if (d != startDock || row != startRow || insert) {
            splitPossible = false;
          } else if (std::abs(lr ? pos.y - firstPos.y : pos.x - firstPos.x) >= 10) {
            d->FKeepDragIndex = true;
            win::SetCursor(win::LoadCursorW(nullptr, lr ? win::IDC_SIZENS : win::IDC_SIZEWE));
          }
        }
      }
    } else {
      // Floating: the caption stays inside the work area.
      const TRect area = GetRectOfMonitorContainingPoint(TPoint{pos.x, pos.y}, true);
      if (rect.top < area.top - caption) {
        const Integer dy = area.top - caption - rect.top;
        rect.top += dy;
        rect.bottom += dy;
      }
      win::SetCursor(startCursor);
    }
    lastTarget = target;
    lastRow = row;
    lastInsert = insert;
    if (outline) {
      drawOutline(&rect, target->Dock == nullptr);
    } else {
      apply(target, rect, row, insert);
      if (HandleAllocated() && win::GetCapture() != Handle()) win::SetCapture(Handle());
    }
  };

  bool accepted = false;
  bool outlineShown = false;
  TRect outlineRect{};
  auto finish = [&] {
    if (HandleAllocated() && win::GetCapture() == Handle()) win::ReleaseCapture();
    if (outline) {
      outlineShown = lastShown;
      outlineRect = lastRect;
      frame.reset();  // erased, the screen unlocked
    }
  };
  try {
    win::SetCapture(Handle());
    mouseMove(lastPos);
    firstMove = false;
    win::MSG msg{};
    while (HandleAllocated() && win::GetCapture() == Handle()) {
      if (!win::GetMessageW(&msg, nullptr, 0, 0)) {
        win::PostQuitMessage(int(msg.wParam));
        break;
      }
      if (msg.message == win::WM_LBUTTONUP) {
        if (msg.pt.x != lastPos.x || msg.pt.y != lastPos.y) {
          lastPos = msg.pt;
          mouseMove(msg.pt);
        }
        accepted = true;
        break;
      }
      if (msg.message == win::WM_LBUTTONDOWN || msg.message == win::WM_LBUTTONDBLCLK) break;
      if ((msg.message == win::WM_KEYDOWN || msg.message == win::WM_KEYUP) && msg.wParam == win::VK_CONTROL) {
        dockingDisabled = msg.message == win::WM_KEYDOWN;
        mouseMove(lastPos);
        continue;
      }
      if (msg.message == win::WM_KEYDOWN && msg.wParam == win::VK_ESCAPE) break;
      if (msg.message == win::WM_MOUSEMOVE) {
        const win::POINT p = msg.pt;
        if (p.x != lastPos.x || p.y != lastPos.y) {
          lastPos = p;
          mouseMove(p);
        }
        continue;
      }
      if (msg.message >= win::WM_MOUSEFIRST && msg.message <= win::WM_MOUSELAST) continue;
      if (msg.message >= win::WM_KEYFIRST && msg.message <= win::WM_KEYLAST) continue;
      win::TranslateMessage(&msg);
      win::DispatchMessageW(&msg);
    }
    finish();
  } catch (...) {
    finish();
    throw;
  }
  if (outline && accepted && lastTarget && outlineShown) apply(lastTarget, outlineRect, lastRow, lastInsert);
  if (!outline && !accepted) {
    // A cancelled smooth drag puts the window back where it started.
    FDockRow = startRow;
    FDockPos = startPos;
    if (startDock) {
      if (Parent() != startDock)
        SetParent(startDock);
      else
        startDock->ArrangeToolbars();
    }
  }
  FDragSmoothly = false;
  if (FUseLastDock && FCurrentDock) SetLastDock(FCurrentDock);
  if (FFloatParent && Parent() != FFloatParent && !FFloating) {
    delete FFloatParent;
    FFloatParent = nullptr;
  }
  for (TTBDock* d : docks) {
    d->FDragWindow = nullptr;
    d->FKeepDragIndex = false;
  }
  if (FFloating) {
    FDockRow = startRow;
    FDockPos = startPos;
  }
}

void TTBCustomDockableWindow::BeginSizing(Integer HitCode, win::POINT PressedAt) {
  auto* p = FloatingParent();
  if (!p || !FResizable) return;
  TPoint border{};
  GetFloatingBorderSize(border);
  const Integer caption = FShowCaption ? win::GetSystemMetrics(win::SM_CYSMCAPTION) : 0;
  Integer minW = 0, minH = 0, maxW = 0, maxH = 0;
  GetMinMaxSize(minW, minH, maxW, maxH);
  const Integer frameW = 2 * border.x, frameH = 2 * border.y + caption;
  minW += frameW;
  minH += frameH;
  if (maxW) maxW += frameW;
  if (maxH) maxH += frameH;
  const bool left = HitCode == win::HTLEFT || HitCode == win::HTTOPLEFT || HitCode == win::HTBOTTOMLEFT;
  const bool right = HitCode == win::HTRIGHT || HitCode == win::HTTOPRIGHT || HitCode == win::HTBOTTOMRIGHT;
  const bool top = HitCode == win::HTTOP || HitCode == win::HTTOPLEFT || HitCode == win::HTTOPRIGHT;
  const bool bottom = HitCode == win::HTBOTTOM || HitCode == win::HTBOTTOMLEFT || HitCode == win::HTBOTTOMRIGHT;
  const TRect orig = p->BoundsRect();
  const win::POINT start = PressedAt;
  const bool confine = (FResizeStyle & trsConfineCursor) && !UsingMultipleMonitors();
  if (confine) {
    const TRect screen = GetRectOfPrimaryMonitor(false);
    win::RECT r{screen.left, screen.top, screen.right, screen.bottom};
    win::ClipCursor(&r);
  }
  // Without smooth dragging the window keeps its size until the release; meanwhile a frame as
  // wide as the floating border shows on the screen what it would become.
  const bool smooth = FSmoothDrag;
  const win::SIZE band{border.x, border.y};
  std::optional<detail::TDragOutline> outline;
  ResizeBegin(HitCode);
  win::HWND wnd = p->Handle();
  bool accepted = false;
  auto finish = [&] {
    if (win::GetCapture() == wnd) win::ReleaseCapture();
    outline.reset();
    if (confine) win::ClipCursor(nullptr);
  };
  auto apply = [&](const TRect& r) {
    p->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    fw::TCustomControl::SetBounds(0, 0, p->ClientWidth(), p->ClientHeight());
    MoveOnScreen(true);
  };
  // Each step sizes to the point its message carries, the release's own point last: the live
  // cursor may already be at a move still queued behind the release.
  win::POINT last = start;
  std::optional<TRect> tracked;  // the last rectangle, once the pointer has moved
  auto sizeTo = [&](win::POINT pt) {
    if (pt.x == last.x && pt.y == last.y) return;
    last = pt;
    TRect r = orig;
    const Integer dx = pt.x - start.x, dy = pt.y - start.y;
    if (left) r.left += dx;
    if (right) r.right += dx;
    if (top) r.top += dy;
    if (bottom) r.bottom += dy;
    auto hold = [](Integer& lo, Integer& hi, bool moveLo, Integer mn, Integer mx) {
      Integer size = hi - lo;
      Integer want = std::max(size, mn);
      if (mx) want = std::min(want, mx);
      if (want != size) (moveLo ? lo = hi - want : hi = lo + want);
    };
    hold(r.left, r.right, left, minW, maxW);
    hold(r.top, r.bottom, top, minH, maxH);
    ResizeTrack(r, orig);
    tracked = r;
    if (outline)
      outline->Show(r, band);
    else
      apply(r);
  };
  try {
    if (!smooth) {
      ProcessPaintMessages();
      outline.emplace();
    }
    win::SetCapture(wnd);
    win::MSG msg{};
    while (win::GetCapture() == wnd) {
      if (!win::GetMessageW(&msg, nullptr, 0, 0)) {
        win::PostQuitMessage(int(msg.wParam));
        break;
      }
      if (msg.message == win::WM_LBUTTONUP) {
        sizeTo(msg.pt);
        accepted = true;
        break;
      }
      if (msg.message == win::WM_LBUTTONDOWN || msg.message == win::WM_LBUTTONDBLCLK ||
          (msg.message == win::WM_KEYDOWN && msg.wParam == win::VK_ESCAPE))
        break;
      if (msg.message == win::WM_MOUSEMOVE) {
        sizeTo(msg.pt);
        continue;
      }
      if (msg.message >= win::WM_MOUSEFIRST && msg.message <= win::WM_MOUSELAST) continue;
      if (msg.message >= win::WM_KEYFIRST && msg.message <= win::WM_KEYLAST) continue;
      win::TranslateMessage(&msg);
      win::DispatchMessageW(&msg);
    }
    finish();
  } catch (...) {
    finish();
    ResizeEnd();
    throw;
  }
  if (accepted) {
    // Sized by outline, the window takes the last rectangle now, in one step.
    if (!smooth && tracked) apply(*tracked);
    ResizeTrackAccept();
  } else if (smooth) {
    p->SetBounds(orig.left, orig.top, orig.right - orig.left, orig.bottom - orig.top);
    fw::TCustomControl::SetBounds(0, 0, p->ClientWidth(), p->ClientHeight());
  }
  ResizeEnd();
}

}  // namespace toolbars
