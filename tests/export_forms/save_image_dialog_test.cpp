// The save-image dialog on the headless desktop: each extension's box and height, the options
// read back by Pillow and xmllint from the written file, the proportional lock, and the chart,
// the selector and the disk left as they were on Cancel and on failures.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "chart/ChartElement.h"
#include "chart/PlotMultiSelectorTool.h"
#include "controls/CsButtons.h"
#include "controls/CsEditors.h"
#include "controls/CsPanels.h"
#include "controls/NumericSpinEdit.h"
#include "export/KvPlotExport.h"
#include "export/chart_export_fixture.h"
#include "export/format_test_support.h"
#include "export/forms/WinSaveImg.h"
#include "workspace/Common.h"

namespace {

using kvforms::TwndSaveImg;

TwndSaveImg* OpenSaveImg() {
  for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i)
    if (auto* form = dynamic_cast<TwndSaveImg*>(fw::Screen->Forms(i))) return form;
  return nullptr;
}

class SaveImageDialogTest : public exporttest::ChartExportTest {
 protected:
  void SetUp() override {
    ChartExportTest::SetUp();
    chart::TChart& chart = MakeChart(400, 300);
    chart.SetColor(fw::clYellow);
    chart.BackWall()->SetColor(fw::clAqua);
    chart.Gradient()->Visible = true;
    selector_ = new chart::TMultiSelectorTool(&chart);
    selector_->SetParentChart(&chart);
    selector_->SetActive(false);
    workspace::SetBalloonHintHandler(
        [this](const fw::String& Title, const fw::String& Text, fw::Integer Type) {
          balloons_.push_back(Title + "|" + Text + "|" + std::to_string(Type));
        });
  }
  void TearDown() override {
    workspace::SetBalloonHintHandler(nullptr);
    ChartExportTest::TearDown();
  }
  // Runs the save with Answer working the dialog and closing it with Result.
  void Save(const std::string& Path, std::function<void(TwndSaveImg&)> Answer, fw::TModalResult Result) {
    desktop->script([&, Answer, Result] {
      TwndSaveImg* dialog = OpenSaveImg();
      ASSERT_NE(dialog, nullptr);
      seenDuring_ = {chart::MainChart->Color(), chart::MainChart->BackWall()->Color(),
                     chart::MainChart->Gradient()->Visible, selector_->Active()};
      if (Answer) Answer(*dialog);
      dialog->SetModalResult(Result);
    });
    kvforms::SaveChartImage(Path, selector_);
  }
  // Types Text into Field over what it holds, each character a script step of its own; After runs
  // once each has been taken.
  void TypeInto(cs::TCsSpinEdit* const& Field, const std::string& Text, std::function<void()> After = nullptr) {
    desktop->script([&Field] {
      Field->SetFocus();
      Field->SelectAll();
    });
    for (char c : Text) {
      desktop->script([this, c] { desktop->type_char(char16_t(c)); });
      if (After) desktop->script(After);
    }
  }
  void ExpectChartRestored() {
    EXPECT_EQ(chart::MainChart->Color(), fw::clYellow);
    EXPECT_EQ(chart::MainChart->BackWall()->Color(), fw::clAqua);
    EXPECT_TRUE(chart::MainChart->Gradient()->Visible);
    EXPECT_TRUE(selector_->Active());  // on afterwards, whatever it was before
  }
  // The picture's size as another reader sees it: Pillow for the pixel formats, the placeable
  // header of a WMF, the frame of an EMF (hundredths of a millimetre at 96 pixels per inch), the
  // root element of an SVG.
  std::string SavedSize(const std::string& Path) {
    const std::string script = dir_.File("picture_size.py");
    exporttest::WriteFile(script,
                          "import re, struct, sys\n"
                          "path = sys.argv[1]\n"
                          "data = open(path, 'rb').read()\n"
                          "if path.endswith('.svg'):\n"
                          "    size = re.search(rb'<svg[^>]*width=\"(\\d+)px\" height=\"(\\d+)px\"', data)\n"
                          "    print(int(size[1]), 'x', int(size[2]), end='')\n"
                          "elif path.endswith('.wmf'):\n"
                          "    key, hmf, l, t, r, b, inch = struct.unpack('<IHhhhhH', data[:16])\n"
                          "    print(r - l, 'x', b - t, end='')\n"
                          "elif path.endswith('.emf'):\n"
                          "    l, t, r, b = struct.unpack('<4i', data[24:40])\n"
                          "    print(round((r - l) * 96 / 2540), 'x', round((b - t) * 96 / 2540), end='')\n"
                          "else:\n"
                          "    from PIL import Image\n"
                          "    im = Image.open(path)\n"
                          "    im.load()\n"
                          "    print(im.size[0], 'x', im.size[1], end='')\n");
    const auto r = writertest::RunCommand("/usr/bin/python3 '" + script + "' '" + Path + "'");
    EXPECT_EQ(r.Status, 0) << r.Output;
    return r.Output;
  }
  struct Seen {
    fw::TColor Color = 0, Wall = 0;
    bool Gradient = true, Selector = true;
  } seenDuring_;
  chart::TMultiSelectorTool* selector_ = nullptr;
  std::vector<std::string> balloons_;
};

