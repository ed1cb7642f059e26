#include "export/PlotPreviewPanel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "chart/PlotHandCursor.h"
#include "framework/Forms.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/GraphicsMetafile.h"
#include "platform/gdi/GdiBitmaps.h"

namespace kvexport {

namespace {

// Integer multiply-divide with a 64-bit product, truncated like the margins are everywhere.
Integer MulDivTrunc(Integer A, Integer B, Integer C) {
  return C == 0 ? 0 : Integer(std::int64_t(A) * B / C);
}

Integer Rounded(double V) { return Integer(std::lround(V)); }

// Restores the chart's printing flag however the drawing ends.
struct PrintingScope {
  chart::TCustomPlotPanel* p;
  bool was;
  explicit PrintingScope(chart::TCustomPlotPanel* P) : p(P), was(P->Printing()) { p->SetPrinting(true); }
  ~PrintingScope() { p->SetPrinting(was); }
};

}  // namespace

TPreviewChartPen::TPreviewChartPen() {
  SetSmallDots(true);
  SetStyle(fw::psDot);
}

void TPlotPanelsList::Remove(chart::TCustomPlotPanel* Panel) {
  FItems.erase(std::remove(FItems.begin(), FItems.end(), Panel), FItems.end());
}

void TPlotPanelsList::SetFirst(chart::TCustomPlotPanel* Panel) {
  if (!Panel) {
    if (!FItems.empty()) FItems.erase(FItems.begin());
    return;
  }
  Remove(Panel);
  FItems.insert(FItems.begin(), Panel);
}

TPlotPreviewPanel::TPlotPreviewPanel(fw::TComponent* AOwner) : chart::TCustomPlotPanelExtended(AOwner) {
  SetBounds(Left(), Top(), 432, 312);
  // The margin lines shown or hidden, or drawn in another style, show at once.
  FMargins.OnChange = [this](fw::TObject*) { Invalidate(); };
  FPaperShadow.Color = fw::clGray;
  FPaperShadow.HorizSize = 4;
  FPaperShadow.VertSize = 4;
}

TPlotPreviewPanel::~TPlotPreviewPanel() {
  for (Integer i = 0; i < FPanels.Count(); ++i) FPanels.Items(i)->RemoveFreeNotification(this);
}

void TPlotPreviewPanel::SetPanel(chart::TCustomPlotPanel* Value) {
  if (Value == Panel()) return;
  if (Panel()) Panel()->RemoveFreeNotification(this);
  FPanels.SetFirst(Value);
  if (Value) {
    Value->FreeNotification(this);
    if (Value->Canvas() && Value->Canvas()->NonGDICanvas()) FAsBitmap = true;
  }
  Invalidate();
}

void TPlotPreviewPanel::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  chart::TCustomPlotPanelExtended::Notification(AComponent, Operation);
  if (Operation != fw::opRemove) return;
  for (Integer i = 0; i < FPanels.Count(); ++i)
    if (FPanels.Items(i) == AComponent) {
      FPanels.Remove(FPanels.Items(i));
      Invalidate();
      return;
    }
}

void TPlotPreviewPanel::SetPrinter(fw::TPrinter* Value) {
  FPrinter = Value;
  Invalidate();
}

void TPlotPreviewPanel::SetAsBitmap(bool Value) {
  if (FAsBitmap == Value) return;
  FAsBitmap = Value;
  Invalidate();
}

void TPlotPreviewPanel::SetOrientation(TPreviewOrientation Value) {
  if (FOrientation == Value) return;
  FOrientation = Value;
  Invalidate();
}

void TPlotPreviewPanel::SetPaperColor(TColor Value) {
  if (FPaperColor == Value) return;
  FPaperColor = Value;
  Invalidate();
}

void TPlotPreviewPanel::SetShowImage(bool Value) {
  if (FShowImage == Value) return;
  FShowImage = Value;
  Invalidate();
}

void TPlotPreviewPanel::SetSmoothBitmap(bool Value) {
  if (FSmoothBitmap == Value) return;
  FSmoothBitmap = Value;
  Invalidate();
}

void TPlotPreviewPanel::ApplyOrientation() {
  if (FOrientation == ppoDefault || !FPrinter || FPrinter->Printing()) return;
  FPrinter->SetOrientation(FOrientation == ppoPortrait ? fw::poPortrait : fw::poLandscape);
}

void TPlotPreviewPanel::PageSize(Integer& Width, Integer& Height) {
  if (FPrinter) {
    ApplyOrientation();
    Width = FPrinter->PageWidth();
    Height = FPrinter->PageHeight();
    if (Width > 0 && Height > 0) return;
  }
  Width = fw::Screen->Width();
  Height = fw::Screen->Height();
}

