// Soft gradient buttons, check and radio boxes, edit frames, image lifting, popup and floating
// frames, scroll buttons and status bars in the system's colours.

#include <algorithm>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiDC.h"
#include "platform/kernel/Rects.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/services/SysMetrics.h"
#include "themes/SoftFrameTheme.h"
#include "themes/ThemePainting.h"
#include "themes/vrnThemes.h"
#include "tx/TxDefaultTheme.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"
#include "tx/TxUtilsState.h"

namespace themes {

using namespace tx;

TColor TSoftFrameTheme::GetItemTextColor(const TTxItemInfo& I) {
  const bool toolStyle = I.ItemOptions & IO_TOOLBAR_STYLE;
  if (!toolStyle && !I.Enabled && I.HoverKind == hkKeyboardHover) return fw::clBtnShadow;
  if (!I.Enabled) return DisabledTextColor;
  const bool menuBar = IsViewKind(I.ViewType, VT_TOOLBAR_MENUBAR);
  if (toolStyle && !menuBar) return fw::clBtnText;
  if (I.HoverKind != hkNone) return fw::clHighlightText;
  if (menuBar && !(I.ItemOptions & IO_APP_ACTIVE)) return fw::clGrayText;
  return fw::clMenuText;
}

TColor TSoftFrameTheme::ArrowColor(const TTxItemInfo& ItemInfo) {
  return (ItemInfo.ItemOptions & IO_TOOLBAR_STYLE) ? fw::clBtnText : fw::clMenuText;
}

void TSoftFrameTheme::PaintRaisedFace(TCanvas* c, const TRect& r) { kit::GradientDown(c, r, fw::clBtnHighlight, fw::clBtnFace); }

void TSoftFrameTheme::PaintSunkenFace(TCanvas* c, const TRect& r) {
  kit::GradientDown(c, r, BlendColors(fw::clBtnFace, fw::clBtnShadow, 60),
                    BlendColors(fw::clBtnHighlight, fw::clBtnFace, 60));
}

void TSoftFrameTheme::PaintCheckedFace(TCanvas* c, const TRect& r) { kit::GradientDown(c, r, fw::clBtnFace, fw::clBtnHighlight); }

void TSoftFrameTheme::PaintButton(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& I) {
  const TClipTo clip(Canvas, ItemArea(ARect, I));
  const bool hot = IsItemHot(I);
  const bool hovered = I.HoverKind != hkNone;
  const kit::TButtonOutline outline(ARect, I, 1);
  const TRect& R = outline.R;
  const Integer L = outline.Left, Rt = outline.Right;
  const TColor shadowBlend = BlendColors(fw::clBtnShadow, fw::clBtnFace, 50);

  if (IsEmbeddedView(I.ViewType) && !hot) {
    if (I.Enabled) {
      Fill(Canvas, Deflated(R, 1), ToolbarColor);
      DrawSoftRoundedFrame(Canvas, R, L, Rt, fw::clBtnShadow, fw::clNone);
    } else {
      DrawSoftRoundedFrame(Canvas, R, L, Rt, fw::clBtnFace, fw::clNone);
    }
  } else if (!IsViewKind(I.ViewType, VT_TOOLBAR_MENUBAR)) {
    if (I.Enabled && I.Pushed) {
      PaintSunkenFace(Canvas, Deflated(R, 1));
      DrawSoftRoundedFrame(Canvas, R, L, Rt, fw::clBtnShadow, shadowBlend);
      Line(Canvas, R.left + L, R.top + 1, R.right - Rt, R.top + 1, BlendColors(fw::clBtnFace, fw::clBtnShadow, 45));
    } else if (I.Enabled && I.Selected && hovered) {
      PaintRaisedFace(Canvas, Deflated(R, 1));
      DrawSoftRoundedFrame(Canvas, R, L, Rt, GetButtonPartColor(I, cpFrame), fw::clNone);
    } else if (I.Enabled && I.Selected) {
      PaintCheckedFace(Canvas, Deflated(R, 1));
      DrawSoftRoundedFrame(Canvas, R, L, Rt, fw::clBtnShadow, shadowBlend);
      Line(Canvas, R.left + L, R.top + 1, R.right - Rt, R.top + 1, BlendColors(fw::clBtnShadow, fw::clBtnFace, 25));
    } else if (hot || (I.ItemOptions & IO_DESIGNING)) {
      PaintRaisedFace(Canvas, Deflated(R, 1));
      DrawSoftRoundedFrame(Canvas, R, L, Rt, GetButtonPartColor(I, cpFrame), fw::clNone);
    }
  } else {
    if ((I.Enabled && (I.Pushed || I.Selected)) || hot)
      PaintBackground(Canvas, TRect{}, R, R, MenuItemColors[2].Fill, false, 0);
    return;
  }
  if (I.ComboPart == cpSplitRight) PaintDropDownArrow(Canvas, ARect, I);
}

void TSoftFrameTheme::PaintCheckMark(TCanvas* Canvas, TRect R, const TTxItemInfo& I) {
  const TClipTo clip(Canvas, R);
  kit::DrawCheckTick(Canvas, R, I.Enabled ? fw::clBlack : MenuItemColors[1].Text);
}

void TSoftFrameTheme::PaintChevron(TCanvas* Canvas, TRect R, const TTxItemInfo& I) {
  PaintButtonChevron(Canvas, R, I);
}

void TSoftFrameTheme::PaintEditFrame(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& I,
                                     const TTxEditFrameInfo& EditFrameInfo) {
  const bool hovered = I.HoverKind != hkNone;
  if (I.Enabled)
    PaintFieldFrame(Canvas, ARect, I, EditFrameInfo, hovered ? EditFrameHotColor : EditFrameColor, fw::clWindow);
  else
    PaintFieldFrame(Canvas, ARect, I, EditFrameInfo, DisabledFieldLit(I) ? TColor(fw::clWindow) : ButtonColors[1].Frame,
                    fw::clNone);
}

void TSoftFrameTheme::PaintDock(TCanvas* Canvas, const TRect& ClientRect, const TRect&, Integer) {
  Canvas->Brush()->SetColor(fw::clBtnFace);
  Canvas->Brush()->SetStyle(fw::bsSolid);
  Canvas->Pen()->SetColor(fw::clBtnFace);
  Canvas->Pen()->SetWidth(0);
  Canvas->Rectangle(Deflated(ClientRect, -1));
}

void TSoftFrameTheme::PaintFloatingBorder(TCanvas* Canvas, const TRect& ARect, const TTxFloatingWindowInfo& Info) {
  const TClipTo clip(Canvas, ARect);
  kit::PaintClassicFloatingBorder(Canvas, ARect, Info);
}

void TSoftFrameTheme::PaintFrame(TCanvas* Canvas, const TRect& R, const TTxItemInfo& I) {
  const TClipTo clip(Canvas, R);
  if (I.Enabled || I.HoverKind == hkKeyboardHover) {
    if (I.Pushed || I.Selected || I.HoverKind != hkNone || (I.ItemOptions & IO_DESIGNING))
      DrawSoftRoundedFrame(Canvas, R, 1, 1, I.Pushed ? ButtonColors[2].Frame : GetPartColor(I, cpFrame), fw::clNone);
  } else {
    kit::Frame(Canvas, Deflated(R, 1), ToolbarColor);
  }
}

void TSoftFrameTheme::PaintImage(TCanvas* Canvas, TRect R, const TTxItemInfo& I, TCustomImageList* ImageList,
                                 Integer ImageIndex) {
  if (!ImageList) return;
  const Integer lum = GetColorLuminance(GetItemImageBackground(I));
  if (!kit::PaintQuietImage(Canvas, R, I, ImageList, ImageIndex, lum < 80, IdleImageContrast(lum)))
    DrawIconContrasted(Canvas, R, ImageList, ImageIndex, false);
}

void TSoftFrameTheme::PaintMenuItemFrame(TCanvas* Canvas, const TRect& R, const TTxItemInfo& I) {
  if ((I.Enabled && I.HoverKind != hkNone) || (!I.Enabled && I.HoverKind == hkKeyboardHover))
    PaintBackground(Canvas, TRect{}, R, R, MenuItemColors[2].Fill, false, 0);
}

void TSoftFrameTheme::PaintScrollButton(TCanvas* Canvas, const TRect& R, Integer ButtonType, bool Hot) {
  const TClipTo clip(Canvas, R);
  win::UINT kind = win::DFCS_SCROLLUP;
  if (ButtonType == PSBT_DOWN) kind = win::DFCS_SCROLLDOWN;
  if (ButtonType == PSBT_LEFT) kind = win::DFCS_SCROLLLEFT;
  if (ButtonType == PSBT_RIGHT) kind = win::DFCS_SCROLLRIGHT;
  TRect r = R;
  win::DrawFrameControl(Canvas->Handle(), &r, win::DFC_SCROLL, kind | (Hot ? win::DFCS_FLAT : 0));
}

void TSoftFrameTheme::PaintPopupNCArea(TCanvas* Canvas, TRect R, const TTxPopupInfo& PopupInfo) {
  const TClipTo clip(Canvas, R);
  kit::Frame(Canvas, R, PopupFrameColor);
  const TRect d = Deflated(R, 1);
  Fill(Canvas, d, PopupColor);
  // The edge along the parent item takes the toolbar colour, joining popup and parent.
  kit::JoinPopupToParent(Canvas, R, PopupInfo.ParentRect, ToolbarColor);
}

void TSoftFrameTheme::PaintFrameControl(TCanvas* Canvas, TRect R, Integer Kind, Integer State, void*) {
  if (Kind != PFC_CHECKBOX && Kind != PFC_RADIOBUTTON) return;
  if (kit::IsEmpty(R)) return;
  const TClipTo clip(Canvas, R);
  const bool checked = State & (PFS_CHECKED | PFS_MIXED);
  const bool hot = State & PFS_HOT, pushed = State & PFS_PUSHED;
  const TColor line = BlendColors(fw::clBtnShadow, fw::clBtnFace, 25);
  // The inside: top and bottom of its gradient (clNone: left as is) and the top line.
  TColor top = fw::clNone, bottom = fw::clNone, topLine = fw::clNone, pen = fw::clBtnShadow;
  if (!hot) {
    if (checked) {
      top = fw::clBtnFace;
      bottom = fw::clBtnHighlight;
      topLine = line;
    }
  } else if (!pushed) {
    top = fw::clBtnHighlight;
    bottom = fw::clBtnFace;
    pen = ButtonColors[4].Frame;
  } else {
    top = BlendColors(fw::clBtnFace, fw::clBtnShadow, 60);
    bottom = BlendColors(fw::clBtnHighlight, fw::clBtnFace, 60);
    topLine = line;
  }
  const TColor mark = FrameControlMarkColor(State, pushed, hot);
  const TRect in = Deflated(R, 1);
  Canvas->Pen()->SetStyle(fw::psSolid);
  if (Kind == PFC_CHECKBOX) {
    if (top != fw::clNone) kit::GradientDown(Canvas, in, top, bottom);
    if (topLine != fw::clNone) Line(Canvas, in.left, in.top, in.right, in.top, topLine);
    Canvas->Pen()->SetColor(pen);
    kit::FrameRoundRect(Canvas, R, 0, 0);
    if (checked) {
      const Integer x = (R.left + R.right) / 2 - 1, y = (R.top + R.bottom) / 2 + 1;
      const fw::TPoint p[7] = {{x - 2, y}, {x, y + 2}, {x + 4, y - 2}, {x + 4, y - 4}, {x, y}, {x - 2, y - 2}, {x - 2, y}};
      PolygonColor(Canvas->Handle(), p, 6, mark, mark);
    }
    Canvas->Brush()->SetStyle(fw::bsSolid);
    return;
  }
  if (top != fw::clNone) FillRadioDisc(Canvas, R, bottom, top, (hot && !pushed) ? fw::clNone : topLine);
  Canvas->Pen()->SetColor(pen);
  Canvas->Brush()->SetStyle(fw::bsClear);
  kit::DrawRadioRing(Canvas, R, checked, mark, 3);
}

void TSoftFrameTheme::PaintStatusBar(TCanvas* Canvas, TRect R, Integer Part) {
  const TClipTo clip(Canvas, Part == SBP_GRIPPERPANE ? TRect{R.left, R.top, R.right + 1, R.bottom} : R);
  switch (Part) {
    case SBP_BODY: {
      Fill(Canvas, R, fw::clBtnFace);
      const auto row = [&](Integer y, TColor c) { Line(Canvas, R.left, y, R.right, y, c); };
      row(R.top, BlendColors(fw::clBtnShadow, fw::cl3DDkShadow, 70));
      const Integer top[4] = {128, 64, 32, 12};
      for (int k = 0; k < 4; ++k) row(R.top + 1 + k, MixColorsNearest(fw::clBtnShadow, fw::clBtnFace, top[k]));
      const Integer bottom[3] = {8, 16, 24};
      for (int k = 0; k < 3; ++k) row(R.bottom - 3 + k, MixColorsNearest(fw::clBtnShadow, fw::clBtnFace, bottom[k]));
      break;
    }
    case SBP_PANE:
    case SBP_GRIPPERPANE: {
      const Integer x = Part == SBP_PANE ? R.right - 3 : R.right;
      Line(Canvas, x, R.top + 4, x, R.bottom - 3, DisabledTextColor);
      break;
    }
    case SBP_SIZEGRIP: {
      kit::DrawSizeGripSteps(Canvas, R, MixColorsNearest(fw::clBtnFace, fw::clBtnHighlight, 64),
                             MixColorsNearest(fw::clBtnFace, fw::clBtnShadow, 64));
      break;
    }
    default: break;
  }
}

}  // namespace themes
