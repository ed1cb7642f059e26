// Rounded frames, the lazily bound gradient and the glyph strip the further themes share.

#include "themes/vrnThemes.h"

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "platform/gdi/Gdi.h"
#include "platform/kernel/Modules.h"
#include "tx/TxUtils.h"

namespace themes {

namespace {

void Line(TCanvas* c, Integer x1, Integer y1, Integer x2, Integer y2) {
  c->MoveTo(x1, y1);
  c->LineTo(x2, y2);
}

// Steps 2 and 3 of both frames: the cut outline, then the shadow over right and bottom.
void Outline(TCanvas* c, const TRect& r, Integer a, Integer b, TColor frame, TColor shadow) {
  const Integer L = r.left, T = r.top, R = r.right - 1, B = r.bottom - 1;
  c->Pen()->SetColor(frame);
  const fw::TPoint outline[9] = {{L + a, T}, {R - b, T}, {R, T + b}, {R, B - b}, {R - b, B},
                                 {L + a, B}, {L, B - a}, {L, T + a}, {L + a, T}};
  c->Polyline(outline, 9);
  if (shadow != fw::clNone) {
    c->Pen()->SetColor(shadow);
    const fw::TPoint edge[4] = {{R, T + b}, {R, B - b}, {R - b, B}, {L + a - 1, B}};
    c->Polyline(edge, 4);
  }
}

void LeftCorners(TCanvas* c, const TRect& r, Integer a) {
  if (a <= 0) return;
  const Integer L = r.left, T = r.top, B = r.bottom - 1;
  Line(c, L + a - 1, T, L - 1, T + a);
  Line(c, L + a - 1, B, L - 1, B - a);
}

void RightCorners(TCanvas* c, const TRect& r, Integer b) {
  if (b <= 0) return;
  const Integer T = r.top, R = r.right - 1, B = r.bottom - 1;
  Line(c, R + 1 - b, T, R + 1, T + b);
  Line(c, R + 1 - b, B, R + 1, B - b);
}

// ---- Gradient binding ----

win::HMODULE gGradientLibrary = nullptr;
bool gBound = false;

TColor Resolved(TColor c) { return tx::ResolveColor(c); }

win::BOOL NoGradientFill(win::HDC, const win::TRIVERTEX*, win::ULONG, const void*, win::ULONG, win::ULONG) {
  return win::FALSE;
}

void GradientRectNative(win::HDC DC, const TRect& ARect, TColor StartColor, TColor EndColor, bool Vertical) {
  const win::TRIVERTEX vertices[2] = {tx::GradientVertex(ARect.left, ARect.top, StartColor),
                                      tx::GradientVertex(ARect.right, ARect.bottom, EndColor)};
  const win::GRADIENT_RECT mesh{0, 1};
  GradientFillProc(DC, vertices, 2, &mesh, 1, Vertical ? win::GRADIENT_FILL_RECT_V : win::GRADIENT_FILL_RECT_H);
}

void GradientRectBanded(win::HDC DC, const TRect& ARect, TColor StartColor, TColor EndColor, bool Vertical) {
  const TColor s = Resolved(StartColor), e = Resolved(EndColor);
  const Integer N = Vertical ? ARect.bottom - ARect.top : ARect.right - ARect.left;
  if (N <= 0) return;
  TRect band = ARect;
  if (Vertical)
    band.bottom = band.top + 1;
  else
    band.right = band.left + 1;
  for (Integer k = 1; k <= N; ++k) {
    TColor c = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      const Integer from = (s >> shift) & 0xFF, to = (e >> shift) & 0xFF;
      c |= (from + (to - from) * k / N) << shift;
    }
    const win::HBRUSH brush = win::CreateSolidBrush(win::COLORREF(c));
    win::FillRect(DC, &band, brush);
    win::DeleteObject(brush);
    if (Vertical) {
      ++band.top;
      ++band.bottom;
    } else {
      ++band.left;
      ++band.right;
    }
  }
}

// The end of the themes gives the gradient library back. Made on the first binding, after the
// platform's module table, so it goes before that table at the end of the program.
struct TGradientLibraryRelease {
  ~TGradientLibraryRelease() { ReleaseGradientLibrary(); }
};

void BindGradientFill() {
  if (gBound) return;
  gGradientLibrary = win::LoadLibraryW(u"msimg32.dll");
  static const TGradientLibraryRelease release;
  win::FARPROC address = gGradientLibrary ? win::GetProcAddress(gGradientLibrary, "GradientFill") : nullptr;
  if (!address) {
    GradientFillProc = &NoGradientFill;
    GradientRectProc = &GradientRectBanded;
  } else {
    GradientFillProc = reinterpret_cast<tx::TGradientFillProc>(address);
    GradientRectProc = &GradientRectNative;
  }
  gBound = true;
}

win::BOOL GradientFillStub(win::HDC DC, const win::TRIVERTEX* Vertices, win::ULONG Count, const void* Mesh,
                           win::ULONG MeshCount, win::ULONG Mode) {
  BindGradientFill();
  return GradientFillProc(DC, Vertices, Count, Mesh, MeshCount, Mode);
}

void GradientRectStub(win::HDC DC, const TRect& ARect, TColor StartColor, TColor EndColor, bool Vertical) {
  BindGradientFill();
  GradientRectProc(DC, ARect, StartColor, EndColor, Vertical);
}

// ---- Glyph strip: the white pixels of each cell, as runs (y from, y to, x from, x to) ----
struct Run {
  int y0, y1, x0, x1;
};
constexpr Run kClose[] = {{5, 5, 4, 5},   {5, 5, 10, 11}, {11, 11, 4, 5}, {11, 11, 10, 11}, {6, 6, 5, 6},
                          {6, 6, 9, 10},  {10, 10, 5, 6}, {10, 10, 9, 10}, {7, 7, 6, 9},    {9, 9, 6, 9},
                          {8, 8, 7, 8}};
constexpr Run kMaximize[] = {{4, 5, 3, 11}, {6, 11, 3, 3}, {6, 11, 11, 11}, {12, 12, 3, 11}};
constexpr Run kMinimize[] = {{11, 12, 4, 9}};
constexpr Run kRestore[] = {{4, 5, 5, 11},   {6, 6, 5, 5},   {6, 6, 11, 11}, {7, 8, 3, 9},   {7, 8, 11, 11},
                            {9, 9, 3, 3},    {9, 9, 9, 11},  {10, 11, 3, 3}, {10, 11, 9, 9}, {12, 12, 3, 9}};

}  // namespace

