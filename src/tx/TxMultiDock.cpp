#include "tx/TxMultiDock.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "framework/ControlMessages.h"
#include "framework/SysUtils.h"
#include "tx/TxDkPanels.h"

namespace tx {

using namespace toolbars;

namespace {

bool IsVertical(const TTBDock* Dock) { return Dock->Position() == dpLeft || Dock->Position() == dpRight; }

Integer SortPos(const TTBCustomDockableWindow* W) {
  // A panel still loading with no place yet goes last.
  if (W->ComponentState().Contains(fw::csLoading) && W->DockPos() < 0) return INT_MAX;
  return W->DockPos();
}

bool ByDockPos(const TTBCustomDockableWindow* A, const TTBCustomDockableWindow* B) { return SortPos(A) < SortPos(B); }

Integer Total(const std::vector<TTxSplitShare>& Shares, Integer TTxSplitShare::*Field) {
  Integer sum = 0;
  for (const TTxSplitShare& s : Shares) sum += s.*Field;
  return sum;
}

}  // namespace

void FitSplitShares(std::vector<TTxSplitShare>& Shares, Integer Length) {
  const Integer total = Total(Shares, &TTxSplitShare::Size);
  if (total == Length || Shares.empty()) return;
  if (Total(Shares, &TTxSplitShare::Min) >= Length) {
    for (TTxSplitShare& s : Shares) s.Size = s.Min;
    return;
  }
  if (Total(Shares, &TTxSplitShare::Max) <= Length) {
    for (TTxSplitShare& s : Shares) s.Size = s.Max;
    return;
  }
  std::vector<bool> taking(Shares.size());
  Integer D = Length - total;
  // Each round either spreads D exactly or retires a panel at its limit, so this ends.
  while (D != 0) {
    Integer count = 0;
    for (size_t i = 0; i < Shares.size(); ++i) {
      taking[i] = (D > 0 && Shares[i].Size < Shares[i].Max) || (D < 0 && Shares[i].Size > Shares[i].Min);
      count += taking[i] ? 1 : 0;
    }
    if (count == 0) break;  // cannot happen between SumMin and SumMax; stop rather than loop
    const long double step = static_cast<long double>(D) / count;
    long double accumulated = 0;
    Integer previous = 0;
    for (size_t i = 0; i < Shares.size(); ++i) {
      if (!taking[i]) continue;
      accumulated += step;
      const Integer rounded = Integer(std::nearbyint(accumulated));  // ties to even
      Shares[i].Size += rounded - previous;
      previous = rounded;
    }
    for (TTxSplitShare& s : Shares) s.Size = std::clamp(s.Size, s.Min, s.Max);
    D = Length - Total(Shares, &TTxSplitShare::Size);
  }
}

TTxMultiDock::TTxMultiDock(fw::TComponent* AOwner) : TTxDock(AOwner) {}

std::vector<TTxDockablePanel*> TTxMultiDock::SortedVisiblePanels() const {
  std::vector<TTBCustomDockableWindow*> visible = FDockVisibleList;
  std::stable_sort(visible.begin(), visible.end(), ByDockPos);
  std::vector<TTxDockablePanel*> out;
  for (TTBCustomDockableWindow* w : visible)
    if (auto* p = dynamic_cast<TTxDockablePanel*>(w)) out.push_back(p);
  return out;
}

bool TTxMultiDock::Accepts(TTBCustomDockableWindow* AWindow) {
  return dynamic_cast<TTxDockablePanel*>(AWindow) != nullptr;
}

void TTxMultiDock::ArrangeToolbars() {
  if (FDisableArrangeToolbars > 0 || ComponentState().Contains(fw::csLoading)) {
    FArrangeToolbarsNeeded = true;
    return;
  }
  ++FDisableArrangeToolbars;
  struct TEnd {
    TTxMultiDock* Dock;
    ~TEnd() {
      --Dock->FDisableArrangeToolbars;
      Dock->FArrangeToolbarsNeeded = false;
      Dock->FCommitNewPositions = false;
    }
  } end{this};

  const bool vertical = IsVertical(this);
  if (!HasVisibleToolbars()) {
    const Integer cross = FixAlign() ? 1 : 0;
    if (vertical)
      ChangeWidthHeight(cross, Height());
    else
      ChangeWidthHeight(Width(), cross);
    return;
  }
  const Integer length = std::max(0, vertical ? Height() - FNonClientHeight : Width() - FNonClientWidth);

  auto destroying = [](const TTBCustomDockableWindow* w) { return w->ComponentState().Contains(fw::csDestroying); };
  std::erase_if(FDockList, destroying);
  std::erase_if(FDockVisibleList, destroying);
  for (TTBCustomDockableWindow* w : FDockList)
    if (w->DockRow() != 0) w->SetDockRow(0);  // postponed: we are arranging

  std::vector<TTBCustomDockableWindow*> sorted = FDockList;
  std::stable_sort(sorted.begin(), sorted.end(), ByDockPos);
  if (DragWindow() && KeepDragIndex()) {
    auto old = std::find(FDockList.begin(), FDockList.end(), DragWindow());
    if (old != FDockList.end()) {
      std::erase(sorted, DragWindow());
      sorted.insert(sorted.begin() + (old - FDockList.begin()), DragWindow());
    }
  }
  std::stable_sort(FDockVisibleList.begin(), FDockVisibleList.end(), ByDockPos);

  std::vector<TTxDockablePanel*> panels;
  std::vector<TTxSplitShare> shares;
  for (TTBCustomDockableWindow* w : sorted) {
    auto* p = dynamic_cast<TTxDockablePanel*>(w);
    if (!p || !ToolbarVisibleOnDock(p)) continue;
    Integer minW, minH, maxW, maxH;
    p->GetWindowSizeLimits(minW, minH, maxW, maxH);
    TTxSplitShare s;
    s.Size = vertical ? p->SplitHeight() : p->SplitWidth();
    s.Min = vertical ? minH : minW;
    s.Max = vertical ? maxH : maxW;
    if (s.Max < s.Min) s.Max = std::max(length, s.Min);
    s.Size = std::clamp(s.Size, s.Min, s.Max);
    panels.push_back(p);
    shares.push_back(s);
  }
  FitSplitShares(shares, length);
  std::vector<Integer> pos(shares.size());
  for (size_t i = 0, at = 0; i < shares.size(); at += size_t(shares[i].Size), ++i) pos[i] = Integer(at);

  for (size_t i = 0; i < panels.size(); ++i) {
    panels[i]->SetEffectivePlace(pos[i]);
    if (FCommitNewPositions) panels[i]->SetDockPos(pos[i]);
  }
  if (FCommitNewPositions) FDockList = sorted;

  // The depth: the resizing panel's while its edge is dragged, else the deepest panel's.
  Integer cross = 0;
  auto resizing = std::find_if(panels.begin(), panels.end(), [](TTxDockablePanel* p) { return p->DockedResizingNow(); });
  if (resizing != panels.end()) {
    cross = vertical ? (*resizing)->Width() : (*resizing)->Height();
    Integer largestMin = 0, smallestMax = INT_MAX;
    for (TTxDockablePanel* p : panels) {
      Integer minW, minH, maxW, maxH;
      p->GetWindowSizeLimits(minW, minH, maxW, maxH);
      const Integer mn = vertical ? minW : minH, mx = vertical ? maxW : maxH;
      largestMin = std::max(largestMin, mn);
      if (mx >= mn && mx > 0) smallestMax = std::min(smallestMax, mx);
    }
    cross = std::max(cross, largestMin);
    if (smallestMax != INT_MAX && smallestMax > largestMin) cross = std::min(cross, smallestMax);
  } else {
    for (size_t i = 0; i < panels.size(); ++i) {
      TTxDockablePanel* p = panels[i];
      p->SetDockedLengthLimit(shares[i].Size);
      if (panels.size() > 1 && FCrossSize > 0 && p == DragWindow()) continue;
      TPoint base{}, nc{};
      p->GetBaseSize(base);
      p->GetDockedNCAreaSize(nc);
      cross = std::max(cross, vertical ? base.x + nc.x : base.y + nc.y);
    }
  }
  if (cross > 0) FCrossSize = cross;

  // Bounds set here go through SizeChanging, so every panel takes the dock's depth as its own.
  for (size_t i = 0; i < panels.size(); ++i) {
    if (vertical)
      panels[i]->SetBounds(0, pos[i], FCrossSize, shares[i].Size);
    else
      panels[i]->SetBounds(pos[i], 0, shares[i].Size, FCrossSize);
  }
  if (vertical)
    ChangeWidthHeight(FNonClientWidth + FCrossSize, Height());
  else
    ChangeWidthHeight(Width(), FNonClientHeight + FCrossSize);
}

void TTxMultiDock::Dispatch(fw::TMessage& Message) {
  if (Message.Msg == fw::CM_CONTROLLISTCHANGE && Message.LParam != 0) {
    auto* control = reinterpret_cast<fw::TControl*>(Message.WParam);
    if (control && !dynamic_cast<TTxDockablePanel*>(control)) {
      control->SetParent(nullptr);
      throw fw::EInvalidOperation(fw::Format("Cannot insert %s into TTxMultiDock", control->ClassName()));
    }
  }
  TTxDock::Dispatch(Message);
}

}  // namespace tx
