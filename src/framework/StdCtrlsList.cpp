// TCustomListBox and TCustomComboBox over the LISTBOX and COMBOBOX classes, with their items as
// one list class that talks to either window.

#include "framework/StdCtrlsList.h"

#include <algorithm>
#include <functional>
#include <string_view>

#include "framework/Forms.h"
#include "framework/StdCtrlsText.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/StandardControls.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/Rects.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/menus/MenuTypes.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/windows/Window.h"

namespace fw {

// The item messages of a list box or a combo box.
struct TListMessages {
  win::UINT Add, Insert, Delete, Reset, Count, GetText, GetTextLen, GetData, SetData;
  win::LRESULT Err, ErrSpace;
};

namespace {

constexpr TListMessages kListBoxMessages{win::LB_ADDSTRING, win::LB_INSERTSTRING, win::LB_DELETESTRING,
                                         win::LB_RESETCONTENT, win::LB_GETCOUNT, win::LB_GETTEXT,
                                         win::LB_GETTEXTLEN, win::LB_GETITEMDATA, win::LB_SETITEMDATA,
                                         win::LB_ERR, win::LB_ERRSPACE};
constexpr TListMessages kComboBoxMessages{win::CB_ADDSTRING, win::CB_INSERTSTRING, win::CB_DELETESTRING,
                                          win::CB_RESETCONTENT, win::CB_GETCOUNT, win::CB_GETLBTEXT,
                                          win::CB_GETLBTEXTLEN, win::CB_GETITEMDATA, win::CB_SETITEMDATA,
                                          win::CB_ERR, win::CB_ERRSPACE};

}  // namespace

// Items in the window while it exists, in a string list of their own otherwise.
class TListControlStrings : public TStrings {
 public:
  TListControlStrings(TWinControl* Control, const TListMessages& Messages, std::function<void(Integer)> Added)
      : FControl(Control), FMsg(Messages), FAdded(std::move(Added)) {}

  String Get(Integer Index) const override {
    if (!Live()) return FStore.Get(Index);
    win::LRESULT len = Send(FMsg.GetTextLen, win::WPARAM(Index), 0);
    if (len == FMsg.Err) Error("List index out of bounds (%d)", Index);
    WideString text(size_t(len) + 1, u'\0');
    win::LRESULT got = Send(FMsg.GetText, win::WPARAM(Index), reinterpret_cast<win::LPARAM>(text.data()));
    text.resize(got < 0 ? 0 : size_t(got));
    return win::WideToUtf8(text);
  }
  Integer GetCount() const override {
    return Live() ? Integer(Send(FMsg.Count, 0, 0)) : FStore.GetCount();
  }
  TObject* GetObject(Integer Index) const override {
    if (!Live()) return FStore.GetObject(Index);
    if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
    return reinterpret_cast<TObject*>(Send(FMsg.GetData, win::WPARAM(Index), 0));
  }
  void PutObject(Integer Index, TObject* AObject) override {
    if (!Live()) {
      FStore.PutObject(Index, AObject);
      return;
    }
    if (Send(FMsg.SetData, win::WPARAM(Index), reinterpret_cast<win::LPARAM>(AObject)) == FMsg.Err)
      Error("List index out of bounds (%d)", Index);
  }
  Integer Add(const String& S) override {
    if (!Live()) return FStore.Add(S);
    WideString text = win::Utf8ToWide(S);
    win::LRESULT r = Send(FMsg.Add, 0, reinterpret_cast<win::LPARAM>(text.c_str()));
    if (r == FMsg.Err || r == FMsg.ErrSpace) throw EOutOfResources("Insufficient memory for this operation");
    FAdded(Integer(r));
    return Integer(r);
  }
  void Insert(Integer Index, const String& S) override {
    if (!Live()) {
      if (FStore.Sorted()) {
        FStore.Add(S);
      } else {
        FStore.Insert(Index, S);
      }
      return;
    }
    if (Index < 0 || Index > GetCount()) Error("List index out of bounds (%d)", Index);
    WideString text = win::Utf8ToWide(S);
    win::LRESULT r = Send(FMsg.Insert, win::WPARAM(Index), reinterpret_cast<win::LPARAM>(text.c_str()));
    if (r == FMsg.Err || r == FMsg.ErrSpace) throw EOutOfResources("Insufficient memory for this operation");
    FAdded(Integer(r));
  }
  void Delete(Integer Index) override {
    if (!Live()) {
      FStore.Delete(Index);
      return;
    }
    if (Send(FMsg.Delete, win::WPARAM(Index), 0) == FMsg.Err) Error("List index out of bounds (%d)", Index);
  }
  void Clear() override {
    if (Live()) {
      Send(FMsg.Reset, 0, 0);
    } else {
      FStore.Clear();
    }
  }