tx::TGradientFillProc GradientFillProc = &GradientFillStub;
TGradientRectProc GradientRectProc = &GradientRectStub;

void ReleaseGradientLibrary() {
  if (gGradientLibrary) win::FreeLibrary(gGradientLibrary);
  gGradientLibrary = nullptr;
}

void ResetGradientBinding() {
  ReleaseGradientLibrary();
  gBound = false;
  GradientFillProc = &GradientFillStub;
  GradientRectProc = &GradientRectStub;
}

void DrawRoundedFrame(TCanvas* Canvas, const TRect& ARect, Integer LeftRound, Integer RightRound, TColor FrameColor,
                      TColor ShadowColor, TColor CornerColor) {
  const TColor saved = Canvas->Pen()->Color();
  Outline(Canvas, ARect, LeftRound, RightRound, FrameColor, ShadowColor);
  Canvas->Pen()->SetColor(CornerColor);
  RightCorners(Canvas, ARect, RightRound);
  LeftCorners(Canvas, ARect, LeftRound);
  Canvas->Pen()->SetColor(saved);
}

void DrawSoftRoundedFrame(TCanvas* Canvas, const TRect& ARect, Integer LeftRound, Integer RightRound,
                          TColor FrameColor, TColor ShadowColor) {
  const TColor saved = Canvas->Pen()->Color();
  Outline(Canvas, ARect, LeftRound, RightRound, FrameColor, ShadowColor);
  Canvas->Pen()->SetColor(tx::BlendColors(Canvas->Pixels(ARect.left, ARect.top), FrameColor, 60));
  LeftCorners(Canvas, ARect, LeftRound);
  if (ShadowColor != fw::clNone)
    Canvas->Pen()->SetColor(tx::BlendColors(Canvas->Pixels(ARect.right - 1, ARect.bottom - 1), ShadowColor, 60));
  RightCorners(Canvas, ARect, RightRound);
  Canvas->Pen()->SetColor(saved);
}

void FillGradient(TCanvas* Canvas, const TRect& ARect, TColor ToColor, TColor FromColor, bool Vertical) {
  GradientRectProc(Canvas->Handle(), ARect, FromColor, ToColor, Vertical);
}

void LoadGlyphStrip(fw::TCustomImageList* List) {
  fw::TBitmap strip;
  strip.SetMonochrome(true);
  strip.SetSize(64, 16);
  fw::TCanvas* c = strip.Canvas();
  c->Brush()->SetColor(fw::clBlack);
  c->FillRect(TRect{0, 0, 64, 16});
  c->Brush()->SetColor(fw::clWhite);
  const auto paint = [&](int cell, const Run* runs, size_t count) {
    for (size_t i = 0; i < count; ++i)
      c->FillRect(TRect{16 * cell + runs[i].x0, runs[i].y0, 16 * cell + runs[i].x1 + 1, runs[i].y1 + 1});
  };
  paint(0, kClose, std::size(kClose));
  paint(1, kMaximize, std::size(kMaximize));
  paint(2, kMinimize, std::size(kMinimize));
  paint(3, kRestore, std::size(kRestore));
  List->SetWidth(16);
  List->SetHeight(16);
  List->AddMasked(&strip, fw::clWhite);
}

Integer MDIGlyphIndex(fw::Cardinal ButtonKind) {
  switch (ButtonKind) {
    case tx::MDI_CLOSE: return 0;
    case tx::MDI_MINIMIZE: return 2;
    case tx::MDI_RESTORE: return 3;
    default: return -1;
  }
}

bool DrawMDIGlyph(win::HDC DC, const TRect& R, fw::TCustomImageList* Glyphs, fw::Cardinal ButtonKind, TColor Color,
                  Integer Raise) {
  const Integer glyph = MDIGlyphIndex(ButtonKind);
  if (glyph < 0 || !Glyphs) return false;
  tx::DrawGlyphMask(DC, (R.left + R.right - 16) / 2, (R.top + R.bottom - 16) / 2 - Raise, Glyphs, glyph, Color);
  return true;
}

}  // namespace themes