TRect TPlotPreviewPanel::PaperRect() {
  Integer pageW = 0, pageH = 0;
  PageSize(pageW, pageH);
  const Integer cw = ClientWidth(), ch = ClientHeight();
  TRect r{};
  if (std::int64_t(cw) * pageH > std::int64_t(ch) * pageW) {
    const Integer h = ch - Rounded(ch / 5.0);
    const Integer w = pageH > 0 ? Rounded(double(h) * pageW / pageH) : cw;
    r.top = Rounded(ch / 10.0);
    r.bottom = r.top + h;
    r.left = (cw - w) / 2;
    r.right = r.left + w;
  } else {
    const Integer w = cw - Rounded(cw / 5.0);
    const Integer h = pageW > 0 ? Rounded(double(w) * pageH / pageW) : ch;
    r.left = Rounded(cw / 10.0);
    r.right = r.left + w;
    r.top = (ch - h) / 2;
    r.bottom = r.top + h;
  }
  if (OnGetPaperRect) OnGetPaperRect(this, r);
  return r;
}

TRect TPlotPreviewPanel::MarginsRect(const TRect& Paper) {
  TRect m{15, 15, 15, 15};
  if (chart::TCustomPlotPanel* p = Panel()) {
    if (p->PrintProportional() && FPrinter) {
      ApplyOrientation();
      p->SetPrintMargins(p->CalcProportionalMargins(FPrinter->PageWidth(), FPrinter->PageHeight()));
    }
    m = p->PrintMargins();
  }
  const Integer w = Paper.right - Paper.left, h = Paper.bottom - Paper.top;
  return TRect{Paper.left + MulDivTrunc(m.left, w, 100), Paper.top + MulDivTrunc(m.top, h, 100),
               Paper.right - MulDivTrunc(m.right, w, 100), Paper.bottom - MulDivTrunc(m.bottom, h, 100)};
}

void TPlotPreviewPanel::Paint() {
  FInPaint = true;
  struct Done {
    bool& f;
    ~Done() { f = false; }
  } done{FInPaint};
  // The panel's own background (colour or gradient).
  chart::TCustomPlotPanelExtended::Paint();
  fw::TCanvas& c = *fw::TCustomControl::Canvas();
  FPaper = PaperRect();
  FMarginsRect = MarginsRect(FPaper);
  c.Pen()->SetMode(fw::pmCopy);
  c.Pen()->SetStyle(fw::psClear);
  c.Brush()->SetStyle(fw::bsSolid);
  if (FPaperShadow.Visible()) {
    c.Brush()->SetColor(FPaperShadow.Color);
    c.FillRect(TRect{FPaper.left + FPaperShadow.HorizSize, FPaper.top + FPaperShadow.VertSize,
                     FPaper.right + FPaperShadow.HorizSize, FPaper.bottom + FPaperShadow.VertSize});
  }
  c.Pen()->SetStyle(fw::psSolid);
  c.Pen()->SetColor(fw::clBlack);
  c.Pen()->SetWidth(1);
  c.Brush()->SetColor(FPaperColor);
  c.Rectangle(FPaper.left, FPaper.top, FPaper.right, FPaper.bottom);
  for (Integer i = 0; i < FPanels.Count(); ++i) {
    chart::TCustomPlotPanel* p = FPanels.Items(i);
    const TRect r = i == 0 ? FMarginsRect : MarginsRect(FPaper);
    if (!FShowImage || r.right <= r.left || r.bottom <= r.top) continue;
    PrintingScope printing(p);
    // Nothing of the chart reaches past the margins.
    c.SetClipRect(r);
    const win::RECT area{0, 0, r.right - r.left, r.bottom - r.top};
    if (FAsBitmap) {
      // The chart's picture at its own size (at the area's when it has none) as the level of
      // detail lays it out, shrunk into the area: averaged (smooth) or by dropping pixels.
      const win::RECT size = p->Width() > 0 && p->Height() > 0 ? win::RECT{0, 0, p->Width(), p->Height()} : area;
      std::unique_ptr<fw::TBitmap> picture =
          p->CreateBitmap(FPaperColor, p->PrintLayoutRect(size.right, size.bottom), fw::pf24bit);
      if (picture) {
        const int mode = win::SetStretchBltMode(c.Handle(), FSmoothBitmap ? win::HALFTONE : win::COLORONCOLOR);
        c.StretchDraw(r, picture.get());
        win::SetStretchBltMode(c.Handle(), mode);
      }
    } else {
      // A picture of the chart at the size it prints in (as the level of detail lays it out),
      // shrunk into the area: the sheet shows the page as it will come out, fonts and lines in
      // their printed proportions. Played back, the picture's own clips stay inside ours. Its
      // one-dot lines widen, where it is enlarged, as on the page: when the level of detail lays
      // it out at another size than it prints in.
      Integer pageW = 0, pageH = 0;
      PageSize(pageW, pageH);
      const TRect printed = p->ChartPrintRect(pageW, pageH);
      const win::RECT size = printed.right > printed.left && printed.bottom > printed.top
                                 ? win::RECT{0, 0, printed.right - printed.left, printed.bottom - printed.top}
                                 : area;
      const TRect layout = p->PrintLayoutRect(size.right, size.bottom);
      std::unique_ptr<fw::TMetafile> picture = p->CreateMetafile(true, layout);
      picture->SetWidenThinPens(layout.right != size.right || layout.bottom != size.bottom);
      c.StretchDraw(r, picture.get());
    }
    c.RemoveClip();
  }
  DrawMarginLines(c, FPaper, FMarginsRect);
  c.Pen()->SetMode(fw::pmCopy);
  c.Brush()->SetStyle(fw::bsSolid);
  if (OnAfterDraw) OnAfterDraw(this);
}