  // Between BeginUpdate and EndUpdate the window neither redraws nor resizes its scroll bar
  // item by item (a million items took a minute); EndUpdate brings both up to date once.
  void SetUpdateState(bool Updating) override {
    if (Live()) Send(win::WM_SETREDRAW, Updating ? 0 : 1, 0);
  }

  void SetSorted(bool Value) { FStore.SetSorted(Value); }
  // The kept items go into the new window.
  void WindowCreated() {
    for (Integer i = 0; i < FStore.GetCount(); ++i) {
      Integer at = Add(FStore.Get(i));
      PutObject(at, FStore.GetObject(i));
    }
    FStore.Clear();
  }
  // The window's items are kept before it goes.
  void WindowDestroying() {
    FStore.Clear();
    bool sorted = FStore.Sorted();
    FStore.SetSorted(false);
    Integer n = GetCount();
    for (Integer i = 0; i < n; ++i) FStore.AddObject(Get(i), GetObject(i));
    FStore.SetSorted(sorted);
  }

 private:
  bool Live() const { return FControl->HandleAllocated(); }
  win::LRESULT Send(win::UINT Msg, win::WPARAM W, win::LPARAM L) const {
    return win::SendMessageW(FControl->Handle(), Msg, W, L);
  }

  TWinControl* FControl;
  TListMessages FMsg;
  std::function<void(Integer)> FAdded;
  TStringList FStore;
};

namespace {

// Draws one owner-drawn item of a list or combo box: the canvas on the item's DC with the
// control's font and brush (the highlight colours when selected), the item or the empty
// background, and the focus rectangle.
void DrawOwnerItem(TWinControl* Control, TCanvas* Canvas, const win::DRAWITEMSTRUCT& Dis, Integer Count,
                   const std::function<void(Integer, const TRect&, TOwnerDrawState)>& Draw) {
  TOwnerDrawState state = OwnerDrawStateOf(Dis.itemState);
  Canvas->Lock();
  Canvas->SetHandle(Dis.hDC);
  try {
    Canvas->Font()->Assign(Control->Font());
    Canvas->Brush()->Assign(Control->Brush());
    if (state.Contains(odSelected)) {
      Canvas->Brush()->SetColor(clHighlight);
      Canvas->Font()->SetColor(clHighlightText);
    }
    auto index = Integer(Dis.itemID);
    if (index >= 0 && index < Count) {
      Draw(index, Dis.rcItem, state);
    } else {
      Canvas->FillRect(Dis.rcItem);
    }
    if (state.Contains(odFocused)) Canvas->DrawFocusRect(Dis.rcItem);
  } catch (...) {
    Canvas->SetHandle(nullptr);
    Canvas->Unlock();
    throw;
  }
  Canvas->SetHandle(nullptr);
  Canvas->Unlock();
}

void DrawItemText(TCanvas* Canvas, const TRect& Rect, const String& Text) {
  Canvas->FillRect(Rect);
  Canvas->TextOut(Rect.left + 2, Rect.top, Text);
}

bool HasClass(win::HWND Window, std::u16string_view Name) {
  char16_t name[32] = {};
  return win::GetClassNameW(Window, name, 32) > 0 && std::u16string_view(name) == Name;
}

win::HWND ChildOfClass(win::HWND Parent, std::u16string_view Name) {
  for (win::HWND h = win::GetWindow(Parent, win::GW_CHILD); h != nullptr; h = win::GetWindow(h, win::GW_HWNDNEXT))
    if (HasClass(h, Name)) return h;
  return nullptr;
}

std::unique_ptr<TCanvas> MakeCanvas(TControl* Control) {
  auto canvas = std::make_unique<TControlCanvas>();
  canvas->SetControl(Control);
  return canvas;
}

}  // namespace

// ---- TCustomListBox ----

TCustomListBox::TCustomListBox(TComponent* AOwner) : TWinControl(AOwner), FCanvas(MakeCanvas(this)) {
  win::RegisterStandardControls();
  auto items = std::make_unique<TListControlStrings>(this, kListBoxMessages, [this](Integer i) { ItemAdded(i); });
  FItemList = items.get();
  FItems = std::move(items);
  // Clicks come from the list's own notifications.
  FControlStyle = TControlStyle{csSetCaption, csOpaque};
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
  FBrush->SetColor(clWindow);
  SetBounds(0, 0, 121, 97);
}

TCustomListBox::~TCustomListBox() = default;

TStrings* TCustomListBox::Items() const { return FItems.get(); }
void TCustomListBox::SetItems(TStrings* Value) { FItems->Assign(Value); }

void TCustomListBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, u"ListBox");
  Params.Style |= win::WS_VSCROLL | win::LBS_NOTIFY | win::LBS_HASSTRINGS | win::LBS_NOINTEGRALHEIGHT;
  if (FSorted) Params.Style |= win::LBS_SORT;
  if (FMultiSelect) Params.Style |= FExtendedSelect ? win::LBS_EXTENDEDSEL : win::LBS_MULTIPLESEL;
  if (FStyle == lbOwnerDrawFixed) Params.Style |= win::LBS_OWNERDRAWFIXED;
  if (FStyle == lbOwnerDrawVariable) Params.Style |= win::LBS_OWNERDRAWVARIABLE;
  Params.ExStyle |= win::WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWnd() {
  TWinControl::CreateWnd();
  if (FStyle == lbOwnerDrawFixed) win::SendMessageW(FHandle, win::LB_SETITEMHEIGHT, 0, FItemHeight);
  FItemList->WindowCreated();
  for (Integer i : FSaveSelection) SetSelected(i, true);
  FSaveSelection.clear();
  SetItemIndex(FSaveIndex);
  SetTopIndex(FSaveTopIndex);
}

