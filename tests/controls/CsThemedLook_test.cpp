// The control set in a themed look: under a theme other than "Default" each control asks the
// current theme for its face (edit frames, buttons, check and radio glyphs, group frames, track
// bar parts, combo buttons, tabs); under "Default" (no visual styles) none does, and a switch
// repaints every themed control.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "controls/CsButtons.h"
#include "controls/CsColorButton.h"
#include "controls/CsEditors.h"
#include "controls/CsLists.h"
#include "controls/CsPanels.h"
#include "controls/CsPenButton.h"
#include "controls/CsTabs.h"
#include "controls/CsTrackBar.h"
#include "controls/FloatEdit.h"
#include "controls/NumericSpinEdit.h"
#include "framework/Colors.h"
#include "framework/stdctrls_support.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "tx/Tx.h"
#include "tx/TxDefaultTheme.h"

namespace cs {
namespace {

// The Default theme's painting, with every call of the operations the controls use counted.
class TRecordingTheme : public tx::TTxDefaultTheme {
 public:
  using TTxDefaultTheme::TTxDefaultTheme;
  static inline std::map<std::string, int> Calls;
  static inline std::map<int, int> FrameControlStates;  // kind -> last state bits

  void PaintButton(fw::TCanvas* Canvas, const fw::TRect& ARect, const tx::TTxItemInfo& ItemInfo) override {
    ++Calls["PaintButton"];
    TTxDefaultTheme::PaintButton(Canvas, ARect, ItemInfo);
  }
  void PaintEditFrame(fw::TCanvas* Canvas, const fw::TRect& ARect, tx::TTxItemInfo& ItemInfo,
                      const tx::TTxEditFrameInfo& EditFrameInfo) override {
    ++Calls["PaintEditFrame"];
    if (ItemInfo.ViewType == 0x1201 && ItemInfo.ItemOptions == 33) ++Calls["EditFrameInfo"];
    TTxDefaultTheme::PaintEditFrame(Canvas, ARect, ItemInfo, EditFrameInfo);
  }
  void PaintEditButton(fw::TCanvas* Canvas, const fw::TRect& ARect, tx::TTxItemInfo& ItemInfo,
                       const tx::TTxEditButtonInfo& ButtonInfo) override {
    ++Calls["PaintEditButton"];
    if (ButtonInfo.ButtonType == tx::EBT_SPIN) ++Calls["SpinButton"];
    TTxDefaultTheme::PaintEditButton(Canvas, ARect, ItemInfo, ButtonInfo);
  }
  void PaintFrame(fw::TCanvas* Canvas, const fw::TRect& ARect, const tx::TTxItemInfo& ItemInfo) override {
    ++Calls["PaintFrame"];
    TTxDefaultTheme::PaintFrame(Canvas, ARect, ItemInfo);
  }
  void PaintFrameControl(fw::TCanvas* Canvas, fw::TRect R, tx::Integer Kind, tx::Integer State,
                         void* Params) override {
    ++Calls["PaintFrameControl"];
    FrameControlStates[Kind] = State;
    TTxDefaultTheme::PaintFrameControl(Canvas, R, Kind, State, Params);
  }
};

// A theme that fills its whole edit frame with one colour, as most themes fill their fields.
class TFieldFillingTheme : public tx::TTxDefaultTheme {
 public:
  using TTxDefaultTheme::TTxDefaultTheme;
  static constexpr fw::TColor kFill = 0x00C000;
  void PaintEditFrame(fw::TCanvas* Canvas, const fw::TRect& ARect, tx::TTxItemInfo&,
                      const tx::TTxEditFrameInfo&) override {
    Canvas->Brush()->SetColor(kFill);
    Canvas->FillRect(ARect);
  }
};

// A theme that paints its docks and toolbar backgrounds in colours of their own and leaves edit
// buttons bare (as some themes leave disabled ones); with visual styles on, toolbar backgrounds
// come from PaintBackground in the toolbar view's colour; without a dock face its docks paint
// nothing.
class TBareButtonsTheme : public tx::TTxDefaultTheme {
 public:
  using TTxDefaultTheme::TTxDefaultTheme;
  static constexpr fw::TColor kDock = 0x3080C0, kToolbarView = 0xA04020;
  static inline bool VisualStyles = false;
  static inline bool DockFace = true;
  bool GetBooleanMetric(tx::Integer Index) override {
    return Index == tx::TMB_VISUAL_STYLES ? VisualStyles : TTxDefaultTheme::GetBooleanMetric(Index);
  }
  fw::TColor GetViewColor(tx::Integer ViewType) override {
    return ViewType == tx::VT_TOOLBAR_NORMAL ? kToolbarView : TTxDefaultTheme::GetViewColor(ViewType);
  }
  void PaintBackground(fw::TCanvas* Canvas, const fw::TRect&, const fw::TRect& ARect, const fw::TRect&,
                       fw::TColor AColor, bool, tx::Integer) override {
    Canvas->Brush()->SetColor(AColor);
    Canvas->FillRect(ARect);
  }
  void PaintDock(fw::TCanvas* Canvas, const fw::TRect& ClientRect, const fw::TRect&, tx::Integer) override {
    if (!DockFace) return;
    Canvas->Brush()->SetColor(kDock);
    Canvas->FillRect(ClientRect);
  }
  void PaintEditButton(fw::TCanvas*, const fw::TRect&, tx::TTxItemInfo&,
                       const tx::TTxEditButtonInfo&) override {}
};

class CsThemedLookTest : public fw::testing::StdCtrlsTest {
 protected:
  void SetUp() override {
    StdCtrlsTest::SetUp();
    tx::InitTx();
    if (!tx::IsThemeRegistered("Recording")) tx::RegisterTheme("Recording", &tx::ThemeClassOf<TRecordingTheme>);
    if (!tx::IsThemeRegistered("FieldFilling"))
      tx::RegisterTheme("FieldFilling", &tx::ThemeClassOf<TFieldFillingTheme>);
    if (!tx::IsThemeRegistered("BareButtons"))
      tx::RegisterTheme("BareButtons", &tx::ThemeClassOf<TBareButtonsTheme>);
    TRecordingTheme::Calls.clear();
  }
  void TearDown() override {
    tx::SetCurrentTheme("Default");
    StdCtrlsTest::TearDown();
    tx::DoneTx();
  }
  int Calls(const char* Name) { return TRecordingTheme::Calls[Name]; }
  // Everything repainted, frames included.
  void RepaintAll() {
    win::RedrawWindow(form->Handle(), nullptr, nullptr,
                      win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_FRAME | win::RDW_ALLCHILDREN);
    Pump();
  }
};

TEST_F(CsThemedLookTest, ControlsAskTheThemeOnlyInTheThemedLook) {
  auto* edit = Add<TCsEdit>(10, 10, 100, 21);
  auto* check = Add<TCsCheckBox>(10, 40, 100, 20);
  check->SetCaption(u"Сетка");
  check->SetChecked(true);
  auto* radio = Add<TCsRadioButton>(10, 65, 100, 20);
  radio->SetCaption(u"Экран");
  auto* button = Add<TCsButton>(120, 10, 75, 25);
  button->SetThemeType(thtTx);
  auto* group = Add<TCsGroupBox>(200, 10, 150, 60);
  group->SetCaption(u"Вывод");
  auto* track = Add<TCsTrackBar>(200, 80, 150, 30);
  track->SetThemeType(thtTx);
  auto* combo = Add<TCsComboBox>(10, 90, 120, 21);
  auto* memo = Add<TCsMemo>(10, 120, 120, 40);
  auto* list = Add<TCsListBox>(140, 120, 100, 40);
  auto* flt = Add<TCsFloatEdit>(250, 120, 80, 21);
  auto* spin = Add<TCsSpinEdit>(250, 150, 80, 21);
  (void)edit, (void)radio, (void)group, (void)combo, (void)memo, (void)list, (void)flt, (void)spin;
  tx::SetCurrentTheme("Recording");
  ShowForm();
  {
    // Named "Default" (no visual styles): the classic look throughout, the theme never asked.
    const TCsThemeState engine = SetThemeState({[] { return std::string("Default"); }, [] { return false; }});
    TRecordingTheme::Calls.clear();
    RepaintAll();
    EXPECT_EQ(Calls("PaintEditFrame") + Calls("PaintFrame") + Calls("PaintFrameControl"), 0);
    SetThemeState(engine);
  }
  TRecordingTheme::Calls.clear();
  RepaintAll();
  // Edit, combo, memo, list box, float and spin edits: one edit frame each at least, all with
  // the edit-frame record.
  EXPECT_GE(Calls("PaintEditFrame"), 6);
  EXPECT_EQ(Calls("EditFrameInfo"), Calls("PaintEditFrame"));
  EXPECT_GE(Calls("PaintEditButton"), 2);  // the combo's drop-down button, the spin buttons
  EXPECT_GE(Calls("SpinButton"), 1);
  EXPECT_GE(Calls("PaintFrame"), 1);       // the group box
  EXPECT_GE(Calls("PaintFrameControl"), 2);
  EXPECT_EQ(TRecordingTheme::FrameControlStates[1] & tx::PFS_CHECKED, tx::PFS_CHECKED);
  EXPECT_EQ(TRecordingTheme::FrameControlStates[2] & tx::PFS_CHECKED, 0);
  EXPECT_GE(Calls("PaintButton"), 3);  // the button, the track bar's channel and thumb
}

TEST_F(CsThemedLookTest, ThemedTabsPaintThroughTheTheme) {
  auto* tabs = Add<TCsTabControl>(10, 10, 300, 150);
  tabs->SetThemeType(tttTx);
  tabs->AddTab(u"Один");
  tabs->AddTab(u"Два");
  tx::SetCurrentTheme("Recording");
  ShowForm();
  TRecordingTheme::Calls.clear();
  tabs->InvalidateBackground(true);
  RepaintAll();
  EXPECT_GE(Calls("PaintButton"), 2);  // the band and the active tab
  EXPECT_EQ(tabs->Pages(0)->Color(), fw::clWhite);  // the pages take the theme's white band
  tabs->SetThemeType(tttNone);
  TRecordingTheme::Calls.clear();
  RepaintAll();
  EXPECT_EQ(Calls("PaintButton"), 0);
  EXPECT_EQ(tabs->Pages(1)->Color(), tabs->Color());
}

// The combo box's themed border is painted round its field, never over it: the selected entry's
// text stays readable under a theme that fills its edit frames.
TEST_F(CsThemedLookTest, ComboBoxKeepsItsTextUnderAThemeThatFillsItsField) {
  auto* combo = Add<TCsComboBox>(10, 10, 140, 21);
  combo->SetStyle(fw::csDropDownList);
  ShowForm();
  form->SetActiveControl(nullptr);  // unfocused: a shown form focuses its first control
  combo->Items()->Add(u"Сплошная");
  combo->SetItemIndex(0);
  tx::SetCurrentTheme("FieldFilling");
  RepaintAll();
  auto pixel = [&](int x, int y) {
    const win::POINT p = At(combo, x, y);
    return fw::TColor(desktop->screen_pixel(p.x, p.y));
  };
  int text = 0, filled = 0;
  for (int y = 3; y < combo->Height() - 3; ++y)
    for (int x = 3; x < 3 + 8 * 7; ++x) {
      text += pixel(x, y) == fw::ColorToRGB(fw::clWindowText);
      filled += pixel(x, y) == TFieldFillingTheme::kFill;
    }
  EXPECT_GT(text, 20);    // the glyphs of "Сплошная"
  EXPECT_EQ(filled, 0);   // the theme's fill stays out of the field
  // The themed border ring round the field.
  EXPECT_EQ(pixel(0, 10), TFieldFillingTheme::kFill);
  EXPECT_EQ(pixel(70, 1), TFieldFillingTheme::kFill);
  EXPECT_EQ(pixel(70, combo->Height() - 2), TFieldFillingTheme::kFill);
}

// The spin edit's button column shows the toolbar background wherever the theme's buttons leave
// it bare, enabled or not: the dock's face, with visual styles the toolbar view's colour, and
// where the theme's docks paint nothing what lies behind the edit (the form's face), never the
// edit's own colour.
TEST_F(CsThemedLookTest, SpinButtonsLieOnTheToolbarBackground) {
  constexpr fw::TColor kFormFace = 0x405060;
  form->SetColor(kFormFace);
  auto* enabled = Add<TCsSpinEdit>(10, 10, 80, 21);
  auto* disabled = Add<TCsSpinEdit>(10, 40, 80, 21);
  disabled->SetEnabled(false);
  ShowForm();
  form->SetActiveControl(nullptr);
  tx::SetCurrentTheme("BareButtons");
  const struct {
    const char* name;
    bool visualStyles, dockFace;
    fw::TColor expected;
  } cases[] = {
      {"a dock face", false, true, TBareButtonsTheme::kDock},
      {"visual styles", true, true, TBareButtonsTheme::kToolbarView},
      {"visual styles, no dock face", true, false, TBareButtonsTheme::kToolbarView},
      {"no dock face", false, false, kFormFace},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TBareButtonsTheme::VisualStyles = c.visualStyles;
    TBareButtonsTheme::DockFace = c.dockFace;
    RepaintAll();
    for (TCsSpinEdit* spin : {enabled, disabled}) {
      fw::TWinControl* buttons = spin->UpDown();
      int other = 0;
      for (int y = 0; y < buttons->Height(); ++y)
        for (int x = 0; x < buttons->Width(); ++x) {
          const win::POINT p = At(buttons, x, y);
          other += fw::TColor(desktop->screen_pixel(p.x, p.y)) != c.expected;
        }
      EXPECT_EQ(other, 0) << (spin->Enabled() ? "enabled" : "disabled") << ": pixels of the button column";
    }
  }
  TBareButtonsTheme::VisualStyles = false;
  TBareButtonsTheme::DockFace = true;
}

// A panel whose background gives each of its points a colour of its own (red the x, green the y).
class TCoordinatePanel : public TCsPanel {
 public:
  using TCsPanel::TCsPanel;
  static fw::TColor ColorAt(int X, int Y) { return fw::TColor(win::RGB(X & 0xFF, Y & 0xFF, 0x40)); }
  void Dispatch(fw::TMessage& Message) override {
    if (Message.Msg != win::WM_ERASEBKGND) return TCsPanel::Dispatch(Message);
    const auto dc = reinterpret_cast<win::HDC>(Message.WParam);
    win::RECT clip{};
    win::GetClipBox(dc, &clip);
    for (int y = clip.top; y < clip.bottom; ++y)
      for (int x = clip.left; x < clip.right; ++x) win::SetPixelV(dc, x, y, ColorAt(x, y));
    Message.Result = 1;
  }
};

// Where the theme's docks paint nothing, the button column shows what lies behind it at its own
// place, not shifted by where the column sits in the edit.
TEST_F(CsThemedLookTest, SpinButtonsShowTheParentBehindThemAtTheirOwnPlace) {
  auto* panel = Add<TCoordinatePanel>(5, 5, 220, 120);
  auto* spin = Add<TCsSpinEdit>(17, 23, 80, 21, panel);
  ShowForm();
  form->SetActiveControl(nullptr);
  tx::SetCurrentTheme("BareButtons");
  TBareButtonsTheme::VisualStyles = false;
  TBareButtonsTheme::DockFace = false;
  RepaintAll();
  fw::TWinControl* buttons = spin->UpDown();
  int other = 0;
  for (int y = 0; y < buttons->Height(); ++y)
    for (int x = 0; x < buttons->Width(); ++x) {
      const win::POINT p = At(buttons, x, y);
      const fw::TPoint behind = panel->ScreenToClient(fw::TPoint{p.x, p.y});
      other += fw::TColor(desktop->screen_pixel(p.x, p.y)) != TCoordinatePanel::ColorAt(behind.x, behind.y);
    }
  EXPECT_EQ(other, 0) << "pixels of the button column other than the panel's behind them";
  TBareButtonsTheme::DockFace = true;
}

TEST_F(CsThemedLookTest, DisabledGlyphsSayDisabled) {
  auto* check = Add<TCsCheckBox>(10, 40, 100, 20);
  check->SetEnabled(false);
  ShowForm();
  tx::SetCurrentTheme("Recording");
  RepaintAll();
  EXPECT_EQ(TRecordingTheme::FrameControlStates[1] & (tx::PFS_DISABLED | tx::PFS_HOT | tx::PFS_PUSHED),
            tx::PFS_DISABLED);
}

TEST_F(CsThemedLookTest, EveryThemedControlRepaintsOnASwitch) {
  auto* edit = Add<TCsEdit>(10, 10, 100, 21);
  auto* tabs = Add<TCsTabControl>(10, 40, 300, 150);
  tabs->AddTab(u"Один");
  auto* pen = Add<TCsPenButton>(320, 10, 60, 25);
  auto* colour = Add<TCsColorButton>(320, 40, 60, 25);
  ShowForm();
  for (fw::TWinControl* c : std::initializer_list<fw::TWinControl*>{edit, tabs, pen, colour})
    win::ValidateRect(c->Handle(), nullptr);
  tx::SetCurrentTheme("Recording");
  for (fw::TWinControl* c : std::initializer_list<fw::TWinControl*>{edit, tabs, pen, colour})
    EXPECT_TRUE(win::GetUpdateRect(c->Handle(), nullptr, false)) << c->ClassName();
  Pump();
  for (fw::TWinControl* c : std::initializer_list<fw::TWinControl*>{edit, tabs, pen, colour})
    EXPECT_FALSE(win::GetUpdateRect(c->Handle(), nullptr, false)) << c->ClassName();
}

}  // namespace
}  // namespace cs
