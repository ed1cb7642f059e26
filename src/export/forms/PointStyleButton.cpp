#include "export/forms/PointStyleButton.h"

#include "controls/CsButtons.h"
#include "controls/UniCodePages.h"
#include "framework/ImageList.h"
#include "tx/TxItems.h"
#include "tx/TxPopupWindow.h"
#include "workspace/DataModule.h"

namespace kvforms {

const char* const kPointStyleNames[kPointStyleCount] = {
    "Квадрат", "Круг", "Треугольник 1", "Треугольник 2", "Крест", "Косой крест", "Звезда", "Ромб", "Точка"};

fw::Integer TPointStyleButton::Style() const {
  return Button->ImageIndex();
}

void TPointStyleButton::SetStyle(fw::Integer Style) {
  if (Style < 0 || Style >= kPointStyleCount) return;
  Button->SetImageIndex(Style);
  Button->SetHint(cs::Utf8ToWide(kPointStyleNames[Style]));
}

TPointStyleButton MakePointStyleButton(fw::TWinControl* Parent, const char* Name, const char* MenuName,
                                       TBox At) {
  fw::TImageList* images = workspace::DataModule1 ? workspace::DataModule1->PointerImages() : nullptr;
  TPointStyleButton choice;
  choice.Button = new cs::TCsButton(Parent);
  choice.Button->SetParent(Parent);
  choice.Button->SetName(Name);
  choice.Button->SetBounds(At.Left, At.Top, At.Width, At.Height);
  choice.Button->SetImages(images);
  choice.Button->SetShowHint(true);  // it names the marker its picture shows
  choice.Menu = new tx::TTxPopupMenu(Parent);
  choice.Menu->SetName(MenuName);
  choice.Menu->SetImages(images);
  for (int style = 0; style < kPointStyleCount; ++style) {
    auto* entry = new tx::TTxItem(choice.Menu->Items());
    entry->SetCaption(kPointStyleNames[style]);
    entry->SetImageIndex(style);
    entry->OnClick = [choice, entry](fw::TObject*) mutable { choice.SetStyle(entry->ImageIndex()); };
    choice.Menu->Items()->Add(entry);
  }
  choice.Button->SetDropDownMenu(choice.Menu);
  return choice;
}

}  // namespace kvforms
