#include "tx/TxItemViewer.h"

#include <algorithm>

#include "framework/GraphicsCanvas.h"
#include "framework/GraphicsObjects.h"
#include "framework/ImageList.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/services/SysMetrics.h"
#include "toolbars/TBCommon.h"
#include "toolbars/TBItemView.h"
#include "tx/Tx.h"
#include "tx/detail/TxCanvasDC.h"

namespace tx {

using namespace toolbars;

using detail::FontDC;

namespace {

constexpr Integer kRoleToolBoxButton = 58;

Integer Metric(Integer Id) { return CurrentTheme->GetIntegerMetric(Id); }

TTxCustomItem* AsTxItem(TTBCustomItem* Item) { return dynamic_cast<TTxCustomItem*>(Item); }

void CentreBox(TRect& R, Integer W, Integer H) {
  R.left = (R.left + R.right - W) / 2;
  R.right = R.left + W;
  R.top = (R.top + R.bottom - H) / 2;
  R.bottom = R.top + H;
}

Integer RectHeight(const TRect& R) { return R.bottom - R.top; }

}  // namespace

TTxItemViewer::TTxItemViewer(TTBView* AView, TTBCustomItem* AItem, Integer AGroupLevel)
    : TTBItemViewer(AView, AItem, AGroupLevel) {}

bool TTxItemViewer::IsToolbarSize() {
  if (TTBItemViewer::IsToolbarSize()) return true;
  return IsViewKind(GetViewType(View()), VT_POPUP_TOOLBOX);
}

bool TTxItemViewer::IsToolbarStyle() {
  if (TTBItemViewer::IsToolbarStyle()) return true;
  return IsViewKind(GetViewType(View()), VT_POPUP_TOOLBOX);
}

Integer TTxItemViewer::GetAccRole() {
  TTxCustomItem* item = AsTxItem(Item());
  if (item && (item->ItemStyle() & tbisSubmenu) && item->ToolBoxPopup()) return kRoleToolBoxButton;
  return TTBItemViewer::GetAccRole();
}

bool TTxItemViewer::IsPtInButtonPart(Integer X, Integer /*Y*/) {
  const TTBItemStyle style = Item()->ItemStyle();
  if (!(style & tbisCombo)) return !(style & tbisSubmenu);
  const Integer arrow = IsToolbarStyle() ? Metric(TMI_SPLIT_ARROW_WIDTH) : win::GetSystemMetrics(win::SM_CXMENUCHECK);
  return X < (BoundsRect().right - BoundsRect().left) - arrow;
}

void TTxItemViewer::MouseUp(Integer X, Integer Y, bool MouseWasDownOnMenu) {
  // The framework executes a toolbar-style item only when the press started on it; a themed
  // item in a popup also executes on a release over it (a press on the bar's drop-down button
  // dragged into its popup). On the bar itself a release belongs to the item its press began
  // on: one that began on a neighbour clicks nothing here, and the bar's loop ends.
  const bool hadCapture = View()->Capture();
  TTBItemViewer::MouseUp(X, Y, MouseWasDownOnMenu);
  if (!IsToolbarStyle() || hadCapture) return;  // the framework has decided
  if (!Item()->Enabled() || (Item()->ItemStyle() & tbisClicksTransparent)) return;
  if ((Item()->ItemStyle() & tbisSubmenu) && !IsPtInButtonPart(X, Y)) return;
  if (!View()->MouseOverSelected()) return;
  if (View()->ParentView() == nullptr && !View()->IsPopup()) {
    // Let go as after a press slid off its button, unless this item's own popup is open.
    if (View()->OpenViewer() != this) View()->EndModal();
    return;
  }
  Execute(true);
}

void TTxItemViewer::BeforePaintCaption(fw::TCanvas* /*Canvas*/, const TRect& /*ClientAreaRect*/,
                                       const String& /*Text*/, TRect& /*CaptionRect*/, bool /*IsTextRotated*/,
                                       bool& /*PaintDefault*/) {}

void TTxItemViewer::PaintItemFace(fw::TCanvas* Canvas, const TRect& R, TTxItemInfo& ItemInfo,
                                  TTxFacePart Part) {
  switch (Part) {
    case fpButton:
    case fpSplitArrow: CurrentTheme->PaintButton(Canvas, R, ItemInfo); break;
    case fpDropDownArrow: CurrentTheme->PaintDropDownArrow(Canvas, R, ItemInfo); break;
    case fpMenuItem: CurrentTheme->PaintMenuItem(Canvas, R, ItemInfo); break;
  }
}

Integer TTxItemViewer::GetViewerKind() { return IsToolbarStyle() ? 1 : 2; }

bool TTxItemViewer::IsImageShown() { return ImageShown(); }

fw::TSize TTxItemViewer::GetItemImageSize() {
  fw::TCustomImageList* images = GetImageList();
  if (!images) return {0, 0};
  return {images->Width(), images->Height()};
}

Cardinal TTxItemViewer::GetCaptionFlags() {
  if (AreKeyboardCuesEnabled() || !(View()->Style() & tbvoUseHiddenAccels)) return 0;
  return (View()->State() & tbvsShowAccels) ? 0 : win::DT_HIDEPREFIX;
}

void TTxItemViewer::AdjustItemFont(fw::TFont* Font, Integer StateFlags) {
  if (Item()->EffectiveOptions().Contains(tboDefault)) Font->SetStyle(Font->Style() + fw::TFontStyles{fw::fsBold});
  if (TTxCustomItem* item = AsTxItem(Item())) {
    item->FontSettings()->Apply(Font);
    if (item->OnAdjustFont) item->OnAdjustFont(item, this, Font, StateFlags);
  }
}

fw::TSize TTxItemViewer::GetTextSize(fw::TCanvas* Canvas, const String& Text, Cardinal TextFlags, bool Rotated,
                                     Integer StateFlags) {
  if (Text.empty()) return {0, 0};
  Canvas->Font()->Assign(View()->GetFont());
  AdjustItemFont(Canvas->Font(), StateFlags);
  win::HDC dc = FontDC(Canvas);
  if (Rotated) {
    win::HFONT rotated = CreateRotatedFont(dc);
    win::HGDIOBJ old = win::SelectObject(dc, rotated);
    win::TEXTMETRICW tm{};
    win::GetTextMetricsW(dc, &tm);
    fw::TSize size{tm.tmHeight, GetTextWidth(dc, Text, true)};
    win::SelectObject(dc, old);
    win::DeleteObject(rotated);
    return size;
  }
  TRect r{0, 0, 1, 0};
  std::u16string w = win::Utf8ToWide(Text);
  win::DrawTextW(dc, w.c_str(), int(w.size()), &r, TextFlags | win::DT_CALCRECT);
  return {r.right, r.bottom};
}

TTxItemLayout TTxItemViewer::ResolvedLayout() {
  TTxCustomItem* item = AsTxItem(Item());
  TTxItemLayout layout = item ? item->Layout() : txlAuto;
  if (layout != txlAuto) return layout;
  return Item()->EffectiveOptions().Contains(tboImageAboveCaption) || View()->Orientation() == tbvoVertical
             ? txlGlyphTop
             : txlGlyphLeft;
}

bool TTxItemViewer::CaptionRotated() {
  if (View()->Orientation() != tbvoVertical || !IsToolbarStyle()) return false;
  TTxCustomItem* item = AsTxItem(Item());
  if (item && item->Layout() != txlAuto) return false;
  return !Item()->EffectiveOptions().Contains(tboImageAboveCaption);
}

void TTxItemViewer::CalcSize(fw::TCanvas* Canvas, Integer& AWidth, Integer& AHeight) {
  const bool toolbarStyle = IsToolbarStyle();
  fw::TSize img = GetItemImageSize();
  if (img.cx < 1 || img.cy < 1) img = {0, 0};
  const Integer IW = img.cx;
  Integer IH = img.cy;
  const TTxItemLayout layout = ResolvedLayout();
  const TTBItemStyle style = Item()->ItemStyle();
  const bool vertical = View()->Orientation() == tbvoVertical;

  String caption;
  bool rotated = false;
  fw::TSize text{0, 0};
  if (CaptionShown()) {
    caption = GetCaptionText();
    rotated = CaptionRotated();
    const Cardinal flags = (rotated || !toolbarStyle) ? win::DT_SINGLELINE : 0;
    text = GetTextSize(Canvas, caption, flags, rotated, 0);
  }
  const Integer TW = text.cx;
  Integer TH = text.cy;

  if (toolbarStyle) {
    AWidth = 6;
    AHeight = 6;
    if (!caption.empty()) {
      AWidth += TW;
      AHeight += TH;
      (rotated ? AHeight : AWidth) += 4;
    }
    if (IsImageShown() && IW > 0) {
      if (layout == txlGlyphTop) {
        AHeight += IH;
        AWidth = std::max(AWidth, IW + 7);
      } else {
        AWidth += IW + (ImageGap ? 1 : 0);
        AHeight = std::max(AHeight, IH + 6);
      }
    }
    if (style & tbisSubmenu) {
      const Integer m20 = Metric(TMI_DROPDOWN_ARROW_WIDTH);
      if (style & tbisCombo) {
        AWidth += Metric(TMI_SPLIT_ARROW_WIDTH);
      } else if (Item()->EffectiveOptions().Contains(tboDropdownArrow)) {
        if (layout == txlGlyphTop && IW > 0 && !rotated) {
          if (vertical)
            AHeight = std::max(AHeight, m20 + IH + 9);
          else
            AWidth = std::max(AWidth, m20 + IW + 9);
        } else {
          (vertical ? AHeight : AWidth) += m20;
        }
      }
    }
  } else {
    win::TEXTMETRICW tm{};
    win::GetTextMetricsW(FontDC(Canvas), &tm);
    TH += tm.tmExternalLeading;
    AWidth = TW;
    AHeight = TH;
    if (IH == 0) IH = 16;
    AHeight = std::max(AHeight, IH);
    TTxMargins m;
    CurrentTheme->GetMargins(MID_MENUITEM, m);
    AWidth += m.LeftWidth + m.RightWidth;
    AHeight += m.TopHeight + m.BottomHeight;
    AWidth += Metric(TMI_MENU_IMAGE_TEXT_SPACE) + GetPopupMargin(this) + Metric(TMI_MENU_CAPTION_LEFT) +
              Metric(TMI_MENU_CAPTION_RIGHT);
    const String shortcut = Item()->GetShortCutText();
    if (!shortcut.empty()) AWidth += GetTextWidth(FontDC(Canvas), shortcut, true) + AHeight - 6;
    AWidth += AHeight;
  }
  if (TTxCustomItem* item = AsTxItem(Item())) {
    AWidth = std::max(AWidth, item->MinWidth());
    AHeight = std::max(AHeight, item->MinHeight());
  }
}

TTxHoverKind SelectedHoverKind(TTBView* View, bool Enabled) {
  if (Enabled) return hkMouseHover;
  return View->MouseOverSelected() ? hkNone : hkKeyboardHover;
}

void TTxItemViewer::Paint(fw::TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
                          bool /*UseDisabledShadow*/) {
  TTxTheme* theme = CurrentTheme;
  const bool toolbarStyle = IsToolbarStyle();
  const TTBItemStyle style = Item()->ItemStyle();
  const bool split = (style & tbisCombo) != 0;
  const bool arrowPushed = split && IsPushed && !View()->Capture();
  if (arrowPushed) IsPushed = false;  // only the arrow shows pressed while the submenu is open
  const bool vertical = View()->Orientation() == tbvoVertical;

  Integer IW = 0, IH = 0;
  bool imageShown = false;
  if (IsImageShown()) {
    fw::TSize s = GetItemImageSize();
    if (s.cx >= 1 && s.cy >= 1) {
      IW = s.cx;
      IH = s.cy;
      imageShown = true;
    }
  }

  TTxItemInfo info;
  info.ViewType = GetViewType(View());
  if (toolbarStyle) info.ItemOptions |= IO_TOOLBAR_STYLE;
  if (split) info.ItemOptions |= IO_SPLIT;
  if (style & tbisSubmenu) info.ItemOptions |= IO_HAS_SUBMENU;
  if (ApplicationIsActive()) info.ItemOptions |= IO_APP_ACTIVE;
  info.Enabled = Item()->Enabled() || View()->Customizing();
  info.Pushed = IsPushed;
  info.HoverKind = IsSelected ? SelectedHoverKind(View(), info.Enabled) : hkNone;
  info.Selected = Item()->Checked();
  info.ImageShown = imageShown;
  info.ImageWidth = IW;
  info.ImageHeight = IH;
  const bool hasOpenPopup = (View()->State() & tbvsModal) && View()->OpenViewer() != nullptr;
  info.IsPopupParent =
      toolbarStyle && ((style & tbisSubmenu) || hasOpenPopup) && (split ? arrowPushed : IsPushed);
  info.IsVertical = vertical && !split;
  info.PopupMargin = GetPopupMargin(this);

  const TTxItemLayout layout = ResolvedLayout();
  const bool hasArrow = (style & tbisSubmenu) && (split || Item()->EffectiveOptions().Contains(tboDropdownArrow));
  const bool drawImageOrCheck = imageShown || (!toolbarStyle && Item()->Checked());

  Integer stateFlags = GetStateFlags(info);
  Canvas->Font()->Assign(View()->GetFont());
  Canvas->Font()->SetColor(theme->GetItemTextColor(info));
  AdjustItemFont(Canvas->Font(), stateFlags);
  const TColor textColor = Canvas->Font()->Color();

  Cardinal textFlags = GetCaptionFlags();
  bool rotated = false;
  String caption;
  fw::TSize text{0, 0};
  const bool captionShown = CaptionShown();
  if (captionShown) {
    caption = GetCaptionText();
    rotated = CaptionRotated();
    if (rotated || !toolbarStyle) textFlags |= win::DT_SINGLELINE;
    text = GetTextSize(Canvas, caption, textFlags, rotated, stateFlags);
  } else {
    stateFlags = 0;
  }
  Integer TW = text.cx, TH = text.cy;

  TTxCustomItem* txItem = AsTxItem(Item());
  const TTxItemLayout layoutProp = txItem ? txItem->Layout() : txlAuto;
  const bool glyphTopProp =
      layoutProp == txlGlyphTop ||
      (layoutProp == txlAuto && Item()->EffectiveOptions().Contains(tboImageAboveCaption));
  const bool arrowBelowImage = hasArrow && !split && toolbarStyle && glyphTopProp && IW > 0 && !rotated && TW > 0;

  TRect R = ClientAreaRect;
  const Integer m20 = Metric(TMI_DROPDOWN_ARROW_WIDTH);
  TTxMargins menuMargins;
  if (toolbarStyle) {
    TRect A{};
    if (hasArrow) {
      info.ComboPart = cpCombo;
      if (split) {
        info.ComboPart = cpSplitLeft;
        A = R;
        R.right -= Metric(TMI_SPLIT_ARROW_WIDTH);
        A.left = R.right;
      } else if (!arrowBelowImage) {
        const Integer m21 = Metric(TMI_DROPDOWN_ARROW_MARGIN);
        if (vertical)
          A = TRect{R.left, R.bottom - m20 - m21, R.right, R.bottom - m21};
        else
          A = TRect{R.right - m20 - m21, R.top, R.right - m21, R.bottom};
      } else {
        A.right = (R.left + R.right + IW + m20 + 4) / 2;
        A.left = A.right - m20;
        A.top = (R.top + R.bottom - IH - 2 - TH) / 2;
        A.bottom = A.top + IH;
      }
    }
    if (!split) {
      PaintItemFace(Canvas, R, info, fpButton);
      if (hasArrow) {
        PaintItemFace(Canvas, A, info, fpDropDownArrow);
        if (!arrowBelowImage) (vertical ? R.bottom : R.right) -= m20;
      }
    } else {
      PaintItemFace(Canvas, R, info, fpButton);
      info.Pushed = arrowPushed;
      info.Selected = false;
      info.ComboPart = cpSplitRight;
      PaintItemFace(Canvas, A, info, fpSplitArrow);
      info.ComboPart = cpSplitLeft;
      info.Pushed = IsPushed;
      info.Selected = Item()->Checked();
    }
    R.left += 2;
    R.top += 2;
    R.right -= 2;
    R.bottom -= 2;
  } else {
    theme->GetMargins(MID_MENUITEM, menuMargins);
    PaintItemFace(Canvas, R, info, fpMenuItem);
    R.left += menuMargins.LeftWidth;
    R.right -= menuMargins.RightWidth;
    R.top += menuMargins.TopHeight;
    R.bottom -= menuMargins.BottomHeight;
  }

  auto paintText = [&](TRect C, const String& S, Cardinal Flags, bool Rot) {
    Canvas->Font()->SetColor(textColor);
    bool paintDefault = true;
    BeforePaintCaption(Canvas, ClientAreaRect, S, C, Rot, paintDefault);
    if (paintDefault) theme->PaintCaption(Canvas, C, info, S, Flags, Rot);
  };
  // The menu's one-pixel rule: a line exactly one bottom margin taller than the text loses
  // that pixel at the bottom, and the text starts below the external leading.
  auto menuTextRect = [&](TRect C) {
    win::TEXTMETRICW tm{};
    win::GetTextMetricsW(FontDC(Canvas), &tm);
    if (RectHeight(C) - (tm.tmHeight + tm.tmExternalLeading) == menuMargins.BottomHeight) C.bottom -= 1;
    C.top += tm.tmExternalLeading;
    return C;
  };

  if (captionShown) {
    if (toolbarStyle) {
      TRect C = R;
      Cardinal flags = textFlags | win::DT_CENTER | win::DT_VCENTER;
      if (imageShown) {
        if (layout == txlGlyphLeft) {
          C.left += IW + 3;
          CentreBox(C, TW, TH);
          flags &= ~win::DT_CENTER;
        } else {
          C.top += IH + 1 + (rotated ? 3 : 0);
          CentreBox(C, TW, TH);
          flags &= ~win::DT_VCENTER;
        }
      } else {
        CentreBox(C, TW, TH);
      }
      paintText(C, caption, flags, rotated);
    } else {
      const Cardinal flags = textFlags | win::DT_VCENTER;
      fw::TSize s = GetTextSize(Canvas, caption, flags, false, stateFlags);
      TRect C = R;
      C.left += Metric(TMI_MENU_IMAGE_TEXT_SPACE) + info.PopupMargin + Metric(TMI_MENU_CAPTION_LEFT);
      C = menuTextRect(C);
      C.right = C.left + s.cx;
      paintText(C, caption, flags, false);
    }
  }

  if (!toolbarStyle) {
    const String shortcut = Item()->GetShortCutText();
    if (!shortcut.empty()) {
      TRect C = R;
      C.left = C.right - RectHeight(C) - GetTextWidth(FontDC(Canvas), shortcut, true);
      C = menuTextRect(C);
      paintText(C, shortcut, textFlags | win::DT_VCENTER, false);
    }
  }

  if (drawImageOrCheck) {
    TRect I = R;
    if (!toolbarStyle) {
      I.right = I.left + RectHeight(ClientAreaRect);
    } else {
      if (arrowBelowImage) {
        const Integer shift = (1 - m20) / 2;
        I.left += shift;
        I.right += shift;
      }
      if (layout == txlGlyphLeft) {
        I.right = I.left + IW + 2;
      } else {
        I.top = (I.top + I.bottom - IH - 2 - TH) / 2;
        I.bottom = I.top + IH;
      }
    }
    if (imageShown) {
      CentreBox(I, IW, IH);
      PaintItemImage(Canvas, I, info);
    } else {
      theme->PaintCheckMark(Canvas, I, info);
    }
  }
}

void TTxItemViewer::PaintItemImage(fw::TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& ItemInfo) {
  fw::TCustomImageList* images = GetImageList();
  const Integer index = Item()->ImageIndex();
  if (!images || index < 0 || index >= images->Count()) return;
  CurrentTheme->PaintImage(Canvas, ARect, ItemInfo, images, index);
  TTxCustomItem* item = AsTxItem(Item());
  if (item && item->OnDrawImage) {
    const TPoint offset = CurrentTheme->GetImageOffset(Canvas, ItemInfo, images);
    item->OnDrawImage(item, this, Canvas, ARect, offset, GetStateFlags(ItemInfo));
  }
}

// ---- separator -------------------------------------------------------------------------------

bool TTxSeparatorItemViewer::IsToolbarSize() {
  if (TTBSeparatorItemViewer::IsToolbarSize()) return true;
  return IsViewKind(GetViewType(View()), VT_POPUP_TOOLBOX);
}

bool TTxSeparatorItemViewer::IsToolbarStyle() {
  if (TTBSeparatorItemViewer::IsToolbarStyle()) return true;
  return IsViewKind(GetViewType(View()), VT_POPUP_TOOLBOX);
}

namespace {

Integer SeparatorSize(TTBItemViewer* Viewer, bool ToolbarStyle, bool& Explicit) {
  auto* sep = dynamic_cast<TTxSeparatorItem*>(Viewer->Item());
  Integer size = sep ? sep->Size() : -1;
  Explicit = size >= 0;
  if (size < 0) size = Metric(ToolbarStyle ? TMI_TOOLBAR_SEPARATOR_SIZE : TMI_MENU_SEPARATOR_SIZE);
  return size;
}

}  // namespace

void TTxSeparatorItemViewer::CalcSize(fw::TCanvas* Canvas, Integer& AWidth, Integer& AHeight) {
  const bool toolbarStyle = IsToolbarStyle();
  bool explicitSize = false;
  const Integer size = SeparatorSize(this, toolbarStyle, explicitSize);
  if (size < 0) {
    TTBSeparatorItemViewer::CalcSize(Canvas, AWidth, AHeight);
    return;
  }
  AWidth = (!toolbarStyle && explicitSize) ? 0 : size;
  AHeight = size;
}

void TTxSeparatorItemViewer::Paint(fw::TCanvas* Canvas, const TRect& ClientAreaRect, bool /*IsSelected*/,
                                   bool IsPushed, bool /*UseDisabledShadow*/) {
  const bool toolbarStyle = IsToolbarStyle();
  bool explicitSize = false;
  if (SeparatorSize(this, toolbarStyle, explicitSize) == 0) return;
  auto* sep = dynamic_cast<TTBSeparatorItem*>(Item());
  TTxItemInfo info;
  info.ViewType = GetViewType(View());
  if (toolbarStyle) info.ItemOptions = IO_TOOLBAR_STYLE;
  info.Enabled = !(sep && sep->Blank());
  info.Pushed = IsPushed;
  info.IsVertical = View()->Orientation() == tbvoVertical;
  if (!toolbarStyle) info.PopupMargin = GetPopupMargin(this);
  // Across a menu or a vertical bar, upright in a horizontal bar; the framework marks the
  // separators that break a wrapped bar into rows, which turn the other way.
  bool horizontal = !toolbarStyle || info.IsVertical;
  if (IsLineSeparator()) horizontal = !horizontal;
  bool lineOnly = (info.IsVertical != horizontal) || !View()->IsToolbar();
  if (View()->IsPopup() && IsViewKind(info.ViewType, VT_POPUP_CHEVRON)) lineOnly = lineOnly && horizontal;
  CurrentTheme->PaintSeparator(Canvas, ClientAreaRect, info, horizontal, lineOnly);
}

}  // namespace tx
