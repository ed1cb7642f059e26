// The GDI implementation of the chart canvas: state, tools, 2D primitives, text, clipping,
// blending and the buffered display.
#include "chart/PlotCanvas.h"

#include <algorithm>
#include <cmath>

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "platform/gdi/Gdi.h"
#include "platform/kernel/TextConvert.h"

namespace chart {

namespace {

win::COLORREF Rgb(TColor C) { return win::COLORREF(fw::ColorToRGB(C)); }

}  // namespace

// Puts the chart canvas's pen, brush, font and text state into the drawing canvas for one
// primitive. Pens with flat or square ends, or small dots, need an extended pen that the
// framework pen cannot express; it is selected for the scope and the framework pen put back.
class TPlotCanvas3D::ToolScope {
 public:
  explicit ToolScope(TPlotCanvas3D* Owner) : FCanvas(Owner->DrawingCanvas()) {
    if (!FCanvas) return;
    TChartPen* p = Owner->FPen.get();
    fw::TPen* cp = FCanvas->Pen();
    cp->SetColor(p->Color());
    cp->SetWidth(std::max<Integer>(1, p->Width()));
    cp->SetStyle(p->Visible() ? p->Style() : fw::psClear);
    cp->SetMode(p->Mode());
    // Field by field: an unchanged brush keeps its GDI object (Assign would always remake it).
    fw::TBrush* cb = FCanvas->Brush();
    const TChartBrush* b = Owner->FBrush.get();
    if (cb->Bitmap() != b->Bitmap()) cb->SetBitmap(b->Bitmap());
    cb->SetColor(b->Color());
    cb->SetStyle(b->Style());
    FCanvas->RequiredState({fw::csHandleValid, fw::csPenValid, fw::csBrushValid});
    FDC = FCanvas->Handle();
    win::SetBkMode(FDC, Owner->FBackMode == cbmOpaque ? win::OPAQUE : win::TRANSPARENT);
    win::SetBkColor(FDC, Rgb(Owner->FBackColor));
    win::SetTextAlign(FDC, Owner->FTextAlign);
    if (Owner->UsesExtendedPen()) {
      win::LOGBRUSH lb;
      lb.lbStyle = win::BS_SOLID;
      lb.lbColor = Rgb(p->Color());
      win::HPEN pen;
      if (p->SmallDots()) {
        pen = win::ExtCreatePen(win::PS_COSMETIC | win::PS_ALTERNATE, 1, &lb, 0, nullptr);
      } else {
        const win::DWORD cap = p->EndStyle() == esSquare ? win::PS_ENDCAP_SQUARE : win::PS_ENDCAP_FLAT;
        pen = win::ExtCreatePen(win::PS_GEOMETRIC | win::DWORD(p->Style()) | cap | win::PS_JOIN_ROUND,
                                win::DWORD(std::max<Integer>(1, p->Width())), &lb, 0, nullptr);
      }
      if (pen) {
        FPen = pen;
        win::SelectObject(FDC, pen);
      }
    }
  }
  ~ToolScope() {
    if (FPen) {
      win::SelectObject(FDC, FCanvas->Pen()->Handle());
      win::DeleteObject(FPen);
    }
  }
  ToolScope(const ToolScope&) = delete;
  ToolScope& operator=(const ToolScope&) = delete;
  fw::TCanvas* operator->() const { return FCanvas; }
  explicit operator bool() const { return FCanvas != nullptr; }
  win::HDC DC() const { return FDC; }