void TCustomListBox::DestroyWnd() {
  if (FHandle != nullptr) {
    FSaveIndex = ItemIndex();
    FSaveTopIndex = TopIndex();
    FSaveSelection.clear();
    if (FMultiSelect) {
      for (Integer i = 0; i < FItems->Count(); ++i)
        if (Selected(i)) FSaveSelection.push_back(i);
    }
    FItemList->WindowDestroying();
  }
  TWinControl::DestroyWnd();
}

void TCustomListBox::ItemAdded(Integer Index) {
  if (FStyle != lbOwnerDrawVariable || !HandleAllocated()) return;
  Integer height = FItemHeight;
  MeasureItem(Index, height);
  win::SendMessageW(FHandle, win::LB_SETITEMHEIGHT, win::WPARAM(Index), std::clamp<Integer>(height, 1, 255));
}

Integer TCustomListBox::ItemIndex() {
  if (!HandleAllocated()) return FSaveIndex;
  return Integer(win::SendMessageW(FHandle, FMultiSelect ? win::LB_GETCARETINDEX : win::LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(Integer Value) {
  if (!HandleAllocated()) {
    FSaveIndex = Value;
    return;
  }
  if (FMultiSelect) {
    win::SendMessageW(FHandle, win::LB_SETCARETINDEX, win::WPARAM(Value), 0);
  } else {
    win::SendMessageW(FHandle, win::LB_SETCURSEL, win::WPARAM(Value), 0);
  }
}

void TCustomListBox::SelectAll() {
  if (!FMultiSelect) return;
  for (Integer i = 0; i < FItems->Count(); ++i) SetSelected(i, true);
}

void TCustomListBox::AddItem(const String& Item, TObject* AObject) { FItems->AddObject(Item, AObject); }

void TCustomListBox::SetMultiSelect(bool Value) {
  if (FMultiSelect == Value) return;
  FMultiSelect = Value;
  RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool Value) {
  if (FExtendedSelect == Value) return;
  FExtendedSelect = Value;
  RecreateWnd();
}

bool TCustomListBox::Selected(Integer Index) {
  if (!HandleAllocated()) {
    if (Index < 0 || Index >= FItems->Count()) throw EListError(Format("List index out of bounds (%d)", Index));
    return FMultiSelect ? std::count(FSaveSelection.begin(), FSaveSelection.end(), Index) > 0 : Index == FSaveIndex;
  }
  win::LRESULT r = win::SendMessageW(FHandle, win::LB_GETSEL, win::WPARAM(Index), 0);
  if (r == win::LB_ERR) throw EListError(Format("List index out of bounds (%d)", Index));
  return r != 0;
}

void TCustomListBox::SetSelected(Integer Index, bool Value) {
  if (Index < 0 || Index >= FItems->Count()) throw EListError(Format("List index out of bounds (%d)", Index));
  if (!HandleAllocated()) {
    if (!FMultiSelect) {
      if (Value) FSaveIndex = Index;
      if (!Value && FSaveIndex == Index) FSaveIndex = -1;
      return;
    }
    auto it = std::find(FSaveSelection.begin(), FSaveSelection.end(), Index);
    if (Value && it == FSaveSelection.end()) FSaveSelection.push_back(Index);
    if (!Value && it != FSaveSelection.end()) FSaveSelection.erase(it);
    return;
  }
  if (FMultiSelect) {
    win::SendMessageW(FHandle, win::LB_SETSEL, Value ? 1 : 0, win::LPARAM(Index));
  } else if (Value) {
    win::SendMessageW(FHandle, win::LB_SETCURSEL, win::WPARAM(Index), 0);
  } else if (ItemIndex() == Index) {
    win::SendMessageW(FHandle, win::LB_SETCURSEL, win::WPARAM(-1), 0);
  }
}

Integer TCustomListBox::SelCount() {
  if (!FMultiSelect) return -1;
  if (!HandleAllocated()) return Integer(FSaveSelection.size());
  return Integer(win::SendMessageW(FHandle, win::LB_GETSELCOUNT, 0, 0));
}

void TCustomListBox::SetSorted(bool Value) {
  if (FSorted == Value) return;
  FSorted = Value;
  FItemList->SetSorted(Value);
  RecreateWnd();
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  RecreateWnd();
}

Integer TCustomListBox::ItemHeight() {
  if (HandleAllocated() && FStyle != lbOwnerDrawVariable)
    return Integer(win::SendMessageW(FHandle, win::LB_GETITEMHEIGHT, 0, 0));
  return FItemHeight;
}

void TCustomListBox::SetItemHeight(Integer Value) {
  if (Value <= 0 || FItemHeight == Value) return;
  FItemHeight = Value;
  if (HandleAllocated() && FStyle == lbOwnerDrawFixed) {
    win::SendMessageW(FHandle, win::LB_SETITEMHEIGHT, 0, Value);
    Invalidate();
  }
}

Integer TCustomListBox::TopIndex() {
  return HandleAllocated() ? Integer(win::SendMessageW(FHandle, win::LB_GETTOPINDEX, 0, 0)) : FSaveTopIndex;
}

void TCustomListBox::SetTopIndex(Integer Value) {
  if (!HandleAllocated()) {
    FSaveTopIndex = Value;
    return;
  }
  win::SendMessageW(FHandle, win::LB_SETTOPINDEX, win::WPARAM(Value), 0);
}

TRect TCustomListBox::ItemRect(Integer Index) {
  win::RECT r{0, 0, 0, 0};
  if (!HandleAllocated() ||
      win::SendMessageW(FHandle, win::LB_GETITEMRECT, win::WPARAM(Index), reinterpret_cast<win::LPARAM>(&r)) ==
          win::LB_ERR)
    return Rect(0, 0, 0, 0);
  return r;
}

Integer TCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing) {
  Integer count = FItems->Count();
  if (HandleAllocated()) {
    TRect client = ClientRect();
    if (win::PtInRect(&client, Pos)) {
      for (Integer i = std::max<Integer>(TopIndex(), 0); i < count; ++i) {
        TRect r = ItemRect(i);
        if (r.top >= client.bottom) break;
        if (win::PtInRect(&r, Pos)) return i;
      }
    }
  }
  return Existing ? -1 : count;
}

void TCustomListBox::Clear() { FItems->Clear(); }

void TCustomListBox::DrawItem(Integer Index, const TRect& Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
  } else {
    DrawItemText(FCanvas.get(), Rect, FItems->Strings(Index));
  }
}

void TCustomListBox::MeasureItem(Integer Index, Integer& Height) {
  if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TCustomListBox::CNCommand(TMessage& Message) {
  switch (win::HIWORD(win::DWORD(Message.WParam))) {
    case win::LBN_SELCHANGE: Click(); break;
    case win::LBN_DBLCLK: DblClick(); break;
    default: break;
  }
}

void TCustomListBox::CNDrawItem(TMessage& Message) {
  const auto& dis = *reinterpret_cast<const win::DRAWITEMSTRUCT*>(Message.LParam);
  DrawOwnerItem(this, FCanvas.get(), dis, FItems->Count(),
                [this](Integer i, const TRect& r, TOwnerDrawState s) { DrawItem(i, r, s); });
  Message.Result = 1;
}

void TCustomListBox::Dispatch(TMessage& Message) {
  if (IsClassMouseMessage(Message.Msg)) DefaultHandler(Message);
  switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); return;
    case CN_DRAWITEM: CNDrawItem(Message); return;
    case CN_CTLCOLORLISTBOX: Message.Result = FieldColors(this, reinterpret_cast<win::HDC>(Message.WParam)); return;
    default: TWinControl::Dispatch(Message); return;
  }
}

