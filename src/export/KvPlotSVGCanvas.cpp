// The SVG canvas. Attribute texts are built in one string per line; colours are written as the
// fifteen SVG colour names where one fits and as rgb() otherwise. Text leaves every character
// outside "!".."z" (and "&", "<") as a character reference, so the document is plain ASCII;
// characters XML cannot carry at all are dropped or replaced.

#include "export/KvPlotSVGCanvas.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "framework/StringList.h"
#include "framework/SysUtils.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/kernel/TextConvert.h"
#include "platform/kernel/Utf16.h"

namespace kvexport {

using chart::Integer;
using chart::TColor;
using chart::TPoint;
using chart::TRect;

namespace {

const char kDocType[] =
    "<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\" \"http://www.w3.org/Graphics/SVG/1.1/DTD/svg11.dtd\">";

void AppendInt(std::string& S, Integer V) {
  char buf[16];
  const auto r = std::to_chars(buf, buf + sizeof buf, V);
  S.append(buf, r.ptr);
}

void AppendNumber(std::string& S, double V) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, std::round(V * 100) / 100);
  S.append(buf, r.ptr);
}

TColor AverageColor(TColor A, TColor B) {
  const Integer a = fw::ColorToRGB(A), b = fw::ColorToRGB(B);
  Integer out = 0;
  for (int shift = 0; shift < 24; shift += 8) out |= ((((a >> shift) & 0xFF) + ((b >> shift) & 0xFF)) / 2) << shift;
  return out;
}

void AppendPoint(std::string& S, Integer X, Integer Y) {
  AppendInt(S, X);
  S += ',';
  AppendInt(S, Y);
}

// Name="value" with a leading blank.
void AppendAttr(std::string& S, const char* Name, Integer V) {
  S += ' ';
  S += Name;
  S += "=\"";
  AppendInt(S, V);
  S += '"';
}

std::string ColorText(TColor Color) {
  const Integer rgb = fw::ColorToRGB(Color) & 0xFFFFFF;
  struct Named {
    Integer Rgb;
    const char* Name;
  };
  static constexpr Named kNames[] = {
      {0x000000, "black"},  {0x000080, "maroon"},  {0x0000FF, "red"},    {0x008000, "green"},
      {0x008080, "olive"},  {0x00FF00, "lime"},    {0x00FFFF, "yellow"}, {0x800000, "navy"},
      {0x800080, "purple"}, {0x808000, "teal"},    {0x808080, "gray"},   {0xC0C0C0, "silver"},
      {0xFF0000, "blue"},   {0xFF00FF, "fuchsia"}, {0xFFFFFF, "white"},
  };
  for (const Named& n : kNames)
    if (n.Rgb == rgb) return std::string("\"") + n.Name + '"';
  std::string s = "\"rgb(";
  AppendInt(s, rgb & 0xFF);
  s += ',';
  AppendInt(s, (rgb >> 8) & 0xFF);
  s += ',';
  AppendInt(s, (rgb >> 16) & 0xFF);
  s += ")\"";
  return s;
}

TRect Normalized(const TRect& R) {
  return TRect{std::min(R.left, R.right), std::min(R.top, R.bottom), std::max(R.left, R.right),
               std::max(R.top, R.bottom)};
}

// ` x="L" y="T"  width="W" height="H"`: the size excludes the right and bottom edges, and an
// empty rectangle has size 0 rather than a negative one.
void AppendRectAttrs(std::string& S, const TRect& Rect) {
  const TRect r = Normalized(Rect);
  AppendAttr(S, "x", r.left);
  AppendAttr(S, "y", r.top);
  S += ' ';
  AppendAttr(S, "width", std::max<Integer>(0, r.right - r.left - 1));
  AppendAttr(S, "height", std::max<Integer>(0, r.bottom - r.top - 1));
}

void AppendEllipseAttrs(std::string& S, Integer X1, Integer Y1, Integer X2, Integer Y2) {
  S += "cx=\"";
  AppendInt(S, (X1 + X2) / 2);
  S += '"';
  AppendAttr(S, "cy", (Y1 + Y2) / 2);
  AppendAttr(S, "rx", std::abs(X2 - X1) / 2);
  AppendAttr(S, "ry", std::abs(Y2 - Y1) / 2);
}

