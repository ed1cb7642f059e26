// The toolbar and menu framework on the real desktop: a form with a menu bar (submenus, a radio
// group, an edit item, a list of recent files), and a popup menu on a right click in the form.
// Every choice is reported on standard output, so a script can drive the program with xdotool.

#include <cstdio>
#include <string>

#include "framework/Forms.h"
#include "framework/GraphicsCanvas.h"
#include "framework/Menus.h"
#include "presenter/DesktopPresenter.h"
#include "toolbars/TBCommon.h"
#include "toolbars/TBExtItems.h"
#include "toolbars/TBItemPopup.h"
#include "toolbars/TBItemView.h"
#include "toolbars/TBItemViewer.h"
#include "toolbars/TBMRU.h"

namespace {

using namespace toolbars;

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

// A view that sizes its bar to the laid-out height.
class BarView : public TTBView {
 public:
  using TTBView::TTBView;
  void AutoSize(Integer, Integer AHeight) override {
    if (Window() && Window()->Height() != AHeight) Window()->SetHeight(AHeight);
  }
};

// The smallest host of a menu bar: paints its view and runs the menu loop on a press.
class MenuBar : public fw::TCustomControl {
 public:
  explicit MenuBar(TComponent* AOwner) : fw::TCustomControl(AOwner), FRoot(new TTBRootItem(nullptr)) {
    SetAlign(fw::alTop);
    SetHeight(22);
    SetColor(fw::clBtnFace);
    FView = TTBViewClass::Of<BarView>().Create(this, nullptr, FRoot.get(), this, true, false, false);
    FView->SetStyle(tbvoMenuBar);
  }
  ~MenuBar() override {
    DestroyComponents();
    FRoot.reset();
  }
  TTBRootItem* Items() const { return FRoot.get(); }
  TTBView* View() const { return FView; }

 protected:
  void Paint() override {
    if (FView) FView->DrawSubitems(Canvas());
  }
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) override {
    fw::TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != fw::mbLeft) return;
    TTBItemViewer* v = FView->ViewerFromPoint(TPoint{X, Y});
    if (!v) return;
    FView->SetSelected(v, true);
    FView->EnterToolbarLoop(tbetMouseDown);
  }

 private:
  std::unique_ptr<TTBRootItem> FRoot;
  TTBView* FView = nullptr;
};

class DemoForm : public fw::TForm {
 public:
  explicit DemoForm(TComponent* AOwner) : fw::TForm(AOwner) {
    SetCaption("Korvalin menus demo");
    SetBounds(120, 100, 480, 320);
    SetColor(fw::clWindow);
    FBar = new MenuBar(this);
    FBar->SetParent(this);
    FRecent = new TTBMRUList(this);
    FRecent->SetAddFullPath(false);
    for (const char* f : {"/data/trace3.tr1", "/data/R&D plan.txt", "/data/spectrum.csv"}) FRecent->Add(f);
    FRecent->OnClick = [](TObject*, const String& name) { Say("recent " + name); };

    TTBCustomItem* file = Submenu(FBar->Items(), "&File");
    Command(file, "&Open...", fw::scCtrl | 'O', [this] { FRecent->Add("/data/opened" + std::to_string(++FOpened) + ".txt"); });
    Command(file, "&Save", fw::scCtrl | 'S');
    Separator(file);
    TTBCustomItem* recent = Submenu(file, "&Recent files");
    recent->SetLinkSubitems(FRecent->RootItem());
    Separator(file);
    Command(file, "E&xit", 0, [this] { Close(); });

    TTBCustomItem* edit = Submenu(FBar->Items(), "&Edit");
    auto* find = new TTBEditItem(this);
    find->SetEditCaption("&Find:");
    find->SetEditWidth(120);
    find->OnAcceptText = [](TObject*, String& text, bool&) { Say("find " + text); };
    edit->Add(find);
    Separator(edit);
    TTBCustomItem* view = Submenu(edit, "&View");
    for (const char* c : {"&Lines", "&Points", "&Bars"}) {
      TTBCustomItem* it = Command(view, c);
      it->SetGroupIndex(1);
      it->SetAutoCheck(true);
    }
    view->Items(0)->SetChecked(true);

    TTBCustomItem* help = Submenu(FBar->Items(), "&Help");
    Command(help, "&About");

    FPopup = new TTBPopupMenu(this);
    Command(FPopup->Items(), "Cu&t", fw::scCtrl | 'X');
    Command(FPopup->Items(), "&Copy", fw::scCtrl | 'C');
    Command(FPopup->Items(), "&Paste", fw::scCtrl | 'V');
    Separator(FPopup->Items());
    TTBCustomItem* more = Submenu(FPopup->Items(), "&Format");
    Command(more, "&Bold");
    Command(more, "&Italic");
    FPopup->OnPopup = [](TObject*) { Say("opened popup"); };
  }

  void Report() {
    FBar->View()->ValidatePositions();
    TTBItemViewer* fileViewer = FBar->View()->Viewers(0);
    TRect f = fileViewer->ScreenBoundsRect();
    TPoint c = ClientToScreen(TPoint{ClientWidth() / 2, ClientHeight() / 2 + 20});
    Say("ready file " + std::to_string((f.left + f.right) / 2) + " " + std::to_string((f.top + f.bottom) / 2) +
        " edit " + std::to_string((f.left + f.right) / 2 + (f.right - f.left) + 8) + " " +
        std::to_string((f.top + f.bottom) / 2) + " client " + std::to_string(c.x) + " " + std::to_string(c.y));
  }

 protected:
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) override {
    fw::TForm::MouseUp(Button, Shift, X, Y);
    if (Button != fw::mbRight) return;
    TPoint p = ClientToScreen(TPoint{X, Y});
    FPopup->Popup(p.x, p.y);
  }

 private:
  TTBCustomItem* Command(TTBCustomItem* parent, const char* caption, fw::TShortCut key = 0,
                         std::function<void()> run = nullptr) {
    auto* it = new TTBCustomItem(this);
    it->SetCaption(caption);
    it->SetShortCut(key);
    String name = StripAccelChars(caption);
    it->OnClick = [name, run](TObject*) {
      Say("chose " + name);
      if (run) run();
    };
    parent->Add(it);
    return it;
  }
  TTBCustomItem* Submenu(TTBCustomItem* parent, const char* caption) {
    struct SubmenuItem : TTBCustomItem {
      explicit SubmenuItem(TComponent* AOwner) : TTBCustomItem(AOwner) { SetItemStyle(ItemStyle() | tbisSubmenu); }
    };
    auto* it = new SubmenuItem(this);
    it->SetCaption(caption);
    String name = StripAccelChars(caption);
    it->OnPopup = [name](TTBCustomItem*, bool fromLink) {
      if (!fromLink) Say("opened " + name);
    };
    parent->Add(it);
    return it;
  }
  void Separator(TTBCustomItem* parent) { parent->Add(new TTBSeparatorItem(this)); }

  MenuBar* FBar;
  TTBMRUList* FRecent;
  TTBPopupMenu* FPopup;
  int FOpened = 0;
};

}  // namespace

int main() {
  if (!win::presenter::DesktopPresenter::DisplayAvailable()) {
    std::puts("toolbars-demo: no display to show a window on.");
    return 0;
  }
  win::presenter::DesktopPresenter desktop;
  auto* form = fw::Application->CreateForm<DemoForm>();
  form->OnShow = [form](TObject*) {
    fw::Application->ProcessMessages();
    form->Report();
  };
  fw::Application->Run();
  return 0;
}