TEST_F(SaveImageDialogTest, EachExtensionShowsItsBoxAtItsHeight) {
  struct Case {
    const char* File;
    const char* Caption;
    int Height;
    int Box;  // 0 bmp, 1 jpeg, 2 gif, 3 svg, -1 none
  };
  const Case cases[] = {{"a.bmp", "Сохранение .BMP", 235, 0},  {"a.JPG", "Сохранение .JPG", 261, 1},
                        {"a.gif", "Сохранение .GIF", 264, 2},  {"a.svg", "Сохранение .SVG", 197, 3},
                        {"a.jpeg", "Сохранение .JPEG", 138, -1}, {"a.tif", "Сохранение .TIF", 138, -1},
                        {"a.tiff", "Сохранение .TIFF", 138, -1}, {"a.wmf", "Сохранение .WMF", 138, -1},
                        {"a.emf", "Сохранение .EMF", 138, -1},   {"a.pcx", "Сохранение .PCX", 138, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.File);
    Save(dir_.File(c.File),
         [&](TwndSaveImg& d) {
           EXPECT_EQ(d.Caption(), c.Caption);
           EXPECT_GE(d.ClientWidth(), 169);  // wider for captions measured wider
           EXPECT_EQ(d.ClientHeight(), c.Height);
           const cs::TCsGroupBox* boxes[] = {d.gbxBMP, d.gbxJPEG, d.gbxGIF, d.gbxSVG};
           for (int i = 0; i < 4; ++i) EXPECT_EQ(boxes[i]->Visible(), i == c.Box) << i;
           EXPECT_EQ(d.seWidth->Value(), 400);
           EXPECT_EQ(d.seHeight->Value(), 300);
           EXPECT_EQ(d.butOk->Top() + d.butOk->Height(), c.Height - 7);  // kept at the bottom
           EXPECT_EQ(d.Color(), workspace::GetThemeFormColor());
         },
         fw::mrCancel);
    // White, without gradient and selector while the dialog is up; all back afterwards.
    EXPECT_EQ(seenDuring_.Color, fw::clWhite);
    EXPECT_EQ(seenDuring_.Wall, fw::clWhite);
    EXPECT_FALSE(seenDuring_.Gradient);
    EXPECT_FALSE(seenDuring_.Selector);
    ExpectChartRestored();
    EXPECT_FALSE(std::filesystem::exists(dir_.File(c.File)));
  }
  EXPECT_TRUE(balloons_.empty());  // Cancel writes nothing and says nothing
}

