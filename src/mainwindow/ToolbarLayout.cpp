#include "mainwindow/ToolbarLayout.h"

#include <algorithm>
#include <optional>

#include "platform/user/services/Monitor.h"
#include "toolbars/TBDockableWindow.h"
#include "toolbars/TBToolbar.h"
#include "workspace/PropSaver.h"

namespace workspace {

namespace {

using toolbars::TTBCustomDockableWindow;
using toolbars::TTBDock;

struct TPlace {
  bool Visible = true, Floating = false;
  fw::Integer Dock = 0, Row = 0, Pos = 0, Left = 0, Top = 0, Width = 0;
};

constexpr std::size_t kFields = 8;
constexpr fw::Integer kMaxRow = 64, kMaxPos = 32767, kMaxFloatingWidth = 8192;
// A floating frame's screen place: as far as window coordinates reach.
constexpr fw::Integer kMinCoord = -32768, kMaxCoord = 32767;
// The floating frame counts as reachable when this much of its top left corner is on a monitor:
// enough of the caption to grab it.
constexpr fw::Integer kGrabWidth = 40, kGrabHeight = 16;

bool InRange(fw::Integer V, fw::Integer Low, fw::Integer High) { return V >= Low && V <= High; }

std::optional<TPlace> Parse(const std::vector<fw::Integer>& F) {
  if (F.size() != kFields) return std::nullopt;
  if (!InRange(F[0], 0, 1) || !InRange(F[1], 0, 1) || !InRange(F[2], 0, 3) || !InRange(F[3], 0, kMaxRow) ||
      !InRange(F[4], -1, kMaxPos) || !InRange(F[5], kMinCoord, kMaxCoord) || !InRange(F[6], kMinCoord, kMaxCoord) ||
      !InRange(F[7], 0, kMaxFloatingWidth))
    return std::nullopt;
  return TPlace{F[0] == 1, F[1] == 1, F[2], F[3], F[4], F[5], F[6], F[7]};
}

bool OnSomeMonitor(const TPlace& P) {
  const win::RECT grab{P.Left, P.Top, P.Left + kGrabWidth, P.Top + kGrabHeight};
  return win::MonitorFromRect(&grab, win::MONITOR_DEFAULTTONULL) != nullptr;
}

// Whether Place can be used for Window at all; nothing is changed when it cannot.
bool Usable(const TPlace& Place, TTBCustomDockableWindow* Window, const std::vector<TTBDock*>& Docks) {
  if (Place.Floating) return Window->DockMode() == toolbars::dmCanFloat && OnSomeMonitor(Place);
  TTBDock* dock = std::size_t(Place.Dock) < Docks.size() ? Docks[std::size_t(Place.Dock)] : nullptr;
  return dock && Window->CanDockTo(dock);
}

void Apply(const TPlace& Place, TTBCustomDockableWindow* Window, const std::vector<TTBDock*>& Docks) {
  if (auto* toolbar = dynamic_cast<toolbars::TTBCustomToolbar*>(Window))
    toolbar->SetFloatingWidth(Place.Width);
  if (Place.Floating) {
    Window->SetFloatingPosition(fw::TPoint{Place.Left, Place.Top});
    Window->SetFloating(true);
  } else {
    Window->SetDockRow(Place.Row);
    Window->SetDockPos(Place.Pos);
    Window->SetCurrentDock(Docks[std::size_t(Place.Dock)]);
  }
  Window->SetVisible(Place.Visible);
}

std::vector<fw::Integer> Fields(TTBCustomDockableWindow* Window) {
  const auto* toolbar = dynamic_cast<toolbars::TTBCustomToolbar*>(Window);
  const bool docked = !Window->Floating() && Window->CurrentDock();
  const fw::TPoint at = Window->FloatingPosition();
  return {Window->Visible() ? 1 : 0,
          docked ? 0 : 1,
          docked ? fw::Integer(Window->CurrentDock()->Position()) : 0,
          docked ? std::max<fw::Integer>(Window->EffectiveDockRow(), 0) : 0,
          docked ? std::max<fw::Integer>(Window->EffectiveDockPos(), 0) : 0,
          at.x,
          at.y,
          toolbar ? toolbar->FloatingWidth() : 0};
}

}  // namespace

void SaveToolbarLayout(TPropSaver& Store, const std::vector<TTBCustomDockableWindow*>& Windows) {
  // Only the toolbars' own lines are written: comments, lines for toolbars this program does not
  // have and lines it cannot read stay as they are.
  InSection(Store, ToolbarsSection, [&] {
    for (TTBCustomDockableWindow* window : Windows)
      if (!window->Name().empty()) Store.WriteIntegers(window->Name(), Fields(window));
  });
}

int LoadToolbarLayout(TPropSaver& Store, const std::vector<TTBCustomDockableWindow*>& Windows,
                      const std::vector<TTBDock*>& Docks) {
  int placed = 0;
  InSection(Store, ToolbarsSection, [&] {
    for (TTBCustomDockableWindow* window : Windows) {
      if (window->Name().empty() || !Store.ValueExists(window->Name())) continue;
      const std::optional<TPlace> place = Parse(Store.ReadIntegers(window->Name(), {}));
      if (!place || !Usable(*place, window, Docks)) continue;
      Apply(*place, window, Docks);
      ++placed;
    }
  });
  return placed;
}

}  // namespace workspace
