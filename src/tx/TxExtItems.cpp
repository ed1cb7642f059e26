#include "tx/TxExtItems.h"

#include <algorithm>

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/GraphicsObjects.h"
#include "framework/ImageList.h"
#include "platform/controls/Edit.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/kernel/Rects.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/services/SysColors.h"
#include "toolbars/TBCommon.h"
#include "toolbars/TBItemView.h"
#include "tx/Tx.h"
#include "tx/TxPopupWindow.h"
#include "tx/TxUtils.h"
#include "tx/detail/TxCanvasDC.h"

namespace tx {

using namespace toolbars;

namespace {

Integer Metric(Integer Id) { return CurrentTheme->GetIntegerMetric(Id); }

// Text extent and height (with external leading) of S in Font transformed by Settings.
fw::TSize TransformedTextSize(fw::TCanvas* Canvas, fw::TFont* Font, const TFontSettings& Settings, const String& S,
                              bool StripAccels) {
  TColor color = fw::clNone;
  win::HFONT font = Settings.CreateTransformedFont(Font->Handle(), color);
  win::HDC dc = Canvas->Handle();
  win::HGDIOBJ old = win::SelectObject(dc, font);
  win::TEXTMETRICW tm{};
  win::GetTextMetricsW(dc, &tm);
  fw::TSize size{S.empty() ? 0 : GetTextWidth(dc, S, StripAccels), tm.tmHeight + tm.tmExternalLeading};
  win::SelectObject(dc, old);
  win::DeleteObject(font);
  return size;
}

bool IsCharacterKey(win::WPARAM Key) {
  return Key == win::VK_SPACE || (Key >= 48 && Key <= 90) || (Key >= 96 && Key <= 111) || (Key >= 186 && Key <= 245);
}

}  // namespace

// ---- TTxEdit --------------------------------------------------------------------------------

void TTxEdit::SetAlignment(fw::TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TTxEdit::CreateParams(fw::TCreateParams& Params) {
  TEdit::CreateParams(Params);
  Params.Style &= ~(win::ES_CENTER | win::ES_RIGHT);
  Params.Style |= FAlignment == fw::taRightJustify ? win::ES_RIGHT : FAlignment == fw::taCenter ? win::ES_CENTER
                                                                                                : win::ES_LEFT;
}

// ---- TTxEditItem -----------------------------------------------------------------------------

TTxEditItem::TTxEditItem(fw::TComponent* AOwner)
    : TTBEditItem(AOwner),
      FEditorFontSettings(std::make_unique<TFontSettings>()),
      FFontSettings(std::make_unique<TFontSettings>()) {
  FEditorFontSettings->OnChange = [this] { Change(true); };
  FFontSettings->OnChange = [this] { Change(true); };
}

TTxEditItem::~TTxEditItem() {
  FEditorFontSettings->OnChange = nullptr;
  FFontSettings->OnChange = nullptr;
}

void TTxEditItem::SetAlignment(fw::TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Change(true);
}

void TTxEditItem::SetPasswordChar(char16_t Value) {
  if (FPasswordChar == Value) return;
  FPasswordChar = Value;
  Change(true);
}

void TTxEditItem::SetShowImage(bool Value) {
  if (FShowImage == Value) return;
  FShowImage = Value;
  Change(true);
}

TTBItemViewerClass TTxEditItem::GetItemViewerClass(TTBView* AView) {
  if (EditOptions().Contains(tboUseEditWhenVertical) || !AView || AView->Orientation() != tbvoVertical)
    return TTBItemViewerClass::Of<TTxEditItemViewer>();
  return TTBItemViewerClass::Of<TTxItemViewer>();
}

void TTxEditItem::GetPopupPosition(TTBView* ParentView, TTBPopupWindow* PopupWindow, TTBPopupPlacement& Placement) {
  TTBEditItem::GetPopupPosition(ParentView, PopupWindow, Placement);
  auto* themed = dynamic_cast<TTxPopupWindow*>(PopupWindow);
  Placement.PlaySound = !(themed && themed->GetPopupViewType() == VT_POPUP_LIST);
}

TTBPopupWindowClass TTxEditItem::GetPopupWindowClass() { return TTBPopupWindowClass::Of<TTxPopupWindow>(); }

void TTxEditItem::DoBeginEdit(TTBEditItemViewer* Viewer) {
  fw::TEdit* editor = Viewer->EditControl();
  if (auto* themed = dynamic_cast<TTxEdit*>(editor)) themed->SetAlignment(FAlignment);
  editor->SetPasswordChar(FPasswordChar);
  editor->SelectAll();
  editor->SetReadOnly(FReadOnly);
  FEditorFontSettings->Apply(editor->Font());
  FKeysDown.clear();
  TTBEditItem::DoBeginEdit(Viewer);
  if (auto* viewer = dynamic_cast<TTxEditItemViewer*>(Viewer)) {
    editor->OnChange = [this, editor](fw::TObject*) { HandleEditChange(editor); };
    fw::TWndMessageMethod previous = editor->WindowProc;
    editor->WindowProc = [viewer, previous](fw::TMessage& M) {
      if (!viewer->HandleEditMessage(M)) previous(M);
    };
  }
}

void TTxEditItem::DoTextChanged(TTBEditItemChangeReason Reason) {
  if (Reason == tcrEditControl && Text() == FLastText) return;
  DoChange(Text());
}

bool TTxEditItem::DoAutoComplete(String& /*Text*/) { return false; }

void TTxEditItem::DoChange(const String& AText) {
  if (OnChange) OnChange(this, AText);
}

void TTxEditItem::HandleEditChange(fw::TCustomEdit* Editor) {
  if (FChanging) return;
  FChanging = true;
  try {
    String s = Editor->Text();
    const Integer oldLength = Integer(win::Utf8ToWide(s).size());
    if (!s.empty() && TypedKeys() >= 1 && DoAutoComplete(s)) {
      Editor->SetText(s);
      const Integer newLength = Integer(win::Utf8ToWide(s).size());
      Editor->SetSelStart(oldLength);
      Editor->SetSelLength(newLength - oldLength);
    }
    if (s != FLastText) {
      DoChange(s);
      FLastText = s;
    }
  } catch (...) {
    FChanging = false;
    throw;
  }
  FChanging = false;
}

// ---- TTxEditItemViewer -----------------------------------------------------------------------

bool TTxEditItemViewer::IsToolbarSize() {
  return TTBEditItemViewer::IsToolbarSize() || IsViewKind(GetViewType(View()), VT_POPUP_TOOLBOX);
}

bool TTxEditItemViewer::IsToolbarStyle() {
  return TTBEditItemViewer::IsToolbarStyle() || IsViewKind(GetViewType(View()), VT_POPUP_TOOLBOX);
}

Integer TTxEditItemViewer::GetAccRole() { return TTBEditItemViewer::GetAccRole(); }

TTBEditControlClass TTxEditItemViewer::GetEditControlClass() { return TTBEditControlClass::Of<TTxEdit>(); }

bool TTxEditItemViewer::ShowImage() {
  TTxEditItem* item = TxItem();
  return item && item->ShowImage();
}

Integer TTxEditItemViewer::GetIndentBefore() {
  fw::TCustomImageList* images = GetImageList();
  return (ShowImage() && images) ? images->Width() + 2 : 0;
}

Integer TTxEditItemViewer::GetIndentAfter() { return 0; }

bool TTxEditItemViewer::HandleEditMessage(fw::TMessage& Message) {
  TTxEditItem* item = TxItem();
  if (!item) return false;
  std::vector<win::WPARAM>& down = item->FKeysDown;
  if (Message.Msg == win::WM_KILLFOCUS) down.clear();
  if (IsCharacterKey(Message.WParam)) {
    const auto at = std::find(down.begin(), down.end(), Message.WParam);
    if (Message.Msg == win::WM_KEYDOWN && at == down.end()) down.push_back(Message.WParam);
    if (Message.Msg == win::WM_KEYUP && at != down.end()) down.erase(at);
  }
  return false;
}

void TTxEditItemViewer::GetItemInfo(TTxItemInfo& ItemInfo, bool IsHoverItem, bool IsPushed) {
  ItemInfo = TTxItemInfo{};
  const bool toolbarStyle = IsToolbarStyle();
  ItemInfo.ViewType = GetViewType(View());
  if (toolbarStyle) ItemInfo.ItemOptions = IO_TOOLBAR_STYLE;
  ItemInfo.Enabled = Item()->Enabled() || View()->Customizing();
  ItemInfo.Pushed = IsPushed;
  ItemInfo.Selected = Item()->Checked();
  if (IsHoverItem)
    ItemInfo.HoverKind = ItemInfo.Enabled ? hkMouseHover : View()->MouseOverSelected() ? hkNone : hkKeyboardHover;
  if (!toolbarStyle) ItemInfo.PopupMargin = GetPopupMargin(this);
}

void TTxEditItemViewer::GetEditInfo(TTxEditFrameInfo& EditInfo) {
  EditInfo = TTxEditFrameInfo{};
  EditInfo.LeftButtonWidth = GetIndentBefore();
  EditInfo.RightButtonWidth = GetIndentAfter();
}

Integer TTxEditItemViewer::EditCaptionWidth(fw::TCanvas* Canvas, Integer* Height) {
  TTxEditItem* item = TxItem();
  fw::TSize s{0, 0};
  if (item) {
    Canvas->Font()->Assign(View()->GetFont());
    s = TransformedTextSize(Canvas, Canvas->Font(), *item->FontSettings(), item->EditCaption(), true);
  }
  if (Height) *Height = item && !item->EditCaption().empty() ? s.cy : 0;
  Integer w = s.cx;
  if (w > 0) w += Metric(TMI_MENU_CAPTION_LEFT) + Metric(TMI_MENU_CAPTION_RIGHT) + Metric(TMI_MENU_IMAGE_TEXT_SPACE);
  return w;
}

void TTxEditItemViewer::CalcSize(fw::TCanvas* Canvas, Integer& AWidth, Integer& AHeight) {
  TTxEditItem* item = TxItem();
  if (!item) {
    TTBEditItemViewer::CalcSize(Canvas, AWidth, AHeight);
    return;
  }
  const Integer m32 = Metric(TMI_MENU_IMAGE_TEXT_SPACE), m60 = Metric(TMI_EDIT_FRAME_WIDTH),
                m62 = Metric(TMI_EDIT_TEXT_MARGIN_VERT);
  AWidth = item->EditWidth();
  Integer captionH = 0;
  if (!IsToolbarStyle()) {
    const Integer cw = EditCaptionWidth(Canvas, &captionH);
    AWidth += m32 + GetPopupMargin(this) + cw + Metric(TMI_EDIT_MENU_RIGHT_INDENT);
  }
  Canvas->Font()->Assign(View()->GetFont());
  const Integer textH = TransformedTextSize(Canvas, Canvas->Font(), *item->EditorFontSettings(), "", false).cy + 1;
  AHeight = std::max((m62 + m60) * 2 + textH, captionH);
  if (CurrentTheme->GetBooleanMetric(TMB_EDIT_HEIGHT_EVEN))
    AHeight += AHeight & 1;
  else
    AHeight |= 1;
}

void TTxEditItemViewer::GetEditRect(TRect& R) {
  TTxEditItem* item = TxItem();
  if (!item) {
    TTBEditItemViewer::GetEditRect(R);
    return;
  }
  R = BoundsRect();
  if (!IsToolbarStyle()) {
    fw::TBitmap bitmap;
    bitmap.SetSize(1, 1);
    const Integer w = EditCaptionWidth(bitmap.Canvas());
    R.left += w + Metric(TMI_MENU_IMAGE_TEXT_SPACE) + GetPopupMargin(this);
    R.right -= Metric(TMI_EDIT_MENU_RIGHT_INDENT);
  }
  const Integer d = Metric(TMI_EDIT_FRAME_WIDTH) - 3, m61 = Metric(TMI_EDIT_TEXT_MARGIN_HORZ),
                m62 = Metric(TMI_EDIT_TEXT_MARGIN_VERT);
  R.left += d + m61;
  R.right -= d + m61;
  R.top += d + m62;
  R.bottom -= d + m62;
  R.left += GetIndentBefore();
  R.right -= GetIndentAfter();
}

bool TTxEditItemViewer::DoExecute() {
  TTxEditItem* item = TxItem();
  if (!item) return TTBEditItemViewer::DoExecute();
  item->FLastText.clear();
  const bool result = TTBEditItemViewer::DoExecute();
  // A commit that differs from what typing last reported is reported once more.
  if (item->FLastText != item->Text()) item->DoChange(item->Text());
  item->FLastText.clear();
  return result;
}

void TTxEditItemViewer::Paint(fw::TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
                              bool /*UseDisabledShadow*/) {
  TTxEditItem* item = TxItem();
  if (!item) {
    TTBEditItemViewer::Paint(Canvas, ClientAreaRect, IsSelected, IsPushed, false);
    return;
  }
  TTxTheme* theme = CurrentTheme;
  TTxItemInfo info;
  GetItemInfo(info, IsSelected, IsPushed);
  TTxEditFrameInfo editInfo;
  GetEditInfo(editInfo);
  TRect R = ClientAreaRect;
  const Integer m32 = Metric(TMI_MENU_IMAGE_TEXT_SPACE), m66 = Metric(TMI_EDIT_MENU_RIGHT_INDENT);
  if (!IsToolbarStyle()) {
    const String caption = item->EditCaption();
    Integer cw = 0;
    if (!caption.empty()) {
      Canvas->Font()->Assign(View()->GetFont());
      item->FontSettings()->Apply(Canvas->Font());
      cw = GetTextWidth(detail::FontDC(Canvas), caption, true) + m32 + Metric(TMI_MENU_CAPTION_LEFT) +
           Metric(TMI_MENU_CAPTION_RIGHT);
    }
    const Integer pm = GetPopupMargin(this);
    TRect frame = R;
    if (!theme->GetBooleanMetric(TMB_EDIT_MENU_RIGHT_ALIGNED))
      frame.right = frame.left + pm + cw;  // the selection covers the image column and the caption
    else
      frame.right -= m66;
    theme->PaintMenuItemFrame(Canvas, frame, info);
    R.left = ClientAreaRect.left + m32 + pm;
    R.right = ClientAreaRect.right - m66;
    if (!caption.empty()) {
      R.left += Metric(TMI_MENU_CAPTION_LEFT);
      Canvas->Font()->SetColor(theme->GetItemTextColor(info));
      theme->PaintCaption(Canvas, R, info, caption, win::DT_SINGLELINE | win::DT_VCENTER, false);
      R.left += GetTextWidth(detail::FontDC(Canvas), caption, true) + Metric(TMI_MENU_CAPTION_RIGHT) + m32;
    }
  }
  theme->PaintEditFrame(Canvas, R, info, editInfo);
  const Integer m60 = Metric(TMI_EDIT_FRAME_WIDTH), m61 = Metric(TMI_EDIT_TEXT_MARGIN_HORZ),
                m62 = Metric(TMI_EDIT_TEXT_MARGIN_VERT);
  R.left += m60 + m61;
  R.right -= m60 + m61;
  R.top += m60 + m62;
  R.bottom -= m60 + m62;
  fw::TCustomImageList* images = GetImageList();
  if (ShowImage() && images) {
    const Integer w = images->Width(), h = images->Height();
    const TRect box{R.left, (R.top + R.bottom + 1 - h) / 2, R.left + w, (R.top + R.bottom + 1 - h) / 2 + h};
    const Integer index = item->GetImageIndex();
    if (index >= 0 && index < images->Count()) {
      if (item->Enabled())
        images->Draw(Canvas, box.left, box.top, index, true);
      else
        PaintThemedImage(Canvas, box, images, index, TIF_DISABLED);
    }
  }
  R.left += editInfo.LeftButtonWidth;
  R.right -= editInfo.RightButtonWidth + 1;
  const String& text = item->Text();
  if (text.empty()) return;
  std::u16string shown = win::Utf8ToWide(text);
  if (item->PasswordChar() != 0) shown.assign(shown.size(), item->PasswordChar());
  Canvas->Font()->Assign(View()->GetFont());
  item->EditorFontSettings()->Apply(Canvas->Font());
  win::HDC dc = detail::FontDC(Canvas);
  const bool enabled = item->Enabled();
  win::SetBkMode(dc, win::TRANSPARENT);
  win::SetBkColor(dc, win::GetSysColor(enabled ? win::COLOR_WINDOW : win::COLOR_BTNFACE));
  win::SetTextColor(dc, win::GetSysColor(enabled ? win::COLOR_WINDOWTEXT : win::COLOR_GRAYTEXT));
  win::UINT format = win::DT_SINGLELINE | win::DT_NOPREFIX;
  if (item->Alignment() == fw::taRightJustify) format |= win::DT_RIGHT;
  if (item->Alignment() == fw::taCenter) format |= win::DT_CENTER;
  win::DrawTextW(dc, shown.c_str(), int(shown.size()), &R, format);
}

// ---- colour item -----------------------------------------------------------------------------

void TTxColorItem::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  Change(false);
}

TTBItemViewerClass TTxColorItem::GetItemViewerClass(TTBView* /*AView*/) {
  return TTBItemViewerClass::Of<TTxColorItemViewer>();
}

TTxColorItemViewer::TTxColorItemViewer(TTBView* AView, TTBCustomItem* AItem, Integer AGroupLevel)
    : TTxItemViewer(AView, AItem, AGroupLevel) {
  ImageGap = false;
}

fw::TSize TTxColorItemViewer::GetItemImageSize() {
  return IsToolbarStyle() ? fw::TSize{12, 12} : fw::TSize{16, 16};
}

bool TTxColorItemViewer::IsImageShown() {
  switch (Item()->DisplayMode()) {
    case nbdmDefault:
    case nbdmImageAndText: return true;
    case nbdmTextOnlyInMenus: return IsToolbarStyle();
    default: return false;
  }
}

void TTxColorItemViewer::BeforePaintCaption(fw::TCanvas* /*Canvas*/, const TRect& ClientAreaRect,
                                            const String& /*Text*/, TRect& CaptionRect, bool /*IsTextRotated*/,
                                            bool& /*PaintDefault*/) {
  if (!IsViewKind(GetViewType(View()), VT_POPUP_TOOLBOX)) return;
  const Integer w = CaptionRect.right - CaptionRect.left;
  CaptionRect.left = ClientAreaRect.left;
  CaptionRect.right = CaptionRect.left + w;
  const Integer offset = (ClientAreaRect.right - CaptionRect.right) / 2;
  CaptionRect.left += offset;
  CaptionRect.right += offset;
}

void TTxColorItemViewer::PaintItemImage(fw::TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& ItemInfo) {
  auto* item = static_cast<TTxColorItem*>(Item());
  TRect r = ARect;
  win::HDC dc = Canvas->Handle();
  if (ItemInfo.Enabled) {
    if (!IsToolbarStyle()) win::InflateRect(&r, -2, -2);
    // An invalid value (kept as set) shows no swatch rather than the black the platform gives it.
    if (item->Color() == fw::clNone || !IsColorValid(item->Color())) return;
    FrameRectColor(dc, r, fw::clBtnShadow, true);  // shrinks r by the frame
    FillRectColor(dc, r, item->Color());
  } else {
    r.right += 1;
    r.bottom += 1;
    win::DrawEdge(dc, &r, win::EDGE_ETCHED, win::BF_RECT);
  }
}

}  // namespace tx
