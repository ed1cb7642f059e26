// How tabs and the band under them look in each tab theme type.

#include "controls/CsDrawing.h"
#include "controls/CsTabs.h"
#include "framework/Colors.h"
#include "framework/ExtCtrls.h"
#include "framework/GraphicsBitmap.h"
#include "framework/ImageList.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/Rects.h"
#include "platform/kernel/TextConvert.h"
#include "toolbars/TBItemView.h"
#include "tx/Tx.h"
#include "tx/TxThemes.h"

namespace cs {
namespace {

// Parts and states of the tab visual-style class.
constexpr int TABP_TABITEM = 1, TABP_TABITEMLEFTEDGE = 2, TABP_TABITEMRIGHTEDGE = 3, TABP_PANE = 9;

bool StyledPart(win::HDC DC, int Part, int State, const fw::TRect& R) {
  return DrawStyledPart(u"TAB", DC, Part, State, R);
}

// The edit-frame record the theme paints the band with.
tx::TTxItemInfo BandInfo() {
  tx::TTxItemInfo info;
  InitEditFrameInfo(info, true, false);
  return info;
}

// Fill in Color and two 3D frames, the raised box of the classic and flat looks.
void PaintRaisedBox(fw::TCanvas* Canvas, fw::TRect R, fw::TColor Color, TCsTabThemeType ThemeType) {
  Canvas->Brush()->SetStyle(fw::bsSolid);
  Canvas->Brush()->SetColor(Color);
  Canvas->FillRect(R);
  if (ThemeType == tttFlat) {
    fw::Frame3D(Canvas, R, fw::clWindow, fw::clBtnShadow, 1);
    return;
  }
  fw::Frame3D(Canvas, R, fw::clWindow, fw::clWindowFrame, 1);
  fw::Frame3D(Canvas, R, Color, fw::clBtnShadow, 1);
}

// Runs Paint on an off-screen bitmap of R's size and copies it to R, upside down when Flip.
template <class PaintFn>
void PaintFlipped(fw::TCanvas* Canvas, const fw::TRect& R, bool Flip, PaintFn&& Paint) {
  const int w = R.right - R.left, h = R.bottom - R.top;
  if (w <= 0 || h <= 0) return;
  if (!Flip) {
    Paint(Canvas, R);
    return;
  }
  fw::TBitmap bitmap;
  bitmap.SetSize(w, h);
  Paint(bitmap.Canvas(), fw::TRect{0, 0, w, h});
  win::StretchBlt(Canvas->Handle(), R.left, R.top, w, h, bitmap.Canvas()->Handle(), 0, h - 1, w, -h, win::SRCCOPY);
}

bool IsDefaultTheme() { return tx::GetCurrentThemeName() == "Default"; }

// A tab as the theme paints a toolbar button: checked when active, hot under the mouse.
tx::TTxItemInfo TabButtonInfo(bool Enabled, bool Checked, bool Hot) {
  tx::TTxItemInfo info;
  info.ViewType = tx::VT_TOOLBAR_NORMAL;
  info.ItemOptions = tx::IO_TOOLBAR_STYLE;
  info.Enabled = Enabled;
  info.Selected = Checked;
  info.HoverKind = Hot ? tx::hkMouseHover : tx::hkNone;
  return info;
}

}  // namespace

void TCsCustomTabSet::PaintBand(fw::TCanvas* Canvas, const fw::TRect& R, fw::TColor Color,
                                TCsTabThemeType ThemeType, TCsTabPosition TabPosition) {
  const TCsTabThemeType type = GetEffectiveTabThemeType(ThemeType);
  PaintFlipped(Canvas, R, TabPosition == ttpBottom, [&](fw::TCanvas* C, const fw::TRect& B) {
    if (type == tttWindows && StyledPart(C->Handle(), TABP_PANE, 1, B)) return;
    if (type == tttTx && tx::CurrentTheme != nullptr) {
      C->Brush()->SetStyle(fw::bsSolid);
      C->Brush()->SetColor(fw::clWhite);
      C->FillRect(B);
      tx::CurrentTheme->PaintButton(C, B, BandInfo());
      return;
    }
    PaintRaisedBox(C, B, Color, type == tttFlat ? tttFlat : tttNone);
  });
}

void TCsTabItemViewer::CalcSize(fw::TCanvas* Canvas, fw::Integer& AWidth, fw::Integer& AHeight) {
  if (!Item()->Visible()) {
    AWidth = AHeight = 0;
    return;
  }
  TCsItemViewer::CalcSize(Canvas, AWidth, AHeight);
}

void TCsTabItemViewer::Paint(fw::TCanvas* Canvas, const fw::TRect& ClientAreaRect, bool IsSelected,
                             bool /*IsPushed*/, bool /*UseDisabledShadow*/) {
  auto* tab = static_cast<TCsTabItem*>(Item());
  const bool checked = tab->Checked();
  const bool hot = IsSelected && View()->MouseOverSelected();
  // The item's draw events round the tab; the handler may take the painting over.
  tx::TTxItemInfo itemInfo = TabButtonInfo(tab->Enabled(), checked, hot);
  fw::TRect eventRect = ClientAreaRect;
  bool paintDefault = true;
  DoDrawItem(Canvas, eventRect, itemInfo, pstPrePaint, paintDefault);
  if (paintDefault) PaintTab(Canvas, ClientAreaRect, IsSelected);
  paintDefault = true;
  DoDrawItem(Canvas, eventRect, itemInfo, pstPostPaint, paintDefault);
}

void TCsTabItemViewer::PaintTab(fw::TCanvas* Canvas, const fw::TRect& ClientAreaRect, bool IsSelected) {
  auto* tab = static_cast<TCsTabItem*>(Item());
  const bool top = tab->TabPosition() == ttpTop;
  const TCsTabThemeType type = GetEffectiveTabThemeType(tab->ThemeType());
  const bool checked = tab->Checked();
  const bool hot = IsSelected && View()->MouseOverSelected();
  toolbars::TTBCustomItem* parent = tab->Parent();
  const fw::Integer index = parent != nullptr ? parent->IndexOf(tab) : 0;
  auto tabAt = [parent](fw::Integer i) -> TCsTabItem* {
    if (parent == nullptr || i < 0 || i >= parent->Count()) return nullptr;
    auto* t = dynamic_cast<TCsTabItem*>(parent->Items(i));
    return t != nullptr && t->Visible() ? t : nullptr;
  };
  TCsTabItem* previous = tabAt(index - 1);
  TCsTabItem* next = tabAt(index + 1);

  fw::TRect r = ClientAreaRect;
  bool paintTab = true;
  if (type != tttWindows) {
    if (!checked && (!hot || type == tttNone)) {
      paintTab = false;
      if (next != nullptr && !next->Checked()) {
        // The separator between two unchecked tabs.
        if (type == tttTx && !IsDefaultTheme() && tx::CurrentTheme != nullptr) {
          tx::TTxItemInfo info;
          info.ViewType = 0x1002;
          info.ItemOptions = 0x31;
          info.Enabled = true;
          tx::CurrentTheme->PaintSeparator(Canvas, {r.right - 2, r.top + 3, r.right, r.bottom - 3}, info, false,
                                           false);
        } else {
          Canvas->Pen()->SetColor(fw::clBtnShadow);
          Canvas->MoveTo(r.right - 2, r.top + 3);
          Canvas->LineTo(r.right - 2, r.bottom - 3);
          Canvas->Pen()->SetColor(fw::clBtnHighlight);
          Canvas->MoveTo(r.right - 1, r.top + 3);
          Canvas->LineTo(r.right - 1, r.bottom - 3);
        }
      }
    } else if (top) {
      r.bottom += 5;
    } else {
      r.top -= 5;
    }
  } else if (checked) {
    if (previous != nullptr || index == 0) r.left -= 2;
    if (next != nullptr) r.right += 2;
  } else if (top) {
    r.top += 2;
  } else {
    r.bottom -= 2;
  }

  if (paintTab) {
    // A hot, unchecked flat tab shows as the theme's button.
    const TCsTabThemeType face = type == tttFlat && hot && !checked ? tttTx : type;
    const fw::TColor color = tab->TabColor();
    PaintFlipped(Canvas, r, !top && (face == tttWindows || face == tttTx), [&](fw::TCanvas* C, const fw::TRect& B) {
      if (face == tttWindows) {
        const int part = index == 0 ? TABP_TABITEMLEFTEDGE : next == nullptr ? TABP_TABITEMRIGHTEDGE : TABP_TABITEM;
        const int state = !tab->Enabled() ? 4 : checked ? 3 : hot ? 2 : 1;
        if (StyledPart(C->Handle(), part, state, B)) return;
      }
      if (face == tttTx && tx::CurrentTheme != nullptr) {
        tx::TTxItemInfo info = TabButtonInfo(tab->Enabled(), checked, hot);
        C->Brush()->SetColor(color);
        tx::CurrentTheme->PaintButton(C, B, info);
        return;
      }
      if (checked) PaintRaisedBox(C, B, color, face);
    });
  }

  // Image and caption; unchecked tabs sit 2 pixels lower (or higher for bottom tabs).
  fw::TRect content = ClientAreaRect;
  const int shift = checked ? 0 : (top ? 2 : -2);
  fw::TCustomImageList* images = GetImageList();
  if (images != nullptr && tab->ImageIndex() >= 0 && tab->ImageIndex() < images->Count()) {
    const int imageTop = content.top + (content.bottom - content.top - images->Height()) / 2 + (checked ? 0 : 2);
    images->Draw(Canvas, content.left + 3, imageTop, tab->ImageIndex(), tab->Enabled());
    content.left += 3 + images->Width();
  }
  WideString caption = tab->WideCaption();
  fw::TRect captionRect = content;
  bool paintCaption = true;
  // The item's caption events; the tab draws its caption itself (not the item viewer's way).
  tab->DoDrawCaption(Canvas, ClientAreaRect, caption, captionRect, false, pstPrePaint, paintCaption);
  if (paintCaption && !caption.empty()) {
    content = captionRect;
    win::OffsetRect(&content, 0, shift);
    Canvas->Font()->SetColor(tab->Enabled() ? fw::clBtnText : fw::clGrayText);
    win::UINT format = win::DT_SINGLELINE | win::DT_VCENTER | GetCaptionFlags();
    format |= tab->Alignment() == fw::taCenter           ? win::DT_CENTER
              : tab->Alignment() == fw::taRightJustify ? win::DT_RIGHT
                                                        : win::DT_LEFT;
    Canvas->Brush()->SetStyle(fw::bsClear);
    DrawWideText(Canvas, caption, content, format);
  }
  paintCaption = true;
  tab->DoDrawCaption(Canvas, ClientAreaRect, caption, captionRect, false, pstPostPaint, paintCaption);
}

}  // namespace cs