// ---- TCustomComboBox ----

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner), FCanvas(MakeCanvas(this)) {
  win::RegisterStandardControls();
  FEditInstance = win::MakeObjectInstance([this](win::HWND, win::UINT msg, win::WPARAM w, win::LPARAM l) {
    TMessage m{msg, w, l, 0};
    try {
      ComboWndProc(m, FEditHandle, FDefEditProc);
    } catch (...) {
      if (Application == nullptr) throw;
      Application->HandleException(this);
    }
    return m.Result;
  });
  auto items = std::make_unique<TListControlStrings>(this, kComboBoxMessages, [this](Integer i) { ItemAdded(i); });
  FItemList = items.get();
  FItems = std::move(items);
  FControlStyle = TControlStyle{csSetCaption, csFixedHeight};
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
  FBrush->SetColor(clWindow);
  SetBounds(0, 0, 145, 21);
}

TCustomComboBox::~TCustomComboBox() {
  UnhookEdit();
  win::FreeObjectInstance(FEditInstance);
}

void TCustomComboBox::UnhookEdit() {
  if (FEditHandle != nullptr && win::IsWindow(FEditHandle) &&
      win::GetWindowLongPtrW(FEditHandle, win::GWLP_WNDPROC) == reinterpret_cast<win::LONG_PTR>(FEditInstance)) {
    win::SetWindowLongPtrW(FEditHandle, win::GWLP_WNDPROC, reinterpret_cast<win::LONG_PTR>(FDefEditProc));
  }
  FEditHandle = nullptr;
  FDefEditProc = nullptr;
}

