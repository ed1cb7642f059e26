// The shared routines: splitting at delimiters (NUL included), font descriptions, the colour
// and font pickers answered through the desktop's scripted dialogs, and the balloon hook.

#include <gtest/gtest.h>

#include "framework/GraphicsObjects.h"
#include "platform/desktop/CommonDialogs.h"
#include "workspace/Common.h"

namespace {

namespace wd = win::desktop;
using workspace::SplitString;

std::vector<std::string> Split(std::string_view text, std::string_view delimiters) {
  std::vector<std::string> parts;
  SplitString(text, delimiters, parts);
  return parts;
}

TEST(SplitStringTest, KeepsOnlyNonEmptyRunsAndTreatsNulAsDelimiter) {
  EXPECT_EQ(Split("a;b;;c", ";"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(Split(";;", ";"), std::vector<std::string>{});
  EXPECT_EQ(Split("", ";"), std::vector<std::string>{});
  EXPECT_EQ(Split(" 1\t 2 ", " \t"), (std::vector<std::string>{"1", "2"}));
  // A source of a parametric graph is split after a NUL is appended: both formulas come out.
  std::string source = std::string("sin(t);cos(t)") + '\0';
  EXPECT_EQ(Split(source, ";"), (std::vector<std::string>{"sin(t)", "cos(t)"}));
  std::string inner = std::string("x") + '\0' + "y";
  EXPECT_EQ(Split(inner, ""), (std::vector<std::string>{"x", "y"}));
}

TEST(SplitStringTest, AppendsToWhatIsThere) {
  std::vector<std::string> parts{"old"};
  SplitString("new", ",", parts);
  EXPECT_EQ(parts, (std::vector<std::string>{"old", "new"}));
}

TEST(FontDescriptionTest, NameSizeStylesAndColour) {
  fw::TFont font;
  font.SetName("Arial");
  font.SetSize(10);
  EXPECT_EQ(workspace::FontDescription(&font, false, false), "Arial, 10pt");
  EXPECT_EQ(workspace::FontDescription(&font, true, false), "Arial, 10pt, []");
  font.SetStyle(fw::TFontStyles{fw::fsBold, fw::fsStrikeOut, fw::fsItalic});
  EXPECT_EQ(workspace::FontDescription(&font, true, false), "Arial, 10pt, [bis]");
  font.SetColor(fw::clRed);
  EXPECT_EQ(workspace::FontDescription(&font, true, true), "Arial, 10pt, [bis], clRed");
  EXPECT_EQ(workspace::FontDescription(nullptr, true, true), "");
}

TEST(PickerTest, ColourChosenOrKeptWhenCancelled) {
  wd::PushColorDialogAnswer(wd::ColorDialogResult{win::RGB(1, 2, 3), {}});
  EXPECT_EQ(workspace::SelectColor(fw::clWhite), fw::TColor(win::RGB(1, 2, 3)));
  wd::PushColorDialogAnswer(std::nullopt);
  EXPECT_EQ(workspace::SelectColor(fw::clNavy), fw::clNavy);
}

TEST(PickerTest, FontChangedOnlyOnOk) {
  fw::TFont font;
  font.SetName("Arial");
  font.SetSize(9);
  wd::PushFontDialogAnswer(std::nullopt);
  EXPECT_FALSE(workspace::SelectFont(&font));
  EXPECT_EQ(font.Name(), "Arial");
  wd::FontChoice choice;
  choice.face = u"Courier New";
  choice.pointSize = 14;
  choice.bold = true;
  wd::PushFontDialogAnswer(choice);
  ASSERT_TRUE(workspace::SelectFont(&font));
  EXPECT_EQ(font.Name(), "Courier New");
  EXPECT_EQ(font.Size(), 14);
  EXPECT_TRUE(font.Style().Contains(fw::fsBold));
}

TEST(BalloonTest, ReachesTheInstalledHandlerOnly) {
  workspace::ShowBalloonHint("ignored", "", 0);  // no handler: nothing happens
  std::string seen;
  workspace::SetBalloonHintHandler([&](const std::string& title, const std::string& text, int type) {
    seen = title + "|" + text + "|" + std::to_string(type);
  });
  workspace::ShowBalloonHint("Сохранение завершено", "", 0);
  EXPECT_EQ(seen, "Сохранение завершено||0");
  workspace::SetBalloonHintHandler(nullptr);
}

TEST(ThemeColourTest, DialogsTakeButtonFaceWithoutATheme) { EXPECT_EQ(workspace::GetThemeFormColor(), fw::clBtnFace); }

}  // namespace
