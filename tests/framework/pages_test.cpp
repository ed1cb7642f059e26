// TPageControl and TTabSheet: which page shows, how pages come and go, and the clicks and keys
// with which the user changes pages (which OnChanging may refuse).

#include <gtest/gtest.h>

#include "control_fixture.h"
#include "framework/PageControl.h"
#include "platform/user/messages/Input.h"
#include "platform/user/windows/WinUserTypes.h"
#include "platform/user/windows/Window.h"

namespace fw::testing {
namespace {

class FocusBox : public TWinControl {
 public:
  explicit FocusBox(TComponent* AOwner) : TWinControl(AOwner) { FTabStop = true; }
};

class PageTests : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    form = Application->CreateForm<TForm>();
    form->SetBounds(50, 50, 500, 400);
    pages = new TPageControl(form);
    pages->SetParent(form);
    pages->SetBounds(10, 10, 300, 200);
    for (const char* caption : {"Оси", "Легенда", "Рамка"}) {
      auto* sheet = new TTabSheet(form);
      sheet->SetCaption(caption);
      sheet->SetPageControl(pages);
      sheets.push_back(sheet);
    }
    pages->OnChanging = [this](TObject* Sender, bool& Allow) {
      EXPECT_EQ(Sender, pages);
      log.push_back("changing " + std::to_string(pages->ActivePageIndex()));
      Allow = allow;
    };
    pages->OnChange = [this](TObject*) { log.push_back("change " + std::to_string(pages->ActivePageIndex())); };
  }
  void ShowForm() {
    form->Show();
    Pump();
  }
  std::vector<bool> Shown() {
    std::vector<bool> v;
    for (auto* s : sheets) v.push_back(s->Visible());
    return v;
  }
  void ClickTab(Integer index) {
    const TRect r = pages->TabRect(index);
    desktop->click(At(pages, (r.left + r.right) / 2, (r.top + r.bottom) / 2));
    AppPump();
  }
  void CtrlTab(bool shift) {
    desktop->key_down(win::VK_CONTROL);
    if (shift) desktop->key_down(win::VK_SHIFT);
    desktop->press_key(win::VK_TAB);
    if (shift) desktop->key_up(win::VK_SHIFT);
    desktop->key_up(win::VK_CONTROL);
    AppPump();
  }

  TForm* form = nullptr;
  TPageControl* pages = nullptr;
  std::vector<TTabSheet*> sheets;
  std::vector<std::string> log;
  bool allow = true;
};

TEST_F(PageTests, TheFirstPageShowsAndOnlyTheActiveOne) {
  EXPECT_EQ(pages->PageCount(), 3);
  EXPECT_EQ(pages->Pages(1), sheets[1]);
  EXPECT_EQ(sheets[2]->PageIndex(), 2);
  EXPECT_EQ(pages->ActivePage(), sheets[0]);
  EXPECT_EQ(pages->TabIndex(), 0);
  EXPECT_EQ(Shown(), (std::vector<bool>{true, false, false}));
  EXPECT_THROW(pages->Pages(3), EListError);
  EXPECT_THROW(pages->Pages(-1), EListError);

  // Changes made in code fire no events.
  pages->SetActivePageIndex(2);
  EXPECT_EQ(pages->ActivePage(), sheets[2]);
  EXPECT_EQ(Shown(), (std::vector<bool>{false, false, true}));
  pages->SetActivePage(sheets[1]);
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  EXPECT_TRUE(log.empty());
  // A sheet of no page control is ignored; an index out of range shows no page.
  TTabSheet stray(nullptr);
  pages->SetActivePage(&stray);
  EXPECT_EQ(pages->ActivePage(), sheets[1]);
  pages->SetActivePageIndex(3);
  EXPECT_EQ(pages->ActivePage(), nullptr);
  EXPECT_EQ(pages->ActivePageIndex(), -1);
  EXPECT_EQ(Shown(), (std::vector<bool>{false, false, false}));
}

TEST_F(PageTests, TheActivePageFillsTheAreaUnderTheTabs) {
  ShowForm();
  const TRect display = pages->DisplayRect();
  const TRect tab = pages->TabRect(0);
  EXPECT_GE(display.top, tab.bottom);
  EXPECT_EQ(sheets[0]->BoundsRect(), display);
  // Tabs lie side by side in page order, each as wide as its caption needs.
  EXPECT_EQ(pages->TabRect(1).left, tab.right);
  EXPECT_LT(pages->TabRect(0).right - pages->TabRect(0).left, pages->TabRect(1).right - pages->TabRect(1).left);
  EXPECT_EQ(pages->TabRect(5).right, 0);
  EXPECT_EQ(pages->IndexOfTabAt(pages->TabRect(2).left + 1, 3), 2);
  EXPECT_EQ(pages->IndexOfTabAt(pages->TabRect(2).right + 1, 3), -1);
  EXPECT_EQ(pages->IndexOfTabAt(tab.left + 1, display.top + 5), -1);
  // The page shows on the screen inside the control, the others not at all.
  EXPECT_TRUE(win::IsWindowVisible(sheets[0]->Handle()));
  pages->SetActivePageIndex(1);
  Pump();
  EXPECT_FALSE(win::IsWindowVisible(sheets[0]->Handle()));
  EXPECT_TRUE(win::IsWindowVisible(sheets[1]->Handle()));
  EXPECT_EQ(sheets[1]->BoundsRect(), display);
}