TStrings* TCustomComboBox::Items() const { return FItems.get(); }
void TCustomComboBox::SetItems(TStrings* Value) { FItems->Assign(Value); }

void TCustomComboBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, u"ComboBox");
  Params.Style |= win::WS_VSCROLL | win::CBS_HASSTRINGS | win::CBS_AUTOHSCROLL;
  switch (FStyle) {
    case csDropDown: Params.Style |= win::CBS_DROPDOWN; break;
    case csSimple: Params.Style |= win::CBS_SIMPLE; break;
    case csDropDownList: Params.Style |= win::CBS_DROPDOWNLIST; break;
    case csOwnerDrawFixed: Params.Style |= win::CBS_DROPDOWNLIST | win::CBS_OWNERDRAWFIXED; break;
    case csOwnerDrawVariable: Params.Style |= win::CBS_DROPDOWNLIST | win::CBS_OWNERDRAWVARIABLE; break;
  }
  if (FSorted) Params.Style |= win::CBS_SORT;
}

void TCustomComboBox::CreateWnd() {
  String text = FText;
  TWinControl::CreateWnd();
  win::SendMessageW(FHandle, win::CB_LIMITTEXT, win::WPARAM(FMaxLength), 0);
  win::SendMessageW(FHandle, win::CB_SETMINVISIBLE, win::WPARAM(FDropDownCount), 0);
  if (IsOwnerDrawn()) {
    win::SendMessageW(FHandle, win::CB_SETITEMHEIGHT, 0, FItemHeight);
    if (FStyle == csOwnerDrawFixed) win::SendMessageW(FHandle, win::CB_SETITEMHEIGHT, win::WPARAM(-1), FItemHeight);
  }
  FItemList->WindowCreated();
  FEditHandle = EditHandle();
  if (FEditHandle != nullptr) {
    FDefEditProc = reinterpret_cast<win::WNDPROC>(win::SetWindowLongPtrW(
        FEditHandle, win::GWLP_WNDPROC, reinterpret_cast<win::LONG_PTR>(FEditInstance)));
  }
  if (FSaveIndex >= 0) {
    SetItemIndex(FSaveIndex);
  } else if (FStyle == csDropDown || FStyle == csSimple) {
    win::SetWindowTextW(FHandle, win::Utf8ToWide(text).c_str());
  }
}

