// The title format dialog on a chart's titles: caption per title, controls loaded from the
// title, Apply and OK writing it, Cancel restoring it exactly (compared through the chart's
// stream), and a font size that is no integer refused before anything is written.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "chart/Chart.h"
#include "chart/ChartStreaming.h"
#include "chart/ChartTitle.h"
#include "chart/PlotCanvas.h"
#include "controls/CsButtons.h"
#include "controls/CsEditors.h"
#include "controls/CsPanels.h"
#include "controls/NumericSpinEdit.h"
#include "controls/UniCodePages.h"
#include "export/forms/GradientRamp.h"
#include "export/forms/WinTitle.h"
#include "export_forms/ColourPicks.h"
#include "framework/Forms.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/StdCtrlsEdit.h"
#include "framework/Streams.h"
#include "platform/user/windows/WinUserTypes.h"
#include "support/HeadlessFixture.h"
#include "toolbars/TBItem.h"
#include "tx/Tx.h"
#include "tx/TxItems.h"
#include "workspace/Common.h"
#include "workspace/DataModule.h"
#include "workspace/DataModuleImages.h"

namespace {

using kvforms::TwndTitle;

class TitleDialogTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    chart::RegisterChartProperties();
    // The templates menu sits on a themed toolbar.
    tx::InitTx();
    chart = std::make_unique<chart::TChart>(nullptr);
    chart->SetName("Chart1");
    title = chart->Title();
    title->SetText("Первая\r\nВторая");
    title->SetAlignment(chart::tlaLeft);
    title->SetTransparent(false);
    title->SetTransparency(30);
    title->Font()->SetSize(12);
    title->Font()->SetColor(fw::clNavy);
    title->Shadow()->Color = fw::clMaroon;
    title->Shadow()->HorizSize = title->Shadow()->VertSize = 3;
  }
  void TearDown() override {
    chart.reset();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    tx::DoneTx();
    HeadlessTest::TearDown();
  }
  std::string Stream() {
    fw::TStringStream s;
    s.WriteComponent(chart.get());
    return s.DataString();
  }
  fw::Integer Run(chart::TChartTitle& Title, fw::TModalResult Result, std::function<void(TwndTitle&)> Work) {
    desktop->script([Result, Work] {
      for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i)
        if (auto* dialog = dynamic_cast<TwndTitle*>(fw::Screen->Forms(i))) {
          Work(*dialog);
          // OK is pressed: it applies before it closes.
          if (Result == fw::mrOk)
            dialog->butOk->Click();
          else
            dialog->SetModalResult(Result);
        }
    });
    return kvforms::ShowTitleFormat(Title);
  }
  static void Change(TwndTitle& d) {
    d.Memo1->Lines()->Clear();
    d.Memo1->Lines()->Add("Новый");
    d.cbShowTitle->SetChecked(false);
    d.cbxFontSize->SetText(cs::Utf8ToWide("20"));
    d.itFontBold->SetChecked(true);
    d.itAlRight->Click();
    d.itFrameRound->SetChecked(true);
    d.itPosCustom->SetChecked(true);
    d.seCoordTop->SetValue(40);
    d.seCoordLeft->SetValue(50);
    d.seShadowSize->SetValue(7);
    d.itShadowSmooth->SetChecked(true);
    d.seTransparency->SetValue(60);
    d.itViewSimple->SetChecked(true);
    d.FontColor = fw::clRed;
  }
  std::unique_ptr<chart::TChart> chart;
  chart::TChartTitle* title = nullptr;
};

TEST_F(TitleDialogTest, CaptionNamesWhichTitleIsEdited) {
  const struct {
    chart::TChartTitle* title;
    const char* caption;
  } rows[] = {{chart->Title(), "Формат заголовка"},
              {chart->SubTitle(), "Формат подзаголовка"},
              {chart->Foot(), "Формат первой подписи"},
              {chart->SubFoot(), "Формат второй подписи"}};
  for (const auto& r : rows) {
    TwndTitle d(nullptr, *r.title);
    EXPECT_EQ(d.Caption(), r.caption);
    // At least the laid-out size; wider fonts widen the pages to their measured captions.
    EXPECT_GE(d.ClientWidth(), 368);
    EXPECT_GE(d.ClientHeight(), 296);
  }
}

