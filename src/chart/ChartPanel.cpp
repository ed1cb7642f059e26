// The chart panel: the installed canvas, painting through it, pictures and printing.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "chart/Chart.h"
#include "chart/PlotCanvas.h"
#include "framework/GraphicsCanvas.h"
#include "framework/GraphicsMetafile.h"

namespace chart {

namespace {
// Largest picture CreateBitmap makes (pixels per side, and in all).
constexpr Integer MaxBitmapSide = 32768;
constexpr std::int64_t MaxBitmapPixels = std::int64_t(1) << 28;
// Percent of the page kept free on every side before proportional margins centre the chart.
constexpr Integer ProportionalBaseMargin = 10;

Integer PercentOf(Integer Size, Integer Percent) {
  return Integer((std::int64_t(Size) * Percent + (Size >= 0 ? 50 : -50)) / 100);
}
}  // namespace

TCustomPlotPanel::TCustomPlotPanel(fw::TComponent* AOwner) : fw::TCustomControl(AOwner) {
  FPlotCanvas = std::make_unique<TPlotCanvas3D>();
  FPlotCanvas->SetReferenceCanvas(fw::TCustomControl::Canvas());
  FPlotCanvas->SetBufferedDisplay(true);
  SetParentColor(false);
  SetColor(fw::clBtnFace);
  SetBounds(0, 0, 400, 250);
}

TCustomPlotPanel::~TCustomPlotPanel() { FAutoRepaint = false; }

std::unique_ptr<TPlotCanvas3D> TCustomPlotPanel::SetCanvas(std::unique_ptr<TPlotCanvas3D> Value) {
  if (!Value) return std::move(FPlotCanvas);
  if (Value.get() == FPlotCanvas.get()) {
    (void)Value.release();  // already installed (and owned) here
    return nullptr;
  }
  Value->SetReferenceCanvas(fw::TCustomControl::Canvas());
  if (FPlotCanvas) {
    const bool keep = FAutoRepaint;
    FAutoRepaint = false;
    Value->AssignSettings(FPlotCanvas.get());
    FAutoRepaint = keep;
  }
  FPlotCanvas = std::move(Value);
  FPlotCanvas->Invalidate();
  if (FAutoRepaint) fw::TCustomControl::Invalidate();
  return nullptr;
}

bool TCustomPlotPanel::BufferedDisplay() const { return FPlotCanvas && FPlotCanvas->BufferedDisplay(); }

void TCustomPlotPanel::SetBufferedDisplay(bool Value) {
  if (FPlotCanvas) FPlotCanvas->SetBufferedDisplay(Value);
}

void TCustomPlotPanel::SetAutoRepaint(bool Value) { FAutoRepaint = Value; }

void TCustomPlotPanel::SetPrintMargins(const TRect& Value) {
  TRect m{std::clamp<Integer>(Value.left, 0, 99), std::clamp<Integer>(Value.top, 0, 99),
          std::clamp<Integer>(Value.right, 0, 99), std::clamp<Integer>(Value.bottom, 0, 99)};
  // Opposite margins leave at least one percent of the page.
  if (m.left + m.right > 99) m.right = std::max<Integer>(0, 99 - m.left);
  if (m.top + m.bottom > 99) m.bottom = std::max<Integer>(0, 99 - m.top);
  FPrintMargins = m;
}

void TCustomPlotPanel::SetPrintResolution(Integer Value) { FPrintResolution = std::clamp<Integer>(Value, -100, 100); }

TRect TCustomPlotPanel::PrintLayoutRect(Integer Width, Integer Height) const {
  if (FPrintResolution == 0) return TRect{0, 0, Width, Height};
  double scale = std::exp2(FPrintResolution / 100.0);
  const Integer longest = std::max<Integer>({Width, Height, 1});
  if (scale > 1) scale = std::min(scale, std::max(1.0, double(MaxMetafileSide) / longest));
  const auto side = [scale](Integer Size) { return std::max<Integer>(1, Integer(std::lround(Size * scale))); };
  return TRect{0, 0, side(Width), side(Height)};
}

TRect TCustomPlotPanel::CalcProportionalMargins(Integer PageWidth, Integer PageHeight) {
  const Integer w = Width(), h = Height();
  if (PageWidth <= 0 || PageHeight <= 0 || w <= 0 || h <= 0) return FPrintMargins;
  // The room inside fixed margins, not the current ones: recomputing for another page (or the
  // same one again) never compounds.
  const Integer roomW = PageWidth - 2 * PercentOf(PageWidth, ProportionalBaseMargin);
  const Integer roomH = PageHeight - 2 * PercentOf(PageHeight, ProportionalBaseMargin);
  // The chart's shape, as large as fits, centred on the page.
  std::int64_t fitW = roomW, fitH = std::int64_t(roomW) * h / w;
  if (fitH > roomH) {
    fitH = roomH;
    fitW = std::int64_t(roomH) * w / h;
  }
  const Integer l = Integer(100 * (PageWidth - fitW) / 2 / PageWidth);
  const Integer t = Integer(100 * (PageHeight - fitH) / 2 / PageHeight);
  return TRect{l, t, l, t};
}

TRect TCustomPlotPanel::ChartPrintRect(Integer PageWidth, Integer PageHeight) {
  if (FPrintProportional) FPrintMargins = CalcProportionalMargins(PageWidth, PageHeight);
  PageWidth = std::max<Integer>(0, PageWidth);
  PageHeight = std::max<Integer>(0, PageHeight);
  return TRect{PercentOf(PageWidth, FPrintMargins.left), PercentOf(PageHeight, FPrintMargins.top),
               PageWidth - PercentOf(PageWidth, FPrintMargins.right),
               PageHeight - PercentOf(PageHeight, FPrintMargins.bottom)};
}

void TCustomPlotPanel::PrintPartial(fw::TCanvas& PrinterCanvas, const TRect& R) {
  struct Restore {
    TCustomPlotPanel* p;
    bool printing, buffered;
    ~Restore() {
      p->FPrinting = printing;
      p->SetBufferedDisplay(buffered);
    }
  } restore{this, FPrinting, BufferedDisplay()};
  FPrinting = true;
  SetBufferedDisplay(false);
  const Integer w = R.right - R.left, h = R.bottom - R.top;
  const TRect layout = PrintLayoutRect(w, h);
  if (w <= 0 || h <= 0 || (layout.right == w && layout.bottom == h)) {
    Draw(PrinterCanvas, R);
    return;
  }
  // Laid out at the layout's size and mapped onto R: fonts, pens, marks, tick lengths and the
  // chart's margins in pixels scale together. Enlarged, its one-dot lines widen too, dashes and
  // dots of the grid lengthening with them; shrunk, they stay one dot.
  std::unique_ptr<fw::TMetafile> picture = CreateMetafile(true, layout);
  picture->SetWidenThinPens(true);
  PrinterCanvas.StretchDraw(R, picture.get());
}

std::unique_ptr<fw::TBitmap> TCustomPlotPanel::CreateBitmap(TColor BackColor, const win::RECT& R,
                                                           fw::TPixelFormat PixelFormat) {
  const std::int64_t w = std::int64_t(R.right) - R.left, h = std::int64_t(R.bottom) - R.top;
  if (w < 0 || h < 0 || w > MaxBitmapSide || h > MaxBitmapSide || w * h > MaxBitmapPixels) return nullptr;
  auto bitmap = std::make_unique<fw::TBitmap>();
  bitmap->SetPixelFormat(FPlotCanvas && FPlotCanvas->NonGDICanvas() ? fw::pf24bit : PixelFormat);
  bitmap->SetSize(Integer(w), Integer(h));
  if (w == 0 || h == 0) return bitmap;
  fw::TCanvas* c = bitmap->Canvas();
  if (!FPlotCanvas) {
    // Nothing will draw: the picture is the background alone.
    c->Brush()->SetStyle(fw::bsSolid);
    c->Brush()->SetColor(BackColor);
    c->FillRect(TRect{0, 0, Integer(w), Integer(h)});
    return bitmap;
  }
  struct Restore {
    TCustomPlotPanel* p;
    bool buffered;
    ~Restore() {
      p->FHasDrawBackColor = false;
      p->SetBufferedDisplay(buffered);
    }
  } restore{this, BufferedDisplay()};
  FHasDrawBackColor = true;
  FDrawBackColor = BackColor;
  SetBufferedDisplay(false);
  Draw(*c, TRect{0, 0, Integer(w), Integer(h)});
  return bitmap;
}

void TCustomPlotPanel::Draw(fw::TCanvas& UserCanvas, const win::RECT& R) {
  if (!FPlotCanvas || R.right <= R.left || R.bottom <= R.top) return;
  TPlotCanvas3D& canvas = *FPlotCanvas;
  struct Restore {
    TPlotCanvas3D& c;
    fw::TCanvas* reference;
    bool ended = false;
    ~Restore() {
      if (!ended) c.EndDrawing();
      c.SetReferenceCanvas(reference);
    }
  } restore{canvas, canvas.ReferenceCanvas()};
  canvas.SetReferenceCanvas(&UserCanvas);
  canvas.InitDrawing(R);
  InternalDraw(canvas, R);
  restore.ended = true;
  canvas.EndDrawing();
  // A picture made for another canvas is not the window's: the window draws afresh next time.
  if (&UserCanvas != fw::TCustomControl::Canvas()) canvas.Invalidate();
}

void TCustomPlotPanel::Invalidate() {
  if (FPlotCanvas) FPlotCanvas->Invalidate();
  if (FAutoRepaint) fw::TCustomControl::Invalidate();
}

TColor TCustomPlotPanel::BackgroundColor() const { return FHasDrawBackColor ? FDrawBackColor : Color(); }

void TCustomPlotPanel::InternalDraw(TPlotCanvas3D& Canvas, const TRect& R) {
  Canvas.Brush()->SetStyle(fw::bsSolid);
  Canvas.Brush()->SetColor(BackgroundColor());
  Canvas.FillRect(R);
}

void TCustomPlotPanel::Paint() {
  if (!FPlotCanvas) return;
  fw::TCanvas* own = fw::TCustomControl::Canvas();
  const TRect client = ClientRect();
  // An unchanged picture of the same size comes back from the back buffer.
  if (FPlotCanvas->BufferedDisplay() && !FPlotCanvas->Dirty() && FPlotCanvas->Bounds() == client) {
    fw::TCanvas* keep = FPlotCanvas->ReferenceCanvas();
    FPlotCanvas->SetReferenceCanvas(own);
    const bool shown = FPlotCanvas->ReDrawBitmap();
    FPlotCanvas->SetReferenceCanvas(keep);
    if (shown) return;
  }
  Draw(*own, client);
}

void TCustomPlotPanel::WMEraseBkgnd(fw::TMessage& Message) { Message.Result = 1; }

void TCustomPlotPanel::CMColorChanged(fw::TMessage& Message) {
  fw::TCustomControl::CMColorChanged(Message);
  Invalidate();
}

TCustomPlotPanelExtended::TCustomPlotPanelExtended(fw::TComponent* AOwner)
    : TCustomPlotPanel(AOwner), FGradient(std::make_unique<TPlotGradient>()) {}

TCustomPlotPanelExtended::~TCustomPlotPanelExtended() = default;

void TCustomPlotPanelExtended::InternalDraw(TPlotCanvas3D& Canvas, const TRect& R) {
  if (FGradient->Visible)
    FGradient->Draw(&Canvas, R);
  else
    TCustomPlotPanel::InternalDraw(Canvas, R);
}

}  // namespace chart
