#include "controls/CsItems.h"

#include <algorithm>

#include "controls/CsBitmapHint.h"
#include "controls/CsDrawing.h"
#include "controls/CsStatusBar.h"
#include "controls/UniActions.h"
#include "framework/Filer.h"
#include "framework/Forms.h"
#include "framework/GraphicsCanvas.h"
#include "framework/Menus.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/services/ObjectIds.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBItemView.h"
#include "tx/Tx.h"

namespace cs {

using toolbars::TTBItemViewer;
using toolbars::TTBView;

namespace {

// The item whose hint the bitmap holds while the hint shows; freeing it hides the hint.
const TCsCustomItem* HintOwner = nullptr;

}  // namespace

// ---- item ------------------------------------------------------------------------------------

TCsCustomItem::TCsCustomItem(fw::TComponent* AOwner) : tx::TTxCustomItem(AOwner) {
  SetStretch(true);
}

TCsCustomItem::~TCsCustomItem() {
  if (HintOwner != this) return;
  HintOwner = nullptr;
  // Only while its bitmap hint still shows: another control's hint is left alone.
  fw::THintWindow* shown = fw::Application ? fw::Application->HintWindow() : nullptr;
  if (dynamic_cast<TBitmapHint*>(shown) && shown->HandleAllocated() && win::IsWindowVisible(shown->Handle()))
    fw::Application->CancelHint();
}

WideString TCsCustomItem::WideCaption() const {
  return SyncedWideValue(FCaption, Caption());
}

void TCsCustomItem::SetCaption(const WideString& Value) {
  if (Value == WideCaption()) return;
  SyncWideValue(Value, FCaption, Caption(), [this](const String& S) { tx::TTxCustomItem::SetCaption(S); });
}

WideString TCsCustomItem::WideHint() const {
  return SyncedWideValue(FHint, Hint());
}

void TCsCustomItem::SetHint(const WideString& Value) {
  if (Value == WideHint()) return;
  SyncWideValue(Value, FHint, Hint(), [this](const String& S) { tx::TTxCustomItem::SetHint(S); });
}

void TCsCustomItem::SetAlignment(fw::TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Change(false);
}

void TCsCustomItem::SetCustomWidth(Integer Value) {
  Value = std::max(Value, Integer(-1));
  if (FCustomWidth == Value) return;
  FCustomWidth = Value;
  Change(true);
}

void TCsCustomItem::SetCustomHeight(Integer Value) {
  Value = std::max(Value, Integer(-1));
  if (FCustomHeight == Value) return;
  FCustomHeight = Value;
  Change(true);
}

void TCsCustomItem::SetControl(fw::TControl* Value) {
  if (FControl == Value) return;
  if (FControl) FControl->RemoveFreeNotification(this);
  FControl = Value;
  if (FControl) FControl->FreeNotification(this);
  UpdateProps();
}

bool TCsCustomItem::DialogChar(char16_t /*CharCode*/) {
  return false;
}

void TCsCustomItem::DoDrawHint(fw::TBitmap* AHintBitmap, WideString& AHint, bool& PaintDefault) {
  if (OnDrawHint) OnDrawHint(this, AHintBitmap, AHint, PaintDefault);
}

void TCsCustomItem::DoDrawItem(fw::TCanvas* ACanvas, TRect& ARect, tx::TTxItemInfo& ItemInfo,
                               TCsPaintStage PaintStage, bool& PaintDefault) {
  if (OnDrawItem) OnDrawItem(this, ACanvas, ARect, ItemInfo, PaintStage, PaintDefault);
}

void TCsCustomItem::DoDrawCaption(fw::TCanvas* ACanvas, const TRect& ClientAreaRect, WideString& ACaption,
                                  TRect& CaptionRect, bool IsTextRotated, TCsPaintStage PaintStage,
                                  bool& PaintDefault) {
  if (OnDrawCaption)
    OnDrawCaption(this, ACanvas, ClientAreaRect, ACaption, CaptionRect, IsTextRotated, PaintStage,
                  PaintDefault);
}

void TCsCustomItem::DoDrawImage(fw::TCanvas* ACanvas, const tx::TTxItemInfo& ItemInfo,
                                TCsPaintStage PaintStage, fw::TCustomImageList* AImageList,
                                Integer& AImageIndex, TRect& ARect, bool& PaintDefault) {
  if (OnDrawImage)
    OnDrawImage(this, ACanvas, ItemInfo, PaintStage, AImageList, AImageIndex, ARect, PaintDefault);
}

void TCsCustomItem::ToggleControl() {
  if (FControl) FControl->SetVisible(!FControl->Visible());
}

void TCsCustomItem::UpdateProps() {
  if (!FControl || ComponentState().Contains(fw::csLoading) || ComponentState().Contains(fw::csDestroying))
    return;
  SetChecked(FControl->Visible());
}

void TCsCustomItem::Click() {
  if (FControl) ToggleControl();
  tx::TTxCustomItem::Click();
}

void TCsCustomItem::InitiateAction() {
  tx::TTxCustomItem::InitiateAction();
  UpdateProps();
}

void TCsCustomItem::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  tx::TTxCustomItem::Notification(AComponent, Operation);
  if (Operation == fw::opRemove && AComponent == FControl) FControl = nullptr;
}

