// The SVG canvas drawn on directly: the exact element texts, colours, text escaping and placing,
// clip and gradient numbering, and the document read back by xmllint and rendered by
// rsvg-convert with its pixels checked by Pillow.

#include <gtest/gtest.h>

#include "export/KvPlotSVGCanvas.h"
#include "format_test_support.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"
#include "platform/gdi/GdiText.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/kernel/TextConvert.h"

namespace {

using namespace writertest;
using kvexport::TKvSVGCanvas;

class SvgCanvas : public ::testing::Test {
 protected:
  void SetUp() override {
    measure_.SetPixelFormat(fw::pf24bit);
    measure_.SetSize(1, 1);
    canvas_.SetReferenceCanvas(measure_.Canvas());
    canvas_.Font()->SetName(win::WideToUtf8(win::kTestFontFace));
    canvas_.Font()->SetSize(10);
    canvas_.Font()->SetColor(fw::clBlack);
    canvas_.Pen()->SetColor(fw::clBlack);
    canvas_.Brush()->SetColor(fw::clWhite);
  }
  // Lines added since the last call.
  std::vector<std::string> Added() {
    std::vector<std::string> out;
    for (int i = seen_; i < lines_.Count(); ++i) out.push_back(lines_.Get(i));
    seen_ = lines_.Count();
    return out;
  }
  std::string Only() {
    const std::vector<std::string> a = Added();
    EXPECT_EQ(a.size(), 1u);
    return a.empty() ? std::string() : a[0];
  }
  // Begins a 400 x 300 document and forgets its opening lines.
  void Begin(int Width = 400, int Height = 300) {
    canvas_.InitDrawing(fw::TRect{0, 0, Width, Height});
    Added();
  }
  std::string Document() { return lines_.Text(); }

