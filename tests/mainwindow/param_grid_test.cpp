// The parameter grid of the expression dialogs: its text round trip, rows added, edited and
// deleted from the keyboard, "." typed as the user's decimal separator, Enter pressing OK.

#include "analysis/FuncGraph.h"
#include "analysis/ParamGrid.h"
#include "controls/CsLists.h"
#include "controls/FloatEdit.h"
#include "mainwindow_fixture.h"
#include "platform/user/messages/Input.h"

namespace mainwindowtest {
namespace {

using analysis::TParamGrid;

class ParamGridTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    dialog = new analysis::TwndFuncGraph(fw::Application);
    dialog->Show();
    Pump();
    grid = dialog->ParamGrid;
    grid->SetFocus();
    Pump();
  }
  void TearDown() override {
    delete dialog;
    MainWindowTest::TearDown();
  }
  void Press(win::UINT Key, bool Ctrl = false) {
    if (Ctrl) desktop->key_down(win::VK_CONTROL);
    desktop->press_key(Key);
    if (Ctrl) desktop->key_up(win::VK_CONTROL);
    Pump();
  }
  void Type(const std::u16string& Text) {
    for (char16_t c : Text) desktop->type_char(c);
    Pump();
  }
  analysis::TwndFuncGraph* dialog = nullptr;
  TParamGrid* grid = nullptr;
};

TEST_F(ParamGridTest, TextIsOneNameValueLineARow) {
  EXPECT_EQ(grid->Cells(0, 0), "Параметр");
  EXPECT_EQ(grid->Cells(1, 0), "Значение");
  const struct {
    const char* in;
    const char* out;
    fw::Integer rows;
  } cases[] = {{"", "", 1},
               {"a=1\r\nb=2\r\n", "a=1\r\nb=2\r\n", 2},
               {"a=1\n\nb=\r\nc", "a=1\r\nb=\r\nc=\r\n", 3},
               {"k=x=2", "k=x=2\r\n", 1}};
  for (const auto& c : cases) {
    grid->SetText(c.in);
    EXPECT_EQ(grid->Text(), c.out) << c.in;
    EXPECT_EQ(grid->ParamCount(), c.rows) << c.in;
  }
}

TEST_F(ParamGridTest, RowsAreTypedAddedAndDeletedFromTheKeyboard) {
  grid->SetText("");
  grid->SetCol(0);
  grid->SetRow(1);
  Press(win::VK_F2);
  Type(u"a");
  Press(win::VK_TAB);
  Press(win::VK_F2);
  Type(u"1.5");  // "." is typed as the user's separator
  const std::string typed = "1" + std::string(1, fw::DecimalSeparator()) + "5";
  EXPECT_EQ(grid->Text(), "a=" + typed + "\r\n") << "the cell being edited counts";
  // Down on the last row that holds something adds a row.
  Press(win::VK_DOWN);
  EXPECT_EQ(grid->ParamCount(), 2);
  EXPECT_EQ(grid->Row(), 2);
  grid->SetCells(0, 2, "b");
  grid->SetCells(1, 2, "2");
  // Down on the new empty last row adds nothing more.
  grid->SetText("a=1\r\nb=2\r\n");
  grid->InsertRow(2);
  Press(win::VK_DOWN);
  EXPECT_EQ(grid->ParamCount(), 3);
  // Insert adds a row below the current one; Ctrl+Delete removes the current one.
  grid->SetRow(1);
  Press(win::VK_INSERT);
  EXPECT_EQ(grid->ParamCount(), 4);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(grid->Text(), "a=1\r\nb=2\r\n");
  grid->SetRow(1);
  Press(win::VK_DELETE, true);
  EXPECT_EQ(grid->Text(), "b=2\r\n");
  // The last row is emptied, not removed.
  grid->SetText("c=3");
  grid->SetRow(1);
  Press(win::VK_DELETE, true);
  EXPECT_EQ(grid->ParamCount(), 1);
  EXPECT_EQ(grid->Text(), "");
}

TEST_F(ParamGridTest, EnterInTheGridPressesOk) {
  dialog->Memo1->SetText("a*x");
  grid->SetText("a=2");
  dialog->fedX1->SetText(u"0");
  dialog->fedX2->SetText(u"1");
  dialog->fedStep->SetText(u"1");
  grid->SetRow(1);
  Press(win::VK_RETURN);
  EXPECT_TRUE(dialog->Accepted);
  ASSERT_EQ(dialog->Points.Y.size(), 2u);
  EXPECT_EQ(dialog->Points.Y[1], 2.0);
}

// The formula is one line: Enter in it presses OK instead of breaking the line.
TEST_F(ParamGridTest, EnterInTheFormulaPressesOkAndBreaksNoLine) {
  dialog->Memo1->SetText("3*x");
  dialog->fedX1->SetText(u"0");
  dialog->fedX2->SetText(u"1");
  dialog->fedStep->SetText(u"1");
  dialog->Memo1->SetFocus();
  dialog->Memo1->SetSelStart(3);
  Pump();
  // Through the application's loop, where keys reach the dialog's own handling.
  desktop->press_key(win::VK_RETURN, u'\r');
  AppPump();
  EXPECT_EQ(dialog->Memo1->Text(), "3*x");
  EXPECT_TRUE(dialog->Accepted);
  ASSERT_EQ(dialog->Points.Y.size(), 2u);
  EXPECT_EQ(dialog->Points.Y[1], 3.0);
}

}  // namespace
}  // namespace mainwindowtest
