// TCustomEdit and TCustomMemo over the EDIT class, and the memo's lines.

#include "framework/StdCtrlsEdit.h"

#include <algorithm>

#include "framework/StringList.h"
#include "framework/SysUtils.h"
#include "platform/controls/Edit.h"
#include "platform/controls/StandardControls.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

namespace fw {
namespace {

// Lines of a text: breaks are CR LF, LF or CR; a break at the very end ends the last line and
// starts none.
std::vector<String> SplitLines(std::string_view text) {
  std::vector<String> lines;
  size_t start = 0, i = 0;
  while (i < text.size()) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = ++i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

String JoinLines(const std::vector<String>& lines) {
  String text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

// The memo's lines as a view of its text: every change rewrites the text.
class TMemoStrings : public TStrings {
 public:
  explicit TMemoStrings(TCustomMemo* Memo) : FMemo(Memo) {}

  String Get(Integer Index) const override {
    std::vector<String> lines = SplitLines(FMemo->Text());
    if (Index < 0 || Index >= Integer(lines.size())) Error("List index out of bounds (%d)", Index);
    return lines[size_t(Index)];
  }
  Integer GetCount() const override { return Integer(SplitLines(FMemo->Text()).size()); }
  void Put(Integer Index, const String& S) override {
    std::vector<String> lines = SplitLines(FMemo->Text());
    if (Index < 0 || Index >= Integer(lines.size())) Error("List index out of bounds (%d)", Index);
    lines[size_t(Index)] = S;
    FMemo->SetText(JoinLines(lines));
  }
  void Insert(Integer Index, const String& S) override {
    std::vector<String> lines = SplitLines(FMemo->Text());
    if (Index < 0 || Index > Integer(lines.size())) Error("List index out of bounds (%d)", Index);
    lines.insert(lines.begin() + Index, S);
    FMemo->SetText(JoinLines(lines));
  }
  void Delete(Integer Index) override {
    std::vector<String> lines = SplitLines(FMemo->Text());
    if (Index < 0 || Index >= Integer(lines.size())) Error("List index out of bounds (%d)", Index);
    lines.erase(lines.begin() + Index);
    FMemo->SetText(JoinLines(lines));
  }
  void Clear() override { FMemo->SetText(""); }
  void SetTextStr(std::string_view Value) override { FMemo->SetText(JoinLines(SplitLines(Value))); }

 private:
  TCustomMemo* FMemo;
};

String ApplyCharCase(const String& Text, TEditCharCase Case) {
  switch (Case) {
    case ecUpperCase: return AnsiUpperCase(Text);
    case ecLowerCase: return AnsiLowerCase(Text);
    default: return Text;
  }
}

}  // namespace

// ---- TCustomEdit ----

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  win::RegisterStandardControls();
  FControlStyle = TControlStyle{csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
  FBrush->SetColor(clWindow);
  SetBounds(0, 0, 121, 21);
}

TCustomEdit::~TCustomEdit() = default;

bool TCustomEdit::IsMultiLine() const {
  return FHandle != nullptr && (win::GetWindowLongPtrW(FHandle, win::GWL_STYLE) & win::ES_MULTILINE) != 0;
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, u"Edit");
  Params.Style |= win::ES_AUTOHSCROLL | win::ES_AUTOVSCROLL;
  if (FReadOnly) Params.Style |= win::ES_READONLY;
  if (!FHideSelection) Params.Style |= win::ES_NOHIDESEL;
  if (FCharCase == ecUpperCase) Params.Style |= win::ES_UPPERCASE;
  if (FCharCase == ecLowerCase) Params.Style |= win::ES_LOWERCASE;
  if (FBorderStyle == bsSingle) Params.ExStyle |= win::WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd() {
  FCreating = true;
  try {
    TWinControl::CreateWnd();
  } catch (...) {
    FCreating = false;
    throw;
  }
  FCreating = false;
  win::SendMessageW(FHandle, win::EM_LIMITTEXT, win::WPARAM(FMaxLength), 0);
  if (FPasswordChar != 0) win::SendMessageW(FHandle, win::EM_SETPASSWORDCHAR, FPasswordChar, 0);
  win::SendMessageW(FHandle, win::EM_SETMODIFY, FModified ? 1 : 0, 0);
  win::SendMessageW(FHandle, win::EM_SETSEL, win::WPARAM(FSelStart), win::LPARAM(FSelStart + FSelLength));
}

void TCustomEdit::DestroyWnd() {
  if (FHandle != nullptr) {
    FModified = Modified();
    FSelStart = SelStart();
    FSelLength = SelLength();
  }
  TWinControl::DestroyWnd();
}

void TCustomEdit::SetMaxLength(Integer Value) {
  FMaxLength = std::max<Integer>(Value, 0);
  if (HandleAllocated()) win::SendMessageW(FHandle, win::EM_LIMITTEXT, win::WPARAM(FMaxLength), 0);
}

void TCustomEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (HandleAllocated()) win::SendMessageW(FHandle, win::EM_SETREADONLY, Value ? 1 : 0, 0);
}

void TCustomEdit::SetPasswordChar(char16_t Value) {
  if (FPasswordChar == Value) return;
  FPasswordChar = Value;
  if (HandleAllocated()) {
    win::SendMessageW(FHandle, win::EM_SETPASSWORDCHAR, Value, 0);
    Invalidate();
  }
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  if (FCharCase == Value) return;
  FCharCase = Value;
  String text = Text();
  String cased = ApplyCharCase(text, Value);
  RecreateWnd();
  if (cased != text) SetText(cased);
}

void TCustomEdit::SetHideSelection(bool Value) {
  if (FHideSelection == Value) return;
  FHideSelection = Value;
  RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

bool TCustomEdit::Modified() {
  return HandleAllocated() ? win::SendMessageW(FHandle, win::EM_GETMODIFY, 0, 0) != 0 : FModified;
}

void TCustomEdit::SetModified(bool Value) {
  FModified = Value;
  if (HandleAllocated()) win::SendMessageW(FHandle, win::EM_SETMODIFY, Value ? 1 : 0, 0);
}

void TCustomEdit::KeptSelection(Integer& Start, Integer& End) const {
  auto length = Integer(win::Utf8ToWide(FText).size());
  Start = std::clamp<Integer>(FSelStart, 0, length);
  End = std::clamp<Integer>(FSelStart + FSelLength, Start, length);
}

Integer TCustomEdit::SelStart() {
  if (!HandleAllocated()) {
    Integer start, end;
    KeptSelection(start, end);
    return start;
  }
  win::DWORD start = 0, end = 0;
  win::SendMessageW(FHandle, win::EM_GETSEL, reinterpret_cast<win::WPARAM>(&start),
                    reinterpret_cast<win::LPARAM>(&end));
  return Integer(start);
}

Integer TCustomEdit::SelLength() {
  if (!HandleAllocated()) {
    Integer start, end;
    KeptSelection(start, end);
    return end - start;
  }
  win::DWORD start = 0, end = 0;
  win::SendMessageW(FHandle, win::EM_GETSEL, reinterpret_cast<win::WPARAM>(&start),
                    reinterpret_cast<win::LPARAM>(&end));
  return Integer(end - start);
}

void TCustomEdit::SetSelStart(Integer Value) {
  FSelStart = std::max<Integer>(Value, 0);
  FSelLength = 0;
  if (HandleAllocated()) win::SendMessageW(FHandle, win::EM_SETSEL, win::WPARAM(FSelStart), win::LPARAM(FSelStart));
}

void TCustomEdit::SetSelLength(Integer Value) {
  Integer start = SelStart();
  FSelStart = start;
  FSelLength = std::max<Integer>(Value, 0);
  if (HandleAllocated()) win::SendMessageW(FHandle, win::EM_SETSEL, win::WPARAM(start), win::LPARAM(start + FSelLength));
}

String TCustomEdit::SelText() {
  WideString text = win::Utf8ToWide(Text());
  Integer start = std::min<Integer>(SelStart(), Integer(text.size()));
  Integer length = std::min<Integer>(SelLength(), Integer(text.size()) - start);
  return win::WideToUtf8(std::u16string_view(text).substr(size_t(start), size_t(length)));
}

void TCustomEdit::SetSelText(const String& Value) {
  WideString value = win::Utf8ToWide(Value);
  if (HandleAllocated()) {
    win::SendMessageW(FHandle, win::EM_REPLACESEL, 1, reinterpret_cast<win::LPARAM>(value.c_str()));
    return;
  }
  Integer start, end;
  KeptSelection(start, end);
  WideString text = win::Utf8ToWide(FText);
  text.replace(size_t(start), size_t(end - start), value);
  FSelStart = start + Integer(value.size());
  FSelLength = 0;
  SetText(win::WideToUtf8(text));
}

void TCustomEdit::Clear() { SetText(""); }

void TCustomEdit::ClearSelection() {
  if (HandleAllocated()) {
    win::SendMessageW(FHandle, win::WM_CLEAR, 0, 0);
  } else {
    SetSelText("");
  }
}

void TCustomEdit::SelectAll() {
  FSelStart = 0;
  FSelLength = Integer(win::Utf8ToWide(Text()).size());
  if (HandleAllocated()) win::SendMessageW(FHandle, win::EM_SETSEL, 0, -1);
}

void TCustomEdit::CopyToClipboard() {
  if (HandleAllocated()) win::SendMessageW(FHandle, win::WM_COPY, 0, 0);
}
void TCustomEdit::CutToClipboard() {
  if (HandleAllocated()) win::SendMessageW(FHandle, win::WM_CUT, 0, 0);
}
void TCustomEdit::PasteFromClipboard() {
  if (HandleAllocated()) win::SendMessageW(FHandle, win::WM_PASTE, 0, 0);
}
void TCustomEdit::Undo() {
  if (HandleAllocated()) win::SendMessageW(FHandle, win::EM_UNDO, 0, 0);
}
bool TCustomEdit::CanUndo() {
  return HandleAllocated() && win::SendMessageW(FHandle, win::EM_CANUNDO, 0, 0) != 0;
}
void TCustomEdit::ClearUndo() {
  if (HandleAllocated()) win::SendMessageW(FHandle, win::EM_EMPTYUNDOBUFFER, 0, 0);
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::CNCommand(TMessage& Message) {
  if (win::HIWORD(win::DWORD(Message.WParam)) == win::EN_CHANGE && !FCreating) Change();
}

void TCustomEdit::CMEnter(TMessage& Message) {
  if (FAutoSelect && !FControlState.Contains(csLButtonDown) && HandleAllocated() && !IsMultiLine()) SelectAll();
  TWinControl::CMEnter(Message);
}

void TCustomEdit::CMTextChanged(TMessage& Message) {
  TWinControl::CMTextChanged(Message);
  // A window announces its own changes with EN_CHANGE.
  if (!HandleAllocated()) Change();
}

void TCustomEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == win::WM_LBUTTONDOWN || Message.Msg == win::WM_LBUTTONDBLCLK) {
    FControlState.Include(csLButtonDown);  // focus taken by this press is no keyboard entry
  }
  if (IsClassMouseMessage(Message.Msg)) DefaultHandler(Message);
  switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC: Message.Result = FieldColors(this, reinterpret_cast<win::HDC>(Message.WParam)); return;
    default: TWinControl::Dispatch(Message); return;
  }
}

// ---- TCustomMemo ----

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(this)) {
  FControlStyle.Exclude(csFixedHeight);
  SetBounds(0, 0, 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::SetLines(TStrings* Value) { FLines->Assign(Value); }

void TCustomMemo::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style |= win::ES_MULTILINE;
  if (FWordWrap) Params.Style &= ~win::ES_AUTOHSCROLL;
  if (FWantReturns) Params.Style |= win::ES_WANTRETURN;
  if (FAlignment == taRightJustify) Params.Style |= win::ES_RIGHT;
  if (FAlignment == taCenter) Params.Style |= win::ES_CENTER;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= win::WS_VSCROLL;
  if ((FScrollBars == ssHorizontal || FScrollBars == ssBoth) && !FWordWrap) Params.Style |= win::WS_HSCROLL;
}

void TCustomMemo::SetWantReturns(bool Value) {
  if (FWantReturns == Value) return;
  FWantReturns = Value;
  RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  RecreateWnd();
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  FScrollBars = Value;
  RecreateWnd();
}

void TCustomMemo::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TCustomMemo::KeyPress(char16_t& Key) {
  TCustomEdit::KeyPress(Key);
  if (Key == u'\r' && !FWantReturns) Key = 0;
  if (Key == u'\t' && !FWantTabs) Key = 0;
}

void TCustomMemo::Dispatch(TMessage& Message) {
  if (Message.Msg == win::WM_GETDLGCODE) {
    DefaultHandler(Message);
    if (FWantTabs) {
      Message.Result |= win::DLGC_WANTTAB;
    } else {
      Message.Result &= ~win::DLGC_WANTTAB;
    }
    if (!FWantReturns) Message.Result &= ~win::DLGC_WANTALLKEYS;
    return;
  }
  TCustomEdit::Dispatch(Message);
}

}  // namespace fw
