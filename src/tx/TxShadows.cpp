// Drop-shadow windows and their alpha ramps.

#include "tx/TxShadows.h"

#include <algorithm>
#include <vector>

#include "framework/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/kernel/Rects.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"
#include "tx/TxUtilsState.h"

namespace tx {

namespace {

bool IsEmpty(const TRect& r) { return r.right <= r.left || r.bottom <= r.top; }

uint32_t Black(Integer alpha) { return uint32_t(std::clamp(alpha, 0, 255)) << 24; }

// The alpha of a corner pixel: a and b measure the pixel's way out of the corner along each side.
Integer CornerAlpha(Integer a, Integer b, Integer D) {
  if (D <= 0) return 0;
  const Integer c = std::max(a, b);
  const Integer v = ((c + a + b) * 128) / D;
  return v < 255 ? 255 - v : 0;
}

// The lengths of the fading parts at a segment's start and end.
void Ends(Integer edges, Integer part, Integer length, Integer& start, Integer& end) {
  start = (edges & 1) ? part : 0;
  end = (edges & 2) ? part : 0;
  if (start + end > length) {
    if (start && end)
      start = end = length / 2;
    else if (start)
      start = length;
    else
      end = length;
  }
}

// A 32-bit top-down DIB section with its DC.
struct Buffer {
  Buffer(Integer w, Integer h) {
    win::BITMAPINFO bi{};
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biBitCount = 32;
    bitmap = win::CreateDIBSection(nullptr, &bi, win::DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    dc = win::CreateCompatibleDC(nullptr);
    old = win::SelectObject(dc, bitmap);
  }
  ~Buffer() {
    win::SelectObject(dc, old);
    win::DeleteDC(dc);
    if (bitmap) win::DeleteObject(bitmap);
  }
  win::HBITMAP bitmap = nullptr;
  win::HDC dc = nullptr;
  win::HGDIOBJ old = nullptr;
  uint32_t* bits = nullptr;
};

win::BLENDFUNCTION Blend(Byte opacity) {
  win::BLENDFUNCTION b;
  b.BlendOp = win::AC_SRC_OVER;
  b.SourceConstantAlpha = opacity;
  b.AlphaFormat = win::AC_SRC_ALPHA;
  return b;
}

}  // namespace

TShadow::TShadow(const TRect& BoundsRect, Byte Opacity, bool NoAlpha, Integer Edges)
    : TCustomControl(nullptr), FOpacity(Opacity), FShadowEdges(Edges) {
  FVisible = false;
  FParentColor = false;
  SetColor(fw::clBtnShadow);
  if (fw::Application) SetParentWindow(fw::Application->Handle());
  SetBoundsRect(BoundsRect);
  if (!NoAlpha) {
    if (UpdateLayeredWindowProc && AlphaBlendProc)
      FShadowMethod = SM_LAYERED;
    else if (AlphaBlendProc)
      FShadowMethod = SM_ALPHABLEND;
  }
}

TShadow::~TShadow() { DestroyHandle(); }

void TShadow::CreateParams(fw::TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = (Params.Style & ~(win::WS_CHILD | win::WS_GROUP | win::WS_TABSTOP)) | win::WS_POPUP;
  Params.ExStyle |= win::WS_EX_TOOLWINDOW;
  if (FSaveBits) Params.WindowClass.style |= win::CS_SAVEBITS;
}

void TShadow::Show(win::HWND After) {
  win::SetWindowPos(Handle(), After, 0, 0, 0, 0,
                    win::SWP_NOSIZE | win::SWP_NOMOVE | win::SWP_NOACTIVATE | win::SWP_SHOWWINDOW |
                        win::SWP_NOOWNERZORDER | win::SWP_NOSENDCHANGING);
  FVisible = true;
}

void TShadow::UpdateLayered() {
  if (FShadowMethod != SM_LAYERED || Width() <= 0 || Height() <= 0) return;
  const win::HWND wnd = Handle();
  win::SetWindowLongW(wnd, win::GWL_EXSTYLE, win::GetWindowLongW(wnd, win::GWL_EXSTYLE) | win::WS_EX_LAYERED);
  Buffer buffer(Width(), Height());
  if (!buffer.bits) return;
  FillBuffer(buffer.bits, Width(), Height());
  const win::HDC screen = win::GetDC(nullptr);
  const win::POINT pos{Left(), Top()};
  const win::SIZE size{Width(), Height()};
  const win::POINT origin{0, 0};
  const win::BLENDFUNCTION blend = Blend(FOpacity);
  UpdateLayeredWindowProc(wnd, screen, &pos, &size, buffer.dc, &origin, 0, &blend, win::ULW_ALPHA);
  win::ReleaseDC(nullptr, screen);
}

void TShadow::WMEraseBkgnd(fw::TMessage& Message) {
  switch (FShadowMethod) {
    case SM_LAYERED:
      UpdateLayered();
      Message.Result = 1;
      break;
    case SM_ALPHABLEND: {
      Buffer buffer(Width(), Height());
      if (buffer.bits) {
        FillBuffer(buffer.bits, Width(), Height());
        AlphaBlendProc(reinterpret_cast<win::HDC>(Message.WParam), 0, 0, Width(), Height(), buffer.dc, 0, 0, Width(),
                       Height(), Blend(FOpacity));
      }
      Message.Result = 1;
      break;
    }
    default:
      // The plain band: the framework's own erasing in the control colour (dispatching the
      // message again would come straight back here).
      TCustomControl::WMEraseBkgnd(Message);
      break;
  }
}

void TShadow::Dispatch(fw::TMessage& Message) {
  switch (Message.Msg) {
    case win::WM_NCHITTEST:
      // Clicks pass through to the window beneath.
      Message.Result = win::HTTRANSPARENT;
      return;
    default:
      TCustomControl::Dispatch(Message);
  }
}

void THorzShadow::FillBuffer(uint32_t* Bits, Integer W, Integer H) const {
  if (W <= 0 || H <= 0) return;
  Integer start = 0, end = 0;
  Ends(ShadowEdges(), H, W, start, end);
  for (Integer y = 0; y < H; ++y) {
    uint32_t* row = Bits + size_t(y) * size_t(W);
    for (Integer x = start; x < W - end; ++x) row[x] = Black(255 - (y * 256) / H);
    // Start corner (w = start, h = H).
    const Integer Ds = std::max(start, H);
    for (Integer x = 0; x < start; ++x) {
      const Integer a = std::max(y + Ds - H, H - Ds - y);
      const Integer b = std::max(x + 1 - Ds, Ds - 1 - x);
      row[x] = Black(CornerAlpha(a, b, Ds));
    }
    // End corner (w = end, h = H), mirrored.
    const Integer De = std::max(end, H);
    for (Integer x = 0; x < end; ++x) {
      const Integer a = std::max(y + De - H, H - De - y);
      const Integer b = std::max(x - (end - De), (end - De) - x);
      row[W - end + x] = Black(CornerAlpha(a, b, De));
    }
  }
}

void TVertShadow::FillBuffer(uint32_t* Bits, Integer W, Integer H) const {
  if (W <= 0 || H <= 0) return;
  Integer start = 0, end = 0;
  Ends(ShadowEdges(), W, H, start, end);
  const Integer D = W;  // corners are W wide; their height is the part's length
  for (Integer y = 0; y < H; ++y) {
    uint32_t* row = Bits + size_t(y) * size_t(W);
    for (Integer x = 0; x < W; ++x) {
      if (y >= start && y < H - end) {
        row[x] = Black(255 - (x * 256) / W);
      } else if (y < start) {
        const Integer Dt = std::max(D, start);
        const Integer a = std::max(y + 1 - Dt, Dt - 1 - y);
        const Integer b = std::max(x - (W - Dt), (W - Dt) - x);
        row[x] = Black(CornerAlpha(a, b, Dt));
      } else {
        const Integer yl = y - (H - end), Db = std::max(D, end);
        const Integer a = std::max(yl + Db - end, end - Db - yl);
        const Integer b = std::max(x - (W - Db), (W - Db) - x);
        row[x] = Black(CornerAlpha(a, b, Db));
      }
    }
  }
}

TShadows::TShadows(const TRect& R1, const TRect& R2, Integer Size, Byte Opacity, bool NoAlpha) {
  if (NoAlpha || (!UpdateLayeredWindowProc && !AlphaBlendProc)) Size /= 2;
  const Integer S = Size;
  const bool one = IsEmpty(R1) || IsEmpty(R2);
  if (one) {
    const TRect R = IsEmpty(R1) ? R2 : R1;
    if (!IsEmpty(R)) {
      Add(true, TRect{R.right, R.top + S, R.right + S, R.bottom}, 1, Opacity, NoAlpha);
      Add(false, TRect{R.left + S, R.bottom, R.right + S, R.bottom + S}, 3, Opacity, NoAlpha);
    }
  } else if (R1.top + 2 >= R2.bottom || R1.bottom - 2 <= R2.top) {
    const TRect& Lo = R1.top + 2 >= R2.bottom ? R1 : R2;
    const TRect& Up = R1.top + 2 >= R2.bottom ? R2 : R1;
    if (Up.left + S < Lo.left) Add(false, TRect{Up.left + S, Up.bottom, Lo.left, Up.bottom + S}, 1, Opacity, NoAlpha);
    Add(false, TRect{Lo.left + S, Lo.bottom, Lo.right + S, Lo.bottom + S}, 3, Opacity, NoAlpha);
    Add(true, TRect{Up.right, Up.top + S, Up.right + S, Up.bottom}, 1, Opacity, NoAlpha);
    if (Lo.right < Up.right) Add(false, TRect{Lo.right, Up.bottom, Up.right + S, Up.bottom + S}, 3, Opacity, NoAlpha);
    if (Up.right + S >= Lo.right)
      Add(true, TRect{Lo.right, Lo.top + 1, Lo.right + S, Lo.bottom}, 0, Opacity, NoAlpha);
    else
      Add(true, TRect{Lo.right, Lo.top + S, Lo.right + S, Lo.bottom}, 1, Opacity, NoAlpha);
  } else if (R1.left + 2 >= R2.right || R1.right - 2 <= R2.left) {
    const TRect& Rt = R1.left + 2 >= R2.right ? R1 : R2;
    const TRect& Lf = R1.left + 2 >= R2.right ? R2 : R1;
    if (Lf.top + S < Rt.top) Add(true, TRect{Lf.right, Lf.top + S, Lf.right + S, Rt.top}, 1, Opacity, NoAlpha);
    Add(true, TRect{Rt.right, Rt.top + S, Rt.right + S, Rt.bottom + S}, 3, Opacity, NoAlpha);
    Add(false, TRect{Lf.left + S, Lf.bottom, Lf.right, Lf.bottom + S}, 1, Opacity, NoAlpha);
    if (Rt.bottom < Lf.bottom) Add(true, TRect{Lf.right, Rt.bottom, Lf.right + S, Lf.bottom + S}, 3, Opacity, NoAlpha);
    if (Lf.bottom + S < Rt.bottom)
      Add(false, TRect{Rt.left + S, Rt.bottom, Rt.right, Rt.bottom + S}, 1, Opacity, NoAlpha);
    else
      Add(false, TRect{Rt.left, Rt.bottom, Rt.right, Rt.bottom + S}, 0, Opacity, NoAlpha);
  }
  for (auto& s : FShadows)
    if (s) s->UpdateLayered();
  SetSaveBits(true);
}

TShadows::~TShadows() = default;

void TShadows::Add(bool Vertical, const TRect& R, Integer Edges, Byte Opacity, bool NoAlpha) {
  for (auto& slot : FShadows)
    if (!slot) {
      if (Vertical)
        slot = std::make_unique<TVertShadow>(R, Opacity, NoAlpha, Edges);
      else
        slot = std::make_unique<THorzShadow>(R, Opacity, NoAlpha, Edges);
      return;
    }
}

void TShadows::SetSaveBits(bool Value) {
  FSaveBits = Value;
  for (auto& s : FShadows)
    if (s) s->SetSaveBits(Value);
}

void TShadows::Show(win::HWND After) {
  for (auto& s : FShadows)
    if (s) s->Show(After);
}

Integer TShadows::Count() const {
  return Integer(std::count_if(FShadows.begin(), FShadows.end(), [](const auto& s) { return s != nullptr; }));
}

TShadow* TShadows::Shadow(Integer Index) const {
  Integer i = 0;
  for (const auto& s : FShadows)
    if (s && i++ == Index) return s.get();
  return nullptr;
}

}  // namespace tx
