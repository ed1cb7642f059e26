// Themed items and their viewers: sizes from the theme's metrics, the theme calls made to paint,
// font overrides, separators.

#include <algorithm>
#include <memory>
#include <string>

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/GraphicsObjects.h"
#include "framework/ImageList.h"
#include "framework/control_fixture.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "toolbars/TBItemView.h"
#include "tx/ProbeTheme.h"
#include "tx/Tx.h"
#include "tx/TxItemViewer.h"

namespace {

using namespace tx;
using toolbars::TTBItemViewer;
using toolbars::TTBRootItem;
using toolbars::TTBView;
using txtest::TProbeTheme;

class ThemedViewerTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    InitTx();
    if (!IsThemeRegistered("Probe")) RegisterTheme("Probe", &ThemeClassOf<TProbeTheme>);
    SetCurrentTheme("Probe");
    probe = dynamic_cast<TProbeTheme*>(CurrentTheme);
    ASSERT_NE(probe, nullptr);
    bmp.SetPixelFormat(fw::pf32bit);
    bmp.SetSize(200, 100);
    images.SetWidth(16);
    images.SetHeight(16);
    fw::TBitmap one;
    one.SetPixelFormat(fw::pf24bit);
    one.SetSize(16, 16);
    images.AddMasked(&one, fw::clFuchsia);
  }
  void TearDown() override {
    view.reset();
    root.reset();
    SetCurrentTheme("Default");
    DoneTx();
    ControlTest::TearDown();
  }

  template <class Item = TTxItem>
  Item* Add(const String& caption = "", bool withImage = false) {
    auto* it = new Item(root.get());
    it->SetCaption(caption);
    if (withImage) {
      it->SetImages(&images);
      it->SetImageIndex(0);
    }
    root->Add(it);
    return it;
  }
  TTBItemViewer* View(bool toolbar, toolbars::TTBViewOrientation o = toolbars::tbvoHorizontal) {
    view.reset(new TTBView(nullptr, nullptr, root.get(), nullptr, toolbar, false, false));
    view->AfterConstruction();
    view->SetOrientation(o);
    return view->Viewers(view->ViewerCount() - 1);
  }
  fw::TSize Measure(TTBItemViewer* v) {
    Integer w = 0, h = 0;
    v->CalcSize(bmp.Canvas(), w, h);
    return {w, h};
  }
  void PaintIt(TTBItemViewer* v, const TRect& r, bool selected = false, bool pushed = false) {
    probe->Calls.clear();
    v->Paint(bmp.Canvas(), r, selected, pushed, false);
  }
  // Width of a caption in the view's font as the drawing layer's DrawText measures it.
  Integer CaptionWidth(const String& s, win::UINT flags) {
    fw::TBitmap b;
    b.SetSize(1, 1);
    b.Canvas()->Font()->Assign(view->GetFont());
    b.Canvas()->Handle();
    b.Canvas()->RequiredState(fw::csFontValid);
    TRect r{0, 0, 1, 0};
    std::u16string w(s.begin(), s.end());
    win::DrawTextW(b.Canvas()->Handle(), w.c_str(), int(w.size()), &r, flags | win::DT_CALCRECT);
    return r.right;
  }

  TProbeTheme* probe = nullptr;
  fw::TBitmap bmp;
  fw::TImageList images{nullptr};
  std::unique_ptr<TTBRootItem> root = std::make_unique<TTBRootItem>(nullptr);
  std::unique_ptr<TTBView> view;
};

// ---- toolbar sizes ---------------------------------------------------------------------------

TEST_F(ThemedViewerTest, ToolbarImageButtonSizesFromTheMetrics) {
  struct Case {
    const char* name;
    bool submenu, combo, arrow;
    TTxItemLayout layout;
    Integer w, h;
    toolbars::TTBViewOrientation orientation = toolbars::tbvoHorizontal;
  } cases[] = {
      {"plain glyph-left", false, false, false, txlAuto, 6 + 16 + 1, 22},
      {"drop-down arrow adds m20", true, false, true, txlAuto, 23 + 8, 22},
      {"split adds m10", true, true, false, txlAuto, 23 + 11, 22},
      {"glyph-top", false, false, false, txlGlyphTop, 16 + 7, 6 + 16},
      {"glyph-top arrow: m20 + IW + 9", true, false, true, txlGlyphTop, 8 + 16 + 9, 6 + 16},
      {"glyph-top arrow on a vertical bar: m20 + IH + 9 high", true, false, true, txlGlyphTop, 16 + 7, 8 + 16 + 9,
       toolbars::tbvoVertical},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    root->Clear();
    TTxCustomItem* it = c.submenu ? static_cast<TTxCustomItem*>(Add<TTxSubmenuItem>("", true)) : Add("", true);
    if (c.combo) static_cast<TTxSubmenuItem*>(it)->SetDropdownCombo(true);
    if (c.arrow) it->SetOptions(toolbars::TTBItemOptions{toolbars::tboDropdownArrow});
    it->SetLayout(c.layout);
    fw::TSize s = Measure(View(true, c.orientation));
    EXPECT_EQ(s.cx, c.w);
    EXPECT_EQ(s.cy, c.h);
  }
}