// `points="x,y x,y "`
void AppendPoints(std::string& S, const TPoint* Points, Integer Count) {
  S += "points=\"";
  for (Integer i = 0; i < Count; ++i) {
    AppendPoint(S, Points[i].x, Points[i].y);
    S += ' ';
  }
  S += '"';
}

// Characters XML 1.0 cannot hold even as references: most controls, lone surrogates, U+FFFE/F.
bool XmlAllows(char32_t C) {
  if (C < 0x20) return C == 0x09 || C == 0x0A || C == 0x0D;
  if (C >= 0xD800 && C <= 0xDFFF) return false;
  return C != 0xFFFE && C != 0xFFFF && C <= 0x10FFFF;
}

// Lead, then the points separated by blanks (none after the last), then the element's end.
std::string JoinedPointsLine(const char* Lead, std::initializer_list<TPoint> Points) {
  std::string s = Lead;
  for (const TPoint& p : Points) {
    if (&p != Points.begin()) s += ' ';
    AppendPoint(s, p.x, p.y);
  }
  s += "\"/>";
  return s;
}

// "!".."z" stay as they are, except "&" and "<" (and '"' inside an attribute); everything else
// becomes a decimal character reference.
std::string Escape(const chart::String& Text, bool Attribute) {
  const std::u16string wide = win::Utf8ToWide(Text);
  std::string out;
  out.reserve(Text.size() * 2);
  for (std::size_t i = 0; i < wide.size(); ++i) {
    char32_t c = wide[i];
    if (win::IsPairAt(wide, i)) {
      c = win::CombineSurrogates(wide[i], wide[i + 1]);
      ++i;
    }
    if (c < 0x20 && !XmlAllows(c)) continue;
    if (!XmlAllows(c)) c = 0xFFFD;
    if (c >= 33 && c <= 122 && c != '&' && c != '<' && !(Attribute && c == '"')) {
      out += char(c);
    } else {
      out += "&#";
      AppendInt(out, Integer(c));
      out += ';';
    }
  }
  return out;
}

}  // namespace

TKvSVGCanvas::TKvSVGCanvas(fw::TStrings* Strings) : FStrings(Strings) {
  SetBufferedDisplay(false);
  Add("<?xml version=\"1.0\" standalone=\"no\"?>");
}

void TKvSVGCanvas::Add(std::string Line) {
  if (FStrings) FStrings->Add(Line);
}

bool TKvSVGCanvas::PenClear() {
  return !Pen()->Visible() || Pen()->Style() == fw::psClear;
}

bool TKvSVGCanvas::BrushClear() {
  return Brush()->Style() == fw::bsClear;
}

void TKvSVGCanvas::AppendStroke(std::string& Line) {
  if (PenClear()) {
    Line += " stroke=\"none\"";
    return;
  }
  chart::TChartPen* pen = Pen();
  Line += " stroke=";
  Line += ColorText(pen->Color());
  if (pen->Width() > 1) AppendAttr(Line, "stroke-width", pen->Width());
  const char* dashes = nullptr;
  switch (pen->Style()) {
    case fw::psDash:
      dashes = "4, 2";
      break;
    case fw::psDot:
      dashes = "2, 2";
      break;
    case fw::psDashDot:
      dashes = "4, 2, 2, 2";
      break;
    case fw::psDashDotDot:
      dashes = "4, 2, 2, 2, 2, 2";
      break;
    default:
      break;  // solid and inside-frame pens draw unbroken lines
  }
  if (dashes && pen->SmallDots()) dashes = "2, 2";
  if (dashes) {
    Line += " stroke-dasharray=\"";
    Line += dashes;
    Line += "\" ";
  }
  if (pen->EndStyle() == chart::esSquare)
    Line += " stroke-linecap=\"square\"";
  else if (pen->EndStyle() == chart::esFlat)
    Line += " stroke-linecap=\"butt\"";
}

