// The spin edit's button column in every theme: the theme's toolbar face lies under the buttons,
// and where a theme's docks paint nothing, what lies behind the edit (the dialog's face) shows
// there, never the edit's own field colour.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/NumericSpinEdit.h"
#include "framework/StringList.h"
#include "framework/stdctrls_support.h"
#include "themes/ThemeList.h"
#include "tx/Tx.h"
#include "tx/TxThemes.h"

namespace {

using cs::TCsSpinEdit;

// Two faces for the dialog that no theme paints with.
constexpr fw::TColor kFaceA = 0x205A8C, kFaceB = 0x8C3A20;

class SpinColumnThemes : public fw::testing::StdCtrlsTest {
 protected:
  void SetUp() override {
    StdCtrlsTest::SetUp();
    tx::InitTx();
    themes::RegisterThemes();
  }
  void TearDown() override {
    tx::SetCurrentTheme("Default");
    StdCtrlsTest::TearDown();
    tx::DoneTx();
  }
  // The button column's pixels on the screen, row by row, the form in Face.
  std::vector<fw::TColor> Column(TCsSpinEdit* Spin, fw::TColor Face) {
    form->SetColor(Face);
    win::RedrawWindow(form->Handle(), nullptr, nullptr,
                      win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_FRAME | win::RDW_ALLCHILDREN);
    Pump();
    fw::TWinControl* buttons = Spin->UpDown();
    std::vector<fw::TColor> shown;
    for (int y = 0; y < buttons->Height(); ++y)
      for (int x = 0; x < buttons->Width(); ++x) {
        const win::POINT p = At(buttons, x, y);
        shown.push_back(fw::TColor(desktop->screen_pixel(p.x, p.y)));
      }
    return shown;
  }
};

TEST_F(SpinColumnThemes, TheColumnShowsTheToolbarFaceOrWhatLiesBehindTheEdit) {
  // Themes whose docks paint nothing (and that ask for no toolbar background under controls)
  // leave the column to what lies behind the edit; the others cover it with their toolbar face.
  const struct {
    const char* theme;
    bool dockPaintsNothing;
  } themes[] = {{"Aluminum", false}, {"Stripes", true},  {"Monai", true},   {"Zezio", false},
                {"OfficeK", false},  {"Dream", false},   {"Miranda", false}, {"Nexos5", false},
                {"SentimoX", false}, {"DefaultXP", true}};
  // Every theme but "Default" (which leaves the edit to the platform's look) is in the table.
  fw::TStringList registered;
  tx::GetRegisteredThemes(&registered);
  EXPECT_EQ(registered.Count(), int(std::size(themes)) + 1);

  auto* enabled = Add<TCsSpinEdit>(10, 10, 80, 21);
  auto* disabled = Add<TCsSpinEdit>(10, 40, 80, 21);
  disabled->SetEnabled(false);
  ShowForm();
  form->SetActiveControl(nullptr);
  for (const auto& t : themes) {
    SCOPED_TRACE(t.theme);
    ASSERT_TRUE(tx::IsThemeRegistered(t.theme));
    tx::SetCurrentTheme(t.theme);
    for (TCsSpinEdit* spin : {enabled, disabled}) {
      SCOPED_TRACE(spin->Enabled() ? "enabled" : "disabled");
      const std::vector<fw::TColor> onA = Column(spin, kFaceA), onB = Column(spin, kFaceB);
      ASSERT_EQ(onA.size(), onB.size());
      // Pixels that follow the dialog's face, and pixels that show some other face of their own.
      int followA = 0, followB = 0, faceShows = 0;
      for (size_t i = 0; i < onA.size(); ++i) {
        followA += onA[i] == kFaceA;
        followB += onB[i] == kFaceB;
        faceShows += onA[i] == kFaceA && onB[i] == kFaceB;
      }
      if (t.dockPaintsNothing) {
        // What the buttons leave bare is the dialog's face, in either face; disabled buttons
        // leave most of the column bare (their arrows and edges aside).
        if (!spin->Enabled()) {
          EXPECT_GE(faceShows * 2, int(onA.size())) << "of " << onA.size() << " pixels";
        }
        EXPECT_EQ(followA, faceShows);
        EXPECT_EQ(followB, faceShows);
      } else {
        // The toolbar face covers the column whatever the dialog's face.
        EXPECT_EQ(followA + followB, 0) << "of " << onA.size() << " pixels";
        EXPECT_EQ(onA, onB);
      }
    }
  }
}

}  // namespace
