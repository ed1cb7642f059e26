// TClipboard over the window system's clipboard.

#include "framework/Clipbrd.h"

#include <cstring>
#include <memory>
#include <vector>

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsPicture.h"
#include "framework/Streams.h"
#include "framework/SysUtils.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/services/Clipboard.h"
#include "platform/user/services/ClipboardGlobalMemory.h"

namespace fw {
namespace {

// Keeps the clipboard open for a scope, exceptions included.
class OpenScope {
 public:
  explicit OpenScope(TClipboard* c) : c_(c) { c_->Open(); }
  ~OpenScope() { c_->Close(); }
  OpenScope(const OpenScope&) = delete;
  OpenScope& operator=(const OpenScope&) = delete;

 private:
  TClipboard* c_;
};

std::unique_ptr<TClipboard>& Current() {
  static std::unique_ptr<TClipboard> c;
  return c;
}

// Puts a copy of the graphic's pixels on the clipboard as CF_BITMAP.
void PutBitmap(TGraphic* Graphic) {
  TBitmap copy;
  copy.Assign(Graphic);
  win::HBITMAP h = copy.ReleaseHandle();
  if (h == nullptr) return;  // an empty picture puts nothing
  if (win::SetClipboardData(win::CF_BITMAP, h) == nullptr) {
    win::DeleteObject(h);
    throw Exception("Cannot put data on the clipboard");
  }
}

}  // namespace

TClipboard::~TClipboard() {
  if (FOpenRefCount > 0) win::CloseClipboard();
}

void TClipboard::Open() {
  if (FOpenRefCount == 0) {
    if (!win::OpenClipboard(nullptr)) throw Exception("Cannot open clipboard");
    FEmptied = false;
  }
  ++FOpenRefCount;
}

void TClipboard::Close() {
  if (FOpenRefCount == 0) return;
  if (--FOpenRefCount == 0) win::CloseClipboard();
}

void TClipboard::Clear() {
  OpenScope scope(this);
  win::EmptyClipboard();
}

void TClipboard::Adding() {
  if (FOpenRefCount != 0 && !FEmptied) {
    Clear();
    FEmptied = true;
  }
}

bool TClipboard::HasFormat(win::UINT Format) const { return win::IsClipboardFormatAvailable(Format) != win::FALSE; }

Integer TClipboard::FormatCount() const { return win::CountClipboardFormats(); }

win::UINT TClipboard::Formats(Integer Index) {
  OpenScope scope(this);
  win::UINT format = 0;
  for (Integer i = 0; Index >= 0 && i <= Index; ++i)
    if ((format = win::EnumClipboardFormats(format)) == 0) break;
  if (Index < 0 || format == 0) throw EListError(Format("List index out of bounds (%d)", Index));
  return format;
}

String TClipboard::AsText() {
  OpenScope scope(this);
  auto h = static_cast<win::HGLOBAL>(win::GetClipboardData(win::CF_UNICODETEXT));
  if (h == nullptr) return "";
  const size_t units = win::GlobalSize(h) / sizeof(char16_t);
  const auto* p = static_cast<const char16_t*>(win::GlobalLock(h));
  if (p == nullptr) return "";
  size_t n = 0;
  while (n < units && p[n] != u'\0') ++n;  // a block without a terminator ends at its size
  String text = win::WideToUtf8(std::u16string_view(p, n));
  win::GlobalUnlock(h);
  return text;
}

void TClipboard::SetAsText(const String& Value) {
  const WideString wide = win::Utf8ToWide(Value);
  win::HGLOBAL h = win::GlobalAllocCopy(wide.c_str(), (wide.size() + 1) * sizeof(char16_t));
  if (h == nullptr) throw EOutOfResources("Out of system resources");
  OpenScope scope(this);
  Adding();
  if (win::SetClipboardData(win::CF_UNICODETEXT, h) == nullptr) {
    win::GlobalFree(h);
    throw Exception("Cannot put data on the clipboard");
  }
}

Integer TClipboard::GetTextBuf(char* Buffer, Integer BufSize) {
  if (Buffer == nullptr || BufSize <= 0) return 0;
  const String text = AsText();
  size_t n = std::min(text.size(), size_t(BufSize - 1));
  // Back off to the start of a character when the cut falls inside one.
  if (n < text.size())
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  std::memcpy(Buffer, text.data(), n);
  Buffer[n] = '\0';
  return Integer(n);
}

void TClipboard::SetTextBuf(const char* Buffer) { SetAsText(Buffer != nullptr ? String(Buffer) : String()); }

win::HANDLE TClipboard::GetAsHandle(win::UINT Format) {
  OpenScope scope(this);
  return win::GetClipboardData(Format);
}

void TClipboard::SetAsHandle(win::UINT Format, win::HANDLE Value) {
  OpenScope scope(this);
  Adding();
  if (win::SetClipboardData(Format, Value) == nullptr) throw Exception("Cannot put data on the clipboard");
}

void TClipboard::Assign(TPersistent* Source) {
  TGraphic* graphic = dynamic_cast<TGraphic*>(Source);
  if (auto* picture = dynamic_cast<TPicture*>(Source)) graphic = picture->Graphic();
  if (graphic == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  OpenScope scope(this);
  Adding();
  PutBitmap(graphic);
}

void TClipboard::AssignTo(TPersistent* Dest) {
  if (auto* picture = dynamic_cast<TPicture*>(Dest)) {
    AssignTo(picture->Bitmap());
    return;
  }
  auto* bitmap = dynamic_cast<TBitmap*>(Dest);
  if (bitmap == nullptr) {
    TPersistent::AssignTo(Dest);
    return;
  }
  std::vector<uint8_t> image;
  {
    OpenScope scope(this);
    auto h = static_cast<win::HBITMAP>(win::GetClipboardData(win::CF_BITMAP));
    if (h == nullptr || !win::SaveBmpToMemory(h, image)) throw EInvalidGraphic("Unsupported clipboard format");
  }
  TMemoryStream stream;
  stream.Write(image.data(), Integer(image.size()));
  stream.SetPosition(0);
  bitmap->LoadFromStream(&stream);
}

TClipboard* Clipboard() {
  auto& c = Current();
  if (!c) c = std::make_unique<TClipboard>();
  return c.get();
}

TClipboard* SetClipboard(TClipboard* NewClipboard) {
  auto& c = Current();
  TClipboard* old = c.release();
  c.reset(NewClipboard);
  return old;
}

}  // namespace fw