  fw::TBitmap measure_;
  fw::TStringList lines_;
  TKvSVGCanvas canvas_{&lines_};
  int seen_ = 0;
};

TEST_F(SvgCanvas, DocumentOpensWithDeclarationDoctypeAndANamespacedRoot) {
  canvas_.TextAntiAlias = false;
  canvas_.InitDrawing(fw::TRect{0, 0, 400, 300});
  canvas_.EndDrawing();
  const std::vector<std::string> a = Added();
  ASSERT_EQ(a.size(), 4u);
  EXPECT_EQ(a[0], "<?xml version=\"1.0\" standalone=\"no\"?>");
  EXPECT_EQ(a[1],
            "<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\" "
            "\"http://www.w3.org/Graphics/SVG/1.1/DTD/svg11.dtd\">");
  EXPECT_EQ(a[2], "<svg width=\"400px\" height=\"300px\" xmlns=\"http://www.w3.org/2000/svg\">");
  EXPECT_EQ(a[3], "</svg>");

  ScratchDir dir;
  WriteFile(dir.File("d.svg"), Document());
  const CommandResult ns = RunCommand("xmllint --xpath 'namespace-uri(/*)' '" + dir.File("d.svg") + "'");
  EXPECT_EQ(ns.Status, 0) << ns.Output;
  EXPECT_EQ(ns.Output.substr(0, ns.Output.find_last_not_of("\n") + 1), "http://www.w3.org/2000/svg");

  lines_.Clear();
  seen_ = 0;
  canvas_.TextAntiAlias = true;
  canvas_.InitDrawing(fw::TRect{10, 10, 30, 25});
  EXPECT_EQ(Added().at(1),
            "<svg width=\"20px\" height=\"15px\" xmlns=\"http://www.w3.org/2000/svg\" "
            "style=\"text-antialiasing:true\">");
}

TEST_F(SvgCanvas, RectanglesCarryFillAndStrokeOfBrushAndPen) {
  Begin();
  canvas_.Rectangle(10, 20, 110, 70);
  EXPECT_EQ(Only(), "<rect  x=\"10\" y=\"20\"  width=\"99\" height=\"49\" fill=\"white\" stroke=\"black\"/>");
  canvas_.Pen()->SetWidth(2);
  canvas_.Rectangle(110, 70, 10, 20);
  EXPECT_EQ(Only(),
            "<rect  x=\"10\" y=\"20\"  width=\"99\" height=\"49\" fill=\"white\" stroke=\"black\" "
            "stroke-width=\"2\"/>")
      << "corners given in either order";
  canvas_.Pen()->SetWidth(1);
  canvas_.Pen()->SetStyle(fw::psDash);
  canvas_.Rectangle(0, 0, 5, 5);
  EXPECT_EQ(Only(),
            "<rect  x=\"0\" y=\"0\"  width=\"4\" height=\"4\" fill=\"white\" stroke=\"black\" "
            "stroke-dasharray=\"4, 2\" />");
  canvas_.Pen()->SetStyle(fw::psDashDot);
  canvas_.Pen()->SetEndStyle(chart::esSquare);
  canvas_.Rectangle(0, 0, 5, 5);
  EXPECT_EQ(Only(),
            "<rect  x=\"0\" y=\"0\"  width=\"4\" height=\"4\" fill=\"white\" stroke=\"black\" "
            "stroke-dasharray=\"4, 2, 2, 2\"  stroke-linecap=\"square\"/>");
  canvas_.Pen()->SetSmallDots(true);
  canvas_.Rectangle(0, 0, 5, 5);
  EXPECT_NE(Only().find("stroke-dasharray=\"2, 2\""), std::string::npos);
  canvas_.Pen()->SetStyle(fw::psSolid);
  canvas_.Rectangle(0, 0, 5, 5);
  EXPECT_EQ(Only().find("dasharray"), std::string::npos) << "small dots count only for broken pens";
}

TEST_F(SvgCanvas, ClearToolsWriteNoneOrNothing) {
  Begin();
  canvas_.Brush()->SetStyle(fw::bsClear);
  canvas_.Rectangle(1, 1, 4, 4);
  EXPECT_EQ(Only(), "<rect  x=\"1\" y=\"1\"  width=\"2\" height=\"2\" fill=\"none\" stroke=\"black\"/>");
  canvas_.FillRect(fw::TRect{1, 1, 4, 4});
  EXPECT_TRUE(Added().empty()) << "FillRect without a brush";
  canvas_.Pen()->SetVisible(false);
  canvas_.Rectangle(1, 1, 4, 4);
  canvas_.Ellipse(1, 1, 4, 4);
  canvas_.Polygon(std::vector<fw::TPoint>{{0, 0}, {3, 0}, {0, 3}});
  canvas_.Arc(0, 0, 9, 9, 9, 0, 0, 9);
  canvas_.SetPixel(3, 3, fw::clRed);
  EXPECT_TRUE(Added().empty()) << "nothing to draw with";
  canvas_.Line(0, 0, 5, 5);
  EXPECT_EQ(Only(), "<line x1=\"0\" y1=\"0\" x2=\"5\" y2=\"5\" fill=\"none\"  stroke=\"none\"/>");
  canvas_.Pen()->SetVisible(true);
  canvas_.Pen()->SetStyle(fw::psClear);
  canvas_.Brush()->SetStyle(fw::bsSolid);
  canvas_.FillRect(fw::TRect{1, 1, 4, 4});
  EXPECT_EQ(Only(), "<rect  x=\"1\" y=\"1\"  width=\"2\" height=\"2\" fill=\"white\"/>");
}

TEST_F(SvgCanvas, EmptyAndReversedShapesNeverGetNegativeSizes) {
  Begin();
  canvas_.FillRect(fw::TRect{5, 5, 5, 5});
  EXPECT_EQ(Only(), "<rect  x=\"5\" y=\"5\"  width=\"0\" height=\"0\" fill=\"white\"/>");
  canvas_.Ellipse(20, 30, 10, 10);
  EXPECT_EQ(Only(), "<ellipse cx=\"15\" cy=\"20\" rx=\"5\" ry=\"10\" fill=\"white\" stroke=\"black\"/>");
}

TEST_F(SvgCanvas, ColoursAreNamedWhereSvgHasANameElseRgb) {
  Begin();
  const std::pair<fw::TColor, const char*> named[] = {
      {0x000000, "black"},  {0x000080, "maroon"},  {0x0000FF, "red"},    {0x008000, "green"},
      {0x008080, "olive"},  {0x00FF00, "lime"},    {0x00FFFF, "yellow"}, {0x800000, "navy"},
      {0x800080, "purple"}, {0x808000, "teal"},    {0x808080, "gray"},   {0xC0C0C0, "silver"},
      {0xFF0000, "blue"},   {0xFF00FF, "fuchsia"}, {0xFFFFFF, "white"},
  };
  canvas_.Pen()->SetStyle(fw::psClear);
  for (const auto& [color, name] : named) {
    canvas_.Brush()->SetColor(color);
    canvas_.FillRect(fw::TRect{0, 0, 2, 2});
    EXPECT_EQ(Only(),
              std::string("<rect  x=\"0\" y=\"0\"  width=\"1\" height=\"1\" fill=\"") + name + "\"/>");
  }
  canvas_.Brush()->SetColor(0xFFFF00);
  canvas_.FillRect(fw::TRect{0, 0, 2, 2});
  EXPECT_NE(Only().find("fill=\"rgb(0,255,255)\""), std::string::npos);
  canvas_.Brush()->SetColor(0x102030);
  canvas_.FillRect(fw::TRect{0, 0, 2, 2});
  EXPECT_NE(Only().find("fill=\"rgb(48,32,16)\""), std::string::npos) << "red is the low byte";
  // A system colour is written as the colour it stands for, not as its index.
  fw::TBitmap probe;
  probe.SetPixelFormat(fw::pf24bit);
  probe.SetSize(1, 1);
  probe.Canvas()->Brush()->SetColor(fw::clBtnFace);
  probe.Canvas()->FillRect(fw::TRect{0, 0, 1, 1});
  canvas_.Brush()->SetColor(fw::clBtnFace);
  canvas_.FillRect(fw::TRect{0, 0, 2, 2});
  const std::string expected = Only();
  canvas_.Brush()->SetColor(probe.Canvas()->Pixels(0, 0));
  canvas_.FillRect(fw::TRect{0, 0, 2, 2});
  EXPECT_EQ(Only(), expected);
}

TEST_F(SvgCanvas, BlendingGivesTheOpacityThatRemains) {
  Begin();
  canvas_.Pen()->SetStyle(fw::psClear);
  canvas_.BeginBlending(fw::TRect{0, 0, 10, 10}, 30);
  canvas_.FillRect(fw::TRect{0, 0, 2, 2});
  EXPECT_EQ(Only(), "<rect  x=\"0\" y=\"0\"  width=\"1\" height=\"1\" fill=\"white\" fill-opacity=\"0.7\"/>");
  canvas_.EndBlending();
  canvas_.FillRect(fw::TRect{0, 0, 2, 2});
  EXPECT_EQ(Only().find("opacity"), std::string::npos);
}

TEST_F(SvgCanvas, LinesPolygonsPiesArcsAndPolylines) {
  Begin();
  canvas_.MoveTo(1, 2);
  canvas_.LineTo(3, 4);
  canvas_.LineTo(5, 6);
  std::vector<std::string> a = Added();
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(a[0], "<line x1=\"1\" y1=\"2\" x2=\"3\" y2=\"4\" fill=\"none\"  stroke=\"black\"/>");
  EXPECT_EQ(a[1], "<line x1=\"3\" y1=\"4\" x2=\"5\" y2=\"6\" fill=\"none\"  stroke=\"black\"/>")
      << "each line starts where the last ended";
  canvas_.SetPixel(7, 8, fw::clRed);
  EXPECT_EQ(Only(), "<line x1=\"7\" y1=\"8\" x2=\"7\" y2=\"8\" fill=\"none\"  stroke=\"red\"/>");
  canvas_.Pen()->SetColor(fw::clBlack);

  canvas_.Polygon(std::vector<fw::TPoint>{{0, 0}, {10, 0}, {5, 8}});
  a = Added();
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(a[0], "<polygon fill=\"white\" stroke=\"black\"");
  EXPECT_EQ(a[1], "points=\"0,0 10,0 5,8 \"/>");

  canvas_.Pie(0, 0, 10, 20, 10, 5, 0, 5);
  a = Added();
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(a[1], " points=\"5,10 0,0 10,20 10,5 0,5\"/>") << "centre first";

  canvas_.Arc(0, 0, 10, 20, 10, 5, 0, 5);
  a = Added();
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(a[1], "points=\"0,0 10,20 10,5 0,5\"/>");

  canvas_.Polyline(std::vector<fw::TPoint>{{0, 0}, {1, 5}, {2, -3}});
  a = Added();
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(a[0], "<polyline fill=\"none\" stroke=\"black\"");
  EXPECT_EQ(a[1], "points=\"0,0 1,5 2,-3 \"/>");
  canvas_.LineTo(9, 9);
  EXPECT_EQ(Only(), "<line x1=\"2\" y1=\"-3\" x2=\"9\" y2=\"9\" fill=\"none\"  stroke=\"black\"/>");

  canvas_.RoundRect(0, 0, 10, 10, 3, 3);
  EXPECT_EQ(Only(),
            "<rect  x=\"0\" y=\"0\"  width=\"9\" height=\"9\" fill=\"white\" stroke=\"black\" rx=\"5\"/>");
}

TEST_F(SvgCanvas, TextIsEscapedToPlainAscii) {
  Begin();
  canvas_.SetTextAlign(win::TA_BASELINE);
  canvas_.TextOut(5, 50, "A \xD0\x91&<{>z\x01\tq\xF0\x9F\x98\x80");
  const std::vector<std::string> a = Added();
  ASSERT_EQ(a.size(), 3u);
  EXPECT_EQ(a[1], "A&#32;&#1041;&#38;&#60;&#123;>z&#9;q&#128512;") << "control characters other than tab go";
  EXPECT_EQ(a[2], "</text>");
}

TEST_F(SvgCanvas, TextElementNamesFontSizeStylesAndColour) {
  Begin();
  canvas_.SetTextAlign(win::TA_BASELINE);
  canvas_.Font()->SetStyle(fw::TFontStyles{fw::fsBold, fw::fsItalic, fw::fsUnderline, fw::fsStrikeOut});
  canvas_.Font()->SetColor(fw::clNavy);
  canvas_.TextOut(5, 50, "x");
  EXPECT_EQ(Added()[0],
            "<text x=\"5\" y=\"50\" font-family=\"Korvalin&#32;Test\" font-size=\"10pt\"  "
            "font-style=\"italic\" font-weight=\"bold\" text-decoration=\"underline\" fill=\"navy\">");
  canvas_.Font()->SetStyle(fw::TFontStyles{fw::fsStrikeOut});
  canvas_.Font()->SetName("Say \"hi\"");
  canvas_.TextOut(5, 50, "x");
  EXPECT_EQ(Added()[0],
            "<text x=\"5\" y=\"50\" font-family=\"Say&#32;&#34;hi&#34;\" font-size=\"10pt\"  "
            "text-decoration=\"line-through\" fill=\"navy\">");
}

TEST_F(SvgCanvas, TopAlignedTextMovesDownToItsBaseline) {
  Begin();
  struct Case {
    int Size, Ppi, Shift;
  };
  // size x ppi / 72, halves to even: 10.67 -> 11, 12 -> 12, 12.5 -> 12, 13.5 -> 14.
  for (const Case c : {Case{8, 96, 11}, Case{9, 96, 12}, Case{9, 100, 12}, Case{9, 108, 14}}) {
    canvas_.Font()->SetPixelsPerInch(c.Ppi);
    canvas_.Font()->SetSize(c.Size);
    canvas_.SetTextAlign(win::TA_TOP);
    canvas_.TextOut(0, 100, "a");
    EXPECT_NE(Added()[0].find("y=\"" + std::to_string(100 + c.Shift) + "\""), std::string::npos)
        << c.Size << "pt at " << c.Ppi;
    canvas_.SetTextAlign(win::TA_BOTTOM);
    canvas_.TextOut(0, 100, "a");
    EXPECT_NE(Added()[0].find("y=\"100\""), std::string::npos);
  }
}

TEST_F(SvgCanvas, CentredAndRightAlignedTextMovesByTheMeasuredWidth) {
  Begin();
  measure_.Canvas()->Font()->Assign(canvas_.Font());
  const int width = measure_.Canvas()->TextWidth("Wide text");
  ASSERT_GT(width, 10);
  canvas_.SetTextAlign(win::TA_CENTER | win::TA_BASELINE);
  canvas_.TextOut(100, 50, "Wide text");
  EXPECT_NE(Added()[0].find("x=\"" + std::to_string(100 - width / 2) + "\""), std::string::npos);
  canvas_.SetTextAlign(win::TA_RIGHT | win::TA_BASELINE);
  canvas_.TextOut(100, 50, "Wide text");
  EXPECT_NE(Added()[0].find("x=\"" + std::to_string(100 - width) + "\""), std::string::npos);
}

TEST_F(SvgCanvas, ShadowIsWrittenFirstAndNegativeOffsetsMoveTheText) {
  Begin();
  canvas_.SetTextAlign(win::TA_BASELINE);
  canvas_.Font()->Shadow()->Color = fw::clGray;
  canvas_.Font()->Shadow()->HorizSize = 2;
  canvas_.Font()->Shadow()->VertSize = 3;
  canvas_.TextOut(10, 20, "s");
  std::vector<std::string> a = Added();
  ASSERT_EQ(a.size(), 6u);
  EXPECT_EQ(a[0].substr(0, 21), "<text x=\"12\" y=\"23\" f");
  EXPECT_NE(a[0].find("fill=\"gray\""), std::string::npos);
  EXPECT_EQ(a[3].substr(0, 21), "<text x=\"10\" y=\"20\" f");
  EXPECT_NE(a[3].find("fill=\"black\""), std::string::npos);
  canvas_.Font()->Shadow()->HorizSize = -2;
  canvas_.Font()->Shadow()->VertSize = -3;
  canvas_.TextOut(10, 20, "s");
  a = Added();
  ASSERT_EQ(a.size(), 6u);
  EXPECT_EQ(a[0].substr(0, 21), "<text x=\"10\" y=\"20\" f");
  EXPECT_EQ(a[3].substr(0, 21), "<text x=\"12\" y=\"23\" f");
}

TEST_F(SvgCanvas, GradientsAndClipsAreNumberedThroughTheDocument) {
  Begin();
  canvas_.GradientFill(fw::TRect{0, 0, 10, 10}, fw::clRed, 0x123456, chart::gdTopBottom, 50);
  std::vector<std::string> a = Added();
  ASSERT_EQ(a.size(), 7u);
  EXPECT_EQ(a[1].rfind("<linearGradient id=\"Gradient1\" ", 0), 0u) << a[1];
  EXPECT_EQ(a[2], "<stop offset=\"0%\" stop-color=\"red\"/>");
  EXPECT_EQ(a[3], "<stop offset=\"100%\" stop-color=\"rgb(86,52,18)\"/>");
  EXPECT_EQ(a[6], "<rect x=\"0\" y=\"0\"  width=\"9\" height=\"9\" fill=\"url(#Gradient1)\" stroke=\"none\"/>");
  canvas_.GradientFill(fw::TRect{0, 0, 10, 10}, fw::clRed, fw::clBlue, chart::gdLeftRight, 50);
  EXPECT_EQ(Added()[1].rfind("<linearGradient id=\"Gradient2\" ", 0), 0u);

  canvas_.ClipRectangle(fw::TRect{1, 2, 11, 12});
  a = Added();
  ASSERT_EQ(a.size(), 6u);
  EXPECT_EQ(a[0], "<g clip-path=\"url(#Clip1)\">");
  EXPECT_EQ(a[2], "<clipPath id=\"Clip1\" style=\"clip-rule:nonzero\">");
  EXPECT_EQ(a[3], "<rect  x=\"1\" y=\"2\"  width=\"9\" height=\"9\"/>");
  EXPECT_EQ(a[5], "</defs>");
  canvas_.UnClipRectangle();
  EXPECT_EQ(Only(), "</g>");
  EXPECT_EQ(canvas_.OpenClips(), 0);
  canvas_.ClipEllipse(fw::TRect{0, 0, 10, 20});
  a = Added();
  EXPECT_EQ(a[0], "<g clip-path=\"url(#Clip2)\">");
  EXPECT_EQ(a[3], "<ellipse cx=\"5\" cy=\"10\" rx=\"5\" ry=\"10\"/>");
  canvas_.ClipPolygon(std::vector<fw::TPoint>{{0, 0}, {4, 0}, {0, 4}}.data(), 3);
  EXPECT_EQ(Added()[3], "<polygon points=\"0,0 4,0 0,4 \"/>");
  canvas_.ClipRoundRectangle(fw::TRect{0, 0, 10, 10}, 4);
  EXPECT_EQ(Added()[3], "<rect  x=\"0\" y=\"0\"  width=\"9\" height=\"9\" rx=\"4\"/>");
  EXPECT_EQ(canvas_.ClipCount(), 4);
  EXPECT_EQ(canvas_.OpenClips(), 3);
}

TEST_F(SvgCanvas, UnclippingWithNothingOpenRaises) {
  Begin();
  try {
    canvas_.UnClipRectangle();
    FAIL() << "no exception";
  } catch (const fw::Exception& e) {
    EXPECT_EQ(e.Message(), "oops");
  }
  EXPECT_TRUE(Added().empty());
}

TEST_F(SvgCanvas, ClipsLeftOpenAreClosedSoTheDocumentIsWellFormed) {
  Begin();
  canvas_.ClipRectangle(fw::TRect{0, 0, 50, 50});
  canvas_.ClipEllipse(fw::TRect{0, 0, 50, 50});
  canvas_.Rectangle(5, 5, 20, 20);
  canvas_.EndDrawing();
  const std::vector<std::string> a = Added();
  ASSERT_GE(a.size(), 3u);
  EXPECT_EQ(a[a.size() - 3], "</g>");
  EXPECT_EQ(a[a.size() - 2], "</g>");
  EXPECT_EQ(a.back(), "</svg>");
  ScratchDir dir;
  WriteFile(dir.File("c.svg"), Document());
  const CommandResult lint = RunCommand("xmllint --noout '" + dir.File("c.svg") + "'");
  EXPECT_EQ(lint.Status, 0) << lint.Output;
}

// The renderer's pixels: a filled rectangle where it was drawn, in its colour, and a thick line.
TEST_F(SvgCanvas, RsvgRendersFilledShapesWhereTheyWereDrawn) {
  canvas_.TextAntiAlias = false;
  Begin(60, 40);
  canvas_.Pen()->SetStyle(fw::psClear);
  canvas_.Brush()->SetColor(fw::clWhite);
  canvas_.FillRect(fw::TRect{0, 0, 61, 41});
  canvas_.Brush()->SetColor(0x2040C0);  // red C0, green 40, blue 20
  canvas_.Rectangle(10, 5, 31, 26);     // x 10..30, y 5..25 in SVG units
  canvas_.Pen()->SetStyle(fw::psSolid);
  canvas_.Pen()->SetColor(fw::clBlue);
  canvas_.Pen()->SetWidth(4);
  canvas_.Line(40, 2, 40, 38);
  canvas_.EndDrawing();

  ScratchDir dir;
  WriteFile(dir.File("r.svg"), Document());
  const CommandResult render =
      RunCommand("rsvg-convert -o '" + dir.File("r.png") + "' '" + dir.File("r.svg") + "'");
  ASSERT_EQ(render.Status, 0) << render.Output;
  const PillowPicture p = ReadWithPillow(dir, dir.File("r.png"));
  ASSERT_EQ(p.Width, 60);
  ASSERT_EQ(p.Height, 40);
  auto at = [&](int x, int y) { return p.Rgb[std::size_t(y * p.Width + x)]; };
  EXPECT_EQ(at(20, 15), 0xC04020u) << "inside the rectangle";
  EXPECT_EQ(at(11, 6), 0xC04020u);
  EXPECT_EQ(at(29, 24), 0xC04020u);
  EXPECT_EQ(at(8, 15), 0xFFFFFFu) << "left of it";
  EXPECT_EQ(at(20, 28), 0xFFFFFFu) << "below it";
  EXPECT_EQ(at(40, 20), 0x0000FFu) << "on the line";
  EXPECT_EQ(at(39, 20), 0x0000FFu) << "the line is four wide";
  EXPECT_EQ(at(45, 20), 0xFFFFFFu) << "beside the line";
}

// The SVG of each gradient direction, rendered by rsvg, against the same gradient painted by
// the chart's own canvas into a bitmap.
TEST_F(SvgCanvas, GradientsRunAsTheChartPaintsThem) {
  struct Case {
    chart::TGradientDirection Direction;
    int Balance;
  };
  const Case cases[] = {{chart::gdTopBottom, 50},    {chart::gdBottomTop, 50},      {chart::gdLeftRight, 50},
                        {chart::gdRightLeft, 50},    {chart::gdTopBottom, 20},      {chart::gdRightLeft, 70},
                        {chart::gdFromCenter, 50},   {chart::gdFromTopLeft, 50},    {chart::gdFromBottomLeft, 50},
                        {chart::gdDiagonalUp, 50},   {chart::gdDiagonalDown, 50},   {chart::gdRadial, 50}};
  const int w = 60, h = 40;
  ScratchDir dir;
  std::vector<std::string> paths;
  std::vector<std::vector<std::uint32_t>> painted;
  for (const Case& c : cases) {
    fw::TBitmap bitmap;
    bitmap.SetPixelFormat(fw::pf24bit);
    bitmap.SetSize(w, h);
    chart::TPlotCanvas3D gdi;
    gdi.SetReferenceCanvas(bitmap.Canvas());
    gdi.GradientFill(fw::TRect{0, 0, w, h}, fw::clYellow, fw::clNavy, c.Direction, c.Balance);
    painted.push_back(BitmapRgb(bitmap));
    lines_.Clear();
    seen_ = 0;
    canvas_.InitDrawing(fw::TRect{0, 0, w, h});
    canvas_.GradientFill(fw::TRect{0, 0, w, h}, fw::clYellow, fw::clNavy, c.Direction, c.Balance);
    canvas_.EndDrawing();
    paths.push_back(dir.File("g" + std::to_string(paths.size()) + ".svg"));
    WriteFile(paths.back(), Document());
    const CommandResult render = RunCommand("rsvg-convert -o '" + paths.back() + ".png' '" + paths.back() + "'");
    ASSERT_EQ(render.Status, 0) << render.Output;
    paths.back() += ".png";
  }
  const std::vector<PillowPicture> rendered = ReadAllWithPillow(dir, paths);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    ASSERT_EQ(rendered[i].Rgb.size(), std::size_t(w * h)) << i;
    // The rectangle element leaves out the last row and column, as every SVG rectangle here.
    double difference = 0;
    for (int y = 0; y < h - 1; ++y)
      for (int x = 0; x < w - 1; ++x)
        for (int shift : {0, 8, 16})
          difference += std::abs(int(rendered[i].Rgb[std::size_t(y * w + x)] >> shift & 0xFF) -
                                 int(painted[i][std::size_t(y * w + x)] >> shift & 0xFF));
    EXPECT_LT(difference / ((w - 1) * (h - 1) * 3), 6.0) << "direction " << cases[i].Direction << " balance "
                                                          << cases[i].Balance;
  }
}