TEST_F(TitleDialogTest, OpensOnTheTitleAndOkWithoutChangesKeepsIt) {
  const std::string before = Stream();
  Run(*title, fw::mrOk, [](TwndTitle& d) {
    EXPECT_EQ(d.Memo1->Lines()->Count(), 2);
    EXPECT_EQ(d.Memo1->Lines()->Strings(1), "Вторая");
    EXPECT_EQ(cs::WideToUtf8(d.cbxFontSize->Text()), "12");
    EXPECT_TRUE(d.itAlLeft->Checked());
    EXPECT_TRUE(d.itViewFine->Checked());
    EXPECT_TRUE(d.gbxFrame->Enabled());
    EXPECT_FALSE(d.seCoordTop->Enabled());
    EXPECT_EQ(d.seTransparency->Value(), 30);
    EXPECT_EQ(d.seShadowSize->Value(), 3);
  });
  EXPECT_EQ(Stream(), before);
}

TEST_F(TitleDialogTest, OkWritesEveryControlIntoTheTitle) {
  EXPECT_EQ(Run(*title, fw::mrOk, Change), fw::mrOk);
  EXPECT_EQ(title->Text(), "Новый");
  EXPECT_FALSE(title->Visible());
  EXPECT_EQ(title->Font()->Size(), 20);
  EXPECT_TRUE(title->Font()->Style().Contains(fw::fsBold));
  EXPECT_EQ(title->Font()->Color(), fw::clRed);
  EXPECT_EQ(title->Alignment(), chart::tlaRight);
  EXPECT_EQ(title->ShapeStyle(), chart::fosRoundRectangle);
  EXPECT_TRUE(title->CustomPosition());
  EXPECT_EQ(title->Top(), 40);
  EXPECT_EQ(title->Left(), 50);
  EXPECT_EQ(title->Shadow()->HorizSize, 7);
  EXPECT_TRUE(title->Shadow()->Smooth);
  EXPECT_TRUE(title->Transparent());
  EXPECT_TRUE(chart->CancelMouse());
}

TEST_F(TitleDialogTest, ColourButtonsShowAndWriteTheirColours) {
  title->Frame()->SetColor(fw::clPurple);
  title->SetColor(fw::clYellow);
  const std::vector<kvtest::TColourCase<TwndTitle>> cases = {
      {"font", [](TwndTitle& d) { return d.itFontColor; }, [this] { return title->Font()->Color(); },
       fw::clNavy},
      {"back", [](TwndTitle& d) { return d.butColor; }, [this] { return title->Color(); }, fw::clYellow},
      {"frame", [](TwndTitle& d) { return d.FramePen.ColorButton; },
       [this] { return title->Frame()->Color(); }, fw::clPurple},
      {"shadow", [](TwndTitle& d) { return d.butShadowColor; }, [this] { return title->Shadow()->Color; },
       fw::clMaroon},
  };
  kvtest::ExpectColourButtonsWrite<TwndTitle>(
      cases,
      [this](fw::TModalResult Result, std::function<void(TwndTitle&)> Work) {
        Run(*title, Result, std::move(Work));
      },
      [this] { return Stream(); });
}

TEST_F(TitleDialogTest, CancelAfterApplyRestoresTheTitleAsOpened) {
  const std::string before = Stream();
  EXPECT_EQ(Run(*title, fw::mrCancel,
                [](TwndTitle& d) {
                  Change(d);
                  d.butApply->Click();
                }),
            fw::mrCancel);
  EXPECT_EQ(Stream(), before);
  EXPECT_EQ(title->Text(), "Первая\r\nВторая");
}

