// Expression and title templates: the key rule, the editor's working copy (new, apply, delete,
// move) written back renumbered in list order through the settings file (other sections and
// damaged lines kept byte for byte, a file that cannot be written refused with the edits kept),
// the "Заготовки" menu of the y = f(x) dialog, and the title templates with EnterText's menu.

#include <filesystem>
#include <fstream>
#include <sstream>

#include "analysis/ExpressionTemplates.h"
#include "analysis/FuncGraph.h"
#include "analysis/TemplatesMenu.h"
#include "analysis/WinEnterText.h"
#include "analysis/WinTemplateEdit.h"
#include "controls/CsEditors.h"
#include "controls/CsLists.h"
#include "mainwindow/dialog_script.h"
#include "mainwindow_fixture.h"
#include "support/MemoryLimit.h"
#include "tx/TxItems.h"

namespace mainwindowtest {
namespace {

using analysis::TwndTemplateEdit;

std::string FileText(const std::string& Name) {
  std::ifstream in(Name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The lines of one section of an ini text, as the file holds them.
std::vector<std::string> SectionLines(const std::string& Text, const std::string& Section) {
  std::vector<std::string> lines;
  std::istringstream in(Text);
  std::string line;
  bool inside = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') {
      inside = line == "[" + Section + "]";
      continue;
    }
    if (inside && !line.empty()) lines.push_back(line);
  }
  return lines;
}

class TemplatesTest : public MainWindowTest {
 protected:
  std::string Settings() { return workspace::TPropSaver::SettingsFileName(); }
  void WriteSettings(const std::string& Text) { std::ofstream(Settings(), std::ios::binary) << Text; }
  std::vector<std::string> Captions(toolbars::TTBCustomItem* Menu) {
    std::vector<std::string> c;
    for (fw::Integer i = 0; i < Menu->Count(); ++i)
      c.push_back(dynamic_cast<tx::TTxSeparatorItem*>(Menu->Items(i)) ? "-" : Menu->Items(i)->Caption());
    return c;
  }
  std::string LastMessage() {
    return win::MessageBoxHistory().empty() ? std::string()
                                            : win::WideToUtf8(win::MessageBoxHistory().back().text);
  }
};

TEST(TemplateKeys, OnlyTemplateFollowedByAWholeNumber) {
  const std::pair<const char*, int> cases[] = {{"Template0", 0},        {"template7", 7},       {"TEMPLATE12", 12},
                                               {"Template0Params", -1}, {"Template0Formula", -1}, {"Template", -1},
                                               {"Templat1", -1},        {"Template-1", -1},     {"Template 1", -1}};
  for (const auto& [key, expected] : cases) {
    int n = -1;
    const bool is = analysis::TemplateKeyNumber(key, n);
    EXPECT_EQ(is, expected >= 0) << key;
    if (is) {
      EXPECT_EQ(n, expected) << key;
    }
  }
}

TEST_F(TemplatesTest, EditorWritesTheListRenumberedAndKeepsEverythingElse) {
  // A hand-edited file: numbers with a gap, keys in mixed case, a separator, a line with a
  // break in its formula, another section with a damaged line.
  WriteSettings(
      "[OTHER]\r\nKey=1\r\nthis line \x01 is damaged\r\n"
      "[EXPRESSION_TEMPLATES]\r\n"
      "Template1=  Синус  \r\nTemplate1Params=a=2;b=0.5;\r\nTemplate1Formula=a*sin(b*x)\r\n"
      "TEMPLATE5=-\r\n"
      "template9=Парабола\r\nTemplate9Params=k=1;\r\nTemplate9Formula=k*x^2\x04\x05+1\r\n");
  TwndTemplateEdit editor(fw::Application);
  ASSERT_EQ(editor.List1->Items()->Count(), 3);
  EXPECT_EQ(editor.List1->Items()->Strings(0), "Синус");
  EXPECT_EQ(editor.List1->Items()->Strings(1), "-");
  EXPECT_EQ(editor.edName->Text(), u"Синус") << "the first is shown";
  EXPECT_EQ(editor.ParamGrid->Text(), "a=2\r\nb=0.5\r\n");
  editor.List1->SetItemIndex(2);
  editor.List1Click();
  EXPECT_EQ(editor.Memo1->Text(), "k*x^2\r\n+1");
  // A new template takes a number above every loaded one.
  editor.butNewClick();
  EXPECT_EQ(editor.edName->Text(), u"Новая формула");
  editor.edName->SetText(u"Экспонента");
  editor.ParamGrid->SetText("c=3");
  editor.Memo1->SetText("exp(c*x)");
  editor.butApplyClick();
  ASSERT_EQ(editor.WorkStore().Items().size(), 4u);
  EXPECT_EQ(editor.WorkStore().Items()[3].N, 10);
  EXPECT_EQ(editor.List1->ItemIndex(), 3);
  // Moved to the top; the separator deleted after Yes.
  editor.butMoveClick(true);
  editor.butMoveClick(true);
  editor.butMoveClick(true);
  editor.butMoveClick(true);  // nothing above the top
  EXPECT_EQ(editor.List1->ItemIndex(), 0);
  editor.List1->SetItemIndex(2);
  editor.List1Click();
  wd::PushScriptedAnswer("MessageBox", {win::IDYES, {}, 0});
  editor.butDeleteClick();
  EXPECT_EQ(LastMessage(), "Удалить шаблон \"-\"?");
  editor.butOkClick();
  EXPECT_EQ(editor.ModalResult(), fw::mrOk);
  const std::string text = FileText(Settings());
  EXPECT_EQ(SectionLines(text, "EXPRESSION_TEMPLATES"),
            (std::vector<std::string>{"Template0=Экспонента", "Template0Params=c=3;", "Template0Formula=exp(c*x)",
                                      "Template1=Синус", "Template1Params=a=2;b=0.5;",
                                      "Template1Formula=a*sin(b*x)", "Template2=Парабола", "Template2Params=k=1;",
                                      "Template2Formula=k*x^2\x04\x05+1"}));
  EXPECT_EQ(SectionLines(text, "OTHER"), (std::vector<std::string>{"Key=1", "this line \x01 is damaged"}));
  // Read back by the program's own reader.
  const auto back = analysis::ReadExpressionTemplates(workspace::TPropSaver(analysis::ExpressionTemplatesSection, true));
  ASSERT_EQ(back.size(), 3u);
  EXPECT_EQ(back[2].Formula, "k*x^2\r\n+1");
}

TEST_F(TemplatesTest, CancelWritesNothingAndAFileThatCannotBeWrittenKeepsTheEdits) {
  WriteSettings("[EXPRESSION_TEMPLATES]\r\nTemplate0=Синус\r\nTemplate0Formula=sin(x)\r\n");
  const std::string before = FileText(Settings());
  {
    TwndTemplateEdit editor(fw::Application);
    editor.butNewClick();
    editor.butApplyClick();
  }
  EXPECT_EQ(FileText(Settings()), before) << "closed without OK";
  TwndTemplateEdit editor(fw::Application);
  editor.butNewClick();
  editor.butApplyClick();
  // The settings file's place taken by a folder: it can be neither read nor written.
  std::filesystem::remove(Settings());
  std::filesystem::create_directory(Settings());
  wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  editor.butOkClick();
  EXPECT_NE(editor.ModalResult(), fw::mrOk) << "the dialog stays open";
  EXPECT_NE(LastMessage().find(Settings()), std::string::npos) << LastMessage();
  EXPECT_EQ(editor.WorkStore().Items().size(), 2u);
  std::filesystem::remove(Settings());
  editor.butOkClick();
  EXPECT_EQ(editor.ModalResult(), fw::mrOk);
  EXPECT_EQ(SectionLines(FileText(Settings()), "EXPRESSION_TEMPLATES").size(), 6u);
}

TEST_F(TemplatesTest, FunctionDialogMenuOffersTheTemplatesAndInsertsThem) {
  WriteSettings(
      "[EXPRESSION_TEMPLATES]\r\nTemplate0=Синус\r\nTemplate0Params=a=2;\r\nTemplate0Formula=a*sin(x)\r\n"
      "Template1=-\r\nTemplate2=Квадрат\r\nTemplate2Formula=x^2\r\n");
  analysis::TwndFuncGraph dialog(fw::Application);
  EXPECT_EQ(Captions(dialog.butTemplates),
            (std::vector<std::string>{"Синус", "-", "Квадрат", "-", "Редактировать заготовки...."}));
  EXPECT_EQ(dialog.butTemplates->Items(2)->Tag(), 2);
  EXPECT_EQ(dialog.butTemplates->Items(4)->ImageIndex(), 32);
  dialog.Memo1->SetText("1+");
  dialog.Memo1->SetSelStart(2);
  dialog.ParamGrid->SetText("b=1");
  // Chosen twice: the parameters appended twice, the formula put in twice at the caret.
  dialog.butTemplates->Items(0)->Click();
  dialog.butTemplates->Items(0)->Click();
  EXPECT_EQ(dialog.Memo1->Text(), "1+a*sin(x)a*sin(x)");
  EXPECT_EQ(dialog.ParamGrid->Text(), "b=1\r\na=2\r\na=2\r\n");
  // The edit item runs the editor; after its OK the menu is rebuilt, the edit item kept.
  toolbars::TTBCustomItem* edit = dialog.butTemplates->Items(4);
  desktop->script([] {
    TwndTemplateEdit* e = FindOpenForm<TwndTemplateEdit>();
    ASSERT_NE(e, nullptr);
    e->butNewClick();
    e->edName->SetText(u"Куб");
    e->Memo1->SetText("x^3");
    e->butApplyClick();
    e->butOkClick();  // closes it once the file is written
  });
  edit->Click();
  Pump();
  EXPECT_EQ(Captions(dialog.butTemplates),
            (std::vector<std::string>{"Синус", "-", "Квадрат", "Куб", "-", "Редактировать заготовки...."}));
  EXPECT_EQ(dialog.butTemplates->Items(5), edit);
}

TEST_F(TemplatesTest, TitleTemplatesOfBothKindsRoundTripAndFillEnterTextsMenu) {
  for (int kind : {1, 2}) {
    workspace::TPropSaver store(true);
    analysis::WriteTitleTemplates(store, kind, {"Время, с", "Напряжение " + std::to_string(kind)});
    store.UpdateFile();
  }
  EXPECT_EQ(SectionLines(FileText(Settings()), "AXIS_TITLE_TEMPLATES"),
            (std::vector<std::string>{"Template0=Время, с", "Template1=Напряжение 1"}));
  EXPECT_EQ(analysis::ReadTitleTemplates(workspace::TPropSaver(true), 2),
            (std::vector<std::string>{"Время, с", "Напряжение 2"}));
  EXPECT_TRUE(analysis::ReadTitleTemplates(workspace::TPropSaver(true), 0).empty());
  // EnterText with kind 2: the menu puts a template in at the caret.
  std::string shown;
  AnswerDialog<analysis::TwndEnterText>(*desktop, fw::mrOk, [&](analysis::TwndEnterText& d) {
    ASSERT_NE(d.itTemplates, nullptr);
    EXPECT_EQ(Captions(d.itTemplates),
              (std::vector<std::string>{"Время, с", "Напряжение 2", "-", "Редактировать заготовки...."}));
    d.Memo1->SetSelStart(0);
    d.itTemplates->Items(1)->Click();
  });
  fw::String text = "!";
  ASSERT_TRUE(analysis::EnterText("Заголовок", text, 2, 2));
  EXPECT_EQ(text, "Напряжение 2!");
  // Kind 0 has no menu.
  AnswerDialog<analysis::TwndEnterText>(*desktop, fw::mrCancel,
                                        [](analysis::TwndEnterText& d) { EXPECT_EQ(d.itTemplates, nullptr); });
  EXPECT_FALSE(analysis::EnterText("Функция", text, 2, 0));
  // Editing them: one template per line, blank lines dropped; a template taken out stays out.
  AnswerDialog<analysis::TwndEnterText>(*desktop, fw::mrOk, [](analysis::TwndEnterText& d) {
    EXPECT_EQ(d.Memo1->Text(), "Время, с\r\nНапряжение 1\r\n");
    d.Memo1->SetText("\r\nАмплитуда\r\n");
  });
  ASSERT_TRUE(analysis::EditTemplates(1));
  EXPECT_EQ(analysis::ReadTitleTemplates(workspace::TPropSaver(true), 1), (std::vector<std::string>{"Амплитуда"}));
}

// The menu of many title templates holds them once: each item knows its index. With a copy of
// the list per item, 2,000 templates of 2 KB would need 8 GB.
TEST_F(TemplatesTest, ManyTitleTemplatesCostMemoryInProportionToTheirNumber) {
  if (!kvtest::MemoryLimitsWork()) GTEST_SKIP() << "address-space limits do not work under the sanitizer";
  constexpr int kCount = 2000;
  std::vector<std::string> many;
  for (int i = 0; i < kCount; ++i) many.push_back(std::to_string(i) + std::string(2048, 'x'));
  {
    workspace::TPropSaver store(true);
    analysis::WriteTitleTemplates(store, 1, many);
    store.UpdateFile();
  }
  const int status = kvtest::RunWithMemoryLimit(std::uint64_t(256) << 20, [&] {
    tx::TTxSubmenuItem menu(nullptr);
    std::string chosen;
    analysis::FillTemplatesMenu(1, &menu, nullptr, [&](const std::string& t) { chosen = t; });
    if (menu.Count() != kCount + 2) return 2;
    menu.Items(kCount - 1)->Click();
    return chosen == many.back() ? 0 : 3;
  });
  EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace mainwindowtest