TEST_F(SaveImageDialogTest, OptionsChosenInTheDialogReachTheFile) {
  const std::string jpeg = dir_.File("grey.jpg"), bmp = dir_.File("mono.bmp"), gif = dir_.File("rle.gif"),
                    plain = dir_.File("plain.jpeg");
  Save(jpeg,
       [](TwndSaveImg& d) {
         EXPECT_TRUE(d.rgQuality->Checked());
         EXPECT_EQ(d.seQuality->Value(), 95);
         EXPECT_FALSE(d.cbGrayScale->Checked());
         d.cbGrayScale->SetChecked(true);
         d.seQuality->SetValue(40);
         d.seWidth->SetValue(200);
         d.seHeight->SetValue(120);
       },
       fw::mrOk);
  Save(bmp,
       [](TwndSaveImg& d) {
         EXPECT_EQ(d.cbxPixelFormat->ItemIndex(), fw::pf24bit);
         d.cbMonochrome->SetChecked(true);
       },
       fw::mrOk);
  Save(gif,
       [](TwndSaveImg& d) {
         EXPECT_TRUE(d.rbLZW->Checked());
         EXPECT_EQ(d.cbxColorReduction->Items()->Count(), 10);
         EXPECT_EQ(d.cbxDitherMode->Items()->Count(), 7);
         d.rbRLE->SetChecked(true);
         d.cbxColorReduction->SetItemIndex(7);  // quantize
       },
       fw::mrOk);
  Save(plain, nullptr, fw::mrOk);
  const auto pictures = writertest::ReadAllWithPillow(dir_, {jpeg, bmp, gif, plain});
  EXPECT_EQ(pictures[0].Mode, "L");
  EXPECT_EQ(pictures[0].Width, 200);
  EXPECT_EQ(pictures[0].Height, 120);
  EXPECT_EQ(pictures[1].Mode, "1");
  EXPECT_EQ(pictures[1].Width, 400);
  EXPECT_EQ(pictures[2].Mode, "P");
  EXPECT_EQ(pictures[3].Mode, "RGB");  // ".jpeg": the defaults, colour
  EXPECT_EQ(balloons_, std::vector<std::string>(4, "Сохранение завершено||0"));
  ExpectChartRestored();
}

TEST_F(SaveImageDialogTest, SvgTextAntialiasingReachesTheFile) {
  const std::string path = dir_.File("chart.svg");
  Save(path, [](TwndSaveImg& d) { d.cbAntiAlias->SetChecked(true); }, fw::mrOk);
  const auto check = writertest::RunCommand("xmllint --noout '" + path + "'");
  EXPECT_EQ(check.Status, 0) << check.Output;
  std::ifstream in(path);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("text-antialiasing:true"), std::string::npos);
  EXPECT_NE(text.find("width=\"400px\""), std::string::npos);
}

TEST_F(SaveImageDialogTest, TheLockKeepsTheLastSeenProportion) {
  TwndSaveImg dialog(nullptr);
  dialog.seWidth->SetValue(400);
  dialog.seHeight->SetValue(300);
  dialog.FormShow();
  dialog.cbProportional->SetChecked(true);
  dialog.seWidth->SetValue(800);
  EXPECT_EQ(dialog.seHeight->Value(), 600);
  EXPECT_EQ(dialog.seWidth->Value(), 800);  // the mirrored handler did not run back
  dialog.cbProportional->SetChecked(false);
  dialog.seHeight->SetValue(100);
  EXPECT_EQ(dialog.seWidth->Value(), 800);
  dialog.cbProportional->SetChecked(true);
  dialog.seHeight->SetValue(200);
  EXPECT_EQ(dialog.seWidth->Value(), 1600);  // 800 : 100, the last values seen
  // A width of 0 passed on the way (a field cleared before typing) does not lose the proportion.
  dialog.seWidth->SetValue(0);
  EXPECT_EQ(dialog.seHeight->Value(), 0);
  dialog.seWidth->SetValue(50);
  EXPECT_EQ(dialog.seHeight->Value(), 6);  // 50 x 100 / 800, in whole pixels
  // A negative size typed with the lock off (a minus typed first) is no proportion: 800 : 100 stays.
  dialog.cbProportional->SetChecked(false);
  dialog.seWidth->SetText("-500");
  dialog.cbProportional->SetChecked(true);
  dialog.seHeight->SetValue(200);
  EXPECT_EQ(dialog.seWidth->Value(), 1600);
}

