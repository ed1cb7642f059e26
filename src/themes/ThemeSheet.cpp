// The sheet of every element of every theme.

#include "themes/ThemeSheet.h"

#include <functional>
#include <memory>

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/ImageList.h"
#include "platform/gdi/Gdi.h"
#include "tx/TxThemes.h"
#include "tx/TxUtils.h"

namespace themes {

using namespace tx;

namespace {

constexpr int kLabelWidth = 130, kCellWidth = 64, kCells = 5, kRowHeight = 40, kHeader = 24;
constexpr int kColumnWidth = kCellWidth * kCells + 8;

// One cell's painting: the theme, a canvas whose origin is the cell's top-left, the cell size.
using TCellPainter = std::function<void(TTxTheme*, TCanvas*, const TRect&)>;
struct Row {
  const char* label;
  std::vector<TCellPainter> cells;
};

TTxItemInfo Item(Integer viewType, Integer options, bool enabled, bool pushed, TTxHoverKind hover, bool selected) {
  TTxItemInfo i;
  i.ViewType = viewType;
  i.ItemOptions = options | IO_APP_ACTIVE;
  i.Enabled = enabled;
  i.Pushed = pushed;
  i.HoverKind = hover;
  i.Selected = selected;
  return i;
}
TTxItemInfo Tool(bool enabled = true, bool pushed = false, TTxHoverKind hover = hkNone, bool selected = false) {
  return Item(VT_TOOLBAR_NORMAL, IO_TOOLBAR_STYLE, enabled, pushed, hover, selected);
}
TTxItemInfo Line(bool enabled = true, TTxHoverKind hover = hkNone, bool selected = false, Integer options = 0) {
  TTxItemInfo i = Item(VT_POPUP_MENU, options, enabled, false, hover, selected);
  i.PopupMargin = 22;
  i.ImageWidth = 16;
  i.ImageHeight = 16;
  return i;
}

void Fill(TTxTheme* t, TCanvas* c, const TRect& r, Integer viewType) {
  t->PaintBackground(c, r, r, r, t->GetViewColor(viewType), false, viewType);
}

// A 16 x 16 picture: a blue square with a yellow centre and a dark outline.
std::unique_ptr<fw::TImageList> SampleImages() {
  auto list = std::make_unique<fw::TImageList>(nullptr);
  fw::TBitmap image;
  image.SetPixelFormat(fw::pf24bit);
  image.SetSize(16, 16);
  fw::TCanvas* c = image.Canvas();
  c->Brush()->SetColor(fw::clFuchsia);
  c->FillRect(TRect{0, 0, 16, 16});
  c->Brush()->SetColor(0x202020);
  c->FillRect(TRect{1, 1, 15, 15});
  c->Brush()->SetColor(0xC06020);
  c->FillRect(TRect{2, 2, 14, 14});
  c->Brush()->SetColor(0x30D0F0);
  c->FillRect(TRect{5, 5, 11, 11});
  list->AddMasked(&image, fw::clFuchsia);
  return list;
}

std::vector<Row> Rows(fw::TCustomImageList* images) {
  const auto button = [](TTxItemInfo i) {
    return [i](TTxTheme* t, TCanvas* c, const TRect& r) {
      Fill(t, c, r, VT_TOOLBAR_NORMAL);
      t->PaintButton(c, TRect{8, 6, 48, 30}, i);
    };
  };
  const auto caption = [](TTxItemInfo i, bool rotated) {
    return [i, rotated](TTxTheme* t, TCanvas* c, const TRect& r) {
      Fill(t, c, r, i.ViewType);
      c->Font()->SetColor(fw::clNone);
      const TRect at = rotated ? TRect{20, 2, 40, 38} : TRect{2, 0, 62, 40};
      t->PaintCaption(c, at, i, rotated ? "&Vert" : "&Caption",
                      win::DT_SINGLELINE | win::DT_VCENTER | win::DT_CENTER, rotated);
    };
  };
  const auto image = [images](TTxItemInfo i) {
    return [i, images](TTxTheme* t, TCanvas* c, const TRect& r) {
      Fill(t, c, r, VT_TOOLBAR_NORMAL);
      t->PaintButton(c, TRect{18, 8, 44, 32}, i);
      t->PaintImage(c, TRect{23, 12, 39, 28}, i, images, 0);
    };
  };
  const auto menuLine = [](TTxItemInfo i) {
    return [i](TTxTheme* t, TCanvas* c, const TRect& r) {
      Fill(t, c, r, VT_POPUP_MENU);
      TTxItemInfo line = i;
      t->PaintMenuItem(c, TRect{0, 10, 64, 30}, line);
    };
  };
  const auto frameControl = [](Integer kind, Integer state) {
    return [kind, state](TTxTheme* t, TCanvas* c, const TRect& r) {
      Fill(t, c, r, VT_CONTROL);
      t->PaintFrameControl(c, TRect{25, 13, 38, 26}, kind, state, nullptr);
    };
  };
  const auto mdi = [](Cardinal kind) {
    return [kind](TTxTheme* t, TCanvas* c, const TRect& r) {
      Fill(t, c, r, VT_TOOLBAR_MENUBAR);
      t->PaintMDIButton(c, TRect{22, 12, 38, 26}, Tool(), kind);
    };
  };
  const auto scroll = [](Integer type, bool hot) {
    return [type, hot](TTxTheme* t, TCanvas* c, const TRect& r) {
      Fill(t, c, r, VT_POPUP_MENU);
      t->PaintScrollButton(c, TRect{16, 12, 48, 28}, type, hot);
    };
  };
  const auto status = [](Integer part) {
    return [part](TTxTheme* t, TCanvas* c, const TRect& r) {
      t->PaintStatusBar(c, TRect{0, 8, 64, 32}, SBP_BODY);
      if (part != SBP_BODY) t->PaintStatusBar(c, part == SBP_SIZEGRIP ? TRect{46, 14, 62, 30} : TRect{4, 12, 60, 30}, part);
    };
  };
  const auto popupFrame = [](Integer viewType) {
    return [viewType](TTxTheme* t, TCanvas* c, const TRect& r) {
      Fill(t, c, r, viewType);
      TTxPopupInfo info;
      info.ViewType = viewType;
      t->GetViewBorder(viewType, info.BorderSize);
      t->PaintPopupNCArea(c, TRect{6, 4, 58, 36}, info);
    };
  };
  const auto toolbarFrame = [](Integer style, Integer close, bool vertical) {
    return [style, close, vertical](TTxTheme* t, TCanvas* c, const TRect& r) {
      TTxToolbarInfo info;
      info.ViewType = VT_TOOLBAR_NORMAL;
      info.IsVertical = vertical;
      info.AllowDrag = true;
      info.BorderStyle = 1;
      info.DragHandleStyle = style;
      info.CloseButtonState = close;
      info.ClientWidth = 60;
      info.ClientHeight = 36;
      t->GetViewBorder(info.ViewType, info.BorderSize);
      info.EffectiveColor = t->GetViewColor(info.ViewType);
      c->Brush()->SetStyle(fw::bsSolid);
      c->Brush()->SetColor(info.EffectiveColor);
      t->PaintToolbarNCArea(c, TRect{0, 0, 64, 40}, info);
    };
  };
  const auto panelFrame = [](bool vertical, Integer close) {
    return [vertical, close](TTxTheme* t, TCanvas* c, const TRect& r) {
      Fill(t, c, r, VT_DOCKPANEL_NORMAL);
      TTxDockPanelInfo info;
      info.ViewType = VT_DOCKPANEL_NORMAL;
      info.IsVertical = vertical;
      info.DragHandleStyle = 1;
      info.CloseButtonState = close;
      info.Caption = "Panel";
      t->PaintDockPanelNCArea(c, TRect{0, 0, 64, 40}, info);
    };
  };
  const auto floating = [](bool active, Integer close) {
    return [active, close](TTxTheme* t, TCanvas* c, const TRect& r) {
      TTxFloatingWindowInfo info;
      info.ViewType = VT_TOOLBAR_NORMAL | VT_FLOATING;
      info.ShowCaption = true;
      info.ClientWidth = 56;
      info.ClientHeight = 16;
      t->GetViewBorder(info.ViewType, info.FloatingBorderSize);
      info.CloseButtonState = close;
      info.RedrawPart = WRP_BORDER | WRP_CAPTION | WRP_CLOSEBTN;
      info.Caption = "Tools";
      info.Active = active;
      t->PaintFloatingBorder(c, TRect{0, 0, 56 + 2 * info.FloatingBorderSize.x, 40}, info);
    };
  };
  const auto edit = [](Integer type, Integer state, TTxHoverKind hover) {
    return [type, state, hover](TTxTheme* t, TCanvas* c, const TRect& r) {
      Fill(t, c, r, VT_TOOLBAR_NORMAL);
      TTxItemInfo i = Tool(!(state & EBDS_DISABLED), false, hover);
      TTxEditFrameInfo info;
      info.RightButtonWidth = type ? t->GetIntegerMetric(TMI_EDIT_BUTTON_WIDTH) : 0;
      info.RightButtonInfo = TTxEditButtonInfo{type, state};
      t->PaintEditFrame(c, TRect{4, 9, 60, 31}, i, info);
    };
  };
  const auto separator = [](bool horizontal, Integer viewType, Integer options) {
    return [horizontal, viewType, options](TTxTheme* t, TCanvas* c, const TRect& r) {
      Fill(t, c, r, viewType);
      const TTxItemInfo i = Item(viewType, options, true, false, hkNone, false);
      // Item rectangles are relative to the item's own top-left corner.
      const win::POINT at = horizontal ? win::POINT{0, 14} : win::POINT{26, 4};
      win::OffsetViewportOrgEx(c->Handle(), at.x, at.y, nullptr);
      t->PaintSeparator(c, horizontal ? TRect{0, 0, 64, 12} : TRect{0, 0, 12, 32}, i, horizontal, false);
      win::OffsetViewportOrgEx(c->Handle(), -at.x, -at.y, nullptr);
    };
  };
  const auto dock = [](Integer position) {
    return [position](TTxTheme* t, TCanvas* c, const TRect& r) {
      Fill(t, c, r, VT_TOOLBAR_NORMAL);
      t->PaintDock(c, r, TRect{4, 4, 60, 36}, position);
    };
  };
  TTxItemInfo splitLeft = Tool(true, false, hkMouseHover);
  splitLeft.ComboPart = cpSplitLeft;
  TTxItemInfo splitRight = Tool(true, false, hkMouseHover);
  splitRight.ComboPart = cpSplitRight;
  TTxItemInfo vertical = Tool();
  vertical.IsVertical = true;
  return {
      {"Background", {[](TTxTheme* t, TCanvas* c, const TRect& r) { Fill(t, c, r, VT_TOOLBAR_NORMAL); },
                      [](TTxTheme* t, TCanvas* c, const TRect& r) { Fill(t, c, r, VT_POPUP_MENU); },
                      [](TTxTheme* t, TCanvas* c, const TRect& r) { Fill(t, c, r, VT_DOCKPANEL_NORMAL); },
                      [](TTxTheme* t, TCanvas* c, const TRect& r) { Fill(t, c, r, VT_POPUP_LIST); },
                      [](TTxTheme* t, TCanvas* c, const TRect& r) { Fill(t, c, r, VT_CONTROL); }}},
      {"Button", {button(Tool()), button(Tool(true, false, hkMouseHover)), button(Tool(true, true)),
                  button(Tool(true, false, hkNone, true)), button(Tool(false))}},
      {"Split button",
       {[splitLeft, splitRight](TTxTheme* t, TCanvas* c, const TRect& r) {
          Fill(t, c, r, VT_TOOLBAR_NORMAL);
          t->PaintButton(c, TRect{6, 6, 38, 30}, splitLeft);
          t->PaintButton(c, TRect{38, 6, 38 + t->GetIntegerMetric(TMI_SPLIT_ARROW_WIDTH), 30}, splitRight);
        },
        [](TTxTheme* t, TCanvas* c, const TRect& r) {
          Fill(t, c, r, VT_TOOLBAR_NORMAL);
          TTxItemInfo combo = Tool(true, false, hkMouseHover);
          combo.ComboPart = cpCombo;
          t->PaintButton(c, TRect{8, 6, 56, 30}, combo);
          t->PaintDropDownArrow(c, TRect{40, 6, 56, 30}, combo);
        }}},
      {"Caption", {caption(Tool(), false), caption(Tool(false), false), caption(Line(true, hkMouseHover), false),
                   caption(Tool(), true)}},
      {"Check mark, chevron",
       {[](TTxTheme* t, TCanvas* c, const TRect& r) {
          Fill(t, c, r, VT_POPUP_MENU);
          t->PaintCheckMark(c, TRect{22, 10, 42, 30}, Line());
        },
        [](TTxTheme* t, TCanvas* c, const TRect& r) {
          Fill(t, c, r, VT_POPUP_MENU);
          t->PaintCheckMark(c, TRect{22, 10, 42, 30}, Line(false));
        },
        [](TTxTheme* t, TCanvas* c, const TRect& r) {
          Fill(t, c, r, VT_TOOLBAR_NORMAL);
          t->PaintChevron(c, TRect{20, 4, 34, 36}, Tool(true, false, hkMouseHover));
        },
        [vertical](TTxTheme* t, TCanvas* c, const TRect& r) {
          Fill(t, c, r, VT_TOOLBAR_NORMAL);
          t->PaintChevron(c, TRect{8, 14, 56, 28}, vertical);
        },
        [](TTxTheme* t, TCanvas* c, const TRect& r) {
          Fill(t, c, r, VT_TOOLBAR_NORMAL);
          t->PaintDropDownArrow(c, TRect{24, 10, 40, 30}, Tool());
        }}},
      {"Image", {image(Tool()), image(Tool(true, false, hkMouseHover)), image(Tool(true, true)),
                 image(Tool(true, false, hkNone, true)), image(Tool(false))}},
      {"Menu line", {menuLine(Line()), menuLine(Line(true, hkMouseHover)),
                     menuLine(Line(true, hkNone, false, IO_HAS_SUBMENU)),
                     menuLine(Line(true, hkMouseHover, false, IO_SPLIT | IO_HAS_SUBMENU)),
                     menuLine(Line(false, hkKeyboardHover))}},
      {"Menu line frame",
       {[](TTxTheme* t, TCanvas* c, const TRect& r) {
          Fill(t, c, r, VT_POPUP_MENU);
          t->PaintMenuItemFrame(c, TRect{2, 10, 62, 30}, Line(true, hkMouseHover));
        }}},
      {"Separators", {separator(true, VT_TOOLBAR_NORMAL, IO_TOOLBAR_STYLE),
                      separator(false, VT_TOOLBAR_NORMAL, IO_TOOLBAR_STYLE), separator(true, VT_POPUP_MENU, 0)}},
      {"Edit frame", {edit(0, 0, hkNone), edit(EBT_DROPDOWN, 0, hkNone), edit(EBT_DROPDOWN, EBDS_HOT, hkMouseHover),
                      edit(EBT_SPIN, EBDS_PRESSED, hkMouseHover), edit(EBT_SPIN, EBDS_DISABLED, hkNone)}},
      {"Field frame",
       {[](TTxTheme* t, TCanvas* c, const TRect& r) {
          Fill(t, c, r, VT_TOOLBAR_NORMAL);
          t->PaintFrame(c, TRect{6, 9, 58, 31}, Tool());
        },
        [](TTxTheme* t, TCanvas* c, const TRect& r) {
          Fill(t, c, r, VT_TOOLBAR_NORMAL);
          t->PaintFrame(c, TRect{6, 9, 58, 31}, Tool(true, false, hkMouseHover));
        }}},
      {"MDI buttons", {mdi(MDI_CLOSE), mdi(MDI_MINIMIZE), mdi(MDI_MAXIMIZE), mdi(MDI_RESTORE)}},
      {"Scroll buttons", {scroll(PSBT_UP, false), scroll(PSBT_DOWN, true), scroll(PSBT_LEFT, false),
                          scroll(PSBT_RIGHT, true)}},
      {"Check, radio", {frameControl(PFC_CHECKBOX, 0), frameControl(PFC_CHECKBOX, PFS_CHECKED),
                        frameControl(PFC_CHECKBOX, PFS_MIXED), frameControl(PFC_RADIOBUTTON, PFS_CHECKED),
                        frameControl(PFC_CHECKBOX, PFS_CHECKED | PFS_DISABLED)}},
      {"Status bar", {status(SBP_BODY), status(SBP_PANE), status(SBP_GRIPPERPANE), status(SBP_SIZEGRIP)}},
      {"Popup frame", {popupFrame(VT_POPUP_MENU), popupFrame(VT_POPUP_LIST), popupFrame(VT_POPUP_TOOLBOX)}},
      {"Toolbar frame", {toolbarFrame(0, 0, false), toolbarFrame(2, 0, false), toolbarFrame(1, 0, false),
                         toolbarFrame(0, CDBS_VISIBLE, false), toolbarFrame(0, CDBS_VISIBLE | CDBS_HOT, true)}},
      {"Dock panel frame", {panelFrame(true, 0), panelFrame(true, CDBS_VISIBLE | CDBS_HOT),
                            panelFrame(false, CDBS_VISIBLE)}},
      {"Floating frame", {floating(true, CDBS_VISIBLE), floating(false, CDBS_VISIBLE | CDBS_PRESSED)}},
      {"Dock", {dock(DP_TOP), dock(DP_LEFT)}},
  };
}

}  // namespace

void DrawThemeSheet(fw::TBitmap* Target, const std::vector<std::string>& ThemeNames) {
  auto images = SampleImages();
  const std::vector<Row> rows = Rows(images.get());
  const int width = kLabelWidth + int(ThemeNames.size()) * kColumnWidth;
  const int height = kHeader + int(rows.size()) * (kRowHeight + 4);
  Target->SetPixelFormat(fw::pf32bit);
  Target->SetSize(width, height);
  TCanvas* canvas = Target->Canvas();
  canvas->Brush()->SetColor(fw::clWhite);
  canvas->FillRect(TRect{0, 0, width, height});
  canvas->Font()->SetName("Tahoma");
  canvas->Font()->SetHeight(-11);
  canvas->Font()->SetColor(fw::clBlack);
  canvas->Brush()->SetStyle(fw::bsClear);
  for (size_t r = 0; r < rows.size(); ++r)
    canvas->TextOut(4, kHeader + int(r) * (kRowHeight + 4) + 13, rows[r].label);

  const win::HDC dc = canvas->Handle();
  for (size_t t = 0; t < ThemeNames.size(); ++t) {
    TTxTheme* theme = AcquireTheme(ThemeNames[t]);
    const int x0 = kLabelWidth + int(t) * kColumnWidth;
    canvas->Font()->SetColor(fw::clBlack);
    canvas->Brush()->SetStyle(fw::bsClear);
    canvas->TextOut(x0 + 4, 4, theme->Name());
    for (size_t r = 0; r < rows.size(); ++r)
      for (size_t k = 0; k < rows[r].cells.size(); ++k) {
        const int x = x0 + int(k) * kCellWidth, y = kHeader + int(r) * (kRowHeight + 4);
        const int saved = win::SaveDC(dc);
        win::OffsetViewportOrgEx(dc, x, y, nullptr);
        win::IntersectClipRect(dc, 0, 0, kCellWidth - 2, kRowHeight);
        canvas->Refresh();
        canvas->Font()->SetColor(fw::clNone);
        rows[r].cells[k](theme, canvas, TRect{0, 0, kCellWidth - 2, kRowHeight});
        win::RestoreDC(dc, saved);
        canvas->Refresh();
      }
    ReleaseTheme(theme);
  }
}

}  // namespace themes