TEST_F(ThemedViewerTest, CaptionWidensAToolbarButtonByItsWidthAndFour) {
  Add("Open", true)->SetDisplayMode(toolbars::nbdmImageAndText);
  auto* v = View(true);
    // A toolbar caption is measured as multi-line text.
  EXPECT_EQ(Measure(v).cx, 6 + 16 + 1 + CaptionWidth("Open", 0) + 4);
}

// Stretch is the framework's fill-the-row bit: a stretched item takes its row's height while an
// ordinary one stays centred, and setting it re-lays the item out.
TEST_F(ThemedViewerTest, StretchedItemTakesItsRowsHeight) {
  TTxItem* tall = Add("Tall");
  tall->SetMinHeight(40);
  TTxItem* stretched = Add("Wide");
  TTxItem* plain = Add("Plain");
  EXPECT_FALSE(stretched->Stretch());
  stretched->SetStretch(true);
  EXPECT_TRUE(stretched->Stretch());
  EXPECT_TRUE(stretched->ItemStyle() & toolbars::tbisFillRow);
  View(true);
  TPoint size{};
  view->UpdatePositions(size);
  const TRect row = view->Find(tall)->BoundsRect();
  const TRect s = view->Find(stretched)->BoundsRect();
  const TRect p = view->Find(plain)->BoundsRect();
  EXPECT_EQ(row.bottom - row.top, 40);
  EXPECT_EQ(s.top, row.top);
  EXPECT_EQ(s.bottom, row.bottom);
  EXPECT_LT(p.bottom - p.top, 40);
  EXPECT_GT(p.top, row.top) << "an ordinary item is centred";
  stretched->SetStretch(false);
  EXPECT_FALSE(stretched->ItemStyle() & toolbars::tbisFillRow);
  EXPECT_TRUE(stretched->ItemStyle() & toolbars::tbisSelectable) << "the other style bits stay";
}

TEST_F(ThemedViewerTest, MinimumSizesWin) {
  auto* it = Add("", true);
  it->SetMinWidth(40);
  it->SetMinHeight(30);
  fw::TSize s = Measure(View(true));
  EXPECT_EQ(s.cx, 40);
  EXPECT_EQ(s.cy, 30);
  it->SetMinWidth(5);  // smaller than measured: the measure stays
  EXPECT_EQ(Measure(View(true)).cx, 23);
}

TEST_F(ThemedViewerTest, MenuLineSizeFromMarginsAndImageColumn) {
  Add("");  // no caption, no image: the image column still counts 16 pixels
  auto* v = View(false);
  fw::TSize s = Measure(v);
  const Integer height = 16 + 2 + 2;
  EXPECT_EQ(s.cy, height);
  EXPECT_EQ(s.cx, 1 + GetPopupMargin(v) + 2 + 2 + height);
}

TEST_F(ThemedViewerTest, PopupMarginGrowsWithTheFont) {
  Add("");
  auto* v = View(false);
  fw::TBitmap b;
  b.SetSize(1, 1);
  b.Canvas()->Font()->Assign(view->GetFont());
  win::TEXTMETRICW tm{};
  b.Canvas()->Handle();
    b.Canvas()->RequiredState(fw::csFontValid);
  win::GetTextMetricsW(b.Canvas()->Handle(), &tm);
  const Integer textH = tm.tmHeight + tm.tmExternalLeading;
  EXPECT_EQ(GetPopupMargin(v), (16 + 4) * std::max(textH + 4, 16 + 4) / (16 + 4));
}

// ---- painting --------------------------------------------------------------------------------