TEST_F(TitleDialogTest, FontSizeIsClampedOrRefused) {
  const struct {
    const char* typed;
    fw::Integer size;
  } rows[] = {{"0", 1}, {"10000", 1000}, {" 14 ", 14}};
  for (const auto& r : rows) {
    Run(*title, fw::mrOk, [&](TwndTitle& d) { d.cbxFontSize->SetText(cs::Utf8ToWide(r.typed)); });
    EXPECT_EQ(title->Font()->Size(), r.size) << r.typed;
  }
  // Not an integer: OK is refused with the message and the dialog stays open with nothing
  // written; Cancel still works afterwards.
  const std::string before = Stream();
  std::vector<std::string> shown;
  const fw::TMessageBoxProc savedBox = fw::MessageBoxProc;
  fw::MessageBoxProc = [&](win::HWND, const fw::WideString& Text, const fw::WideString&, win::UINT) {
    shown.push_back(cs::WideToUtf8(Text));
    return fw::Integer(1);
  };
  Run(*title, fw::mrCancel, [&](TwndTitle& d) {
    d.Memo1->Lines()->Clear();
    d.Memo1->Lines()->Add("abc");
    d.cbShowTitle->SetChecked(false);
    d.cbxFontSize->SetText(cs::Utf8ToWide("abc"));
    d.itFontBold->SetChecked(true);
    EXPECT_THROW(d.Apply(), std::exception);
    EXPECT_EQ(Stream(), before);
    d.butOk->Click();
    EXPECT_EQ(d.ModalResult(), fw::mrNone);
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(Stream(), before);
  });
  fw::MessageBoxProc = savedBox;
  EXPECT_EQ(Stream(), before);
  EXPECT_TRUE(title->Visible());
}

}  // namespace

