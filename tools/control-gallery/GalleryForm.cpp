#include "GalleryForm.h"

#include "GalleryBars.h"

#include "controls/Balloon.h"
#include "controls/CsButtons.h"
#include "controls/CsColorButton.h"
#include "controls/CsEditors.h"
#include "controls/CsLists.h"
#include "controls/CsPanels.h"
#include "controls/CsPenButton.h"
#include "controls/CsTabs.h"
#include "controls/CsTrackBar.h"
#include "controls/FloatEdit.h"
#include "controls/NumericSpinEdit.h"
#include "controls/ShortCutEditor.h"
#include "controls/UniCodePages.h"
#include "framework/Menus.h"
#include "framework/SysUtils.h"

namespace gallery {

std::function<void(const std::string&)> TGalleryForm::Report = [](const std::string&) {};

namespace {

// Rows of a label and a field, top to bottom, in a column of the form.
class TColumn {
 public:
  TColumn(fw::TWinControl* Parent, int Left, int Top) : FParent(Parent), FLeft(Left), FTop(Top) {}
  template <class T>
  T* Field(const char16_t* Caption, int Width, int Height = 21) {
    auto* label = new cs::TCsLabel(FParent->Owner());
    label->SetParent(FParent);
    label->SetCaption(Caption);
    label->SetBounds(FLeft, FTop + 3, 10, 10);
    auto* field = new T(FParent->Owner());
    field->SetParent(FParent);
    field->SetBounds(FLeft + 110, FTop, Width, Height);
    label->SetFocusControl(field);
    FTop += std::max(Height, field->Height()) + 8;
    return field;
  }
  template <class T>
  T* Whole(int Width, int Height) {
    auto* c = new T(FParent->Owner());
    c->SetParent(FParent);
    c->SetBounds(FLeft, FTop, Width, Height);
    FTop += Height + 8;
    return c;
  }
  int Top() const { return FTop; }