// A label turned a quarter turn stands upright where the chart's own canvas puts it.
TEST_F(SvgCanvas, RotatedTextIsWrittenTurned) {
  const int w = 80, h = 80;
  struct Box {
    int Left = 1 << 20, Top = 1 << 20, Right = -1, Bottom = -1;
  };
  auto inkBox = [&](const std::vector<std::uint32_t>& Rgb) {
    Box b;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if ((Rgb[std::size_t(y * w + x)] & 0xFF) < 128) {
          b.Left = std::min(b.Left, x), b.Right = std::max(b.Right, x);
          b.Top = std::min(b.Top, y), b.Bottom = std::max(b.Bottom, y);
        }
    return b;
  };
  fw::TBitmap bitmap;
  bitmap.SetPixelFormat(fw::pf24bit);
  bitmap.SetSize(w, h);
  bitmap.Canvas()->Brush()->SetColor(fw::clWhite);
  bitmap.Canvas()->FillRect(fw::TRect{0, 0, w, h});
  chart::TPlotCanvas3D gdi;
  gdi.SetReferenceCanvas(bitmap.Canvas());
  gdi.Font()->SetName(win::WideToUtf8(win::kTestFontFace));
  gdi.Font()->SetSize(10);
  gdi.Font()->SetColor(fw::clBlack);
  gdi.SetBackMode(chart::cbmTransparent);
  gdi.RotateLabel(30, 70, "WWWWW", 90);
  const Box painted = inkBox(BitmapRgb(bitmap));

  canvas_.InitDrawing(fw::TRect{0, 0, w, h});
  canvas_.Brush()->SetColor(fw::clWhite);
  canvas_.Pen()->SetStyle(fw::psClear);
  canvas_.FillRect(fw::TRect{0, 0, w + 1, h + 1});
  canvas_.RotateLabel(30, 70, "WWWWW", 90);
  canvas_.EndDrawing();
  ScratchDir dir;
  WriteFile(dir.File("t.svg"), Document());
  const CommandResult render = RunCommand("rsvg-convert -o '" + dir.File("t.png") + "' '" + dir.File("t.svg") + "'");
  ASSERT_EQ(render.Status, 0) << render.Output;
  const Box written = inkBox(ReadWithPillow(dir, dir.File("t.png")).Rgb);
  ASSERT_GE(painted.Right, 0);
  ASSERT_GE(written.Right, 0);
  EXPECT_GT(written.Bottom - written.Top, 2 * (written.Right - written.Left)) << "upright, not level";
  EXPECT_NEAR((written.Left + written.Right) / 2, (painted.Left + painted.Right) / 2, 4);
  // Both start at the turning point and run up from it (the renderers' fonts differ in width).
  EXPECT_NEAR(written.Bottom, painted.Bottom, 3);
  EXPECT_LT(written.Top, 60);
}

}  // namespace