// Under the lock, the fit brings both sides down by one factor and sets each without its change
// handler: a side set through it would move the other by the lock's proportion, rounded again.
TEST_F(SaveImageDialogTest, TheFitUnderTheLockMovesNeitherSideByTheOther) {
  TwndSaveImg dialog(nullptr);
  dialog.seWidth->SetValue(200);
  dialog.seHeight->SetValue(300);
  dialog.FormShow();
  dialog.cbProportional->SetChecked(true);
  dialog.seWidth->SetText("6669");
  ASSERT_EQ(dialog.seHeight->Text(), "10004");  // 6669 x 3 / 2, to the even
  dialog.FitSize();
  EXPECT_EQ(dialog.seWidth->Text(), "6666");  // 6669 x 10000 / 10004
  EXPECT_EQ(dialog.seHeight->Text(), "10000");
}

// A size typed digit by digit passes through small whole values; the picture keeps the chart's
// proportion all the same.
TEST_F(SaveImageDialogTest, TheLockKeepsTheChartsProportionWhileDigitsAreTyped) {
  struct Typing {
    bool width;
    std::vector<fw::Extended> steps;
    fw::Integer savedWidth, savedHeight;
  };
  const Typing typings[] = {
      {true, {1, 13, 138, 1380}, 1380, 984},
      {false, {9, 98, 984}, 1380, 984},
      {true, {0, 3, 34, 345}, 345, 246},
  };
  for (const Typing& typing : typings) {
    SCOPED_TRACE(typing.savedWidth);
    TwndSaveImg dialog(nullptr);
    dialog.seWidth->SetValue(690);
    dialog.seHeight->SetValue(492);
    dialog.FormShow();
    dialog.cbProportional->SetChecked(true);
    for (fw::Extended step : typing.steps) (typing.width ? dialog.seWidth : dialog.seHeight)->SetValue(step);
    EXPECT_EQ(fw::Integer(dialog.seWidth->Value()), typing.savedWidth);
    EXPECT_EQ(fw::Integer(dialog.seHeight->Value()), typing.savedHeight);
  }
}