void TCustomComboBox::DestroyWnd() {
  if (FHandle != nullptr) {
    FSaveIndex = ItemIndex();
    FItemList->WindowDestroying();
  }
  UnhookEdit();
  TWinControl::DestroyWnd();
}

void TCustomComboBox::ComboWndProc(TMessage& Message, win::HWND ComboWnd, win::WNDPROC ComboProc) {
  switch (Message.Msg) {
    case win::WM_SETFOCUS: {
      TCustomForm* form = GetParentForm(this);
      if (form != nullptr && !form->SetFocusedControl(this)) return;
      break;
    }
    case win::WM_KEYDOWN:
    case win::WM_SYSKEYDOWN:
      if (DoKeyDown(Message)) return;
      break;
    case win::WM_KEYUP:
    case win::WM_SYSKEYUP:
      if (DoKeyUp(Message)) return;
      break;
    case win::WM_CHAR: {
      if (DoKeyPress(Message)) return;
      auto key = char16_t(win::LOWORD(Message.WParam));
      if ((key == u'\r' || key == 27) && DroppedDown()) {
        SetDroppedDown(false);
        return;
      }
      break;
    }
    default: break;
  }
  if (ComboProc == nullptr) return;
  Message.Result = win::CallWindowProcW(ComboProc, ComboWnd, Message.Msg, Message.WParam, Message.LParam);
}

void TCustomComboBox::KeyPress(char16_t& Key) {
  TWinControl::KeyPress(Key);
  if (Key != 0 && FAutoComplete && (FStyle == csDropDown || FStyle == csSimple) && HandleAllocated())
    AutoCompleteKey(Key);
}

// Completes the edit field to the first item that starts with what it holds before the
// selection plus Key, when the caret is at the end; the key is then used up.
void TCustomComboBox::AutoCompleteKey(char16_t& Key) {
  if (Key == u'\b' || Key == 27 || Key == u'\r') return;
  if (Key == u'\t') {
    if (FAutoDropDown && DroppedDown()) SetDroppedDown(false);
    return;
  }
  win::DWORD start = 0, end = 0;
  win::SendMessageW(FHandle, win::CB_GETEDITSEL, reinterpret_cast<win::WPARAM>(&start),
                    reinterpret_cast<win::LPARAM>(&end));
  WideString text = win::Utf8ToWide(Text());
  if (FAutoDropDown && !DroppedDown()) {
    SetDroppedDown(true);
    win::SetWindowTextW(FHandle, text.c_str());
    win::SendMessageW(FHandle, win::CB_SETEDITSEL, 0, win::MAKELPARAM(win::WORD(start), win::WORD(end)));
  }
  if (end != text.size() || start > end) return;
  WideString prefix = text.substr(0, start) + Key;
  auto index = Integer(win::SendMessageW(FHandle, win::CB_FINDSTRING, win::WPARAM(-1),
                                         reinterpret_cast<win::LPARAM>(prefix.c_str())));
  if (index < 0) return;
  win::SendMessageW(FHandle, win::CB_SETCURSEL, win::WPARAM(index), 0);
  auto length = Integer(win::Utf8ToWide(FItems->Strings(index)).size());
  win::SendMessageW(FHandle, win::CB_SETEDITSEL, 0,
                    win::MAKELPARAM(win::WORD(prefix.size()), win::WORD(length)));
  Key = 0;
  Change();
}