 private:
  fw::TWinControl* FParent;
  int FLeft, FTop;
};

}  // namespace

TGalleryForm::TGalleryForm(fw::TComponent* AOwner) : fw::TForm(AOwner) {
  SetCaption("Korvalin control gallery");
  SetBorderStyle(fw::bsDialog);
  SetBounds(80, 60, 640, 640);
  OnShow = [this](fw::TObject*) {
    const fw::TPoint client = ClientToScreen({0, 0});
    Report("ready " + std::to_string(client.x - Left()) + "," + std::to_string(client.y - Top()));
  };

  TColumn left(this, 12, 12);
  FFloat = left.Field<cs::TCsFloatEdit>(u"&Толщина:", 100);
  FFloat->SetDigits(2);
  FFloat->SetMax(1000);
  FFloat->SetCheckMaxMin(true);
  FFloat->SetAdditionalDecimalSeparator(u'.');
  FFloat->SetValue(1.5L);
  FFloat->OnChange = [this](fw::TObject*) { Report("float " + fw::FloatToStr(FFloat->Value())); };

  auto* lx = left.Field<cs::TLxCsFloatEdit>(u"&Смещение:", 100);
  lx->SetValue(-0.25L);

  FSpin = left.Field<cs::TCsSpinEdit>(u"&Ширина:", 100);
  FSpin->SetMaxValue(10000);
  FSpin->SetMinValue(1);
  FSpin->SetValue(640);
  FSpin->OnChange = [this](fw::TObject*) { Report("spin " + fw::FloatToStr(FSpin->Value())); };

  FCombo = left.Field<cs::TCsComboBox>(u"&Линия:", 150);
  for (const char16_t* item : {u"Сплошная", u"Штриховая", u"Пунктирная", u"Штрихпунктирная", u"Точечная"})
    FCombo->Items()->Add(item);
  FCombo->SetItemIndex(0);
  FCombo->OnChange = [this](fw::TObject*) { Report("combo " + cs::WideToUtf8(FCombo->Text())); };

  auto* edit = left.Field<cs::TCsEdit>(u"&Подпись:", 150);
  edit->SetText(u"График 1 — «данные»");

  auto* shortcut = left.Field<cs::TCsShortCutEditor>(u"&Клавиши:", 150);
  shortcut->SetShortCut(fw::ShortCut('S', fw::TShiftState{fw::ssCtrl}));

  auto* track = left.Field<cs::TCsTrackBar>(u"&Прозрачность:", 150, 30);
  track->SetTickMarks(cs::tmxCenter);
  track->SetSelStart(2);
  track->SetSelEnd(6);
  track->SetPosition(4);

  FMemo = left.Whole<cs::TCsMemo>(260, 70);
  FMemo->SetWantReturns(false);
  FMemo->fw::TControl::SetText("Заметка: Enter нажимает «OK».");

  auto* group = new cs::TCsGroupBox(this);
  group->SetParent(this);
  group->SetBounds(300, 12, 320, 120);
  group->SetCaption(u"Параметры вывода");
  TColumn inGroup(group, 10, 22);
  auto* grid = inGroup.Whole<cs::TCsCheckBox>(140, 20);
  grid->SetCaption(u"&Сетка");
  grid->SetChecked(true);
  grid->OnClick = [grid](fw::TObject*) { Report(std::string("check ") + (grid->Checked() ? "on" : "off")); };
  auto* shaded = inGroup.Whole<cs::TCsCheckBox>(140, 20);
  shaded->SetCaption(u"&Тень");
  shaded->SetAllowGrayed(true);
  shaded->SetState(fw::cbGrayed);
  TColumn radios(group, 170, 22);
  for (const char16_t* caption : {u"&Экран", u"&Принтер", u"&Файл"}) {
    auto* radio = radios.Whole<cs::TCsRadioButton>(130, 20);
    radio->SetCaption(caption);
    radio->OnClick = [radio](fw::TObject*) { Report("radio " + cs::WideToUtf8(radio->Caption())); };
  }

  auto* panel = new cs::TCsPanel(this);
  panel->SetParent(this);
  panel->SetBounds(300, 144, 320, 110);
  panel->SetHotTrack(true);
  auto* list = new cs::TCsListBox(this);
  list->SetParent(panel);
  list->SetBounds(8, 8, 150, 94);
  for (const char* line : {"Первый график", "Второй график", "Производная", "Огибающая", "Среднее"})
    list->Items()->Add(line);
  list->SetItemIndex(1);
  auto* link = new cs::TCsLabel(this);
  link->SetParent(panel);
  link->SetBounds(170, 10, 10, 10);
  link->SetCaption(u"Подчёркнутая подпись");
  link->SetUnderline(true);
  auto* disabled = new cs::TCsLabel(this);
  disabled->SetParent(panel);
  disabled->SetBounds(170, 36, 10, 10);
  disabled->SetCaption(u"Недоступная подпись");
  disabled->SetEnabled(false);

  FBalloons = new cs::TBalloonControl(this);
  FBalloons->SetControl(FSpin);
  FBalloons->SetTitle("Сохранение");
  FBalloons->SetText("Сохранение завершено");
  FBalloons->SetDuration(3);
  FBalloons->OnCloseBalloon = [](fw::TObject*) { Report("balloon closed"); };

  auto* tip = new cs::TCsButton(this);
  tip->SetParent(this);
  tip->SetBounds(300, 270, 120, 25);
  tip->SetCaption(u"&Подсказка");
  tip->SetHint(u"Показать всплывающее сообщение над счётчиком");
  tip->SetShowHint(true);
  tip->OnClick = [this](fw::TObject*) {
    FBalloons->ShowBalloon();
    Report("balloon shown");
  };
  auto* more = new cs::TCsButton(this);
  more->SetParent(this);
  more->SetBounds(430, 270, 60, 25);
  more->SetCaption(u"+1");
  more->SetRepeating(true);
  more->OnClick = [this](fw::TObject*) { FSpin->SetValue(FSpin->Value() + 1); };

  auto* colorLabel = new cs::TCsLabel(this);
  colorLabel->SetParent(this);
  colorLabel->SetBounds(300, 313, 10, 10);
  colorLabel->SetCaption(u"Ц&вет:");
  FColorButton = new cs::TCsColorButton(this);
  FColorButton->SetParent(this);
  FColorButton->SetBounds(350, 308, 70, 25);
  FColorButton->SetThemeType(cs::thtTx);
  FColorButton->SetSelectedColor(0x0000FF);
  FColorButton->OnColorChange = [this](fw::TObject*) {
    char text[16];
    const fw::TColor c = FColorButton->SelectedColor();
    std::snprintf(text, sizeof text, "#%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    Report(std::string("color ") + text);
  };
  colorLabel->SetFocusControl(FColorButton);
  auto* penLabel = new cs::TCsLabel(this);
  penLabel->SetParent(this);
  penLabel->SetBounds(440, 313, 10, 10);
  penLabel->SetCaption(u"Л&иния:");
  FPenButton = new cs::TCsPenButton(this);
  FPenButton->SetParent(this);
  FPenButton->SetBounds(495, 308, 70, 25);
  FPenButton->SetThemeType(cs::thtTx);
  FPenButton->SetSelectedStyle(fw::psDash);
  FPenButton->OnStyleChange = [this](fw::TObject*) {
    Report("pen " + std::to_string(int(FPenButton->SelectedStyle())));
  };
  penLabel->SetFocusControl(FPenButton);

  FTabs = new cs::TCsTabControl(this);
  FTabs->SetParent(this);
  FTabs->SetBounds(12, 350, 608, 200);
  FTabs->SetThemeType(cs::tttTx);  // the current theme's tabs; classic under "Default"
  for (const char16_t* caption : {u"Данные", u"Оси", u"Подписи", u"Легенда"}) FTabs->AddTab(caption);
  FTabs->OnActiveTabChange = [](fw::TObject*, fw::Integer Index) { Report("tab " + std::to_string(Index)); };
  auto* dataGrid = new cs::TCsCheckBox(this);
  dataGrid->SetParent(FTabs->Pages(0));
  dataGrid->SetBounds(12, 12, 200, 20);
  dataGrid->SetCaption(u"Показывать точки данных");
  dataGrid->SetChecked(true);
  auto* axisEdit = new cs::TCsEdit(this);
  axisEdit->SetParent(FTabs->Pages(1));
  axisEdit->SetBounds(12, 12, 200, 21);
  axisEdit->SetText(u"Ось X, мм");
  auto* titleLabel = new cs::TCsLabel(this);
  titleLabel->SetParent(FTabs->Pages(2));
  titleLabel->SetBounds(12, 14, 10, 10);
  titleLabel->SetCaption(u"Подписи осей и графиков");
  auto* legendGroup = new cs::TCsGroupBox(this);
  legendGroup->SetParent(FTabs->Pages(3));
  legendGroup->SetBounds(12, 8, 250, 80);
  legendGroup->SetCaption(u"Легенда");

  auto* ok = new cs::TCsButton(this);
  ok->SetParent(this);
  ok->SetBounds(440, 565, 85, 25);
  ok->SetCaption(u"OK");
  ok->SetDefault(true);
  ok->SetModalResult(fw::mrOk);
  ok->OnClick = [](fw::TObject*) { Report("ok"); };
  auto* cancel = new cs::TCsButton(this);
  cancel->SetParent(this);
  cancel->SetBounds(535, 565, 85, 25);
  cancel->SetCaption(u"Отмена");
  cancel->SetCancel(true);
  cancel->SetModalResult(fw::mrCancel);
  cancel->OnClick = [this](fw::TObject*) {
    Report("cancel");
    Close();
  };
  AddControlSetBars(this);
}

}  // namespace gallery
