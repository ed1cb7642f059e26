#include "toolbars/TBItemViewer.h"

#include <algorithm>

#include "framework/Forms.h"
#include "framework/GraphicsCanvas.h"
#include "framework/Menus.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/Rects.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysMetrics.h"
#include "toolbars/TBAcc.h"
#include "toolbars/TBCommon.h"
#include "toolbars/TBItemView.h"
#include "toolbars/detail/TBItemQueue.h"

namespace toolbars {

namespace {

constexpr Integer kSplitArrowWidth = 11;
constexpr Integer kDropdownArrowWidth = 8;

Integer ImageListWidth(fw::TCustomImageList* L) { return L ? L->Width() : 0; }
Integer ImageListHeight(fw::TCustomImageList* L) { return L ? L->Height() : 0; }

}  // namespace

TTBItemViewer::TTBItemViewer(TTBView* AView, TTBCustomItem* AItem, Integer AGroupLevel)
    : FView(AView), FItem(AItem), FGroupLevel(AGroupLevel) {
  detail::AddLiveObject();
}

TTBItemViewer::~TTBItemViewer() {
  detail::CancelPostedCalls(this);
  // A client may still hold the object: it answers E_FAIL from now on.
  if (FAccObject) FAccObject->ClientIsDestroying();
  detail::RemoveLiveObject();
}

void TTBItemViewer::Execute(bool AGivePriority) {
  if (DoExecute() && AGivePriority) FView->GivePriority(this);
}

bool TTBItemViewer::DoExecute() {
  FView->EndModalWithClick(this);
  return true;
}

String TTBItemViewer::GetCaptionText() {
  const String& c = FItem->Caption();
  return c.substr(0, c.find('\t'));
}

String TTBItemViewer::GetHintText() {
  String hint = fw::GetShortHint(FItem->Hint());
  if (hint.empty() && !FItem->EffectiveOptions().Contains(tboNoAutoHint)) {
    bool plainSubmenu = (FItem->ItemStyle() & tbisSubmenu) && !(FItem->ItemStyle() & tbisCombo);
    if (!plainSubmenu || !CaptionShown()) hint = StripAccelChars(GetCaptionText());
  }
  if (fw::Application && fw::Application->ShowHintShortCuts() && FItem->ShortCut() != 0 && !hint.empty())
    hint = hint + " (" + fw::ShortCutToText(FItem->ShortCut()) + ")";
  return hint;
}

fw::TCustomImageList* TTBItemViewer::GetImageList() {
  if (FItem->Images()) return FItem->Images();
  for (TTBView* v = FView; v != nullptr; v = v->ParentView()) {
    if (v->CurParentItem() && v->CurParentItem()->SubMenuImages()) return v->CurParentItem()->SubMenuImages();
    if (v->ParentItem() && v->ParentItem()->SubMenuImages()) return v->ParentItem()->SubMenuImages();
  }
  return nullptr;
}

Integer TTBItemViewer::GetIndex() { return FView->IndexOf(this); }

bool TTBItemViewer::IsRotated() {
  return FView->Orientation() == tbvoVertical && !FItem->EffectiveOptions().Contains(tboNoRotation) &&
         !FItem->EffectiveOptions().Contains(tboImageAboveCaption);
}

bool TTBItemViewer::CaptionShown() {
  if (FItem->EffectiveOptions().Contains(tboImageAboveCaption)) return true;
  if (GetCaptionText().empty()) return false;
  return !IsToolbarSize() || FItem->ImageIndex() < 0 || FItem->DisplayMode() == nbdmTextOnly ||
         FItem->DisplayMode() == nbdmImageAndText;
}

bool TTBItemViewer::ImageShown() {
  if (FItem->ImageIndex() < 0) return false;
  switch (FItem->DisplayMode()) {
    case nbdmDefault:
    case nbdmImageAndText:
      return true;
    case nbdmTextOnlyInMenus:
      return IsToolbarStyle();
    case nbdmTextOnly:
      return false;
  }
  return false;
}

bool TTBItemViewer::IsToolbarSize() {
  return FView->IsToolbar() || FItem->EffectiveOptions().Contains(tboToolbarSize);
}

bool TTBItemViewer::IsToolbarStyle() {
  return FView->IsToolbar() || FItem->EffectiveOptions().Contains(tboToolbarStyle);
}

bool TTBItemViewer::UsesSameWidth() {
  return IsToolbarSize() && FItem->EffectiveOptions().Contains(tboImageAboveCaption) &&
         FItem->EffectiveOptions().Contains(tboSameWidth);
}

bool TTBItemViewer::IsPtInButtonPart(Integer X, Integer /*Y*/) {
  if (!(FItem->ItemStyle() & tbisCombo)) return !(FItem->ItemStyle() & tbisSubmenu);
  Integer arrow = IsToolbarStyle() ? kSplitArrowWidth : win::GetSystemMetrics(win::SM_CXMENUCHECK);
  return X < (FBoundsRect.right - FBoundsRect.left) - arrow;
}

TRect TTBItemViewer::ScreenBoundsRect() {
  TRect r = FBoundsRect;
  if (FView->Window() && FView->Window()->HandleAllocated()) {
    TPoint o = FView->Window()->ClientOrigin();
    r.left += o.x;
    r.right += o.x;
    r.top += o.y;
    r.bottom += o.y;
  }
  return r;
}

void TTBItemViewer::CalcSize(fw::TCanvas* Canvas, Integer& AWidth, Integer& AHeight) {
  win::HDC dc = Canvas->Handle();
  const bool toolbarStyle = IsToolbarStyle();
  const bool showCaption = CaptionShown();
  const String caption = GetCaptionText();
  fw::TCustomImageList* images = ImageShown() ? GetImageList() : nullptr;
  const Integer imgW = ImageListWidth(images), imgH = ImageListHeight(images);
  const TTBItemOptions opts = FItem->EffectiveOptions();
  const TTBItemStyle style = FItem->ItemStyle();
  win::TEXTMETRICW tm{};
  win::GetTextMetricsW(dc, &tm);
  const Integer textH = tm.tmHeight;
  if (toolbarStyle) {
    const bool rotated = IsRotated();
    Integer along = 6, across = 6;  // along the caption's direction, across it
    if (showCaption) {
      along += GetTextWidth(dc, caption, true) + 6;
      across = std::max(across, textH);
    }
    if (images) {
      if (opts.Contains(tboImageAboveCaption) || rotated) {
        // Above the caption (or beside a rotated one): grows across.
        across += imgH;
        along = std::max(along, imgW + 7);
      } else {
        along += imgW + 1;
        across = std::max(across, imgH + 6);
      }
    }
    Integer w = rotated ? across : along, h = rotated ? along : across;
    if (style & tbisSubmenu) {
      if (style & tbisCombo)
        w += kSplitArrowWidth;
      else if (opts.Contains(tboDropdownArrow)) {
        if (FView->Orientation() == tbvoVertical)
          h += kDropdownArrowWidth;
        else
          w += kDropdownArrowWidth;
      }
    }
    AWidth = w;
    AHeight = h;
    return;
  }
  Integer h = std::max<Integer>(textH + tm.tmExternalLeading + 4, images ? imgH + 3 : 0);
  Integer imageColumn = images ? win::MulDiv(imgW + 3, h, imgH + 3) : h;
  Integer w = (showCaption ? GetTextWidth(dc, caption, true) : 0) + imageColumn + 6;
  String shortcut = FItem->GetShortCutText();
  if (!shortcut.empty()) w += GetTextWidth(dc, shortcut, false) + (h - 6);
  w += h;
  AWidth = w;
  AHeight = h;
}

void TTBItemViewer::DrawItemCaption(fw::TCanvas* Canvas, TRect ARect, const String& ACaption,
                                    bool ADrawDisabledShadow, win::UINT AFormat) {
  win::HDC dc = Canvas->Handle();
  win::SetBkMode(dc, win::TRANSPARENT);
  auto draw = [&](TRect r) {
    if (IsRotated()) {
      DrawRotatedText(dc, ACaption, r, AFormat);
    } else {
      std::u16string w = win::Utf8ToWide(ACaption);
      win::DrawTextW(dc, w.c_str(), int(w.size()), &r, AFormat);
    }
  };
  if (ADrawDisabledShadow) {
    win::COLORREF old = win::SetTextColor(dc, win::GetSysColor(win::COLOR_BTNHIGHLIGHT));
    TRect shadow = ARect;
    win::OffsetRect(&shadow, 1, 1);
    draw(shadow);
    win::SetTextColor(dc, win::GetSysColor(win::COLOR_BTNSHADOW));
    draw(ARect);
    win::SetTextColor(dc, old);
  } else {
    draw(ARect);
  }
}

namespace {

void FillTriangle(win::HDC dc, Integer cx, Integer cy, bool down, win::COLORREF color, Integer w = 5) {
  win::HBRUSH b = win::CreateSolidBrush(color);
  win::HPEN p = win::CreatePen(win::PS_SOLID, 1, color);
  win::HGDIOBJ ob = win::SelectObject(dc, b), op = win::SelectObject(dc, p);
  Integer half = w / 2;
  win::POINT pts[3];
  if (down) {
    pts[0] = {cx - half, cy - half / 2};
    pts[1] = {cx + half, cy - half / 2};
    pts[2] = {cx, cy + (half + 1) / 2};
  } else {
    pts[0] = {cx - half / 2, cy - half};
    pts[1] = {cx - half / 2, cy + half};
    pts[2] = {cx + (half + 1) / 2, cy};
  }
  win::Polygon(dc, pts, 3);
  win::SelectObject(dc, ob);
  win::SelectObject(dc, op);
  win::DeleteObject(b);
  win::DeleteObject(p);
}

}  // namespace

void TTBItemViewer::Paint(fw::TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
                          bool UseDisabledShadow) {
  win::HDC dc = Canvas->Handle();
  TRect r = ClientAreaRect;
  const TTBItemStyle style = FItem->ItemStyle();
  const bool toolbarStyle = IsToolbarStyle();
  fw::TCustomImageList* images = ImageShown() ? GetImageList() : nullptr;
  const bool enabled = FItem->Enabled();
  if (toolbarStyle) {
    TRect button = r;
    const bool split = (style & tbisSubmenu) && (style & tbisCombo);
    const bool arrow = split || ((style & tbisSubmenu) && FItem->EffectiveOptions().Contains(tboDropdownArrow));
    if (split) button.right -= kSplitArrowWidth;
    if (FItem->Checked() && !IsSelected) {
      // A checked button that is not hot shows the dither of face and highlight.
      win::HBRUSH dither = CreateHalftoneBrush();
      win::SetTextColor(dc, fw::ColorToRGB(fw::clBtnFace));
      win::SetBkColor(dc, fw::ColorToRGB(fw::clBtnHighlight));
      win::FillRect(dc, &button, dither);
      win::DeleteObject(dither);
    }
    if (IsSelected || IsPushed || FItem->Checked()) {
      TRect edge = button;
      win::DrawEdge(dc, &edge, (IsPushed || FItem->Checked()) ? win::BDR_SUNKENOUTER : win::BDR_RAISEDINNER,
                    win::BF_RECT);
      if (split) {
        TRect a{button.right, r.top, r.right, r.bottom};
        win::DrawEdge(dc, &a, IsPushed ? win::BDR_SUNKENOUTER : win::BDR_RAISEDINNER, win::BF_RECT);
      }
    }
    Integer shift = (IsPushed || FItem->Checked()) ? 1 : 0;
    TRect content = button;
    win::OffsetRect(&content, shift, shift);
    if (arrow && !split) content.right -= kDropdownArrowWidth;
    if (images) {
      Integer ix = content.left + 3, iy = content.top + (content.bottom - content.top - images->Height()) / 2;
      if (FItem->EffectiveOptions().Contains(tboImageAboveCaption)) {
        ix = content.left + (content.right - content.left - images->Width()) / 2;
        iy = content.top + 3;
        content.top += images->Height() + 3;
      } else {
        content.left += images->Width() + 4;
      }
      images->Draw(Canvas, ix, iy, FItem->ImageIndex(), enabled);
    }
    if (CaptionShown())
      DrawItemCaption(Canvas, content, GetCaptionText(), UseDisabledShadow,
                      win::DT_SINGLELINE | win::DT_CENTER | win::DT_VCENTER |
                          (View()->State() & tbvsShowAccels ? 0 : win::DT_HIDEPREFIX));
    if (arrow) {
      Integer ax = split ? button.right + kSplitArrowWidth / 2 : r.right - kDropdownArrowWidth / 2 - 1;
      Integer ay = (r.top + r.bottom) / 2;
      if (enabled) {
        FillTriangle(dc, ax + shift, ay + shift, true, win::GetTextColor(dc));
      } else {
        FillTriangle(dc, ax + 1, ay + 1, true, win::GetSysColor(win::COLOR_BTNHIGHLIGHT));
        FillTriangle(dc, ax, ay, true, win::GetSysColor(win::COLOR_BTNSHADOW));
      }
    }
    return;
  }
  // Menu line: selection fill, image column, caption, shortcut, submenu arrow.
  if (IsSelected) win::FillRect(dc, &r, win::HBRUSH(win::GetCurrentObject(dc, win::OBJ_BRUSH)));
  const Integer h = r.bottom - r.top;
  Integer column = h;
  if (images) column = win::MulDiv(images->Width() + 3, h, images->Height() + 3);
  if (images) {
    images->Draw(Canvas, r.left + (column - images->Width()) / 2, r.top + (h - images->Height()) / 2,
                 FItem->ImageIndex(), enabled);
  } else if (FItem->Checked()) {
    // A check mark of polylines in the image column.
    Integer cx = r.left + column / 2 - 3, cy = r.top + h / 2 - 1;
    win::HPEN pen = win::CreatePen(win::PS_SOLID, 1, win::GetTextColor(dc));
    win::HGDIOBJ op = win::SelectObject(dc, pen);
    for (int i = 0; i < 3; ++i) {
      win::POINT pts[3] = {{cx, cy + i}, {cx + 2, cy + 2 + i}, {cx + 7, cy - 3 + i}};
      win::Polyline(dc, pts, 3);
    }
    win::SelectObject(dc, op);
    win::DeleteObject(pen);
  }
  const win::UINT prefix = View()->State() & tbvsShowAccels ? 0 : win::DT_HIDEPREFIX;
  TRect text{r.left + column + 3, r.top, r.right - h, r.bottom};
  DrawItemCaption(Canvas, text, GetCaptionText(), UseDisabledShadow,
                  win::DT_SINGLELINE | win::DT_VCENTER | win::DT_LEFT | prefix);
  String shortcut = FItem->GetShortCutText();
  if (!shortcut.empty())
    DrawItemCaption(Canvas, text, shortcut, UseDisabledShadow,
                    win::DT_SINGLELINE | win::DT_VCENTER | win::DT_RIGHT | win::DT_NOPREFIX);
  if ((FItem->ItemStyle() & tbisSubmenu) && !(FItem->ItemStyle() & tbisCombo))
    FillTriangle(dc, r.right - h / 2, (r.top + r.bottom) / 2, false, win::GetTextColor(dc), 7);
}

void TTBItemViewer::Entering(TTBItemViewer* /*OldSelected*/) {
  if (FItem->OnSelect) FItem->OnSelect(FItem, this, true);
}

void TTBItemViewer::Leaving() {
  if (FItem->OnSelect) FItem->OnSelect(FItem, this, false);
}

void TTBItemViewer::LosingCapture() { FView->Invalidate(this); }

Integer TTBItemViewer::GetAccRole() {
  constexpr Integer kRoleClient = 10, kRoleSeparator = 21, kRoleMenuItem = 12, kRoleButtonMenu = 57,
                    kRolePushButton = 43;
  if (dynamic_cast<TTBControlItem*>(FItem)) return kRoleClient;
  if (FItem->ItemStyle() & tbisSeparator) return kRoleSeparator;
  if (FView->IsPopup() || (FView->Style() & tbvoMenuBar)) return kRoleMenuItem;
  if (FItem->ItemStyle() & tbisSubmenu) return kRoleButtonMenu;
  return kRolePushButton;
}

bool TTBItemViewer::GetAccValue(fw::WideString& /*Value*/) { return false; }
void TTBItemViewer::GetCursor(const TPoint& /*P*/, win::HCURSOR& /*ACursor*/) {}
void TTBItemViewer::KeyDown(Word& /*Key*/, fw::TShiftState /*Shift*/) {}
void TTBItemViewer::MouseMove(Integer /*X*/, Integer /*Y*/) {}
void TTBItemViewer::MouseWheel(Integer /*WheelDelta*/, Integer /*X*/, Integer /*Y*/) {}

void TTBItemViewer::MouseDown(fw::TShiftState Shift, Integer X, Integer Y, bool& MouseDownOnMenu) {
  if (!FItem->Enabled()) {
    if (FView->ParentView() == nullptr && !FView->IsPopup()) FView->EndModal();
    return;
  }
  if (IsPtInButtonPart(X, Y)) {
    if (IsToolbarStyle()) {
      FView->SetState(FView->State() & ~tbvsDropDownMenus);
      FView->CloseChildPopups();
      FView->SetCapture();
      FView->Invalidate(this);
    }
    return;
  }
  const bool wasOpen = FView->OpenViewer() == this;
  if (!FView->OpenChildPopup(false)) return;
  if (wasOpen && FView->ParentView() == nullptr && !FView->IsPopup()) MouseDownOnMenu = true;
  if (Shift.Contains(fw::ssDouble) && !(FItem->ItemStyle() & tbisCombo) && FView->OpenViewerView()) {
    TTBView* child = FView->OpenViewerView();
    for (Integer i = 0; i < child->ViewerCount(); ++i) {
      TTBItemViewer* v = child->Viewers(i);
      TTBCustomItem* it = v->Item();
      if ((v->Show() || v->Clipped()) && it->EffectiveOptions().Contains(tboDefault) &&
          (it->ItemStyle() & tbisSelectable) && it->Enabled() && it->Visible()) {
        v->Execute(true);
        break;
      }
    }
  }
}

void TTBItemViewer::MouseUp(Integer X, Integer Y, bool MouseWasDownOnMenu) {
  const bool hadCapture = FView->Capture();
  FView->CancelCapture();
  const bool rootToolbar = FView->ParentView() == nullptr && !FView->IsPopup();
  if (!FView->MouseOverSelected() || !FItem->Enabled() || (FItem->ItemStyle() & tbisClicksTransparent)) {
    if (rootToolbar) FView->EndModal();
    return;
  }
  if ((FItem->ItemStyle() & tbisSubmenu) && !IsPtInButtonPart(X, Y)) {
    if (MouseWasDownOnMenu && rootToolbar) FView->EndModal();
    return;
  }
  if (!IsToolbarStyle() || hadCapture) Execute(true);
}

// ---- separator ----

void TTBSeparatorItemViewer::CalcSize(fw::TCanvas* Canvas, Integer& AWidth, Integer& AHeight) {
  AWidth = 6;
  AHeight = 6;
  if (!IsToolbarStyle()) {
    // A menu separator grows by two thirds of the text height.
    win::TEXTMETRICW tm{};
    win::GetTextMetricsW(Canvas->Handle(), &tm);
    AHeight = 6 + (2 * tm.tmHeight) / 3;
  }
}

void TTBSeparatorItemViewer::Paint(fw::TCanvas* Canvas, const TRect& ClientAreaRect, bool /*IsSelected*/,
                                   bool /*IsPushed*/, bool /*UseDisabledShadow*/) {
  auto* sep = dynamic_cast<TTBSeparatorItem*>(Item());
  if (sep && sep->Blank()) return;
  win::HDC dc = Canvas->Handle();
  bool horizontal = !IsToolbarStyle() || View()->Orientation() == tbvoVertical;
  if (IsLineSeparator()) horizontal = !horizontal;
  TRect r = ClientAreaRect;
  if (horizontal) {
    Integer inset = !IsToolbarStyle() ? 12 : 0;
    if (IsLineSeparator()) inset = View()->Orientation() == tbvoFloating ? 1 : 4;
    TRect line{r.left + inset, (r.top + r.bottom) / 2 - 1, r.right - inset, r.bottom};
    win::DrawEdge(dc, &line, win::EDGE_ETCHED, win::BF_TOP);
  } else {
    Integer inset = IsLineSeparator() ? 4 : 0;
    TRect line{(r.left + r.right) / 2 - 1, r.top + inset, r.right, r.bottom - inset};
    win::DrawEdge(dc, &line, win::EDGE_ETCHED, win::BF_LEFT);
  }
}

}  // namespace toolbars