 private:
  fw::TCanvas* FCanvas;
  win::HDC FDC = nullptr;
  win::HPEN FPen = nullptr;
};

TPlotCanvas3D::TPlotCanvas3D()
    : FPen(std::make_unique<TChartPen>()),
      FBrush(std::make_unique<TChartBrush>()),
      FFont(std::make_unique<TPlotFont>()) {}

TPlotCanvas3D::~TPlotCanvas3D() = default;

void TPlotCanvas3D::SetReferenceCanvas(fw::TCanvas* Value) { FReference = Value; }

fw::TCanvas* TPlotCanvas3D::DrawingCanvas() const {
  if (FInPass && FBuffered && FBuffer) return FBuffer->Canvas();
  return FReference;
}

bool TPlotCanvas3D::UsesExtendedPen() const {
  return FPen->Visible() && (FPen->SmallDots() || FPen->EndStyle() != esRound);
}

void TPlotCanvas3D::AssignSettings(TPlotCanvas3D* Source) {
  if (!Source || Source == this) return;
  FPen->Assign(Source->FPen.get());
  FBrush->Assign(Source->FBrush.get());
  FFont->Assign(Source->FFont.get());
  FView = Source->FView;
  FBackColor = Source->FBackColor;
  FBackMode = Source->FBackMode;
  FTextAlign = Source->FTextAlign;
  FBuffered = Source->FBuffered;
}

void TPlotCanvas3D::SetBufferedDisplay(bool Value) {
  if (FBuffered == Value) return;
  FBuffered = Value;
  if (!Value) FBuffer.reset();
  FDirty = true;
}

void TPlotCanvas3D::InitDrawing(const TRect& Bounds) {
  FBounds = Bounds;
  FInPass = true;
  if (!FBuffered) return;
  const Integer w = std::max<Integer>(0, Bounds.right - Bounds.left);
  const Integer h = std::max<Integer>(0, Bounds.bottom - Bounds.top);
  if (w == 0 || h == 0) {
    FBuffer.reset();
    return;
  }
  if (!FBuffer) {
    FBuffer = std::make_unique<fw::TBitmap>();
    FBuffer->SetPixelFormat(fw::pf24bit);
  }
  if (FBuffer->Width() != w || FBuffer->Height() != h) FBuffer->SetSize(w, h);
  // The buffer holds the bounds at its origin; the chart keeps drawing in its own coordinates.
  win::SetWindowOrgEx(FBuffer->Canvas()->Handle(), Bounds.left, Bounds.top, nullptr);
}

void TPlotCanvas3D::EndDrawing() {
  FInPass = false;
  if (FBuffered && FBuffer) {
    FDirty = false;
    ReDrawBitmap();
  }
}

bool TPlotCanvas3D::ReDrawBitmap() {
  if (!FBuffered || !FBuffer || FDirty || !FReference) return false;
  const Integer w = FBuffer->Width(), h = FBuffer->Height();
  win::HDC src = FBuffer->Canvas()->Handle();
  win::POINT org{};
  win::SetWindowOrgEx(src, 0, 0, &org);
  FReference->RequiredState({fw::csHandleValid});
  const bool ok = win::BitBlt(FReference->Handle(), FBounds.left, FBounds.top, w, h, src, 0, 0, win::SRCCOPY) != 0;
  win::SetWindowOrgEx(src, org.x, org.y, nullptr);
  return ok;
}

Integer TPlotCanvas3D::TextWidth(const String& Text) {
  if (!FReference) return 0;
  FReference->Font()->Assign(FFont.get());
  return FReference->TextWidth(Text);
}

Integer TPlotCanvas3D::TextHeight(const String& Text) {
  if (!FReference) return 0;
  FReference->Font()->Assign(FFont.get());
  return FReference->TextHeight(Text);
}

TColor TPlotCanvas3D::Pixels(Integer X, Integer Y) {
  fw::TCanvas* c = DrawingCanvas();
  return c ? c->Pixels(X, Y) : fw::clNone;
}

TColor TPlotCanvas3D::GetBackColor() { return FBackColor; }
TCanvasBackMode TPlotCanvas3D::GetBackMode() { return FBackMode; }
unsigned TPlotCanvas3D::GetTextAlign() { return FTextAlign; }
void TPlotCanvas3D::SetBackColor(TColor Value) { FBackColor = Value; }
void TPlotCanvas3D::SetBackMode(TCanvasBackMode Value) { FBackMode = Value; }
void TPlotCanvas3D::SetTextAlign(unsigned Value) { FTextAlign = Value; }

void TPlotCanvas3D::SetPixel(Integer X, Integer Y, TColor Value) {
  if (fw::TCanvas* c = DrawingCanvas()) c->SetPixels(X, Y, Value);
}

void TPlotCanvas3D::AssignVisiblePenColor(const TChartPen* Pen, TColor Color) {
  if (!Pen) return;
  FPen->Assign(const_cast<TChartPen*>(Pen));
  FPen->SetColor(Color);
}

void TPlotCanvas3D::BeginBlending(const TRect& R, Integer Transparency) {
  FBlending = false;
  fw::TCanvas* c = DrawingCanvas();
  const Integer w = R.right - R.left, h = R.bottom - R.top;
  if (!c || w <= 0 || h <= 0 || Transparency <= 0) return;
  FBlendRect = R;
  FBlendTransparency = std::min<Integer>(Transparency, 100);
  if (!FBlendSaved) {
    FBlendSaved = std::make_unique<fw::TBitmap>();
    FBlendSaved->SetPixelFormat(fw::pf24bit);
  }
  FBlendSaved->SetSize(w, h);
  c->RequiredState({fw::csHandleValid});
  win::BitBlt(FBlendSaved->Canvas()->Handle(), 0, 0, w, h, c->Handle(), R.left, R.top, win::SRCCOPY);
  FBlending = true;
}

void TPlotCanvas3D::EndBlending() {
  if (!FBlending) return;
  FBlending = false;
  fw::TCanvas* c = DrawingCanvas();
  if (!c) return;
  // The saved former picture goes back over the new one at the transparency's weight.
  win::BLENDFUNCTION bf;
  bf.SourceConstantAlpha = win::BYTE((FBlendTransparency * 255 + 50) / 100);
  const Integer w = FBlendRect.right - FBlendRect.left, h = FBlendRect.bottom - FBlendRect.top;
  win::AlphaBlend(c->Handle(), FBlendRect.left, FBlendRect.top, w, h, FBlendSaved->Canvas()->Handle(), 0, 0, w,
                  h, bf);
}

void TPlotCanvas3D::Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4,
                        Integer Y4) {
  if (ToolScope s{this}) win::Arc(s.DC(), X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TPlotCanvas3D::Draw(Integer X, Integer Y, fw::TGraphic* Graphic) {
  if (!Graphic) return;
  if (fw::TCanvas* c = DrawingCanvas()) c->Draw(X, Y, Graphic);
}

void TPlotCanvas3D::Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2) {
  if (ToolScope s{this}) win::Ellipse(s.DC(), X1, Y1, X2, Y2);
}

void TPlotCanvas3D::FillRect(const TRect& R) {
  if (ToolScope s{this}) s->FillRect(R);
}

void TPlotCanvas3D::LineTo(Integer X, Integer Y) {
  if (ToolScope s{this}) win::LineTo(s.DC(), X, Y);
}

void TPlotCanvas3D::MoveTo(Integer X, Integer Y) {
  if (fw::TCanvas* c = DrawingCanvas()) c->MoveTo(X, Y);
}

void TPlotCanvas3D::Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4,
                        Integer Y4) {
  if (ToolScope s{this}) win::Pie(s.DC(), X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TPlotCanvas3D::Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2) {
  if (ToolScope s{this}) win::Rectangle(s.DC(), X1, Y1, X2, Y2);
}

void TPlotCanvas3D::RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3) {
  if (ToolScope s{this}) win::RoundRect(s.DC(), X1, Y1, X2, Y2, X3, Y3);
}