void TPlotPreviewPanel::DrawMarginLines(fw::TCanvas& Canvas, const TRect& Paper, const TRect& M) {
  if (!FMargins.Visible()) return;
  Canvas.Pen()->SetMode(fw::pmNot);
  Canvas.Pen()->SetStyle(FMargins.Style());
  Canvas.Pen()->SetWidth(1);
  Canvas.Brush()->SetStyle(fw::bsClear);
  for (Integer x : {M.left, M.right - 1}) {
    Canvas.MoveTo(x, Paper.top);
    Canvas.LineTo(x, Paper.bottom);
  }
  for (Integer y : {M.top, M.bottom - 1}) {
    Canvas.MoveTo(Paper.left, y);
    Canvas.LineTo(Paper.right, y);
  }
}

void TPlotPreviewPanel::DrawFrameOnWindow() {
  fw::TCanvas* c = fw::TCustomControl::Canvas();
  if (!c || !HandleAllocated()) return;
  DrawMarginLines(*c, FPaper, FMarginsRect);
  c->Pen()->SetMode(fw::pmCopy);
  c->Brush()->SetStyle(fw::bsSolid);
  // Outside a paint the canvas borrowed the window's DC: give it back now.
  if (!FInPaint) static_cast<fw::TControlCanvas*>(c)->FreeHandle();
}

TPreviewDragMode TPlotPreviewPanel::HitTest(Integer X, Integer Y) {
  const TRect& m = FMarginsRect;
  const bool l = std::abs(X - m.left) < 5, r = std::abs(X - m.right) < 5;
  const bool t = std::abs(Y - m.top) < 5, b = std::abs(Y - m.bottom) < 5;
  TPreviewDragMode mode = dmNone;
  if (l && t) mode = dmTopLeft;
  else if (l && b) mode = dmBottomLeft;
  else if (r && t) mode = dmTopRight;
  else if (r && b) mode = dmBottomRight;
  else if (l) mode = dmLeft;
  else if (r) mode = dmRight;
  else if (t) mode = dmTop;
  else if (b) mode = dmBottom;
  else if (FAllowMove && X >= m.left && X < m.right && Y >= m.top && Y < m.bottom) mode = dmMove;
  if (!FAllowResize && mode != dmMove) mode = dmNone;
  return mode;
}

void TPlotPreviewPanel::MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) {
  chart::TCustomPlotPanelExtended::MouseDown(Button, Shift, X, Y);
  FDragMode = HitTest(X, Y);
  FPressPoint = fw::TPoint{X, Y};
  FPressMargins = FMarginsRect;
}

void TPlotPreviewPanel::MouseMove(fw::TShiftState Shift, Integer X, Integer Y) {
  chart::TCustomPlotPanelExtended::MouseMove(Shift, X, Y);
  if (FDragMode == dmNone) {
    static const fw::TCursor cursors[] = {fw::crDefault,  fw::crHSplit,   fw::crVSplit,   fw::crHSplit,
                                          fw::crVSplit,   chart::crPlotHand, fw::crSizeNWSE, fw::crSizeNESW,
                                          fw::crSizeNESW, fw::crSizeNWSE};
    SetCursor(cursors[HitTest(X, Y)]);
    return;
  }
  if (!FDragImage) DrawFrameOnWindow();  // erase the frame where it was
  DragTo(X, Y);
  if (FDragImage) Invalidate();
  else DrawFrameOnWindow();
}

void TPlotPreviewPanel::MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) {
  chart::TCustomPlotPanelExtended::MouseUp(Button, Shift, X, Y);
  if (FDragMode == dmNone) return;
  FDragMode = dmNone;
  if (!FDragImage) Invalidate();
}