toolbars::TTBItemViewerClass TCsCustomItem::GetItemViewerClass(TTBView* /*AView*/) {
  return toolbars::TTBItemViewerClass::Of<TCsItemViewer>();
}

void TCsCustomItem::DefineProperties(fw::TFiler* Filer) {
  tx::TTxCustomItem::DefineProperties(Filer);
  Filer->DefineProperty(
      "CaptionW", [this](fw::TReader* Reader) { SetCaption(Reader->ReadWideString()); },
      [this](fw::TWriter* Writer) { Writer->WriteWideString(WideCaption()); }, !WideCaption().empty());
  Filer->DefineProperty(
      "HintW", [this](fw::TReader* Reader) { SetHint(Reader->ReadWideString()); },
      [this](fw::TWriter* Writer) { Writer->WriteWideString(WideHint()); }, !WideHint().empty());
}

toolbars::TTBCustomItemActionLink* TCsCustomItem::CreateActionLink() {
  return new TCsCustomItemActionLink(this);
}

void TCsCustomItem::ActionChange(fw::TObject* Sender, bool CheckDefaults) {
  if (auto* action = dynamic_cast<fw::TCustomAction*>(Sender)) {
    if (!CheckDefaults || WideCaption().empty()) SetCaption(WideActionCaption(action));
    if (!CheckDefaults || WideHint().empty()) SetHint(WideActionHint(action));
  }
  tx::TTxCustomItem::ActionChange(Sender, CheckDefaults);
}

// ---- descendants -----------------------------------------------------------------------------

TCsSubmenuItem::TCsSubmenuItem(fw::TComponent* AOwner) : TCsItem(AOwner) {
  SetItemStyle(ItemStyle() | toolbars::tbisSubmenu | toolbars::tbisSubitemsEditable);
}

void TCsSubmenuItem::SetDropdownCombo(bool Value) {
  if (DropdownCombo() == Value) return;
  SetItemStyle(Value ? ItemStyle() | toolbars::tbisCombo : ItemStyle() & ~toolbars::tbisCombo);
  Change(true);
}

TCsCustomLabelItem::TCsCustomLabelItem(fw::TComponent* AOwner) : TCsCustomItem(AOwner) {
  SetItemStyle((ItemStyle() & ~(toolbars::tbisSelectable | toolbars::tbisRedrawOnSelChange |
                                toolbars::tbisRedrawOnMouseOverChange)) |
               toolbars::tbisClicksTransparent);
  SetAlignment(fw::taLeftJustify);
  SetStretch(false);
  SetDisplayMode(toolbars::nbdmImageAndText);
}

bool TCsCustomLabelItem::DialogChar(char16_t CharCode) {
  auto* control = dynamic_cast<fw::TWinControl*>(Control());
  if (!control || !control->CanFocus() || !fw::IsAccel(CharCode, Caption())) return false;
  control->SetFocus();
  return true;
}

void TCsCustomLabelItem::DoDrawItem(fw::TCanvas* ACanvas, TRect& ARect, tx::TTxItemInfo& ItemInfo,
                                    TCsPaintStage PaintStage, bool& PaintDefault) {
  PaintDefault = true;
  TCsCustomItem::DoDrawItem(ACanvas, ARect, ItemInfo, PaintStage, PaintDefault);
  PaintDefault = false;  // a label never gets a button face
}

