// The text controls' owner-drawn hints (the shared bitmap, the bitmap hint window or the
// standard one) and their action links (wide texts, Checked and ImageIndex, defaults kept).
#include <gtest/gtest.h>

#include "controls/CsBitmapHint.h"
#include "controls/CsButtons.h"
#include "controls/UniActions.h"
#include "controls/UniCodePages.h"
#include "framework/ActnList.h"
#include "framework/ControlMessages.h"
#include "framework/Forms.h"
#include "framework/GraphicsCanvas.h"
#include "framework/stdctrls_support.h"

namespace cs {
namespace {

class TProbeCheckBox : public TCsCheckBox {
 public:
  using TCsCheckBox::TCsCheckBox;
  using TCsCheckBox::ActionChange;
};

class CsHintsLinksTest : public fw::testing::StdCtrlsTest {
 protected:
  fw::THintInfo ShowHint(TCsTextObject* control) {
    fw::THintInfo info;
    info.HintControl = control;
    info.HintStr = WideToUtf8(control->Hint());
    control->Perform(fw::CM_HINTSHOW, 0, win::LPARAM(&info));
    return info;
  }
};

TEST_F(CsHintsLinksTest, WithoutOnDrawHintTheStandardHintShows) {
  auto* box = Add<TCsCheckBox>(10, 10, 100, 20);
  box->SetHint(u"Подсказка");
  const fw::THintInfo info = ShowHint(box);
  EXPECT_NE(info.HintWindowClass, TBitmapHint::ClassInfo());
  EXPECT_EQ(info.HintStr, WideToUtf8(u"Подсказка"));
}

TEST_F(CsHintsLinksTest, HandlerLeavingPaintDefaultKeepsStandardHintWithItsText) {
  auto* box = Add<TCsCheckBox>(10, 10, 100, 20);
  box->SetHint(u"Hello|long help");
  int calls = 0;
  fw::TSize size{};
  box->OnDrawHint = [&](fw::TObject*, fw::TBitmap* bmp, WideString& hint, bool&) {
    ++calls;
    size = {bmp->Width(), bmp->Height()};
    EXPECT_EQ(hint, u"Hello");  // the short hint
    hint = u"Другой";
  };
  const fw::THintInfo info = ShowHint(box);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(size.cx, 5 * 7 + 8);  // text width + 8 with the fixed test font
  EXPECT_EQ(size.cy, 13 + 4);
  EXPECT_NE(info.HintWindowClass, TBitmapHint::ClassInfo());
  EXPECT_EQ(info.HintStr, WideToUtf8(u"Другой"));
}

TEST_F(CsHintsLinksTest, HandlerDrawingTheHintGetsTheBitmapHintOverTheClient) {
  auto* box = Add<TCsCheckBox>(10, 10, 100, 20);
  box->SetHint(u"Hi");
  box->OnDrawHint = [](fw::TObject*, fw::TBitmap* bmp, WideString&, bool& paintDefault) {
    bmp->Canvas()->SetPixels(1, 1, 0x0000FF);
    paintDefault = false;
  };
  const fw::THintInfo info = ShowHint(box);
  EXPECT_EQ(info.HintWindowClass, TBitmapHint::ClassInfo());
  EXPECT_EQ(info.CursorRect, box->ClientRect());
  // What the handler drew stays; the rest is the hint background.
  EXPECT_EQ(HintBitmap()->Canvas()->Pixels(1, 1), 0x0000FF);
  EXPECT_EQ(HintBitmap()->Canvas()->Pixels(0, HintBitmap()->Height() - 1), fw::ColorToRGB(fw::clInfoBk));
  // The window is the bitmap less its border.
  std::unique_ptr<fw::THintWindow> window(info.HintWindowClass->Create(nullptr));
  const fw::TRect r = window->CalcHintRect(300, "Hi", nullptr);
  EXPECT_EQ(r, fw::Rect(0, 0, HintBitmap()->Width() - 2, HintBitmap()->Height() - 2));
  // Shown, every row of the bitmap lies inside the border (the text's last rows included).
  window->ActivateHint(fw::Rect(30, 40, 30 + r.right, 40 + r.bottom), "Hi");
  EXPECT_EQ(window->ClientHeight(), HintBitmap()->Height());
  window->ReleaseHandle();
}

TEST_F(CsHintsLinksTest, ActionLinkCarriesWideTextsCheckedAndImageIndex) {
  auto* box = Add<TCsCheckBox>(10, 10, 100, 20);
  int clicks = 0;
  box->OnClick = [&](fw::TObject*) { ++clicks; };
  TUniAction action(nullptr);
  action.SetCaption(u"Сохранить");
  action.SetHint(u"Сохранить файл");
  action.SetChecked(true);
  action.SetImageIndex(3);
  box->SetAction(&action);
  EXPECT_EQ(box->Caption(), u"Сохранить");
  EXPECT_EQ(box->Hint(), u"Сохранить файл");
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(box->ImageIndex(), 3);
  clicks = 0;
  action.SetChecked(false);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks, 1);
  action.SetImageIndex(5);
  EXPECT_EQ(box->ImageIndex(), 5);
  action.SetCaption(u"Открыть");
  EXPECT_EQ(box->Caption(), u"Открыть");
  box->SetAction(nullptr);
}

TEST_F(CsHintsLinksTest, ActionChangeWithDefaultsKeepsWhatTheControlHas) {
  auto* box = Add<TProbeCheckBox>(10, 10, 100, 20);
  TUniAction action(nullptr);
  action.SetCaption(u"Из действия");
  action.SetHint(u"Подсказка действия");
  action.SetChecked(true);
  action.SetImageIndex(2);
  struct Case {
    const char16_t* caption;
    bool checked;
    fw::Integer image;
    const char16_t* wantCaption;
    fw::Integer wantImage;
  } cases[] = {
      {u"", false, -1, u"Из действия", 2},
      {u"Своё", true, 7, u"Своё", 7},
  };
  for (const Case& c : cases) {
    box->SetCaption(c.caption);
    box->SetHint(u"");
    box->SetChecked(c.checked);
    box->SetImageIndex(c.image);
    box->ActionChange(&action, true);
    EXPECT_EQ(box->Caption(), c.wantCaption);
    EXPECT_EQ(box->Hint(), u"Подсказка действия");
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(box->ImageIndex(), c.wantImage);
  }
}

}  // namespace
}  // namespace cs