void TPlotPreviewPanel::DragTo(Integer X, Integer Y) {
  const TRect& s = FPaper;
  TRect m = FMarginsRect;
  const bool onX = X >= s.left && X <= s.right, onY = Y >= s.top && Y <= s.bottom;
  const bool leftOk = onX && X < m.right, rightOk = onX && X > m.left;
  const bool topOk = onY && Y < m.bottom, bottomOk = onY && Y > m.top;
  switch (FDragMode) {
    case dmLeft: if (leftOk) m.left = X; break;
    case dmRight: if (rightOk) m.right = X; break;
    case dmTop: if (topOk) m.top = Y; break;
    case dmBottom: if (bottomOk) m.bottom = Y; break;
    case dmTopLeft: if (leftOk && topOk) { m.left = X; m.top = Y; } break;
    case dmTopRight: if (rightOk && topOk) { m.right = X; m.top = Y; } break;
    case dmBottomLeft: if (leftOk && bottomOk) { m.left = X; m.bottom = Y; } break;
    case dmBottomRight: if (rightOk && bottomOk) { m.right = X; m.bottom = Y; } break;
    case dmMove: {
      const TRect& p = FPressMargins;
      const Integer dx = std::clamp(X - FPressPoint.x, s.left - p.left, std::max(s.left - p.left, s.right - p.right));
      const Integer dy = std::clamp(Y - FPressPoint.y, s.top - p.top, std::max(s.top - p.top, s.bottom - p.bottom));
      const TRect moved{p.left + dx, p.top + dy, p.right + dx, p.bottom + dy};
      if (moved.left >= s.left && moved.top >= s.top && moved.right <= s.right && moved.bottom <= s.bottom) m = moved;
      break;
    }
    case dmNone: return;
  }
  const TRect before = FMarginsRect;
  FMarginsRect = m;
  Changed(before);
}

void TPlotPreviewPanel::Changed(const TRect& Before) {
  const TRect& s = FPaper;
  const TRect& m = FMarginsRect;
  const Integer w = s.right - s.left, h = s.bottom - s.top;
  TRect percent{MulDivTrunc(m.left - s.left, 100, w), MulDivTrunc(m.top - s.top, 100, h),
                MulDivTrunc(s.right - m.right, 100, w), MulDivTrunc(s.bottom - m.bottom, 100, h)};
  // An edge the drag left where it was keeps its percentage: taken back from the truncated
  // pixels it would creep by one percent with every move.
  if (chart::TCustomPlotPanel* p = Panel()) {
    const TRect& old = p->PrintMargins();
    if (m.left == Before.left) percent.left = old.left;
    if (m.top == Before.top) percent.top = old.top;
    if (m.right == Before.right) percent.right = old.right;
    if (m.bottom == Before.bottom) percent.bottom = old.bottom;
  }
  if (chart::TCustomPlotPanel* p = Panel()) {
    p->SetPrintProportional(false);
    p->SetPrintMargins(percent);
  }
  if (OnChangeMargins) OnChangeMargins(this, true, percent);
}

void TPlotPreviewPanel::Print() {
  if (FPanels.Count() == 0) return;
  if (!FPrinter) throw fw::EPrinter("Принтер не установлен");
  const fw::TCursor cursor = fw::Screen->Cursor();
  fw::Screen->SetCursor(fw::crHourGlass);
  struct RestoreCursor {
    fw::TCursor c;
    ~RestoreCursor() { fw::Screen->SetCursor(c); }
  } restore{cursor};
  ApplyOrientation();
  FPrinter->Title = Title.empty() ? Panel()->Name() : Title;
  FPrinter->BeginDoc();
  try {
    const Integer pageW = FPrinter->PageWidth(), pageH = FPrinter->PageHeight();
    for (Integer i = 0; i < FPanels.Count(); ++i) {
      chart::TCustomPlotPanel* p = FPanels.Items(i);
      const TRect r = p->ChartPrintRect(pageW, pageH);
      if (FAsBitmap) {
        PrintingScope printing(p);
        std::unique_ptr<fw::TBitmap> picture =
            p->CreateBitmap(FPaperColor, p->PrintLayoutRect(p->Width(), p->Height()), fw::pf24bit);
        if (picture) FPrinter->Canvas()->StretchDraw(r, picture.get());
      } else {
        p->PrintPartial(*FPrinter->Canvas(), r);
      }
    }
    if (OnAfterDraw) OnAfterDraw(this);
  } catch (...) {
    FPrinter->Abort();
    throw;
  }
  FPrinter->EndDoc();
}

}  // namespace kvexport