// A size typed past the fields' limits of 0 and 10000 (past the integer range too, or no number
// at all), then Tab to the other field or Enter for OK, on a 700 x 500 chart (or a 500 x 700
// one): the fields come within their limits (in the chart's proportion when it is locked), and
// the picture saved has the size they show, 0 being the chart's own.
TEST_F(SaveImageDialogTest, ASizePastTheLimitIsBroughtWithinItAndSavedAsShown) {
  struct Row {
    bool Tall;  // the chart 500 x 700
    bool Locked;
    bool Width;  // the field typed into
    const char* Typed;
    fw::Word Then;  // VK_TAB (then OK clicked) or VK_RETURN
    fw::Integer ShownWidth, ShownHeight;  // after Tab; 0: Enter closed the dialog
    fw::Integer SavedWidth, SavedHeight;
  };
  const Row rows[] = {
      {false, false, true, "12000", win::VK_RETURN, 0, 0, 10000, 500},
      {false, false, false, "12000", win::VK_TAB, 700, 10000, 700, 10000},
      {false, true, false, "8000", win::VK_RETURN, 0, 0, 10000, 7143},
      {false, true, false, "8000", win::VK_TAB, 10000, 7143, 10000, 7143},
      {false, true, true, "20000", win::VK_TAB, 10000, 7143, 10000, 7143},
      {true, true, true, "8000", win::VK_RETURN, 0, 0, 7143, 10000},
      {false, true, true, "1400", win::VK_RETURN, 0, 0, 1400, 1000},  // within the limits: as typed
      // Past the integer range, and at its end.
      {false, false, true, "2147483648", win::VK_TAB, 10000, 500, 10000, 500},
      {false, false, false, "99999999999999999999", win::VK_RETURN, 0, 0, 700, 10000},
      {false, false, true, "2147483647", win::VK_RETURN, 0, 0, 10000, 500},
      {false, true, true, "2147483648", win::VK_TAB, 10000, 7143, 10000, 7143},
      // So far past that the other side in proportion would not be a 64-bit integer.
      {false, true, true, "99999999999999999999", win::VK_TAB, 10000, 7143, 10000, 7143},
      // Below the lower limit 0, which stands for the chart's own size: with the lock both sides
      // follow, never one negative.
      {false, true, true, "-500", win::VK_TAB, 0, 0, 700, 500},
      {false, true, false, "-2147483649", win::VK_RETURN, 0, 0, 700, 500},
      {false, false, true, "-500", win::VK_TAB, 0, 500, 700, 500},
      // No number: an emptied field, a sign alone.
      {false, false, true, "\b", win::VK_TAB, 0, 500, 700, 500},
      {false, false, false, "-", win::VK_TAB, 700, 0, 700, 500},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.Typed) + (row.Width ? " wide" : " high") + (row.Locked ? ", locked" : "") +
                 (row.Tall ? ", tall chart" : ""));
    chart::MainChart->SetBounds(0, 0, row.Tall ? 500 : 700, row.Tall ? 700 : 500);
    const std::string path = dir_.File("sized.svg");
    TwndSaveImg* dialog = nullptr;
    desktop->script([&] {
      dialog = OpenSaveImg();
      ASSERT_NE(dialog, nullptr);
      dialog->cbProportional->SetChecked(row.Locked);
      cs::TCsSpinEdit* field = row.Width ? dialog->seWidth : dialog->seHeight;
      field->SetFocus();
      field->SelectAll();
      for (const char* c = row.Typed; *c; ++c)
        if (*c == '\b')
          desktop->press_key(win::VK_BACK);
        else
          desktop->type_char(char16_t(*c));
    });
    desktop->script([&] { desktop->press_key(row.Then); });
    if (row.Then == win::VK_TAB)
      desktop->script([&] {
        EXPECT_EQ(dialog->seWidth->Text(), std::to_string(row.ShownWidth));
        EXPECT_EQ(dialog->seHeight->Text(), std::to_string(row.ShownHeight));
        dialog->butOk->Click();
      });
    kvforms::SaveChartImage(path, selector_);
    EXPECT_EQ(desktop->pending_script(), 0u);
    std::ifstream in(path);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("width=\"" + std::to_string(row.SavedWidth) + "px\""), std::string::npos) << text.substr(0, 300);
    EXPECT_NE(text.find("height=\"" + std::to_string(row.SavedHeight) + "px\""), std::string::npos);
    in.close();
    std::filesystem::remove(path);
  }
}