void TKvSVGCanvas::AppendFill(std::string& Line) {
  if (BrushClear()) {
    Line += " fill=\"none\"";
    return;
  }
  Line += " fill=";
  Line += ColorText(Brush()->Color());
  if (FTransparency != 0) {
    // Transparency is the percentage that shows through; opacity is what remains.
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.15g", (100 - FTransparency) / 100.0);
    Line += " fill-opacity=\"";
    Line += buf;
    Line += '"';
  }
}

void TKvSVGCanvas::SetPixel(Integer X, Integer Y, TColor Value) {
  if (PenClear()) return;
  Pen()->SetColor(Value);
  MoveTo(X, Y);
  LineTo(X, Y);
}

void TKvSVGCanvas::BeginBlending(const TRect&, Integer Transparency) {
  FTransparency = std::clamp<Integer>(Transparency, 0, 100);
}

void TKvSVGCanvas::EndBlending() {
  FTransparency = 0;
}

void TKvSVGCanvas::Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4,
                       Integer Y4) {
  if (PenClear()) return;
  AddPolygonStart();
  Add(JoinedPointsLine("points=\"", {TPoint{X1, Y1}, TPoint{X2, Y2}, TPoint{X3, Y3}, TPoint{X4, Y4}}));
}

void TKvSVGCanvas::AddPolygonStart() {
  std::string s = "<polygon";
  AppendFill(s);
  AppendStroke(s);
  Add(std::move(s));
}

void TKvSVGCanvas::Draw(Integer, Integer, fw::TGraphic*) {}

void TKvSVGCanvas::StretchDraw(const TRect&, fw::TGraphic*) {}

void TKvSVGCanvas::Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2) {
  if (BrushClear() && PenClear()) return;
  std::string s = "<ellipse ";
  AppendEllipseAttrs(s, X1, Y1, X2, Y2);
  AppendFill(s);
  AppendStroke(s);
  s += "/>";
  Add(std::move(s));
}

void TKvSVGCanvas::FillRect(const TRect& R) {
  if (BrushClear()) return;
  std::string s = "<rect ";
  AppendRectAttrs(s, R);
  AppendFill(s);
  s += "/>";
  Add(std::move(s));
}

void TKvSVGCanvas::MoveTo(Integer X, Integer Y) {
  FPenX = X;
  FPenY = Y;
}

void TKvSVGCanvas::LineTo(Integer X, Integer Y) {
  std::string s = "<line";
  AppendAttr(s, "x1", FPenX);
  AppendAttr(s, "y1", FPenY);
  AppendAttr(s, "x2", X);
  AppendAttr(s, "y2", Y);
  s += " fill=\"none\" ";
  AppendStroke(s);
  s += "/>";
  Add(std::move(s));
  FPenX = X;
  FPenY = Y;
}

void TKvSVGCanvas::Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4,
                       Integer Y4) {
  if (BrushClear() && PenClear()) return;
  AddPolygonStart();
  Add(JoinedPointsLine(" points=\"", {TPoint{(X1 + X2) / 2, (Y1 + Y2) / 2}, TPoint{X1, Y1}, TPoint{X2, Y2},
                                       TPoint{X3, Y3}, TPoint{X4, Y4}}));
}

void TKvSVGCanvas::WriteRect(const TRect& R, const char* End) {
  if (BrushClear() && PenClear()) return;
  std::string s = "<rect ";
  AppendRectAttrs(s, R);
  AppendFill(s);
  AppendStroke(s);
  s += End;
  Add(std::move(s));
}

void TKvSVGCanvas::Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2) {
  WriteRect(TRect{X1, Y1, X2, Y2}, "/>");
}

void TKvSVGCanvas::RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer, Integer) {
  WriteRect(TRect{X1, Y1, X2, Y2}, " rx=\"5\"/>");
}

