// The in-place editor and the grid's side of editing: showing the editor over the current cell
// with GetEditText, handing a changed text to SetEditText when editing ends, and cancelling.

#include "framework/GridsInplaceEdit.h"

#include "framework/Grids.h"
#include "platform/controls/Edit.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

namespace fw {

// ---- the editor ----

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TWinControl(AOwner), FGrid(dynamic_cast<TCustomGrid*>(AOwner)) {
  FVisible = false;
  FTabStop = false;
  FParentColor = false;
  FColor = clWindow;
  FBrush->SetColor(FColor);
}

TInplaceEdit::~TInplaceEdit() {
  if (FGrid != nullptr && FGrid->FInplaceEdit == this) FGrid->FInplaceEdit = nullptr;
}

void TInplaceEdit::CreateParams(TCreateParams& Params) {
  win::RegisterEditClass();
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, u"Edit");
  Params.Style |= win::ES_AUTOHSCROLL;
  Params.Style &= ~win::WS_BORDER;
}

void TInplaceEdit::CreateWnd() {
  TWinControl::CreateWnd();
  if (FMaxLength > 0) win::SendMessageW(FHandle, win::EM_LIMITTEXT, win::WPARAM(FMaxLength), 0);
}

void TInplaceEdit::SelectAll() {
  if (HandleAllocated()) win::SendMessageW(FHandle, win::EM_SETSEL, 0, -1);
}

void TInplaceEdit::Deselect() {
  if (HandleAllocated()) win::SendMessageW(FHandle, win::EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
}

void TInplaceEdit::SetMaxLength(Integer Value) {
  FMaxLength = Value < 0 ? 0 : Value;
  if (HandleAllocated()) win::SendMessageW(FHandle, win::EM_LIMITTEXT, win::WPARAM(FMaxLength), 0);
}

bool TInplaceEdit::Modified() {
  return HandleAllocated() && win::SendMessageW(FHandle, win::EM_GETMODIFY, 0, 0) != 0;
}

bool TInplaceEdit::ForwardsKey(Word Key, TShiftState Shift) {
  if (FGrid == nullptr) return false;
  switch (Key) {
    case win::VK_UP:
    case win::VK_DOWN:
    case win::VK_PRIOR:
    case win::VK_NEXT:
    case win::VK_RETURN:
    case win::VK_ESCAPE:
      return true;
    case win::VK_TAB: return FGrid->Options().Contains(goTabs);
    case win::VK_HOME:
    case win::VK_END: return Shift.Contains(ssCtrl);
    default: return false;
  }
}

void TInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  if (Key == 0 || !ForwardsKey(Key, Shift)) return;
  FGrid->KeyDown(Key, Shift);
  Key = 0;
}

void TInplaceEdit::KeyPress(char16_t& Key) {
  TWinControl::KeyPress(Key);
  // The characters of Enter, Esc and Tab were handled as keys; the edit must not see them.
  if (Key == u'\r' || Key == u'\x1b' || Key == u'\t' || Key == u'\n') Key = 0;
}

void TInplaceEdit::Dispatch(TMessage& M) {
  if (M.Msg == win::WM_GETDLGCODE) {
    M.Result = win::DLGC_WANTARROWS | win::DLGC_WANTCHARS | win::DLGC_WANTALLKEYS;
    if (FGrid != nullptr && FGrid->Options().Contains(goTabs)) M.Result |= win::DLGC_WANTTAB;
    return;
  }
  TWinControl::Dispatch(M);
}

void TInplaceEdit::WMKillFocus(TMessage& M) {
  TWinControl::WMKillFocus(M);
  auto to = reinterpret_cast<win::HWND>(M.WParam);
  // Focus leaving for another control ends editing, or, where the editor stays shown, hands
  // over what was typed: either way the grid keeps it (a dialog's OK reads the cells next).
  if (FGrid != nullptr && FGrid->FInplaceEdit == this && FGrid->EditorMode() &&
      !(FGrid->HandleAllocated() && to == FGrid->Handle())) {
    if (FGrid->Options().Contains(goAlwaysShowEditor))
      FGrid->KeepEditText();
    else
      FGrid->HideEditor();
  }
}