void TPlotCanvas3D::StretchDraw(const TRect& R, fw::TGraphic* Graphic) {
  if (!Graphic) return;
  if (fw::TCanvas* c = DrawingCanvas()) c->StretchDraw(R, Graphic);
}

void TPlotCanvas3D::DrawText(Integer X, Integer Y, const String& Text, Integer Orientation) {
  fw::TCanvas* c = DrawingCanvas();
  if (!c || Text.empty()) return;
  const TPlotShadow* shadow = FFont->Shadow();
  auto out = [&](Integer x, Integer y, TColor color, TCanvasBackMode mode) {
    const TCanvasBackMode keep = FBackMode;
    FBackMode = mode;
    ToolScope s{this};
    FBackMode = keep;
    s->Font()->Assign(FFont.get());
    s->Font()->SetColor(color);
    s->Font()->SetOrientation(Orientation);
    s->RequiredState({fw::csHandleValid, fw::csFontValid});
    const std::u16string w = win::Utf8ToWide(Text);
    win::ExtTextOutW(s.DC(), x, y, 0, nullptr, w.c_str(), win::UINT(w.size()), nullptr);
  };
  if (shadow->Visible()) {
    const Integer sx = X + shadow->HorizSize, sy = Y + shadow->VertSize;
    // The shadow never paints a background: only the text's own background may.
    if (shadow->Transparency > 0) {
      const Integer reach = TextWidth(Text) + TextHeight(Text);
      BeginBlending(TRect{sx - reach, sy - reach, sx + reach, sy + reach}, shadow->Transparency);
      out(sx, sy, shadow->Color, cbmTransparent);
      EndBlending();
    } else {
      out(sx, sy, shadow->Color, cbmTransparent);
    }
  }
  out(X, Y, FFont->Color(), FBackMode);
}

void TPlotCanvas3D::TextOut(Integer X, Integer Y, const String& Text) { DrawText(X, Y, Text, 0); }

void TPlotCanvas3D::RotateLabel(Integer X, Integer Y, const String& Text, double Angle) {
  double a = std::isfinite(Angle) ? std::fmod(Angle, 360.0) : 0.0;
  if (a < 0) a += 360.0;
  DrawText(X, Y, Text, Integer(std::lround(a * 10.0)) % 3600);
}

void TPlotCanvas3D::ClipRectangle(const TRect& R) {
  fw::TCanvas* c = DrawingCanvas();
  if (!c) return;
  c->RequiredState({fw::csHandleValid});
  win::SelectClipRgn(c->Handle(), nullptr);
  win::IntersectClipRect(c->Handle(), R.left, R.top, R.right, R.bottom);
}