void TCustomComboBox::ItemAdded(Integer Index) {
  if (FStyle != csOwnerDrawVariable || !HandleAllocated()) return;
  Integer height = FItemHeight;
  MeasureItem(Index, height);
  win::SendMessageW(FHandle, win::CB_SETITEMHEIGHT, win::WPARAM(Index), std::clamp<Integer>(height, 1, 255));
}

Integer TCustomComboBox::ItemIndex() {
  return HandleAllocated() ? Integer(win::SendMessageW(FHandle, win::CB_GETCURSEL, 0, 0)) : FSaveIndex;
}

void TCustomComboBox::SetItemIndex(Integer Value) {
  if (!HandleAllocated()) {
    FSaveIndex = Value;
    FText = Value >= 0 && Value < FItems->Count() ? FItems->Strings(Value) : String();
    return;
  }
  win::SendMessageW(FHandle, win::CB_SETCURSEL, win::WPARAM(Value), 0);
}

void TCustomComboBox::AddItem(const String& Item, TObject* AObject) { FItems->AddObject(Item, AObject); }

void TCustomComboBox::SetText(const String& Value) {
  if (FStyle == csDropDown || FStyle == csSimple) {
    TWinControl::SetText(Value);
    return;
  }
  SetItemIndex(FItems->IndexOf(Value));
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(Integer Value) {
  FDropDownCount = std::max<Integer>(Value, 1);
  if (HandleAllocated()) win::SendMessageW(FHandle, win::CB_SETMINVISIBLE, win::WPARAM(FDropDownCount), 0);
}

bool TCustomComboBox::DroppedDown() {
  return HandleAllocated() && win::SendMessageW(FHandle, win::CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool Value) {
  win::SendMessageW(Handle(), win::CB_SHOWDROPDOWN, Value ? 1 : 0, 0);
}

void TCustomComboBox::SetSorted(bool Value) {
  if (FSorted == Value) return;
  FSorted = Value;
  FItemList->SetSorted(Value);
  RecreateWnd();
}

void TCustomComboBox::SetMaxLength(Integer Value) {
  FMaxLength = std::max<Integer>(Value, 0);
  if (HandleAllocated()) win::SendMessageW(FHandle, win::CB_LIMITTEXT, win::WPARAM(FMaxLength), 0);
}

Integer TCustomComboBox::ItemHeight() {
  if (HandleAllocated() && FStyle != csOwnerDrawVariable)
    return Integer(win::SendMessageW(FHandle, win::CB_GETITEMHEIGHT, 0, 0));
  return FItemHeight;
}

void TCustomComboBox::SetItemHeight(Integer Value) {
  if (Value <= 0 || FItemHeight == Value) return;
  FItemHeight = Value;
  if (HandleAllocated() && FStyle == csOwnerDrawFixed) RecreateWnd();
}

Integer TCustomComboBox::SelStart() {
  win::DWORD start = 0, end = 0;
  win::SendMessageW(Handle(), win::CB_GETEDITSEL, reinterpret_cast<win::WPARAM>(&start),
                    reinterpret_cast<win::LPARAM>(&end));
  return Integer(start);
}

Integer TCustomComboBox::SelLength() {
  win::DWORD start = 0, end = 0;
  win::SendMessageW(Handle(), win::CB_GETEDITSEL, reinterpret_cast<win::WPARAM>(&start),
                    reinterpret_cast<win::LPARAM>(&end));
  return Integer(end - start);
}

void TCustomComboBox::SetSelStart(Integer Value) {
  win::SendMessageW(Handle(), win::CB_SETEDITSEL, 0, win::MAKELPARAM(win::WORD(Value), win::WORD(Value)));
}

void TCustomComboBox::SetSelLength(Integer Value) {
  Integer start = SelStart();
  win::SendMessageW(Handle(), win::CB_SETEDITSEL, 0, win::MAKELPARAM(win::WORD(start), win::WORD(start + Value)));
}

void TCustomComboBox::SelectAll() { win::SendMessageW(Handle(), win::CB_SETEDITSEL, 0, win::MAKELPARAM(0, 0xFFFF)); }

void TCustomComboBox::Clear() {
  FItems->Clear();
  SetText("");
}

// The edit field is found by its class: the combo box's own query answers only windows of the
// combo class's own name.
win::HWND TCustomComboBox::EditHandle() { return ChildOfClass(Handle(), u"Edit"); }

win::HWND TCustomComboBox::ListHandle() {
  win::COMBOBOXINFO info;
  if (win::GetComboBoxInfo(Handle(), &info)) return info.hwndList;
  return ChildOfClass(FHandle, u"ComboLBox");  // a simple combo's list is its child
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect) {
    OnSelect(this);
  } else {
    Change();
  }
}

// The dropped list is as wide as its longest entry (and never narrower than the box).
void TCustomComboBox::FitDroppedWidth() {
  if (!HandleAllocated()) return;
  const auto count = Integer(win::SendMessageW(FHandle, win::CB_GETCOUNT, 0, 0));
  Integer widest = 0;
  WideString text;
  for (Integer i = 0; i < count; ++i) {
    const auto length = win::SendMessageW(FHandle, win::CB_GETLBTEXTLEN, win::WPARAM(i), 0);
    if (length <= 0) continue;
    text.assign(std::size_t(length) + 1, u'\0');
    win::SendMessageW(FHandle, win::CB_GETLBTEXT, win::WPARAM(i), reinterpret_cast<win::LPARAM>(text.data()));
    text.resize(std::size_t(length));
    widest = std::max(widest, MeasureControlText(Font(), win::WideToUtf8(text), win::DT_SINGLELINE | win::DT_NOPREFIX, 0).cx);
  }
  Integer width = widest + 8 + 2 * win::GetSystemMetrics(win::SM_CXBORDER);
  if (count > FDropDownCount) width += win::GetSystemMetrics(win::SM_CXVSCROLL);
  win::SendMessageW(FHandle, win::CB_SETDROPPEDWIDTH, win::WPARAM(std::max(width, Width())), 0);
}

void TCustomComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::DrawItem(Integer Index, const TRect& Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
  } else {
    DrawItemText(FCanvas.get(), Rect, FItems->Strings(Index));
  }
}