toolbars::TTBItemViewerClass TCsSeparatorItem::GetItemViewerClass(TTBView* /*AView*/) {
  return toolbars::TTBItemViewerClass::Of<TCsSeparatorItemViewer>();
}

void TCsSeparatorItemViewer::Paint(fw::TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected,
                                   bool IsPushed, bool UseDisabledShadow) {
  auto* status = dynamic_cast<TCsStatusToolbar*>(View()->Window());
  if (status && status->PaintsOwnSeparators()) return;
  tx::TTxSeparatorItemViewer::Paint(Canvas, ClientAreaRect, IsSelected, IsPushed, UseDisabledShadow);
}

// ---- action link -----------------------------------------------------------------------------

bool TCsCustomItemActionLink::IsCaptionLinked() {
  if (!TTBCustomItemActionLink::IsCaptionLinked()) return false;
  auto* action = dynamic_cast<IUniAction*>(Action());
  return !action || WideActionCaption(CustomAction()) == FCsClient->WideCaption();
}

bool TCsCustomItemActionLink::IsHintLinked() {
  if (!TTBCustomItemActionLink::IsHintLinked()) return false;
  auto* action = dynamic_cast<IUniAction*>(Action());
  return !action || WideActionHint(CustomAction()) == FCsClient->WideHint();
}

void TCsCustomItemActionLink::SetCaption(const String& Value) {
  if (IsCaptionLinked()) FCsClient->SetCaption(WideActionCaptionFor(CustomAction(), Value));
}

void TCsCustomItemActionLink::SetHint(const String& Value) {
  if (IsHintLinked()) FCsClient->SetHint(WideActionHintFor(CustomAction(), Value));
}

// ---- viewer ----------------------------------------------------------------------------------

void TCsItemViewer::DoDrawItem(fw::TCanvas* Canvas, TRect& ARect, tx::TTxItemInfo& ItemInfo,
                               TCsPaintStage PaintStage, bool& PaintDefault) {
  if (TCsCustomItem* item = CsItem()) item->DoDrawItem(Canvas, ARect, ItemInfo, PaintStage, PaintDefault);
}

void TCsItemViewer::DoDrawCaption(fw::TCanvas* Canvas, const TRect& ClientAreaRect, WideString& Caption,
                                  TRect& CaptionRect, bool IsTextRotated, TCsPaintStage PaintStage,
                                  bool& PaintDefault) {
  if (TCsCustomItem* item = CsItem())
    item->DoDrawCaption(Canvas, ClientAreaRect, Caption, CaptionRect, IsTextRotated, PaintStage,
                        PaintDefault);
  if (PaintStage != pstPrePaint || !PaintDefault) return;
  // A caption running down a vertical toolbar is left to the theme, which draws it turned;
  // upright text would show its first letters only across the narrow button.
  if (IsTextRotated) return;
  PaintDefault = false;  // upright captions are drawn here, never by the theme
  DrawWideCaption(Canvas, Caption, CaptionRect, 0xFFFF, false, 0);
}

void TCsItemViewer::DoDrawImage(fw::TCanvas* Canvas, const tx::TTxItemInfo& ItemInfo,
                                TCsPaintStage PaintStage, fw::TCustomImageList* ImageList,
                                Integer& ImageIndex, TRect& Rect, bool& PaintDefault) {
  if (TCsCustomItem* item = CsItem())
    item->DoDrawImage(Canvas, ItemInfo, PaintStage, ImageList, ImageIndex, Rect, PaintDefault);
}

void TCsItemViewer::CalcSize(fw::TCanvas* Canvas, Integer& AWidth, Integer& AHeight) {
  tx::TTxItemViewer::CalcSize(Canvas, AWidth, AHeight);
  TCsCustomItem* item = CsItem();
  if (!item) return;
  if (item->CustomWidth() > -1) AWidth = item->CustomWidth();
  if (item->CustomHeight() > -1) AHeight = item->CustomHeight();
  if (item->Anchored() && IsToolbarStyle()) AWidth += AnchorOffset.x;
  AWidth = std::max(AWidth, item->MinWidth());
  AHeight = std::max(AHeight, item->MinHeight());
}