namespace {

// The alignment submenu holds the three entries; it shows the chosen one's picture with its
// caption as hint, an entry clicked becomes the choice, and OK writes it.
TEST_F(TitleDialogTest, AlignmentSubmenuShowsTheChosenEntry) {
  const std::unique_ptr<workspace::TDataModule1> images =
      workspace::DataModule1 ? nullptr : std::make_unique<workspace::TDataModule1>(nullptr);
  using Entry = tx::TTxItem* TwndTitle::*;
  const struct {
    chart::TTitleAlignment before;
    int image;
    const char* hint;
    Entry click;
    chart::TTitleAlignment after;
  } rows[] = {
      {chart::tlaLeft, workspace::imgAlignLeft, "Расположить слева", &TwndTitle::itAlRight, chart::tlaRight},
      {chart::tlaCenter, workspace::imgAlignCenter, "Расположить по центру", &TwndTitle::itAlLeft,
       chart::tlaLeft},
      {chart::tlaRight, workspace::imgAlignRight, "Расположить справа", &TwndTitle::itAlCenter,
       chart::tlaCenter},
  };
  for (const auto& r : rows) {
    title->SetAlignment(r.before);
    Run(*title, fw::mrOk, [&r](TwndTitle& d) {
      ASSERT_EQ(d.itAlignment->Count(), 3);
      EXPECT_EQ(d.itAlignment->Items(0), d.itAlLeft);
      EXPECT_EQ(d.itAlignment->Items(1), d.itAlCenter);
      EXPECT_EQ(d.itAlignment->Items(2), d.itAlRight);
      EXPECT_EQ(d.itAlignment->Images(), workspace::DataModule1->MenuImages());
      EXPECT_EQ(d.itAlignment->ImageIndex(), r.image);
      EXPECT_EQ(d.itAlignment->Hint(), r.hint);
      tx::TTxItem* clicked = d.*r.click;
      clicked->Click();
      EXPECT_EQ(d.itAlignment->ImageIndex(), clicked->ImageIndex());
      EXPECT_EQ(d.itAlignment->Hint(), clicked->Caption());
      for (tx::TTxItem* entry : {d.itAlLeft, d.itAlCenter, d.itAlRight})
        EXPECT_EQ(entry->Checked(), entry == clicked) << entry->Caption();
    });
    EXPECT_EQ(title->Alignment(), r.after) << r.hint;
  }
}

// The ramp: one line per column from 2 pixels below the top to 2 above the bottom, red 100 and
// blue 127 with green from 0 to 255 across; silver over the same rows while disabled.
TEST_F(TitleDialogTest, GradientRampColumnsAndItsDisabledLook) {
  EXPECT_EQ(kvforms::GradientRampColor(0, 32), fw::TColor(0x7F0064));
  EXPECT_EQ(kvforms::GradientRampColor(31, 32), fw::TColor(0x7FFF64));
  EXPECT_EQ(kvforms::GradientRampColor(0, 1), fw::TColor(0x7F0064));  // one column: no division by zero
  for (const bool enabled : {true, false}) {
    fw::TBitmap bmp;
    bmp.SetPixelFormat(fw::pf24bit);
    bmp.SetSize(40, 20);
    bmp.Canvas()->Brush()->SetColor(fw::clWhite);
    bmp.Canvas()->FillRect(fw::Rect(0, 0, 40, 20));
    kvforms::PaintGradientRamp(bmp.Canvas(), fw::Rect(5, 0, 37, 20), enabled);
    auto pixel = [&bmp](int x, int y) { return bmp.Canvas()->Pixels(x, y) & 0xFFFFFF; };
    for (const int x : {5, 20, 36}) {
      const fw::TColor want = enabled ? kvforms::GradientRampColor(x - 5, 32) : fw::TColor(0xC0C0C0);
      for (const int y : {2, 10, 17}) EXPECT_EQ(pixel(x, y), want) << enabled << " " << x << "," << y;
      for (const int y : {1, 18}) EXPECT_EQ(pixel(x, y), fw::clWhite) << enabled << " " << x << "," << y;
    }
    for (const int x : {4, 37}) EXPECT_EQ(pixel(x, 10), fw::clWhite) << enabled << " " << x;
  }
}

// The dialog's gradient button shows the ramp while the fine view enables it, silver otherwise.
TEST_F(TitleDialogTest, GradientButtonShowsTheRampOnlyWhileEnabled) {
  Run(*title, fw::mrCancel, [](TwndTitle& d) {
    auto look = [&d] {
      fw::TBitmap bmp;
      bmp.SetPixelFormat(fw::pf24bit);
      bmp.SetSize(d.butGradient->Width(), d.butGradient->Height());
      d.butGradient->PaintTo(bmp.Canvas()->Handle(), 0, 0);
      const int y = d.butGradient->Height() / 2;
      return std::pair{bmp.Canvas()->Pixels(8, y) & 0xFFFFFF,
                       bmp.Canvas()->Pixels(d.butGradient->Width() - 9, y) & 0xFFFFFF};
    };
    EXPECT_TRUE(d.butGradient->Caption().empty());
    d.itViewSimple->Click();
    d.itViewFine->Click();
    EXPECT_TRUE(d.butGradient->Enabled());
    const auto [left, right] = look();
    EXPECT_EQ(left & 0xFF00FF, 0x7F0064u);  // red 100, blue 127
    EXPECT_EQ(right & 0xFF00FF, 0x7F0064u);
    EXPECT_LT((left >> 8) & 0xFF, (right >> 8) & 0xFF);  // green rises to the right
    d.itViewSimple->Click();
    EXPECT_FALSE(d.butGradient->Enabled());
    EXPECT_EQ(look(), (std::pair<fw::TColor, fw::TColor>{0xC0C0C0, 0xC0C0C0}));
  });
}

// The gradient button's dialog writes the title's gradient at once; Cancel here takes it back.
TEST_F(TitleDialogTest, CancelAlsoRestoresAGradientChangedMeanwhile) {
  const std::string before = Stream();
  Run(*title, fw::mrCancel, [this, &before](TwndTitle& d) {
    ASSERT_NE(d.butGradient, nullptr);
    title->Gradient()->Visible = true;
    title->Gradient()->Direction = chart::gdRadial;
    EXPECT_NE(Stream(), before);
  });
  EXPECT_EQ(Stream(), before);
}

}  // namespace