TEST_F(ThemedViewerTest, OpenSplitButtonShowsOnlyItsArrowPressed) {
  auto* it = Add<TTxSubmenuItem>("", true);
  it->SetDropdownCombo(true);
  it->SetChecked(true);
  auto* v = View(true);
  PaintIt(v, TRect{0, 0, 34, 22}, true, true);  // pushed, no capture: its submenu is open
  auto buttons = probe->Of("Button");
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_EQ(buttons[0].Info.ComboPart, cpSplitLeft);
  EXPECT_FALSE(buttons[0].Info.Pushed);
  EXPECT_TRUE(buttons[0].Info.Selected);
  EXPECT_EQ(buttons[0].R, (TRect{0, 0, 23, 22}));
  EXPECT_EQ(buttons[1].Info.ComboPart, cpSplitRight);
  EXPECT_TRUE(buttons[1].Info.Pushed);
  EXPECT_FALSE(buttons[1].Info.Selected);
  EXPECT_TRUE(buttons[1].Info.IsPopupParent);
  EXPECT_EQ(buttons[1].R, (TRect{23, 0, 34, 22}));
  // The record is back to the button part for what follows (the image).
  auto image = probe->Of("Image");
  ASSERT_EQ(image.size(), 1u);
  EXPECT_EQ(image[0].Info.ComboPart, cpSplitLeft);
  EXPECT_TRUE(image[0].Info.Selected);
}

TEST_F(ThemedViewerTest, DropDownArrowSitsAtTheRightMargin) {
  auto* it = Add<TTxSubmenuItem>("", true);
  it->SetOptions(toolbars::TTBItemOptions{toolbars::tboDropdownArrow});
  PaintIt(View(true), TRect{0, 0, 31, 22});
  auto arrow = probe->Of("Arrow");
  ASSERT_EQ(arrow.size(), 1u);
  EXPECT_EQ(arrow[0].R, (TRect{31 - 8 - 2, 0, 31 - 2, 22}));
  EXPECT_EQ(arrow[0].Info.ComboPart, cpCombo);
  // The image is centred in what is left of the button after the arrow and the 2-pixel inset.
  auto image = probe->Of("Image");
  ASSERT_EQ(image.size(), 1u);
  EXPECT_EQ(image[0].R, (TRect{3, 3, 19, 19}));
}

// A drop-down button turns its arrow with a vertical bar; a split button keeps it pointing down.
TEST_F(ThemedViewerTest, TheArrowFollowsTheBarUnlessTheButtonIsSplit) {
  struct Case {
    toolbars::TTBViewOrientation orientation;
    bool split;
    bool vertical;
  } cases[] = {
      {toolbars::tbvoHorizontal, false, false},
      {toolbars::tbvoVertical, false, true},
      {toolbars::tbvoHorizontal, true, false},
      {toolbars::tbvoVertical, true, false},
  };
  for (const Case& c : cases) {
    root->Clear();
    auto* it = Add<TTxSubmenuItem>("", true);
    if (c.split)
      it->SetDropdownCombo(true);
    else
      it->SetOptions(toolbars::TTBItemOptions{toolbars::tboDropdownArrow});
    PaintIt(View(true, c.orientation), TRect{0, 0, 34, 34});
    // A split button's arrow is the button part it paints on the right.
    auto arrow = probe->Of(c.split ? "Button" : "Arrow");
    ASSERT_EQ(arrow.size(), c.split ? 2u : 1u);
    EXPECT_EQ(arrow.back().Info.ComboPart, c.split ? cpSplitRight : cpCombo);
    EXPECT_EQ(arrow.back().Info.IsVertical, c.vertical)
        << "vertical bar " << (c.orientation == toolbars::tbvoVertical) << ", split " << c.split;
  }
}

TEST_F(ThemedViewerTest, VerticalToolbarRotatesOnlyTheAutomaticLayout) {
  auto* it = Add("Tools");
  auto* v = View(true, toolbars::tbvoVertical);
  PaintIt(v, TRect{0, 0, 22, 60});
  ASSERT_EQ(probe->Of("Caption").size(), 1u);
  EXPECT_TRUE(probe->Of("Caption")[0].Flag);
  it->SetLayout(txlGlyphLeft);
  v = View(true, toolbars::tbvoVertical);
  PaintIt(v, TRect{0, 0, 60, 22});
  EXPECT_FALSE(probe->Of("Caption")[0].Flag);
}

TEST_F(ThemedViewerTest, HoverKindOfASelectedItem) {
  auto* it = Add("Item");
  auto* v = View(false);
  PaintIt(v, TRect{0, 0, 80, 20}, true);
  EXPECT_EQ(probe->Of("MenuItem")[0].Info.HoverKind, hkMouseHover);
  it->SetEnabled(false);
  PaintIt(v, TRect{0, 0, 80, 20}, true);  // selected from the keyboard
  EXPECT_EQ(probe->Of("MenuItem")[0].Info.HoverKind, hkKeyboardHover);
  EXPECT_FALSE(probe->Of("MenuItem")[0].Info.Enabled);
  PaintIt(v, TRect{0, 0, 80, 20}, false);
  EXPECT_EQ(probe->Of("MenuItem")[0].Info.HoverKind, hkNone);
}

