// Dockable panels on the real desktop: a form with a toolbar holding the colour palette, a
// multi-dock on the left with two panels, and a floating panel. The theme is the first argument
// ("Default" without one). Choices and sizes go to standard output for the smoke test.

#include <cstdio>
#include <string>

#include "framework/Forms.h"
#include "platform/user/windows/Window.h"
#include "presenter/DesktopPresenter.h"
#include "themes/ThemeList.h"
#include "tx/Tx.h"
#include "tx/TxColorPalette.h"
#include "tx/TxDkPanels.h"
#include "tx/TxDock.h"
#include "tx/TxMultiDock.h"
#include "toolbars/TBFloatingParent.h"
#include "tx/TxToolbar.h"

namespace {

using namespace tx;

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

std::string Xy(fw::TControl* C, TPoint P) {
  const TPoint s = C->ClientToScreen(P);
  return std::to_string(s.x) + " " + std::to_string(s.y);
}

class DemoForm : public fw::TForm {
 public:
  explicit DemoForm(fw::TComponent* AOwner) : fw::TForm(AOwner) {
    SetCaption("Korvalin panels demo");
    SetBounds(60, 60, 720, 480);
    SetColor(fw::clAppWorkSpace);

    auto* top = new TTxDock(this);
    top->SetParent(this);
    FBar = new TTxToolbar(this);
    FBar->AfterConstruction();
    FBar->SetCaption("Colours");
    FPalette = new TTxColorPalette(FBar->Items());
    FPalette->OnChange = [this](fw::TObject*) {
      Say("colour " + FPalette->EffectiveColorSet()->ColorToString(FPalette->Color()));
    };
    FBar->Items()->Add(FPalette);
    FBar->SetCurrentDock(top);
    FBar->OnMove = [this](fw::TObject*) { Say("moved Colours " + Xy(FBar, TPoint{0, 0})); };

    FLeft = new TTxMultiDock(this);
    FLeft->SetPosition(toolbars::dpLeft);
    FLeft->SetParent(this);
    FLayers = Panel("Layers", FLeft, 0);
    FLayers->SetDockedWidth(180);
    FLayers->SetSplitHeight(160);
    FProperties = Panel("Properties", FLeft, 1);
    FProperties->SetSplitHeight(200);

    FFloating = Panel("Floating notes", nullptr, 0);
    FFloating->SetFloatingPosition(TPoint{Left() + 420, Top() + 200});
    FFloating->SetFloatingWidth(200);
    FFloating->SetFloatingHeight(110);
    FFloating->SetFloating(true);
    FFloating->OnMove = [this](fw::TObject*) {
      if (auto* host = FFloating->FloatingParent()) Say("moved Floating " + Xy(host, TPoint{0, 0}));
    };
  }

  void Report() {
    FBar->View()->ValidatePositions();
    const TRect cell = FBar->View()->Viewers(0)->ScreenBoundsRect();
    // Cell (1, 1) "Orange" of the 18-pixel grid.
    Say("ready orange " + std::to_string(cell.left + 18 + 9) + " " + std::to_string(cell.top + 18 + 9) + " split " +
        Xy(FLayers, TPoint{FLayers->ClientWidth() / 2, FLayers->ClientHeight() + 1}) + " edge " +
        Xy(FLayers, TPoint{FLayers->ClientWidth() + 1, FLayers->ClientHeight() / 2}) + " handle " +
        Xy(FBar, TPoint{-FBar->DragHandleSize() / 2, FBar->ClientHeight() / 2}) + " caption " + CaptionPoint() + " bar " +
        Xy(FBar, TPoint{0, 0}) + " floating " + Xy(FFloating->FloatingParent(), TPoint{0, 0}));
  }

 private:
  // A point on the floating panel's caption bar, in screen coordinates.
  std::string CaptionPoint() {
    auto* host = FFloating->FloatingParent();
    const TRect caption = host->GetCaptionRect(true, true);
    win::RECT r{};
    win::GetWindowRect(host->Handle(), &r);
    return std::to_string(r.left + caption.left + 10) + " " + std::to_string(r.top + (caption.top + caption.bottom) / 2);
  }

  TTxDockablePanel* Panel(const char* Caption, toolbars::TTBDock* Dock, Integer Pos) {
    auto* p = new TTxDockablePanel(this);
    p->SetCaption(Caption);
    p->SetDockPos(Pos);
    const std::string name = Caption;
    p->OnResize = [p, name](fw::TObject*) {
      if (p->Docked())
        Say("size " + name + " " + std::to_string(p->DockedWidth()) + " " + std::to_string(p->SplitHeight()));
    };
    if (Dock) p->SetCurrentDock(Dock);
    return p;
  }

  TTxToolbar* FBar;
  TTxColorPalette* FPalette;
  TTxMultiDock* FLeft;
  TTxDockablePanel *FLayers, *FProperties, *FFloating;
};

}  // namespace

int main(int argc, char** argv) {
  using win::presenter::DesktopPresenter;
  if (!DesktopPresenter::DisplayAvailable()) {
    std::puts("panels-demo: no display to show the form on.");
    return 0;
  }
  DesktopPresenter desktop;
  InitTx();
  themes::RegisterThemes();
  if (argc > 1) SetCurrentTheme(argv[1]);
  fw::Application->Initialize();
  auto* form = fw::Application->CreateForm<DemoForm>();
  form->OnShow = [form](fw::TObject*) {
    fw::Application->ProcessMessages();
    form->Report();
  };
  fw::Application->Run();
  delete form;
  DoneTx();
  return 0;
}
