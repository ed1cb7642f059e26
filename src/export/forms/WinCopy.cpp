#include "export/forms/WinCopy.h"

#include <algorithm>
#include <memory>

#include "controls/CsButtons.h"
#include "controls/CsPanels.h"
#include "export/forms/DialogControls.h"
#include "framework/Graphics.h"
#include "workspace/Common.h"
#include "workspace/Preferences.h"

namespace kvforms {
namespace {

using workspace::Preferences;

// A group box with a bold caption over controls in the form's own font.
cs::TCsGroupBox* BoldBox(fw::TWinControl* Parent, const char* Name, const char* Caption, TBox At) {
  cs::TCsGroupBox* box = MakeGroupBox(Parent, Name, Caption, At);
  box->Font()->SetStyle(fw::TFontStyles() + fw::fsBold);
  return box;
}

template <typename T>
T* Plain(T* Control) {
  Control->Font()->SetStyle(fw::TFontStyles());
  return Control;
}

void StartDialog(fw::TForm& Form, const char* Name, fw::Integer Width, fw::Integer Height) {
  Form.SetName(Name);
  Form.SetCaption("Копировать");
  Form.SetBorderStyle(fw::bsDialog);
  Form.SetPosition(fw::poDesktopCenter);
  Form.Font()->SetName("Tahoma");
  Form.Font()->SetSize(8);
  Form.SetClientWidth(Width);
  Form.SetClientHeight(Height);
}

template <typename TDialog>
void AddButtons(TDialog& Form) {
  const fw::Integer top = Form.ClientHeight() - 32;
  const fw::Integer half = (Form.ClientWidth() - 20) / 2;
  Form.butOk = MakeBottomButton(&Form, "butOk", "OK", fw::mrOk, {6, top, half, 25});
  Form.butOk->SetDefault(true);
  Form.butCancel = MakeBottomButton(&Form, "butCancel", "Отмена", fw::mrCancel, {14 + half, top, half, 25});
  Form.butCancel->SetCancel(true);
}

}  // namespace

TwndCopyTxt::TwndCopyTxt(fw::TComponent* AOwner) : fw::TForm(AOwner) {
  StartDialog(*this, "wndCopyTxt", 169, 160);
  gbxCopyTxt = BoldBox(this, "gbxCopyTxt", "Копировать", {6, 4, 157, 112});
  cbCopyX = Plain(MakeCheckBox(gbxCopyTxt, "cbCopyX", "Значения X", {10, 20, 140, 17}));
  cbCopyY = Plain(MakeCheckBox(gbxCopyTxt, "cbCopyY", "Значения Y", {10, 42, 140, 17}));
  cbCopyV = Plain(MakeCheckBox(gbxCopyTxt, "cbCopyV", "Только видимую часть", {10, 64, 140, 17}));
  cbCopyP = Plain(MakeCheckBox(gbxCopyTxt, "cbCopyP", "Копировать свойства", {10, 86, 140, 17}));
  // As wide as the longest measured caption.
  GrowToChildren(gbxCopyTxt, 8);
  SetClientWidth(std::max(ClientWidth(), RightOf(gbxCopyTxt) + 6));
  AddButtons(*this);
}

void TwndCopyTxt::DoShow() {
  FormShow();
  fw::TForm::DoShow();
}

void TwndCopyTxt::FormShow() {
  SetColor(workspace::GetThemeFormColor());
  cbCopyX->SetChecked(Preferences.CopyX);
  cbCopyY->SetChecked(Preferences.CopyY);
  cbCopyV->SetChecked(Preferences.CopyVisible);
  cbCopyP->SetChecked(Preferences.CopyProperties);
}

void TwndCopyTxt::StoreOptions() const {
  Preferences.CopyX = cbCopyX->Checked();
  Preferences.CopyY = cbCopyY->Checked();
  Preferences.CopyVisible = cbCopyV->Checked();
  Preferences.CopyProperties = cbCopyP->Checked();
}

TwndCopyImg::TwndCopyImg(fw::TComponent* AOwner) : fw::TForm(AOwner) {
  StartDialog(*this, "wndCopyImg", 145, 144);
  SetKeyPreview(true);
  gbxCopyImg = BoldBox(this, "gbxCopyImg", "Формат", {6, 4, 133, 96});
  rbCopyWMF = Plain(MakeRadioButton(gbxCopyImg, "rbCopyWMF", "Метафайл (WMF)", {10, 20, 116, 17}));
  rbCopyBMP = Plain(MakeRadioButton(gbxCopyImg, "rbCopyBMP", "Растр (BMP)", {10, 44, 116, 17}));
  rbCopyEMF = Plain(MakeRadioButton(gbxCopyImg, "rbCopyEMF", "Метафайл (EMF)", {10, 68, 116, 17}));
  rbCopyEMF->SetChecked(true);
  AddButtons(*this);
}

void TwndCopyImg::DoShow() {
  FormShow();
  fw::TForm::DoShow();
}

void TwndCopyImg::FormShow() {
  SetColor(workspace::GetThemeFormColor());
  cs::TCsRadioButton* buttons[] = {rbCopyWMF, rbCopyBMP, rbCopyEMF};
  if (Preferences.CopyFormat >= 0 && Preferences.CopyFormat < 3) buttons[Preferences.CopyFormat]->SetChecked(true);
}

void TwndCopyImg::StoreFormat() const {
  const cs::TCsRadioButton* buttons[] = {rbCopyWMF, rbCopyBMP, rbCopyEMF};
  for (fw::Integer i = 0; i < 3; ++i)
    if (buttons[i]->Checked()) {
      Preferences.CopyFormat = i;
      return;
    }
}

bool ExecuteCopyTxt() {
  std::unique_ptr<TwndCopyTxt> dialog(new TwndCopyTxt(fw::Application));
  if (dialog->ShowModal() != fw::mrOk) return false;
  dialog->StoreOptions();
  return true;
}

bool ExecuteCopyImg() {
  std::unique_ptr<TwndCopyImg> dialog(new TwndCopyImg(fw::Application));
  if (dialog->ShowModal() != fw::mrOk) return false;
  dialog->StoreFormat();
  return true;
}

}  // namespace kvforms