// Ширина 10000 and Высота 1 (or 1 and 10000) typed with the lock off, then the lock ticked and a
// size typed into either field: the other side follows each digit and never shows a negative
// number (with 15 to 25 digits the side in proportion is past the 64-bit range) nor 0 (the
// chart's own size) for a small one; after Tab the fields show, and OK saves in every format, the
// size within the limits in that proportion: the largest, or 9 x 1 and 1 x 9.
TEST_F(SaveImageDialogTest, AnExtremeKeptProportionStaysWithinTheLimitsWhateverIsTyped) {
  struct Row {
    bool Wide;   // 10000 x 1; else 1 x 10000
    bool Width;  // the field typed into under the lock
    std::string Typed;
    const char* Ext;
    const char* Saved;  // width x height
  };
  const std::string allDigits = "9876543210987654321098765";
  const std::string d15 = allDigits.substr(0, 15), d20 = allDigits.substr(0, 20), d25 = allDigits;
  const Row rows[] = {
      {true, false, d15, ".svg", "10000 x 1"},  {true, false, d20, ".svg", "10000 x 1"},
      {true, false, d25, ".svg", "10000 x 1"},  {true, true, d15, ".svg", "10000 x 1"},
      {true, true, d20, ".svg", "10000 x 1"},   {true, true, d25, ".svg", "10000 x 1"},
      {false, true, d15, ".svg", "1 x 10000"},  {false, true, d20, ".svg", "1 x 10000"},
      {false, true, d25, ".svg", "1 x 10000"},  {false, false, d15, ".svg", "1 x 10000"},
      {false, false, d20, ".svg", "1 x 10000"}, {false, false, d25, ".svg", "1 x 10000"},
      // A small size: the kept side is 1 pixel, not 0, in both directions and every format.
      {true, true, "9", ".svg", "9 x 1"},       {false, false, "9", ".svg", "1 x 9"},
      {true, true, "9", ".bmp", "9 x 1"},       {false, false, "9", ".jpg", "1 x 9"},
      {true, true, "9", ".gif", "9 x 1"},       {false, false, "9", ".tif", "1 x 9"},
      {true, true, "9", ".pcx", "9 x 1"},       {false, false, "9", ".wmf", "1 x 9"},
      {true, true, "9", ".emf", "9 x 1"},       {false, false, "9", ".jpeg", "1 x 9"},
  };
  for (const Row& row : rows) {
    const fw::Integer width = row.Wide ? 10000 : 1, height = row.Wide ? 1 : 10000;
    SCOPED_TRACE(row.Typed + (row.Width ? " wide" : " high") + " at " + std::to_string(width) + " x " +
                 std::to_string(height) + " as " + row.Ext);
    const std::string path = dir_.File(std::string("kept") + row.Ext);
    TwndSaveImg* dialog = nullptr;
    cs::TCsSpinEdit *seWidth = nullptr, *seHeight = nullptr, *field = nullptr, *other = nullptr;
    desktop->script([&] {
      dialog = OpenSaveImg();
      ASSERT_NE(dialog, nullptr);
      seWidth = dialog->seWidth;
      seHeight = dialog->seHeight;
      field = row.Width ? seWidth : seHeight;
      other = row.Width ? seHeight : seWidth;
    });
    TypeInto(seWidth, std::to_string(width));
    TypeInto(seHeight, std::to_string(height));
    desktop->script([&] { dialog->cbProportional->SetChecked(true); });
    TypeInto(field, row.Typed, [&] {
      const fw::String shown = other->Text();
      EXPECT_TRUE(!shown.empty() && shown.find_first_not_of("0123456789") == fw::String::npos) << shown;
      EXPECT_NE(shown, "0");
    });
    desktop->script([&] { desktop->press_key(win::VK_TAB); });
    desktop->script([&] {
      EXPECT_EQ(seWidth->Text() + " x " + seHeight->Text(), row.Saved);
      dialog->butOk->Click();
    });
    kvforms::SaveChartImage(path, selector_);
    EXPECT_EQ(desktop->pending_script(), 0u);
    EXPECT_EQ(SavedSize(path), row.Saved);
    std::filesystem::remove(path);
  }
}