void TCsItemViewer::Paint(fw::TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
                          bool UseDisabledShadow) {
  FClientArea = ClientAreaRect;
  FPushed = IsPushed;
  tx::TTxItemViewer::Paint(Canvas, ClientAreaRect, IsSelected, IsPushed, UseDisabledShadow);
}

void TCsItemViewer::PaintItemFace(fw::TCanvas* Canvas, const TRect& R, tx::TTxItemInfo& ItemInfo,
                                  TTxFacePart Part) {
  TRect rect = R;
  tx::TTxItemInfo info = ItemInfo;
  bool paintDefault = true;
  DoDrawItem(Canvas, rect, info, pstPrePaint, paintDefault);
  if (paintDefault) tx::TTxItemViewer::PaintItemFace(Canvas, rect, info, Part);
  paintDefault = true;
  DoDrawItem(Canvas, rect, info, pstPostPaint, paintDefault);
}

void TCsItemViewer::PaintItemImage(fw::TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) {
  fw::TCustomImageList* images = GetImageList();
  Integer index = Item()->ImageIndex();
  TRect rect = ARect;
  bool paintDefault = true;
  DoDrawImage(Canvas, ItemInfo, pstPrePaint, images, index, rect, paintDefault);
  if (paintDefault && images && index >= 0 && index < images->Count())
    tx::CurrentTheme->PaintImage(Canvas, rect, ItemInfo, images, index);
  paintDefault = true;
  DoDrawImage(Canvas, ItemInfo, pstPostPaint, images, index, rect, paintDefault);
}

void TCsItemViewer::BeforePaintCaption(fw::TCanvas* Canvas, const TRect& ClientAreaRect, const String& Text,
                                       TRect& CaptionRect, bool IsTextRotated, bool& PaintDefault) {
  TCsCustomItem* item = CsItem();
  if (IsToolbarStyle() && !IsTextRotated && item) {
    // The caption area: inside the 2-pixel face border, after an image on the left, before
    // a drop-down arrow.
    TRect area = ClientAreaRect;
    area.left += 2;
    area.right -= 2;
    const fw::TSize img = GetItemImageSize();
    if (IsImageShown() && img.cx > 0 && img.cy > 0 && ResolvedLayout() == tx::txlGlyphLeft)
      area.left += img.cx + 3;
    const toolbars::TTBItemStyle style = item->ItemStyle();
    if (style & toolbars::tbisSubmenu) {
      if (style & toolbars::tbisCombo)
        area.right -= tx::CurrentTheme->GetIntegerMetric(tx::TMI_SPLIT_ARROW_WIDTH);
      else if (item->EffectiveOptions().Contains(toolbars::tboDropdownArrow))
        area.right -= tx::CurrentTheme->GetIntegerMetric(tx::TMI_DROPDOWN_ARROW_WIDTH);
    }
    const Integer w = CaptionRect.right - CaptionRect.left;
    if (item->Alignment() == fw::taLeftJustify)
      CaptionRect.left = area.left + 3;
    else if (item->Alignment() == fw::taRightJustify)
      CaptionRect.left = area.right - w - 3;
    CaptionRect.right = CaptionRect.left + w;
    if (FPushed && tx::GetCurrentThemeName() == "Default") {
      CaptionRect.left += 1;
      CaptionRect.right += 1;
      CaptionRect.top += 1;
      CaptionRect.bottom += 1;
    }
  }
  WideString caption = win::Utf8ToWide(Text);
  if (item && Text == GetCaptionText()) {
    const WideString wide = item->WideCaption();
    caption = wide.substr(0, wide.find(u'\t'));
  }
  DoDrawCaption(Canvas, ClientAreaRect, caption, CaptionRect, IsTextRotated, pstPrePaint, PaintDefault);
  bool post = true;
  DoDrawCaption(Canvas, ClientAreaRect, caption, CaptionRect, IsTextRotated, pstPostPaint, post);
}

Integer TCsItemViewer::GetAccRole() {
  if (dynamic_cast<TCsRightAlignSpacerItem*>(FItem)) return win::ROLE_SYSTEM_WHITESPACE;
  if (dynamic_cast<TCsCustomLabelItem*>(FItem)) return win::ROLE_SYSTEM_STATICTEXT;
  return tx::TTxItemViewer::GetAccRole();
}