// The theme learns whether a menu line shows an image: the themes indent and frame by it.
TEST_F(ThemedViewerTest, AMenuLineTellsTheThemeWhetherItShowsAnImage) {
  for (bool withImage : {false, true}) {
    view.reset();
    root = std::make_unique<TTBRootItem>(nullptr);
    Add("Open", withImage);
    PaintIt(View(false), TRect{0, 0, 90, 20});
    ASSERT_EQ(probe->Of("MenuItem").size(), 1u);
    EXPECT_EQ(probe->Of("MenuItem")[0].Info.ImageShown, withImage);
  }
}

TEST_F(ThemedViewerTest, CheckedMenuItemWithoutImageGetsACheckMarkColumn) {
  auto* it = Add("Grid");
  it->SetChecked(true);
  PaintIt(View(false), TRect{0, 0, 90, 20});
  auto check = probe->Of("Check");
  ASSERT_EQ(check.size(), 1u);
  EXPECT_EQ(check[0].R, (TRect{0, 2, 20, 18}));  // a square column as tall as the item
  auto caption = probe->Of("Caption");
  ASSERT_EQ(caption.size(), 1u);
  EXPECT_EQ(caption[0].R.left, 1 + GetPopupMargin(view->Viewers(0)) + 2);
  EXPECT_EQ(caption[0].Text, "Grid");
}

TEST_F(ThemedViewerTest, OnDrawImageHearsTheStateFlags) {
  auto* it = Add("", true);
  it->SetChecked(true);
  Integer heard = -1;
  it->OnDrawImage = [&](TTBCustomItem*, TTBItemViewer*, fw::TCanvas*, TRect, TPoint, Integer flags) {
    heard = flags;
  };
  PaintIt(View(true), TRect{0, 0, 23, 22}, true, true);
  EXPECT_EQ(heard, ISF_HOT | ISF_PUSHED | ISF_SELECTED);
}

TEST_F(ThemedViewerTest, PaintThemedImageMapsItsFlags) {
  struct Case {
    Integer flags, viewType, options;
    bool enabled, pushed, selected;
    TTxHoverKind hover;
  } cases[] = {
      {0, VT_TOOLBAR, IO_TOOLBAR_STYLE, true, false, false, hkNone},
      {TIF_ON_DOCKPANEL | TIF_DISABLED, VT_DOCKPANEL, 0, false, false, false, hkNone},
      {TIF_ON_CONTROL | TIF_HOT | TIF_PUSHED | TIF_SELECTED, VT_CONTROL, 0, true, true, true, hkMouseHover},
  };
  for (const auto& c : cases) {
    probe->Calls.clear();
    PaintThemedImage(bmp.Canvas(), TRect{1, 2, 17, 18}, &images, 0, c.flags);
    ASSERT_EQ(probe->Calls.size(), 1u);
    const auto& i = probe->Calls[0].Info;
    EXPECT_EQ(i.ViewType, c.viewType);
    EXPECT_EQ(i.ItemOptions, c.options);
    EXPECT_EQ(i.Enabled, c.enabled);
    EXPECT_EQ(i.Pushed, c.pushed);
    EXPECT_EQ(i.Selected, c.selected);
    EXPECT_EQ(i.HoverKind, c.hover);
  }
}

// ---- separators ------------------------------------------------------------------------------

TEST_F(ThemedViewerTest, SeparatorSizes) {
  auto* sep = new TTxSeparatorItem(root.get());
  root->Add(sep);
  sep->SetSize(-5);
  EXPECT_EQ(sep->Size(), -1);
  struct Case {
    bool toolbar;
    Integer size, w, h;
  } cases[] = {{true, -1, 6, 6}, {false, -1, 7, 7}, {false, 4, 0, 4}, {true, 4, 4, 4}};
  for (const auto& c : cases) {
    sep->SetSize(c.size);
    fw::TSize s = Measure(View(c.toolbar));
    EXPECT_EQ(s.cx, c.w) << c.toolbar << " " << c.size;
    EXPECT_EQ(s.cy, c.h) << c.toolbar << " " << c.size;
  }
  sep->SetSize(0);
  PaintIt(View(true), TRect{0, 0, 6, 6});
  EXPECT_TRUE(probe->Calls.empty());
  sep->SetSize(-1);
  PaintIt(View(false), TRect{0, 0, 80, 7});
  ASSERT_EQ(probe->Of("Separator").size(), 1u);
  EXPECT_TRUE(probe->Of("Separator")[0].Flag);   // across the menu
  EXPECT_TRUE(probe->Of("Separator")[0].Flag2);  // a menu separator is a line only
  PaintIt(View(true), TRect{0, 0, 6, 22});
  EXPECT_FALSE(probe->Of("Separator")[0].Flag);   // upright in a horizontal bar
  EXPECT_FALSE(probe->Of("Separator")[0].Flag2);  // the theme's toolbar separator
  PaintIt(View(true, toolbars::tbvoVertical), TRect{0, 0, 22, 6});
  EXPECT_TRUE(probe->Of("Separator")[0].Flag);
}