void TKvSVGCanvas::WriteText(Integer X, Integer Y, const chart::String& Text, TColor Color, Integer Width) {
  const unsigned align = GetTextAlign();
  if ((align & win::TA_CENTER) == win::TA_CENTER)
    X -= Width / 2;
  else if (align & win::TA_RIGHT)
    X -= Width;
  chart::TPlotFont* font = Font();
  std::string s = "<text";
  AppendAttr(s, "x", X);
  AppendAttr(s, "y", Y);
  s += " font-family=\"";
  s += Escape(font->Name(), true);
  s += "\" font-size=\"";
  AppendInt(s, font->Size());
  s += "pt\" ";
  const fw::TFontStyles style = font->Style();
  if (style.Contains(fw::fsItalic)) s += " font-style=\"italic\"";
  if (style.Contains(fw::fsBold)) s += " font-weight=\"bold\"";
  if (style.Contains(fw::fsUnderline))
    s += " text-decoration=\"underline\"";
  else if (style.Contains(fw::fsStrikeOut))
    s += " text-decoration=\"line-through\"";
  s += " fill=";
  s += ColorText(Color);
  s += '>';
  Add(std::move(s));
  Add(Escape(Text, false));
  Add("</text>");
}

void TKvSVGCanvas::TextOut(Integer X, Integer Y, const chart::String& Text) {
  chart::TPlotFont* font = Font();
  // SVG places text by its baseline; top-aligned text moves down by the font's size in pixels.
  if (GetTextAlign() < win::TA_BOTTOM)
    Y += Integer(std::nearbyint(font->Size() * double(font->PixelsPerInch()) / 72.0));
  const Integer width = (GetTextAlign() & (win::TA_RIGHT | win::TA_CENTER)) ? TextWidth(Text) : 0;
  const chart::TPlotShadow* shadow = font->Shadow();
  const Integer h = shadow->HorizSize, v = shadow->VertSize;
  if (h == 0 && v == 0) {
    WriteText(X, Y, Text, font->Color(), width);
    return;
  }
  // A negative offset moves the text instead, so the shadow still lies up or left of it.
  WriteText(h >= 0 ? X + h : X, v >= 0 ? Y + v : Y, Text, shadow->Color, width);
  WriteText(h >= 0 ? X : X - h, v >= 0 ? Y : Y - v, Text, font->Color(), width);
}

void TKvSVGCanvas::RotateLabel(Integer X, Integer Y, const chart::String& Text, double Angle) {
  double a = std::isfinite(Angle) ? std::fmod(Angle, 360.0) : 0.0;
  if (a < 0) a += 360.0;
  if (a == 0) {
    TextOut(X, Y, Text);
    return;
  }
  // The text is laid out level about (X, Y) and the whole of it turned there, as the drawing
  // layer turns an escapement; SVG angles run clockwise.
  std::string g = "<g transform=\"rotate(";
  AppendNumber(g, -a);
  g += ' ';
  AppendInt(g, X);
  g += ' ';
  AppendInt(g, Y);
  g += ")\">";
  Add(std::move(g));
  TextOut(X, Y, Text);
  Add("</g>");
}

// A group clipped by Shape (an element line without "/>"); it stays open until UnClipRectangle.
void TKvSVGCanvas::OpenClip(std::string Shape) {
  ++FOpenClips;
  ++FClipCount;
  std::string g = "<g clip-path=\"url(#Clip";
  AppendInt(g, FClipCount);
  g += ")\">";
  Add(std::move(g));
  Add("<defs>");
  std::string c = "<clipPath id=\"Clip";
  AppendInt(c, FClipCount);
  c += "\" style=\"clip-rule:nonzero\">";
  Add(std::move(c));
  Add(std::move(Shape) + "/>");
  Add("</clipPath>");
  Add("</defs>");
}

void TKvSVGCanvas::ClipRectangle(const TRect& R) {
  std::string s = "<rect ";
  AppendRectAttrs(s, R);
  OpenClip(std::move(s));
}

void TKvSVGCanvas::ClipRoundRectangle(const TRect& R, Integer Corner) {
  std::string s = "<rect ";
  AppendRectAttrs(s, R);
  AppendAttr(s, "rx", Corner);
  OpenClip(std::move(s));
}

void TKvSVGCanvas::ClipEllipse(const TRect& R) {
  std::string s = "<ellipse ";
  AppendEllipseAttrs(s, R.left, R.top, R.right, R.bottom);
  OpenClip(std::move(s));
}

void TKvSVGCanvas::ClipPolygon(const TPoint* Points, Integer Count) {
  std::string s = "<polygon ";
  AppendPoints(s, Points, Points ? std::max<Integer>(0, Count) : 0);
  OpenClip(std::move(s));
}

