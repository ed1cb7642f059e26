#include "export/forms/WinSaveImg.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>
#include <utility>

#include "chart/Chart.h"
#include "chart/ChartElement.h"
#include "chart/PlotCanvas.h"
#include "chart/PlotMultiSelectorTool.h"
#include "controls/CsButtons.h"
#include "controls/CsEditors.h"
#include "controls/CsPanels.h"
#include "controls/NumericSpinEdit.h"
#include "export/KvPlotBmp.h"
#include "export/KvPlotExport.h"
#include "export/GIFImageException.h"
#include "export/KvPlotGIF.h"
#include "export/KvPlotJPEG.h"
#include "export/KvPlotSVG.h"
#include "export/forms/DialogControls.h"
#include "framework/Graphics.h"
#include "framework/SysUtils.h"
#include "workspace/Common.h"
#include "workspace/FileErrors.h"

namespace kvforms {
namespace {

constexpr fw::Integer kClientWidth = 169;
constexpr fw::Integer kSizeOnlyHeight = 138;  // the size box and the buttons
constexpr fw::Integer kFormatBoxTop = 100;

// Far past any size limit, and still exact in the lock's arithmetic and as a 64-bit integer.
constexpr fw::Extended kFarPastAnyLimit = 1e15;

// The size a field's text asks for. A whole number is read at any length (the field itself reads
// one past the integer range as its minimum, so 2147483648 would pass for 0, "the chart's size"),
// kept within kFarPastAnyLimit either way; other text (empty, a sign alone) is read as the field
// reads it.
fw::Extended TypedSize(const cs::TCsSpinEdit* Field) {
  const fw::String text = fw::Trim(Field->Text());
  const std::size_t digits = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
  if (digits == text.size() || text.find_first_not_of("0123456789", digits) != fw::String::npos)
    return Field->Value();
  const fw::Extended value = std::strtold(text.c_str(), nullptr);
  return std::clamp(value, -kFarPastAnyLimit, kFarPastAnyLimit);
}

// A side in whole pixels. One worked out in proportion from a positive size is at least 1: 0 would
// stand for the chart's own size, and a picture of 9 x 0 would be saved 9 x the chart's height.
fw::Extended WholeSide(fw::Extended Value) {
  const fw::Extended whole = std::nearbyint(Value);
  return Value > 0 ? std::max<fw::Extended>(whole, 1) : whole;
}

// Field set to Value without its change handler.
void SetQuietly(cs::TCsSpinEdit* Field, fw::Extended Value) {
  fw::TNotifyEvent handler = std::move(Field->OnChange);
  Field->OnChange = nullptr;
  Field->SetValue(Value);
  Field->OnChange = std::move(handler);
}

struct TFormatBox {
  const char* Ext;
  fw::Integer ClientHeight;
};
constexpr TFormatBox kBoxes[] = {{".bmp", 235}, {".jpg", 261}, {".gif", 264}, {".svg", 197}};

fw::Integer ClientHeightFor(const fw::String& Ext) {
  for (const TFormatBox& box : kBoxes)
    if (Ext == box.Ext) return box.ClientHeight;
  return kSizeOnlyHeight;
}

// The GIF coder's refusals, in its own words, said in the user's; the one a chart meets is the
// colour limit with no reduction chosen.
fw::String GifReason(const fw::String& Text) {
  if (Text == "Color table overflow")
    return "в рисунке больше 256 цветов (предел GIF); выберите способ сведения цветов в списке \"Сведение\"";
  return "ошибка кодировщика GIF (" + Text + ")";
}

}  // namespace

TwndSaveImg::TwndSaveImg(fw::TComponent* AOwner) : fw::TForm(AOwner) {
  SetName("wndSaveImg");
  SetBorderStyle(fw::bsDialog);
  SetPosition(fw::poDesktopCenter);
  Font()->SetName("Tahoma");
  Font()->SetSize(8);
  SetClientWidth(kClientWidth);
  SetClientHeight(kSizeOnlyHeight);

  CsGroupBox3 = MakeGroupBox(this, "CsGroupBox3", "Размер", {4, 4, 161, 92});
  MakeLabel(CsGroupBox3, "Ширина", {8, 20, 66, 15});
  seWidth = MakeSpinEdit(CsGroupBox3, "seWidth", 10000, {80, 16, 73, 21});
  MakeLabel(CsGroupBox3, "Высота", {8, 45, 66, 15});
  seHeight = MakeSpinEdit(CsGroupBox3, "seHeight", 10000, {80, 41, 73, 21});
  cbProportional = MakeCheckBox(CsGroupBox3, "cbProportional", "Сохранять пропорции", {6, 68, 152, 17});

  gbxBMP = MakeGroupBox(this, "gbxBMP", "BMP", {4, kFormatBoxTop, 161, 93});
  MakeLabel(gbxBMP, "Число цветов", {8, 18, 140, 15});
  cbxPixelFormat = MakeDropDownList(gbxBMP, "cbxPixelFormat",
                                    {"По-умолчанию", "2 цвета (1 бит)", "16 цветов (4 бита)", "256 цветов (8 бит)",
                                     "32 768 цветов (15 бит)", "65 536 цветов (16 бит)", "16М цветов (24 бита)",
                                     "16М цветов (32 бита)"},
                                    {8, 34, 145, 21});
  cbMonochrome = MakeCheckBox(gbxBMP, "cbMonochrome", "Монохромная картинка", {8, 64, 145, 17});

  gbxJPEG = MakeGroupBox(this, "gbxJPEG", "JPEG", {4, kFormatBoxTop, 161, 119});
  cs::TCsGroupBox* optimisation = MakeGroupBox(gbxJPEG, "", "Оптимизация", {8, 16, 145, 42});
  rgQuality = MakeRadioButton(optimisation, "rgQuality", "Кач-во", {8, 18, 64, 17});
  rbSpeed = MakeRadioButton(optimisation, "rbSpeed", "Скорость", {74, 18, 66, 17});
  MakeLabel(gbxJPEG, "Качество, %", {8, 68, 80, 15});
  seQuality = MakeSpinEdit(gbxJPEG, "seQuality", 100, {90, 64, 63, 21});
  cbGrayScale = MakeCheckBox(gbxJPEG, "cbGrayScale", "Оттенки серого", {8, 94, 145, 17});

  gbxGIF = MakeGroupBox(this, "gbxGIF", "GIF", {4, kFormatBoxTop, 161, 122});
  cs::TCsGroupBox* compression = MakeGroupBox(gbxGIF, "", "Компрессия", {8, 16, 145, 42});
  rbLZW = MakeRadioButton(compression, "rbLZW", "LZW", {8, 18, 60, 17});
  rbRLE = MakeRadioButton(compression, "rbRLE", "RLE", {74, 18, 60, 17});
  auto* dither = MakeLabel(gbxGIF, "Сглажив.", {8, 68, 54, 15});
  cbxDitherMode = MakeDropDownList(
      gbxGIF, "cbxDitherMode",
      {"Nearest  -  Nearest color matching w/o error correction",
       "FloydSteinberg  -  Floyd Steinberg Error Diffusion dithering", "Stucki  -  Stucki Error Diffusion dithering",
       "Sierra  -  Sierra Error Diffusion dithering", "JaJuNI  - Jarvis, Judice & Ninke Error Diffusion dithering",
       "SteveArche  - Stevenson & Arche Error Diffusion dithering", "Burkes  - Burkes Error Diffusion dithering"},
      {64, 64, 89, 21});
  auto* reduction = MakeLabel(gbxGIF, "Сведение", {8, 96, 54, 15});
  cbxColorReduction = MakeDropDownList(
      gbxGIF, "cbxColorReduction",
      {"None  -  Do not perform color reduction", "Windows20  -  Reduce to the Windows 20 color system palette",
       "Windows256  -  Reduce to the Windows 256 color halftone palette (Only works in 256 color display mode)",
       "WindowsGray  -  Reduce to the Windows 4 grayscale colors",
       "Monochrome  -  Reduce to a black/white monochrome palette",
       "GrayScale  -  Reduce to a uniform 256 shade grayscale palette",
       "Netscape  -  Reduce to the Netscape 216 color palette", "Quantize  -  Reduce to optimal 2^n color palette",
       "QuantizeWindows  -  Reduce to optimal 256 color windows palette",
       "Palette  -  Reduce to custom palette"},
      {64, 92, 89, 21});

  gbxSVG = MakeGroupBox(this, "gbxSVG", "SVG", {4, kFormatBoxTop, 161, 55});
  cbAntiAlias = MakeCheckBox(gbxSVG, "cbAntiAlias", "Сглаженный текст", {8, 22, 145, 17});

  // From the measured captions: the lists right of the longer label, the second radio right of
  // the first, and every box as wide as the widest.
  const fw::Integer listLeft = std::max(RightOf(dither), RightOf(reduction)) + 4;
  for (cs::TCsComboBox* list : {cbxDitherMode, cbxColorReduction})
    list->SetBounds(listLeft, list->Top(), std::max<fw::Integer>(89, RightOf(list) - listLeft), list->Height());
  FlowRight({rgQuality, rbSpeed}, 8, 8);
  GrowToChildren(optimisation, 6);
  fw::Integer width = 0;
  for (cs::TCsGroupBox* box : {CsGroupBox3, gbxBMP, gbxJPEG, gbxGIF, gbxSVG}) {
    GrowToChildren(box, 8);
    width = std::max(width, box->Width());
  }
  for (cs::TCsGroupBox* box : {CsGroupBox3, gbxBMP, gbxJPEG, gbxGIF, gbxSVG}) box->SetWidth(width);
  SetClientWidth(std::max(ClientWidth(), RightOf(CsGroupBox3) + 4));
  for (cs::TCsGroupBox* box : {gbxBMP, gbxJPEG, gbxGIF, gbxSVG}) box->SetVisible(false);

  butOk = MakeBottomButton(this, "butOk", "OK", fw::mrOk, {8, kSizeOnlyHeight - 32, 73, 25});
  butOk->SetDefault(true);
  butCancel = MakeBottomButton(this, "butCancel", "Отмена", fw::mrCancel, {88, kSizeOnlyHeight - 32, 73, 25});
  butCancel->SetCancel(true);

  seWidth->OnChange = [this](fw::TObject*) { seWidthChange(); };
  seHeight->OnChange = [this](fw::TObject*) { seHeightChange(); };
  for (cs::TCsSpinEdit* size : {seWidth, seHeight}) size->OnExit = [this](fw::TObject*) { FitSize(); };
}

void TwndSaveImg::LoadFormat(const fw::String& Ext, const kvexport::TKvPlotExportFormat& Format) {
  seWidth->SetValue(Format.Width);
  seHeight->SetValue(Format.Height);
  if (Ext == ".bmp") {
    const auto& bmp = dynamic_cast<const kvexport::TKvBMPExportFormat&>(Format);
    gbxBMP->SetVisible(true);
    cbMonochrome->SetChecked(bmp.Monochrome);
    cbxPixelFormat->SetItemIndex(bmp.PixelFormat);
  } else if (Ext == ".jpg") {
    const auto& jpeg = dynamic_cast<const kvexport::TKvJPEGExportFormat&>(Format);
    gbxJPEG->SetVisible(true);
    cbGrayScale->SetChecked(jpeg.Grayscale);
    if (jpeg.Performance == fw::jpBestSpeed)
      rbSpeed->SetChecked(true);
    else
      rgQuality->SetChecked(true);
    seQuality->SetValue(jpeg.CompressionQuality);
  } else if (Ext == ".gif") {
    const auto& gif = dynamic_cast<const kvexport::TKvGIFExportFormat&>(Format);
    gbxGIF->SetVisible(true);
    if (gif.Compression == kvexport::TGIFCompression::RLE)
      rbRLE->SetChecked(true);
    else
      rbLZW->SetChecked(true);
    cbxDitherMode->SetItemIndex(fw::Integer(gif.DitherMode));
    cbxColorReduction->SetItemIndex(fw::Integer(gif.ColorReduction));
  } else if (Ext == ".svg") {
    gbxSVG->SetVisible(true);
    cbAntiAlias->SetChecked(dynamic_cast<const kvexport::TKvSVGExportFormat&>(Format).TextAntiAlias);
  }
  SetClientHeight(ClientHeightFor(Ext));
  for (cs::TCsButton* button : {butOk, butCancel}) button->SetTop(ClientHeight() - 32);
}

void TwndSaveImg::ReadFormat(const fw::String& Ext, kvexport::TKvPlotExportFormat& Format) {
  FitSize();
  Format.Width = fw::Integer(seWidth->Value());
  Format.Height = fw::Integer(seHeight->Value());
  if (Ext == ".bmp") {
    auto& bmp = dynamic_cast<kvexport::TKvBMPExportFormat&>(Format);
    bmp.Monochrome = cbMonochrome->Checked();
    if (cbxPixelFormat->ItemIndex() >= 0) bmp.PixelFormat = fw::TPixelFormat(cbxPixelFormat->ItemIndex());
  } else if (Ext == ".jpg") {
    auto& jpeg = dynamic_cast<kvexport::TKvJPEGExportFormat&>(Format);
    jpeg.Grayscale = cbGrayScale->Checked();
    jpeg.Performance = rgQuality->Checked() ? fw::jpBestQuality : fw::jpBestSpeed;
    jpeg.CompressionQuality = fw::Integer(seQuality->Value());
  } else if (Ext == ".gif") {
    auto& gif = dynamic_cast<kvexport::TKvGIFExportFormat&>(Format);
    gif.Compression = rbLZW->Checked() ? kvexport::TGIFCompression::LZW : kvexport::TGIFCompression::RLE;
    if (cbxDitherMode->ItemIndex() >= 0) gif.DitherMode = kvexport::TDitherMode(cbxDitherMode->ItemIndex());
    if (cbxColorReduction->ItemIndex() >= 0)
      gif.ColorReduction = kvexport::TColorReduction(cbxColorReduction->ItemIndex());
  } else if (Ext == ".svg") {
    dynamic_cast<kvexport::TKvSVGExportFormat&>(Format).TextAntiAlias = cbAntiAlias->Checked();
  }
}

void TwndSaveImg::DoShow() {
  FormShow();
  fw::TForm::DoShow();
}

void TwndSaveImg::FormShow() {
  SetColor(workspace::GetThemeFormColor());
  FLastWidth = seWidth->Value();
  FLastHeight = seHeight->Value();
}

void TwndSaveImg::KeepProportion(cs::TCsSpinEdit* Source, cs::TCsSpinEdit* Target, fw::Extended& SourcePart,
                                 fw::Extended& TargetPart) {
  const fw::Extended source = TypedSize(Source);
  if (cbProportional->Checked() && SourcePart > 0 && TargetPart > 0) {
    fw::TNotifyEvent handler = std::move(Target->OnChange);
    Target->OnChange = nullptr;
    // Past Target's limits too, for now: FitSize brings both within them in proportion when the
    // typing is done. A side in proportion past kFarPastAnyLimit shows as that (FitSize then
    // takes the pair from the lock): as a 64-bit integer it would wrap to a negative number.
    const fw::Extended value =
        std::clamp(WholeSide(source * TargetPart / SourcePart), -kFarPastAnyLimit, kFarPastAnyLimit);
    Target->SetText(fw::IntToStr(static_cast<fw::Int64>(value)));
    Target->OnChange = std::move(handler);
    return;
  }
  // Only sizes a picture can have make a proportion: a negative one would turn the other negative.
  if (const fw::Extended target = TypedSize(Target); source > 0 && target > 0) {
    SourcePart = source;
    TargetPart = target;
  }
}

void TwndSaveImg::FitSize() {
  fw::Extended width = TypedSize(seWidth), height = TypedSize(seHeight);
  if (cbProportional->Checked()) {
    // Both shrunk by one factor until each is within its upper limit; the lock's proportion
    // stays. A side below its lower limit is brought to it alone (0: the chart's own size).
    // A side at kFarPastAnyLimit may stand for more than it shows, typed or mirrored past it, so
    // the two shown are no longer in proportion: the pair is then the lock's own, as far past.
    if ((width >= kFarPastAnyLimit || height >= kFarPastAnyLimit) && width > 0 && height > 0 && FLastWidth > 0 &&
        FLastHeight > 0) {
      const fw::Extended grow = kFarPastAnyLimit / std::max(FLastWidth, FLastHeight);
      width = FLastWidth * grow;
      height = FLastHeight * grow;
    }
    fw::Extended scale = 1;
    if (width > seWidth->MaxValue()) scale = std::min(scale, seWidth->MaxValue() / width);
    if (height > seHeight->MaxValue()) scale = std::min(scale, seHeight->MaxValue() / height);
    width *= scale;
    height *= scale;
  }
  // Each within its own limits, and shown as it will be saved (text the field cannot read shows
  // the value it reads as). With the lock the two are already in proportion and neither may move
  // the other.
  for (const auto& [size, value] : {std::pair{seWidth, width}, std::pair{seHeight, height}}) {
    const fw::Extended fitted = std::clamp(WholeSide(value), size->MinValue(), size->MaxValue());
    if (size->Text() != fw::IntToStr(static_cast<fw::Int64>(fitted))) SetQuietly(size, fitted);
  }
  // Without it, the sizes shown are the proportion it will keep: taken here, as a field on screen
  // reports no change of the text its program sets (only a field without its window yet does).
  if (!cbProportional->Checked()) KeepProportion(seWidth, seHeight, FLastWidth, FLastHeight);
}

void TwndSaveImg::seWidthChange() { KeepProportion(seWidth, seHeight, FLastWidth, FLastHeight); }
void TwndSaveImg::seHeightChange() { KeepProportion(seHeight, seWidth, FLastHeight, FLastWidth); }

void SaveChartImage(const fw::String& FileName, chart::TMultiSelectorTool* Selector) {
  chart::TChart* chart = chart::MainChart;
  const fw::TColor color = chart ? chart->Color() : fw::clWhite;
  const fw::TColor wallColor = chart ? chart->BackWall()->Color() : fw::clWhite;
  const bool gradient = chart ? chart->Gradient()->Visible : false;
  if (chart) {
    chart->SetColor(fw::clWhite);
    chart->BackWall()->SetColor(fw::clWhite);
    chart->Gradient()->Visible = false;
  }
  if (Selector) Selector->SetActive(false);
  struct TRestore {
    chart::TChart* Chart;
    chart::TMultiSelectorTool* Selector;
    fw::TColor Color, WallColor;
    bool Gradient;
    ~TRestore() {
      if (Chart) {
        Chart->SetColor(Color);
        Chart->BackWall()->SetColor(WallColor);
        Chart->Gradient()->Visible = Gradient;
        Chart->Invalidate();
      }
      if (Selector) Selector->SetActive(true);
    }
  } restore{chart, Selector, color, wallColor, gradient};

  const fw::String ext = fw::LowerCase(fw::ExtractFileExt(FileName));
  std::unique_ptr<kvexport::TKvPlotExportFormat> format = kvexport::CreateExportFormat(ext);
  std::unique_ptr<TwndSaveImg> dialog(new TwndSaveImg(fw::Application));
  dialog->SetCaption("Сохранение " + fw::UpperCase(ext));
  dialog->LoadFormat(ext, *format);
  if (dialog->ShowModal() != fw::mrOk) return;
  dialog->ReadFormat(ext, *format);
  // Said in the user's words and naming the file: the system's reason for a file that cannot be
  // written, the writer's for a picture it refuses.
  try {
    workspace::WithFileErrors(FileName, workspace::faWrite, [&] { format->SaveToFile(FileName); });
  } catch (const fw::EStreamError&) {
    throw;
  } catch (const std::bad_alloc&) {
    throw fw::Exception(fw::Format("Не удается сохранить рисунок в файл \"%s\": недостаточно памяти", FileName));
  } catch (const kvexport::GIFException& e) {
    throw fw::Exception(fw::Format("Не удается сохранить рисунок в файл \"%s\": %s", FileName, GifReason(e.what())));
  } catch (const std::exception& e) {
    throw fw::Exception(fw::Format("Не удается сохранить рисунок в файл \"%s\": %s", FileName, e.what()));
  }
  workspace::ShowBalloonHint("Сохранение завершено", "", 0);
}

}  // namespace kvforms