void TCustomComboBox::MeasureItem(Integer Index, Integer& Height) {
  if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TCustomComboBox::CNCommand(TMessage& Message) {
  switch (win::HIWORD(win::DWORD(Message.WParam))) {
    case win::CBN_SELCHANGE: {
      Integer index = ItemIndex();
      if (index >= 0 && (FStyle == csDropDown || FStyle == csSimple)) {
        win::SetWindowTextW(FHandle, win::Utf8ToWide(FItems->Strings(index)).c_str());
      }
      Click();
      Select();
      if (FAutoCloseUp && DroppedDown()) SetDroppedDown(false);
      break;
    }
    case win::CBN_EDITCHANGE: Change(); break;
    case win::CBN_DROPDOWN:
      FitDroppedWidth();
      DropDown();
      break;
    case win::CBN_CLOSEUP: CloseUp(); break;
    default: break;
  }
}

void TCustomComboBox::CNDrawItem(TMessage& Message) {
  const auto& dis = *reinterpret_cast<const win::DRAWITEMSTRUCT*>(Message.LParam);
  DrawOwnerItem(this, FCanvas.get(), dis, FItems->Count(),
                [this](Integer i, const TRect& r, TOwnerDrawState s) { DrawItem(i, r, s); });
  Message.Result = 1;
}

void TCustomComboBox::Dispatch(TMessage& Message) {
  if (IsClassMouseMessage(Message.Msg)) DefaultHandler(Message);
  switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); return;
    case CN_DRAWITEM: CNDrawItem(Message); return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSTATIC: Message.Result = FieldColors(this, reinterpret_cast<win::HDC>(Message.WParam)); return;
    default: TWinControl::Dispatch(Message); return;
  }
}

}  // namespace fw