namespace {

// Selects Region as the clip of C (in logical units) and frees it.
void SelectLogicalClip(fw::TCanvas* C, win::HRGN Region) {
  if (!Region) return;
  C->RequiredState({fw::csHandleValid});
  win::POINT org{};
  win::GetWindowOrgEx(C->Handle(), &org);
  win::POINT vp{};
  win::GetViewportOrgEx(C->Handle(), &vp);
  win::OffsetRgn(Region, vp.x - org.x, vp.y - org.y);
  win::SelectClipRgn(C->Handle(), Region);
  win::DeleteObject(Region);
}

}  // namespace

void TPlotCanvas3D::ClipRoundRectangle(const TRect& R, Integer Corner) {
  if (fw::TCanvas* c = DrawingCanvas())
    SelectLogicalClip(c, win::CreateRoundRectRgn(R.left, R.top, R.right, R.bottom, Corner, Corner));
}

void TPlotCanvas3D::ClipEllipse(const TRect& R) {
  if (fw::TCanvas* c = DrawingCanvas())
    SelectLogicalClip(c, win::CreateEllipticRgn(R.left, R.top, R.right, R.bottom));
}

void TPlotCanvas3D::ClipPolygon(const TPoint* Points, Integer Count) {
  if (!Points || Count < 3) return;
  if (fw::TCanvas* c = DrawingCanvas()) SelectLogicalClip(c, win::CreatePolygonRgn(Points, Count, win::ALTERNATE));
}

void TPlotCanvas3D::UnClipRectangle() {
  if (fw::TCanvas* c = DrawingCanvas(); c && c->HandleAllocated()) win::SelectClipRgn(c->Handle(), nullptr);
}

void TPlotCanvas3D::DoHorizLine(Integer X0, Integer X1, Integer Y) {
  MoveTo(X0, Y);
  LineTo(X1, Y);
}

void TPlotCanvas3D::DoVertLine(Integer X, Integer Y0, Integer Y1) {
  MoveTo(X, Y0);
  LineTo(X, Y1);
}

void TPlotCanvas3D::Line(Integer X0, Integer Y0, Integer X1, Integer Y1) {
  MoveTo(X0, Y0);
  LineTo(X1, Y1);
}

void TPlotCanvas3D::Polygon(const TPoint* Points, Integer Count) {
  if (!Points || Count < 2) return;
  if (ToolScope s{this}) win::Polygon(s.DC(), Points, Count);
}

void TPlotCanvas3D::Polyline(const TPoint* Points, Integer Count) {
  if (!Points || Count < 2) return;
  MoveTo(Points[0].x, Points[0].y);
  for (Integer i = 1; i < Count; ++i) LineTo(Points[i].x, Points[i].y);
}

void TPlotCanvas3D::Frame3D(TRect& R, TColor TopColor, TColor BottomColor, Integer Width) {
  // Each ring: top and left edges first, then bottom and right, as 1-pixel lines that end one
  // pixel past the corner so the last pixel is drawn.
  TChartPen keep;
  keep.Assign(FPen.get());
  FPen->SetVisible(true);
  FPen->SetStyle(fw::psSolid);
  FPen->SetWidth(1);
  FPen->SetEndStyle(esRound);
  FPen->SetSmallDots(false);
  for (Integer i = 0; i < Width && R.right - R.left > 1 && R.bottom - R.top > 1; ++i) {
    const Integer l = R.left, t = R.top, r = R.right - 1, b = R.bottom - 1;
    FPen->SetColor(TopColor);
    Line(l, b, l, t);
    Line(l, t, r + 1, t);
    FPen->SetColor(BottomColor);
    Line(r, t + 1, r, b);
    Line(r, b, l, b);
    R.left++;
    R.top++;
    R.right--;
    R.bottom--;
  }
  FPen->Assign(&keep);
}

void TPlotCanvas3D::Arrow(bool Filled, TPoint From, TPoint To, Integer HeadWidth, Integer HeadHeight, Integer Z) {
  const TPoint a = Calc3DPoint(From, Z), b = Calc3DPoint(To, Z);
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len = std::hypot(dx, dy);
  if (len == 0) return;
  const double ux = dx / len, uy = dy / len;
  const double hx = b.x - ux * HeadHeight, hy = b.y - uy * HeadHeight;
  const double half = HeadWidth / 2.0;
  const TPoint left{Integer(std::lround(hx - uy * half)), Integer(std::lround(hy + ux * half))};
  const TPoint right{Integer(std::lround(hx + uy * half)), Integer(std::lround(hy - ux * half))};
  const TPoint base{Integer(std::lround(hx)), Integer(std::lround(hy))};
  if (Filled) {
    Line(a.x, a.y, base.x, base.y);
    const TPoint head[3] = {b, left, right};
    Polygon(head, 3);
  } else {
    Line(a.x, a.y, b.x, b.y);
    Line(left.x, left.y, b.x, b.y);
    Line(right.x, right.y, b.x, b.y);
  }
}

}  // namespace chart