void TKvSVGCanvas::UnClipRectangle() {
  if (FOpenClips == 0) throw fw::Exception("oops");
  --FOpenClips;
  Add("</g>");
}

void TKvSVGCanvas::AddRamp(TRampPoint From, TRampPoint To, const std::vector<TRampStop>& Stops,
                           std::string Shape) {
  ++FGradientCount;
  Add("<defs>");
  std::string s = "<linearGradient id=\"Gradient";
  AppendInt(s, FGradientCount);
  s += "\" gradientUnits=\"userSpaceOnUse\" x1=\"";
  AppendNumber(s, From.X);
  s += "\" y1=\"";
  AppendNumber(s, From.Y);
  s += "\" x2=\"";
  AppendNumber(s, To.X);
  s += "\" y2=\"";
  AppendNumber(s, To.Y);
  s += "\">";
  Add(std::move(s));
  for (const TRampStop& stop : Stops) {
    s = "<stop offset=\"";
    AppendInt(s, stop.Percent);
    s += "%\" stop-color=" + ColorText(stop.Color) + "/>";
    Add(std::move(s));
  }
  Add("</linearGradient>");
  Add("</defs>");
  s = std::move(Shape);
  s += " fill=\"url(#Gradient";
  AppendInt(s, FGradientCount);
  s += ")\" stroke=\"none\"/>";
  Add(std::move(s));
}

// Each direction is written as the drawing layer paints it: the straight and diagonal ramps as
// one gradient over the rectangle, the pyramid and the bottom-left corner as triangles whose
// colour changes along one direction each, the radial one as a radial gradient.
void TKvSVGCanvas::GradientFill(const TRect& Rect, TColor StartColor, TColor EndColor,
                                chart::TGradientDirection Direction, Integer Balance) {
  const TRect R = Normalized(Rect);
  if (R.right <= R.left || R.bottom <= R.top) return;
  const double l = R.left, t = R.top, r = R.right, b = R.bottom, w = r - l, h = b - t;
  const double cx = std::floor((l + r) / 2), cy = std::floor((t + b) / 2);
  const std::vector<TRampStop> ramp{{0, StartColor}, {100, EndColor}};
  std::string rect = "<rect";
  AppendRectAttrs(rect, R);
  // The point where a ramp that starts at From, and whose parameter grows by GradX per pixel
  // right and GradY per pixel down, reaches 1.
  auto rampEnd = [](TRampPoint From, double GradX, double GradY) {
    const double n = GradX * GradX + GradY * GradY;
    return TRampPoint{From.X + GradX / n, From.Y + GradY / n};
  };
  auto triangle = [](TRampPoint A, TRampPoint B, TRampPoint C) {
    std::string s = "<polygon points=\"";
    for (const TRampPoint& p : {A, B, C}) {
      AppendNumber(s, p.X);
      s += ',';
      AppendNumber(s, p.Y);
      s += ' ';
    }
    s.back() = '"';
    return s;
  };
  switch (Direction) {
    case chart::gdTopBottom:
    case chart::gdBottomTop:
    case chart::gdLeftRight:
    case chart::gdRightLeft: {
      const bool horiz = Direction == chart::gdLeftRight || Direction == chart::gdRightLeft;
      const bool back = Direction == chart::gdBottomTop || Direction == chart::gdRightLeft;
      const TRampPoint from = back ? TRampPoint{r, b} : TRampPoint{l, t};
      const TRampPoint to = back ? TRampPoint{horiz ? l : r, horiz ? b : t} : TRampPoint{horiz ? r : l, horiz ? t : b};
      std::vector<TRampStop> stops = ramp;
      const Integer balance = std::clamp<Integer>(Balance, 0, 100);
      // The halfway colour lies Balance percent from the start side.
      if (balance != 50) stops.insert(stops.begin() + 1, TRampStop{balance, AverageColor(StartColor, EndColor)});
      AddRamp(from, to, stops, rect);
      break;
    }
    case chart::gdDiagonalUp:
      AddRamp({l, b}, rampEnd({l, b}, 0.5 / w, -0.5 / h), ramp, rect);
      break;
    case chart::gdDiagonalDown:
      AddRamp({l, t}, rampEnd({l, t}, 0.5 / w, 0.5 / h), ramp, rect);
      break;
    case chart::gdFromTopLeft:
      AddRamp({l, t}, rampEnd({l, t}, 1 / w, 1 / h), ramp, rect);
      break;
    case chart::gdFromBottomLeft:
      AddRamp({l, b}, {l, t}, ramp, triangle({l, t}, {r, t}, {l, b}));
      AddRamp({l, b}, {r, b}, ramp, triangle({r, t}, {r, b}, {l, b}));
      break;
    case chart::gdFromCenter:
      AddRamp({cx, cy}, {cx, t}, ramp, triangle({cx, cy}, {l, t}, {r, t}));
      AddRamp({cx, cy}, {r, cy}, ramp, triangle({cx, cy}, {r, t}, {r, b}));
      AddRamp({cx, cy}, {cx, b}, ramp, triangle({cx, cy}, {r, b}, {l, b}));
      AddRamp({cx, cy}, {l, cy}, ramp, triangle({cx, cy}, {l, b}, {l, t}));
      break;
    case chart::gdRadial: {
      const TPoint offset = RadialOffset;
      const double x = cx + offset.x, y = cy + offset.y;
      const double far = std::max({std::hypot(l - x, t - y), std::hypot(r - x, t - y), std::hypot(l - x, b - y),
                                   std::hypot(r - x, b - y)});
      ++FGradientCount;
      Add("<defs>");
      std::string s = "<radialGradient id=\"Gradient";
      AppendInt(s, FGradientCount);
      s += "\" gradientUnits=\"userSpaceOnUse\" cx=\"";
      AppendNumber(s, x);
      s += "\" cy=\"";
      AppendNumber(s, y);
      s += "\" r=\"";
      AppendNumber(s, far);
      s += "\">";
      Add(std::move(s));
      Add("<stop offset=\"0%\" stop-color=" + ColorText(StartColor) + "/>");
      Add("<stop offset=\"100%\" stop-color=" + ColorText(EndColor) + "/>");
      Add("</radialGradient>");
      Add("</defs>");
      s = rect + " fill=\"url(#Gradient";
      AppendInt(s, FGradientCount);
      s += ")\" stroke=\"none\"/>";
      Add(std::move(s));
      break;
    }
  }
}