WideString TCsItemViewer::GetWideHintText() {
  return GetItemHintText(this);
}

bool TCsItemViewer::HintShow(fw::THintInfo& HintInfo) {
  WideString hint = GetWideHintText();
  if (hint.empty()) return false;
  fw::TBitmap* bitmap = HintBitmap();
  fw::TCanvas* c = bitmap->Canvas();
  if (fw::Screen) c->Font()->Assign(fw::Screen->HintFont());
  c->Font()->SetColor(fw::clInfoText);
  c->Pen()->SetColor(0);
  c->Brush()->SetColor(fw::clInfoBk);
  TRect text{0, 0, 0, 0};
  DrawWideCaption(c, hint, text, 0, false, win::DT_CALCRECT | win::DT_NOPREFIX);
  const Integer w = text.right - text.left + 8, h = text.bottom - text.top + 4;
  bitmap->SetSize(w, h);
  c = bitmap->Canvas();
  bool paintDefault = true;
  if (TCsCustomItem* item = CsItem()) item->DoDrawHint(bitmap, hint, paintDefault);
  if (paintDefault) {
    c->Brush()->SetColor(fw::clInfoBk);
    c->FillRect(TRect{0, 0, w, h});
    TRect face{-2, 2, w - 2, h - 2};
    DrawWideCaption(c, hint, face, 0, false, win::DT_CENTER | win::DT_NOPREFIX);
  }
  HintInfo.HintWindowClass = TBitmapHint::ClassInfo();
  HintInfo.HideTimeout = 60000;
  HintInfo.CursorRect = BoundsRect();
  HintInfo.HintStr = win::WideToUtf8(hint);
  HintInfo.HintData = nullptr;
  HintOwner = CsItem();
  return true;
}

// ---- lookups ---------------------------------------------------------------------------------

WideString GetItemHintText(TTBItemViewer* Viewer) {
  toolbars::TTBCustomItem* item = Viewer->Item();
  auto* cs = dynamic_cast<TCsCustomItem*>(item);
  WideString hint = WideShortHint(cs ? cs->WideHint() : win::Utf8ToWide(item->Hint()));
  if (hint.empty() && !item->EffectiveOptions().Contains(toolbars::tboNoAutoHint)) {
    const bool plainSubmenu =
        (item->ItemStyle() & toolbars::tbisSubmenu) && !(item->ItemStyle() & toolbars::tbisCombo);
    if (!plainSubmenu || !Viewer->CaptionShown()) {
      WideString caption = cs ? cs->WideCaption() : win::Utf8ToWide(item->Caption());
      caption = caption.substr(0, caption.find(u'\t'));
      hint = StripAmpersands(StripCaptionEllipsis(caption));
    }
  }
  if (!hint.empty() && fw::Application && fw::Application->ShowHintShortCuts() && item->ShortCut() != 0)
    hint += u" (" + win::Utf8ToWide(fw::ShortCutToText(item->ShortCut())) + u")";
  return hint;
}

TTBItemViewer* FindAdjacentViewer(TTBItemViewer* Viewer, bool GoForward, bool VisibleOnly, bool OnlyNeighbour,
                                  bool SameRow, bool ShownOnly, const TCsViewerFilter& Filter) {
  if (!Viewer) return nullptr;
  TTBView* view = Viewer->View();
  view->ValidatePositions();
  Integer i = view->IndexOf(Viewer);
  if (i < 0) return nullptr;
  for (;;) {
    i += GoForward ? 1 : -1;
    if (i < 0 || i >= view->ViewerCount()) return nullptr;
    TTBItemViewer* v = view->Viewers(i);
    bool stop = false;
    bool qualifies;
    if (Filter) {
      qualifies = Filter(v, stop);
    } else {
      qualifies = (!VisibleOnly || v->Item()->Visible()) &&
                  (!SameRow || v->BoundsRect().top == Viewer->BoundsRect().top) && (!ShownOnly || v->Show());
    }
    if (qualifies) return v;
    if (stop || OnlyNeighbour) return nullptr;
  }
}

}  // namespace cs
