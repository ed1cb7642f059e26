// The main window's services to the dialogs: notices in a balloon over the status line on the
// fake clock (replaced, switched off, dropped once the window has closed), the theme's form
// colour, and the drag cursors loaded at start.

#include "chart/Series.h"
#include "controls/Balloon.h"
#include "export/forms/WinLineProp.h"
#include "mainwindow/DragCursors.h"
#include "mainwindow/dialog_script.h"
#include "mainwindow/mainwindow_fixture.h"
#include "platform/user/messages/Cursor.h"
#include "tx/Tx.h"
#include "tx/TxThemes.h"
#include "tx/TxThemesTypes.h"

namespace mainwindowtest {
namespace {

class MainWindowServicesTest : public MainWindowTest {
 protected:
  // The notice balloons open now.
  std::vector<cs::TBalloon*> Balloons() {
    std::vector<cs::TBalloon*> open;
    for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i)
      if (auto* b = dynamic_cast<cs::TBalloon*>(fw::Screen->Forms(i)); b && b->Visible()) open.push_back(b);
    return open;
  }
};

TEST_F(MainWindowServicesTest, NoticeShowsTitledBalloonOfItsKindAndGoesAfterFiveSeconds) {
  struct Case {
    fw::Integer type;
    cs::TBalloonType shown;
  } cases[] = {{0, cs::blnInfo}, {1, cs::blnError}, {2, cs::blnWarning}, {7, cs::blnInfo}};
  for (const Case& c : cases) {
    const fw::String statusBefore = form->StatusText();
    workspace::ShowBalloonHint("Сохранение завершено", "файл.png", c.type);
    Pump();
    auto open = Balloons();
    ASSERT_EQ(open.size(), 1u) << c.type;
    EXPECT_EQ(open[0]->TitleLabel()->Caption(), "Сохранение завершено");
    EXPECT_EQ(open[0]->TextLabel()->Caption(), "файл.png");
    EXPECT_EQ(open[0]->BalloonType(), c.shown) << c.type;
    // The status line keeps its counts.
    EXPECT_EQ(form->StatusText(), statusBefore);
    Step(4900);
    EXPECT_EQ(Balloons().size(), 1u) << "still up before 5 s";
    Step(200);
    EXPECT_TRUE(Balloons().empty()) << "gone after 5 s";
  }
}

TEST_F(MainWindowServicesTest, SecondNoticeReplacesTheFirstAndRunsItsOwnFiveSeconds) {
  workspace::ShowBalloonHint("Открытие файлов", "первый", 0);
  Pump();
  Step(3000);
  workspace::ShowBalloonHint("Сохранение", "второй", 0);
  Pump();
  auto open = Balloons();
  ASSERT_EQ(open.size(), 1u);
  EXPECT_EQ(open[0]->TitleLabel()->Caption(), "Сохранение");
  Step(3000);
  EXPECT_EQ(Balloons().size(), 1u) << "the second counts its own time";
  Step(2100);
  EXPECT_TRUE(Balloons().empty());
}

TEST_F(MainWindowServicesTest, NoBalloonWhenThePreferencesSwitchThemOff) {
  workspace::Preferences.ShowBalloonTips = false;
  workspace::ShowBalloonHint("Сохранение завершено", "", 0);
  Pump();
  EXPECT_TRUE(Balloons().empty());
  EXPECT_EQ(form->NoticeBalloon(), nullptr);
}

TEST_F(MainWindowServicesTest, NoticeAfterTheWindowClosedOrWentIsDropped) {
  workspace::ShowBalloonHint("Сохранение", "до закрытия", 0);
  Pump();
  ASSERT_EQ(Balloons().size(), 1u);
  workspace::Preferences.ConfirmClose = false;
  form->Close();
  Pump();
  workspace::ShowBalloonHint("Сохранение", "после закрытия", 0);
  Pump();
  for (cs::TBalloon* b : Balloons()) EXPECT_NE(b->TextLabel()->Caption(), "после закрытия");
  delete form;
  form = nullptr;
  Pump();
  EXPECT_TRUE(Balloons().empty()) << "the window's balloon goes with it";
  // Nothing is left to call: the service does nothing.
  workspace::ShowBalloonHint("Сохранение", "без окна", 0);
  Pump();
  EXPECT_TRUE(Balloons().empty());
}

TEST_F(MainWindowServicesTest, FormColourFollowsTheCurrentTheme) {
  for (const char* theme : {"Default", "Aluminum", "OfficeK", "Default"}) {
    tx::SetCurrentTheme(theme);
    EXPECT_EQ(workspace::GetThemeFormColor(), tx::CurrentTheme->GetViewColor(tx::VT_TOOLBAR)) << theme;
  }
  EXPECT_EQ(workspace::GetThemeFormColor(), fw::clBtnFace) << "the default theme has no colour of its own";
  tx::SetCurrentTheme("Aluminum");
  const fw::TColor aluminum = workspace::GetThemeFormColor();
  EXPECT_NE(aluminum, fw::clBtnFace) << "a theme with a colour of its own gives it";
  delete form;
  form = nullptr;
  EXPECT_EQ(workspace::GetThemeFormColor(), fw::clBtnFace) << "without the main window";
  tx::SetCurrentTheme("Default");
}

// The line dialog keeps its place: it reopens where it was closed, but not at a place that is on
// no monitor.
TEST_F(MainWindowServicesTest, LineDialogReopensWhereItWasClosedWhenThatIsOnAMonitor) {
  auto* s = new chart::TLineSeries(nullptr);
  s->AddXY(0, 1);
  s->AddXY(1, 2);
  Graphs().AddGraph(s, "data.txt", {}, "a");
  Graphs().SelectLastAdded();
  auto open = [&](const std::function<void(kvforms::TwndLineProp&)>& Work) {
    AnswerDialog<kvforms::TwndLineProp>(*desktop, fw::mrCancel, Work);
    form->LinePropAction()->Execute();
    Pump();
  };
  open([](kvforms::TwndLineProp& d) { d.SetBounds(123, 87, d.Width(), d.Height()); });
  fw::TRect seen{};
  open([&](kvforms::TwndLineProp& d) { seen = {d.Left(), d.Top(), d.Width(), d.Height()}; });
  EXPECT_EQ(seen.left, 123);
  EXPECT_EQ(seen.top, 87);
  {
    workspace::TPropSaver store(true);
    store.WriteString("wndLinePropPosition", "-9000;-9000;400;300");
    store.UpdateFile();
  }
  open([&](kvforms::TwndLineProp& d) { seen = {d.Left(), d.Top(), d.Width(), d.Height()}; });
  EXPECT_GT(seen.left, -1000) << "centred instead of off every monitor";
  EXPECT_GT(seen.top, -1000);
}

TEST_F(MainWindowServicesTest, FourDragCursorsAreLoadedAtStart) {
  std::vector<std::vector<uint32_t>> pictures;
  for (fw::TCursor cursor : {workspace::crDragFile, workspace::crDragFiles, workspace::crDragFileCopy,
                             workspace::crDragFilesCopy}) {
    const win::HCURSOR handle = fw::Screen->Cursors(cursor);
    ASSERT_NE(handle, nullptr) << cursor;
    EXPECT_EQ(win::CursorShapeId(handle), int(cursor));
    win::CursorImage image;
    ASSERT_TRUE(win::GetCursorImage(handle, &image));
    EXPECT_EQ(image.argb.size(), std::size_t(image.width * image.height));
    pictures.push_back(image.argb);
  }
  for (std::size_t i = 0; i < pictures.size(); ++i)
    for (std::size_t j = i + 1; j < pictures.size(); ++j) EXPECT_NE(pictures[i], pictures[j]) << i << " " << j;
}

}  // namespace
}  // namespace mainwindowtest
