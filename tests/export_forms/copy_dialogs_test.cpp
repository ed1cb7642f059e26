// The copy dialogs: they show the copy preferences, store them only on OK, and the graph
// collection's copies follow what was stored.

#include <gtest/gtest.h>

#include <functional>

#include "controls/CsButtons.h"
#include "export/forms/WinCopy.h"
#include "framework/Forms.h"
#include "support/HeadlessFixture.h"
#include "workspace/Common.h"
#include "workspace/Preferences.h"

namespace {

using kvforms::TwndCopyImg;
using kvforms::TwndCopyTxt;
using workspace::Preferences;

class CopyDialogsTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    saved_ = Preferences;
  }
  void TearDown() override {
    Preferences = saved_;
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    HeadlessTest::TearDown();
  }
  template <typename T>
  void Answer(fw::TModalResult Result, std::function<void(T&)> Work) {
    desktop->script([Result, Work] {
      for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i)
        if (auto* dialog = dynamic_cast<T*>(fw::Screen->Forms(i))) {
          Work(*dialog);
          dialog->SetModalResult(Result);
        }
    });
  }
  workspace::TPreferences saved_;
};

TEST_F(CopyDialogsTest, TextDialogShowsTheOptionsAndStoresThemOnlyOnOk) {
  Preferences.CopyX = true;
  Preferences.CopyY = false;
  Preferences.CopyVisible = true;
  Preferences.CopyProperties = false;
  auto clearXY = [](TwndCopyTxt& d) {
    EXPECT_EQ(d.Caption(), "Копировать");
    EXPECT_GE(d.ClientWidth(), 169);  // wider for captions measured wider
    EXPECT_EQ(d.ClientHeight(), 160);
    EXPECT_TRUE(d.cbCopyX->Checked());
    EXPECT_FALSE(d.cbCopyY->Checked());
    EXPECT_TRUE(d.cbCopyV->Checked());
    EXPECT_FALSE(d.cbCopyP->Checked());
    d.cbCopyX->SetChecked(false);
    d.cbCopyP->SetChecked(true);
  };
  Answer<TwndCopyTxt>(fw::mrCancel, clearXY);
  EXPECT_FALSE(kvforms::ExecuteCopyTxt());
  EXPECT_TRUE(Preferences.CopyX);  // Cancel changes nothing
  EXPECT_FALSE(Preferences.CopyProperties);
  Answer<TwndCopyTxt>(fw::mrOk, clearXY);
  EXPECT_TRUE(kvforms::ExecuteCopyTxt());
  EXPECT_FALSE(Preferences.CopyX);
  EXPECT_FALSE(Preferences.CopyY);
  EXPECT_TRUE(Preferences.CopyVisible);
  EXPECT_TRUE(Preferences.CopyProperties);
}

TEST_F(CopyDialogsTest, PictureDialogChecksTheStoredFormatAndStoresTheChecked) {
  struct Case {
    fw::Integer Stored;
    int Shown;  // 0 WMF, 1 BMP, 2 EMF
    int Click;  // -1: none
    fw::Integer After;
  };
  const Case cases[] = {{0, 0, -1, 0}, {1, 1, -1, 1}, {2, 2, 0, 0}, {7, 2, -1, 2}, {-1, 2, 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Stored);
    Preferences.CopyFormat = c.Stored;
    Answer<TwndCopyImg>(fw::mrOk, [&](TwndCopyImg& d) {
      EXPECT_EQ(d.ClientWidth(), 145);
      EXPECT_EQ(d.ClientHeight(), 144);
      EXPECT_TRUE(d.KeyPreview());
      cs::TCsRadioButton* buttons[] = {d.rbCopyWMF, d.rbCopyBMP, d.rbCopyEMF};
      for (int i = 0; i < 3; ++i) EXPECT_EQ(buttons[i]->Checked(), i == c.Shown) << i;
      if (c.Click >= 0) buttons[c.Click]->SetChecked(true);
    });
    EXPECT_TRUE(kvforms::ExecuteCopyImg());
    EXPECT_EQ(Preferences.CopyFormat, c.After);
  }
  Preferences.CopyFormat = 1;
  Answer<TwndCopyImg>(fw::mrCancel, [](TwndCopyImg& d) { d.rbCopyWMF->SetChecked(true); });
  EXPECT_FALSE(kvforms::ExecuteCopyImg());
  EXPECT_EQ(Preferences.CopyFormat, 1);
}

}  // namespace
