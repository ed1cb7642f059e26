// The printer set-up window, built in code: the queue, the paper size and the orientation.

#include <algorithm>
#include <cmath>
#include <memory>

#include "framework/Dialogs.h"
#include "framework/Forms.h"
#include "framework/Printers.h"
#include "framework/StdCtrls.h"
#include "framework/StdCtrlsList.h"
#include "framework/StdCtrlsText.h"
#include "framework/StringList.h"
#include "platform/gdi/GdiText.h"

namespace fw {

const std::vector<TPaperSize>& PaperSizes() {
  static const std::vector<TPaperSize> sizes{{"A4", 210, 297},         {"A3", 297, 420},
                                             {"A5", 148, 210},         {"B5", 176, 250},
                                             {"Letter", 215.9, 279.4}, {"Legal", 215.9, 355.6}};
  return sizes;
}

namespace {

constexpr const char* kOtherPaper = "Другой";

// Within a millimetre: a queue's description gives its sheets in whole points (its A5 is
// 148.52 x 209.9 mm), and the sizes of the list lie far further apart.
Integer PaperIndex(const TPrinter& Printer) {
  const auto& sizes = PaperSizes();
  for (std::size_t i = 0; i < sizes.size(); ++i)
    if (std::abs(sizes[i].WidthMM - Printer.PaperWidthMM()) < 1 &&
        std::abs(sizes[i].HeightMM - Printer.PaperHeightMM()) < 1)
      return Integer(i);
  return -1;
}

// The window; its controls are laid out from their measured captions.
class TPrinterSetupForm : public TForm {
 public:
  explicit TPrinterSetupForm(TPrinter& Printer) : TForm(nullptr) {
    SetName("PrinterSetupDlg");
    SetCaption("Настройка принтера");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    const Integer labelWidth = std::max(TextWidth("Принтер"), TextWidth("Бумага")) + 8;
    Queue = AddCombo("cbPrinter", labelWidth, 10, "Принтер");
    for (const String& name : Printer.Printers()) Queue->Items()->Add(name);
    Queue->SetItemIndex(Printer.PrinterIndex());
    Paper = AddCombo("cbPaper", labelWidth, 40, "Бумага");
    for (const TPaperSize& size : PaperSizes()) Paper->Items()->Add(size.Name);
    const Integer paper = PaperIndex(Printer);
    if (paper < 0) Paper->Items()->Add(kOtherPaper);
    Paper->SetItemIndex(paper < 0 ? Paper->Items()->Count() - 1 : paper);
    auto* orientation = new TGroupBox(this);
    orientation->SetParent(this);
    orientation->SetCaption("Ориентация");
    orientation->SetBounds(10, 72, Queue->Left() + Queue->Width() - 10, 48);
    Portrait = AddRadio(orientation, "rbPortrait", "Книжная", 10);
    Landscape = AddRadio(orientation, "rbLandscape", "Альбомная", 20 + Portrait->Width());
    (Printer.Orientation() == poLandscape ? Landscape : Portrait)->SetChecked(true);
    auto* ok = AddButton("butOk", "OK", mrOk);
    ok->SetDefault(true);
    auto* cancel = AddButton("butCancel", "Отмена", mrCancel);
    cancel->SetCancel(true);
    const Integer right = Queue->Left() + Queue->Width();
    cancel->SetBounds(right - 80, 132, 80, 25);
    ok->SetBounds(right - 166, 132, 80, 25);
    SetClientWidth(right + 10);
    SetClientHeight(167);
  }

  TComboBox* Queue = nullptr;
  TComboBox* Paper = nullptr;
  TRadioButton* Portrait = nullptr;
  TRadioButton* Landscape = nullptr;

 private:
  Integer TextWidth(const String& Text) {
    return MeasureControlText(Font(), Text, win::DT_SINGLELINE | win::DT_NOPREFIX, 0).cx;
  }
  TComboBox* AddCombo(const char* Name, Integer Left, Integer Top, const char* Caption) {
    auto* label = new TLabel(this);
    label->SetParent(this);
    label->SetCaption(Caption);
    label->SetBounds(10, Top + 4, Left - 8, 15);
    auto* combo = new TComboBox(this);
    combo->SetName(Name);
    combo->SetParent(this);
    combo->SetStyle(csDropDownList);
    combo->SetBounds(10 + Left, Top, 260, 21);
    return combo;
  }
  TRadioButton* AddRadio(TWinControl* Parent, const char* Name, const char* Caption, Integer Left) {
    auto* radio = new TRadioButton(this);
    radio->SetName(Name);
    radio->SetParent(Parent);
    radio->SetCaption(Caption);
    radio->SetBounds(Left, 20, TextWidth(Caption) + 24, 17);
    return radio;
  }
  TButton* AddButton(const char* Name, const char* Caption, Integer Result) {
    auto* button = new TButton(this);
    button->SetName(Name);
    button->SetParent(this);
    button->SetCaption(Caption);
    button->SetModalResult(Result);
    return button;
  }
};

}  // namespace

bool TPrinterSetupDialog::Execute() {
  if (Printer == nullptr) return false;
  std::unique_ptr<TPrinterSetupForm> form(new TPrinterSetupForm(*Printer));
  if (form->ShowModal() != mrOk) return false;
  // By the name shown: queues added or removed while the window was open move the places.
  if (const Integer queue = form->Queue->ItemIndex(); queue >= 0)
    Printer->SetPrinterName(form->Queue->Items()->Strings(queue));
  const Integer paper = form->Paper->ItemIndex();
  if (paper >= 0 && paper < Integer(PaperSizes().size()))
    Printer->SetPaperSize(PaperSizes()[std::size_t(paper)].WidthMM, PaperSizes()[std::size_t(paper)].HeightMM);
  Printer->SetOrientation(form->Landscape->Checked() ? poLandscape : poPortrait);
  return true;
}

}  // namespace fw