TEST_F(PageTests, TheActiveTabOpensIntoThePageArea) {
  ShowForm();
  auto pixelAt = [&](Integer x, Integer y) {
    const win::POINT p = At(pages, x, y);
    return desktop->screen_pixel(p.x, p.y);
  };
  const win::COLORREF face = win::COLORREF(ColorToRGB(clBtnFace));
  const win::COLORREF light = win::COLORREF(ColorToRGB(clBtnHighlight));
  ASSERT_NE(face, light);
  const Integer frameY = pages->TabRect(0).bottom;  // the top line of the page area's frame
  auto middle = [&](Integer i) { return (pages->TabRect(i).left + pages->TabRect(i).right) / 2; };
  EXPECT_EQ(pixelAt(middle(0), frameY), face);
  EXPECT_EQ(pixelAt(middle(1), frameY), light);
  EXPECT_EQ(pixelAt(middle(0), 0), light);  // the active tab's top edge stands higher
  EXPECT_EQ(pixelAt(middle(1), 0), face);
  pages->SetActivePageIndex(1);
  Pump();
  EXPECT_EQ(pixelAt(middle(0), frameY), light);
  EXPECT_EQ(pixelAt(middle(1), frameY), face);
}

TEST_F(PageTests, ClickingATabChangesThePageUnlessRefused) {
  ShowForm();
  ClickTab(2);
  EXPECT_EQ(pages->ActivePage(), sheets[2]);
  EXPECT_EQ(log, (std::vector<std::string>{"changing 0", "change 2"}));
  EXPECT_TRUE(pages->Focused());
  // The active tab again: nothing to change.
  log.clear();
  ClickTab(2);
  EXPECT_TRUE(log.empty());
  allow = false;
  ClickTab(1);
  EXPECT_EQ(pages->ActivePage(), sheets[2]);
  EXPECT_EQ(log, (std::vector<std::string>{"changing 2"}));
  EXPECT_EQ(Shown(), (std::vector<bool>{false, false, true}));
}

TEST_F(PageTests, CtrlTabCyclesThePagesWhileTheFocusIsInside) {
  auto* inside = new FocusBox(form);
  inside->SetParent(sheets[0]);
  inside->SetBounds(5, 5, 50, 20);
  auto* outside = new FocusBox(form);
  outside->SetParent(form);
  outside->SetBounds(10, 300, 50, 20);
  ShowForm();
  form->SetActiveControl(inside);
  Pump();
  CtrlTab(false);
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  // The page holding the focus hid: the focus moved to the tabs.
  EXPECT_TRUE(pages->Focused());
  EXPECT_FALSE(inside->Focused());
  CtrlTab(false);
  CtrlTab(false);
  EXPECT_EQ(pages->ActivePageIndex(), 0);  // round to the first
  CtrlTab(true);
  EXPECT_EQ(pages->ActivePageIndex(), 2);
  EXPECT_EQ(log, (std::vector<std::string>{"changing 0", "change 1", "changing 1", "change 2", "changing 2",
                                           "change 0", "changing 0", "change 2"}));
  allow = false;
  CtrlTab(false);
  EXPECT_EQ(pages->ActivePageIndex(), 2);
  allow = true;

  // With the focus elsewhere the keys leave the pages alone.
  form->SetActiveControl(outside);
  Pump();
  CtrlTab(false);
  EXPECT_EQ(pages->ActivePageIndex(), 2);
}

TEST_F(PageTests, RemovingTheActivePageActivatesTheNextOne) {
  pages->SetActivePageIndex(1);
  delete sheets[1];
  EXPECT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(pages->ActivePage(), sheets[2]);
  EXPECT_TRUE(sheets[2]->Visible());
  // The last page going: round to the first.
  sheets[2]->SetPageControl(nullptr);
  EXPECT_EQ(sheets[2]->PageControl(), nullptr);
  EXPECT_EQ(sheets[2]->PageIndex(), -1);
  EXPECT_EQ(pages->ActivePage(), sheets[0]);
  sheets[0]->SetPageControl(nullptr);
  EXPECT_EQ(pages->PageCount(), 0);
  EXPECT_EQ(pages->ActivePage(), nullptr);
  pages->SelectNextPage(true);  // nothing to select
  EXPECT_TRUE(log.empty());
  // A sheet moved back joins as the last page and, being the only one, shows.
  sheets[2]->SetPageControl(pages);
  EXPECT_EQ(pages->ActivePage(), sheets[2]);
  EXPECT_EQ(sheets[2]->Parent(), pages);
}

TEST_F(PageTests, PagesCanBeReorderedAndOutliveTheirControl) {
  sheets[2]->SetPageIndex(0);
  EXPECT_EQ(pages->Pages(0), sheets[2]);
  EXPECT_EQ(sheets[0]->PageIndex(), 1);
  sheets[2]->SetPageIndex(99);
  EXPECT_EQ(pages->Pages(2), sheets[2]);
  EXPECT_EQ(pages->ActivePage(), sheets[0]);  // reordering changes no page
  // Freeing the control frees its pages with it (they are its children), without a trace.
  delete pages;
  EXPECT_EQ(form->ComponentCount(), 0);
}

}  // namespace
}  // namespace fw::testing