// Without the lock, a width typed past its limit and fitted on Tab is the width the lock then
// keeps in proportion, not the one typed: 10000 x 300 on a 400 x 300 chart, so a height of 600
// typed under the lock makes the width 20000 and the fit 10000 x 300.
TEST_F(SaveImageDialogTest, TheLockKeepsTheProportionOfTheFittedSizes) {
  TwndSaveImg* dialog = nullptr;
  cs::TCsSpinEdit *seWidth = nullptr, *seHeight = nullptr;
  desktop->script([&] {
    dialog = OpenSaveImg();
    ASSERT_NE(dialog, nullptr);
    seWidth = dialog->seWidth;
    seHeight = dialog->seHeight;
  });
  TypeInto(seWidth, "20000");
  desktop->script([&] { desktop->press_key(win::VK_TAB); });
  desktop->script([&] {
    EXPECT_EQ(seWidth->Text(), "10000");
    dialog->cbProportional->SetChecked(true);
  });
  TypeInto(seHeight, "600");
  desktop->script([&] {
    EXPECT_EQ(seWidth->Text(), "20000");
    dialog->butOk->Click();
  });
  const std::string path = dir_.File("fitted.svg");
  kvforms::SaveChartImage(path, selector_);
  EXPECT_EQ(desktop->pending_script(), 0u);
  std::ifstream in(path);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("width=\"10000px\" height=\"300px\""), std::string::npos) << text.substr(0, 300);
}

TEST_F(SaveImageDialogTest, TheDefaultGifReductionCodesManyColoursAndNoneRefusesThem) {
  // A line coloured point by point: far more than 256 colours on the chart.
  auto* rainbow = new chart::TLineSeries(chart::MainChart);
  rainbow->SetParentChart(chart::MainChart);
  rainbow->SetColorEachPoint(true);
  for (int i = 0; i < 400; ++i)
    rainbow->AddXY(i / 20.0, (i % 7) - 3.0, {}, static_cast<fw::TColor>((i * 0x00050B13) & 0xFFFFFF));
  const std::string plain = dir_.File("default.gif"), none = dir_.File("none.gif");
  Save(plain, [](TwndSaveImg& d) { EXPECT_EQ(d.cbxColorReduction->ItemIndex(), 7); }, fw::mrOk);
  const auto pictures = writertest::ReadAllWithPillow(dir_, {plain});
  EXPECT_EQ(pictures[0].Mode, "P");
  EXPECT_EQ(pictures[0].Width, 400);

  // "None" on the same chart: the codec's refusal reaches the caller, said in Russian with what to
  // choose, and the old file stays.
  exporttest::WriteFile(none, "old");
  try {
    Save(none, [](TwndSaveImg& d) { d.cbxColorReduction->SetItemIndex(0); }, fw::mrOk);
    ADD_FAILURE() << "no exception";
  } catch (const std::exception& e) {
    EXPECT_EQ(std::string(e.what()), "Не удается сохранить рисунок в файл \"" + none +
                                         "\": в рисунке больше 256 цветов (предел GIF); выберите способ сведения "
                                         "цветов в списке \"Сведение\"");
  }
  std::ifstream in(none);
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), "old");
  EXPECT_EQ(balloons_, std::vector<std::string>(1, "Сохранение завершено||0"));
  ExpectChartRestored();
}

TEST_F(SaveImageDialogTest, FailuresLeaveTheChartAndTheOldFileAsTheyWere) {
  // No picture format: refused before any dialog.
  try {
    kvforms::SaveChartImage(dir_.File("a.png"), selector_);
    ADD_FAILURE() << "no exception";
  } catch (const fw::Exception& e) {
    EXPECT_STREQ(e.what(), "Неподдерживаемый формат изображения");
  }
  ExpectChartRestored();
  // A folder that does not exist: the writer's failure reaches the caller, in Russian and naming
  // the file.
  try {
    Save(dir_.File("missing/a.bmp"), nullptr, fw::mrOk);
    ADD_FAILURE() << "no exception";
  } catch (const std::exception& e) {
    const std::string said = e.what();
    EXPECT_EQ(said.rfind("Не удается записать файл \"" + dir_.File("missing/a.bmp") + "\"", 0), 0u) << said;
  }
  ExpectChartRestored();
  // An existing file survives a cancelled save.
  const std::string old = dir_.File("old.bmp");
  exporttest::WriteFile(old, "old");
  Save(old, nullptr, fw::mrCancel);
  std::ifstream in(old);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "old");
  EXPECT_TRUE(balloons_.empty());
}

}  // namespace