// ---- font settings ---------------------------------------------------------------------------

TEST(FontSettingsTest, ScalesStylesAndNotifiesOncePerChange) {
  TFontSettings fs;
  int changes = 0;
  fs.OnChange = [&] { ++changes; };
  fs.SetSize(150);
  fs.SetSize(150);
  EXPECT_EQ(changes, 1);
  fw::TFont font;
  font.SetSize(8);
  font.SetStyle(fw::TFontStyles{fw::fsBold});
  fs.SetBold(tsFalse);
  fs.SetItalic(tsTrue);
  fs.Apply(&font);
  EXPECT_EQ(font.Size(), 12);
  EXPECT_EQ(font.Style(), fw::TFontStyles{fw::fsItalic});
  EXPECT_THROW(fs.SetSize(24), ETxPropertyError);
  EXPECT_EQ(fs.Size(), 150);

  TFontSettings other;
  other.Assign(&fs);
  int otherChanges = 0;
  other.OnChange = [&] { ++otherChanges; };
  other.Assign(&fs);
  EXPECT_EQ(otherChanges, 0);
  fs.SetColor(0x0000FF);
  fs.SetName("Serif");
  other.Assign(&fs);
  EXPECT_EQ(otherChanges, 1);
  EXPECT_TRUE(other == fs);
}

TEST(FontSettingsTest, TransformedFontScalesTheHeight) {
  TFontSettings fs;
  fs.SetSize(150);
  fs.SetUnderline(tsTrue);
  fs.SetColor(0x00FF00);
  win::LOGFONTW lf{};
  lf.lfHeight = -11;
  win::HFONT src = win::CreateFontIndirectW(&lf);
  TColor color = 0;
  win::HFONT made = fs.CreateTransformedFont(src, color);
  win::LOGFONTW out{};
  win::GetObjectW(made, sizeof(out), &out);
  EXPECT_EQ(out.lfHeight, -16);  // (-1650 + 50) div 100
  EXPECT_EQ(out.lfUnderline, 1);
  EXPECT_EQ(color, 0x00FF00);
  win::DeleteObject(made);
  win::DeleteObject(src);
}

TEST(FontSettingsTest, TransformedFontTakesTheNamedFaceOrKeepsTheSourceFace) {
  win::LOGFONTW lf{};
  lf.lfHeight = -11;
  const std::u16string source = u"Sans";
  std::copy(source.begin(), source.end(), lf.lfFaceName);
  win::HFONT src = win::CreateFontIndirectW(&lf);
  const auto faceOf = [&](const TFontSettings& fs) {
    TColor color = 0;
    win::HFONT made = fs.CreateTransformedFont(src, color);
    win::LOGFONTW out{};
    win::GetObjectW(made, sizeof(out), &out);
    win::DeleteObject(made);
    return std::u16string(out.lfFaceName);
  };
  TFontSettings plain;
  EXPECT_EQ(faceOf(plain), u"Sans");
  TFontSettings named;
  named.SetName("Serif");
  EXPECT_EQ(faceOf(named), u"Serif");
  win::DeleteObject(src);
}

TEST_F(ThemedViewerTest, FontSettingsChangeReMeasuresTheItem) {
  auto* it = Add("Text");
  auto* v = View(true);
  const Integer before = Measure(v).cx;
  it->FontSettings()->SetSize(300);
  EXPECT_GT(Measure(v).cx, before);
}

TEST(StateFlagsTest, EachStateItsBit) {
  TTxItemInfo i;
  EXPECT_EQ(GetStateFlags(i), ISF_DISABLED);
  i.Enabled = true;
  i.HoverKind = hkKeyboardHover;
  EXPECT_EQ(GetStateFlags(i), 0);
  i.HoverKind = hkMouseHover;
  i.Pushed = true;
  i.Selected = true;
  EXPECT_EQ(GetStateFlags(i), ISF_HOT | ISF_PUSHED | ISF_SELECTED);
}

}  // namespace