// ---- the grid's side ----

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

bool TCustomGrid::CanEditShow() {
  return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && HandleAllocated() &&
         FCurrent.X >= FFixedCols && FCurrent.Y >= FFixedRows;
}

String TCustomGrid::GetEditText(Integer ACol, Integer ARow) {
  String value;
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
  return value;
}

void TCustomGrid::SetEditText(Integer ACol, Integer ARow, const String& Value) {
  if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

String TCustomGrid::GetEditMask(Integer ACol, Integer ARow) {
  String mask;
  if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, mask);
  return mask;
}

void TCustomGrid::SetEditorMode(bool Value) {
  if (Value) {
    ShowEditor();
  } else {
    HideEditor();
  }
}

void TCustomGrid::ShowEditor() {
  FEditorMode = true;
  UpdateEdit();
}

void TCustomGrid::HideEditor() { CommitEdit(); }

void TCustomGrid::UpdateEdit() {
  if (!CanEditShow()) {
    FEditorMode = false;
    return;
  }
  TRect r = CellRect(FCurrent.X, FCurrent.Y);
  if (r.right <= r.left || r.bottom <= r.top) {
    FEditorMode = false;
    return;
  }
  if (FInplaceEdit == nullptr) {
    FInplaceEdit = CreateEditor();
    FInplaceEdit->SetParent(this);
  }
  bool hadFocus = Focused();
  if (!FInplaceEdit->Visible()) {
    FInplaceEdit->Font()->Assign(Font());
    FInplaceEdit->SetMaxLength(GetEditLimit());
    FEditStartText = GetEditText(FCurrent.X, FCurrent.Y);
    FInplaceEdit->SetBoundsRect(r);
    FInplaceEdit->SetText(FEditStartText);
    FInplaceEdit->SetVisible(true);
    FInplaceEdit->SelectAll();
    InvalidateCell(FCurrent.X, FCurrent.Y);
  }
  if (hadFocus || FOptions.Contains(goAlwaysShowEditor)) win::SetFocus(FInplaceEdit->Handle());
}

void TCustomGrid::UpdateEditorBounds() {
  if (!FEditorMode || FInplaceEdit == nullptr || !FInplaceEdit->Visible()) return;
  TRect r = CellRect(FCurrent.X, FCurrent.Y);
  if (r.right <= r.left || r.bottom <= r.top) {
    CommitEdit();  // the cell went out of view
    return;
  }
  FInplaceEdit->SetBoundsRect(r);
}

void TCustomGrid::CommitEdit() {
  bool wasEditing = FEditorMode;
  FEditorMode = false;
  if (!wasEditing || FInplaceEdit == nullptr || !FInplaceEdit->Visible()) return;
  String text = FInplaceEdit->Text();
  CloseEditor();
  if (text != FEditStartText) SetEditText(FCurrent.X, FCurrent.Y, text);
}

void TCustomGrid::KeepEditText() {
  if (!FEditorMode || FInplaceEdit == nullptr) return;
  const String text = FInplaceEdit->Text();
  if (text == FEditStartText) return;
  FEditStartText = text;
  SetEditText(FCurrent.X, FCurrent.Y, text);
}

void TCustomGrid::CloseEditor() {
  FHidingEditor = true;
  if (FInplaceEdit->Focused() && HandleAllocated()) win::SetFocus(FHandle);
  FInplaceEdit->SetVisible(false);
  FHidingEditor = false;
  InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TCustomGrid::CancelEdit() {
  FEditorMode = false;
  if (FInplaceEdit == nullptr || !FInplaceEdit->Visible()) return;
  CloseEditor();
}

}  // namespace fw