namespace {

// A typed fraction rounds to the nearest pixel on either side of zero.
TEST_F(TitleDialogTest, NegativeOffsetsRoundToTheNearestPixel) {
  Run(*title, fw::mrOk, [](TwndTitle& d) {
    d.itPosCustom->SetChecked(true);
    d.seCoordTop->SetValue(-2.7);
    d.seCoordLeft->SetValue(-3.2);
  });
  EXPECT_EQ(title->Top(), -3);
  EXPECT_EQ(title->Left(), -3);
}

// The memo's keys: Ctrl+A selects its whole text, Esc cancels (after an Apply too), and
// Ctrl+Enter anywhere in the dialog is OK.
TEST_F(TitleDialogTest, MemoAndDialogKeys) {
  const std::string before = Stream();
  fw::Integer selected = -1, length = -1;
  auto dialog = [] {
    for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i)
      if (auto* d = dynamic_cast<TwndTitle*>(fw::Screen->Forms(i))) return d;
    return static_cast<TwndTitle*>(nullptr);
  };
  desktop->script([&] {
    TwndTitle* d = dialog();
    Change(*d);
    d->butApply->Click();
    d->Memo1->Lines()->Clear();
    d->Memo1->Lines()->Add("одна строка");
    d->Memo1->SetFocus();
    d->Memo1->SetSelStart(0);
    d->Memo1->SetSelLength(0);
    desktop->key_down(win::VK_CONTROL);
    desktop->press_key('A');
    desktop->key_up(win::VK_CONTROL);
  });
  desktop->script([&] {
    TwndTitle* d = dialog();
    selected = d->Memo1->SelLength();
    length = static_cast<fw::Integer>(cs::Utf8ToWide(d->Memo1->Text()).size());
    desktop->press_key(win::VK_ESCAPE);
  });
  EXPECT_EQ(kvforms::ShowTitleFormat(*title), fw::mrCancel);
  EXPECT_GT(length, 0);
  EXPECT_EQ(selected, length);
  EXPECT_EQ(Stream(), before);

  desktop->script([&] {
    TwndTitle* d = dialog();
    d->Memo1->Lines()->Clear();
    d->Memo1->Lines()->Add("Итог");
    d->cbShowTitle->SetFocus();
    desktop->key_down(win::VK_CONTROL);
    desktop->press_key(win::VK_RETURN);
    desktop->key_up(win::VK_CONTROL);
  });
  EXPECT_EQ(kvforms::ShowTitleFormat(*title), fw::mrOk);
  EXPECT_EQ(title->Text(), "Итог");
}

// The chart closed while the title dialog, and the gradient dialog over it, are open: both end
// as cancelled without touching the freed title or chart.
TEST_F(TitleDialogTest, TheChartFreedMeanwhileEndsTheDialogs) {
  chart::TChartTitle& edited = *title;
  fw::Integer gradientResult = -1;
  desktop->script([&] {
    for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i)
      if (auto* d = dynamic_cast<TwndTitle*>(fw::Screen->Forms(i))) {
        d->itViewFine->SetChecked(true);
        d->UpdateEnabled();
        d->butGradient->Click();
        gradientResult = d->ModalResult();
      }
  });
  desktop->script([this] { chart.reset(); });
  EXPECT_EQ(kvforms::ShowTitleFormat(edited), fw::mrCancel);
  EXPECT_EQ(gradientResult, fw::mrCancel);
  EXPECT_EQ(chart, nullptr);
}

// The templates menu asks the installed service for chart-title templates (kind 2); a template
// chosen becomes the memo's text, and a confirmed edit rebuilds the menu.
TEST_F(TitleDialogTest, TemplatesMenuPutsAChosenTemplateIntoTheText) {
  std::vector<int> kinds;
  std::function<void()> edit;
  int fills = 0;
  workspace::SetTemplatesHandlers(
      [&](int Kind, fw::TComponent* Parent, std::function<void()> OnEdit, workspace::TTemplateTextEvent OnTemplate) {
        kinds.push_back(Kind);
        ++fills;
        edit = OnEdit;
        auto* item = dynamic_cast<toolbars::TTBCustomItem*>(Parent);
        ASSERT_NE(item, nullptr);
        item->Clear();
        auto* t = new tx::TTxItem(item);
        t->SetCaption("Шаблон");
        t->OnClick = [OnTemplate](fw::TObject*) { OnTemplate("Шаблон\r\nзаголовка"); };
        item->Add(t);
      },
      [](int Kind) { return Kind == 2; });
  TwndTitle d(nullptr, *title);
  ASSERT_NE(d.itTemplates, nullptr);
  EXPECT_EQ(kinds, std::vector<int>{2});
  d.itTemplates->Items(0)->Click();
  EXPECT_EQ(d.Memo1->Text(), "Шаблон\r\nзаголовка");
  edit();
  EXPECT_EQ(fills, 2) << "rebuilt after the edit";
  workspace::SetTemplatesHandlers(nullptr, nullptr);
}

}  // namespace