void TKvSVGCanvas::Polygon(const TPoint* Points, Integer Count) {
  if (!Points || Count <= 0 || (BrushClear() && PenClear())) return;
  AddPolygonStart();
  std::string s;
  AppendPoints(s, Points, Count);
  s += "/>";
  Add(std::move(s));
}

void TKvSVGCanvas::Polyline(const TPoint* Points, Integer Count) {
  if (!Points || Count < 2) return;
  std::string s = "<polyline fill=\"none\"";
  AppendStroke(s);
  Add(std::move(s));
  s.clear();
  s.reserve(std::size_t(Count) * 12 + 16);
  AppendPoints(s, Points, Count);
  s += "/>";
  Add(std::move(s));
  FPenX = Points[Count - 1].x;
  FPenY = Points[Count - 1].y;
}

void TKvSVGCanvas::InitDrawing(const TRect& Bounds) {
  chart::TPlotCanvas3D::InitDrawing(Bounds);
  Add(kDocType);
  std::string s = "<svg width=\"";
  AppendInt(s, std::max<Integer>(0, Bounds.right - Bounds.left));
  s += "px\" height=\"";
  AppendInt(s, std::max<Integer>(0, Bounds.bottom - Bounds.top));
  s += "px\" xmlns=\"http://www.w3.org/2000/svg\"";
  if (TextAntiAlias) s += " style=\"text-antialiasing:true\"";
  s += '>';
  Add(std::move(s));
}

void TKvSVGCanvas::EndDrawing() {
  chart::TPlotCanvas3D::EndDrawing();
  // Groups of clips never undone are closed here, or the document would not be well-formed.
  for (; FOpenClips > 0; --FOpenClips) Add("</g>");
  Add("</svg>");
}

}  // namespace kvexport
