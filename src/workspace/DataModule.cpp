#include "workspace/DataModule.h"

#include "chart/PlotCanvas.h"
#include "chart/SeriesPointer.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/ImageList.h"
#include "framework/SysUtils.h"
#include "platform/gdi/PackedBitmap.h"
#include "workspace/DataModuleStrips.h"

namespace workspace {

TDataModule1* DataModule1 = nullptr;

namespace {

fw::TImageList* MakeList(fw::TComponent* Owner, const char* Name, fw::Integer Width, fw::Integer Height) {
  auto* list = new fw::TImageList(Owner);
  list->SetName(Name);
  list->SetWidth(Width);
  list->SetHeight(Height);
  return list;
}

// The strip of the command images of one size, unpacked from the data packed at build time.
void LoadStrip(int Size, fw::TBitmap& Strip) {
  const TPackedStrip packed = PackedCommandImages(Size);
  win::HBITMAP handle = win::CreateBitmapFromPacked(Size * CommandImageCount, Size, packed.Data, packed.Size);
  if (!handle) throw fw::Exception("Повреждены встроенные изображения команд");
  Strip.SetHandle(handle);
}

// Pen-style and pointer pictures are drawn on white, which becomes see-through.
void StartPicture(fw::TBitmap& Picture, fw::Integer Width, fw::Integer Height, chart::TPlotCanvas3D& Canvas) {
  Picture.SetPixelFormat(fw::pf24bit);
  Picture.SetSize(Width, Height);
  Picture.Canvas()->Brush()->SetColor(fw::clWhite);
  Picture.Canvas()->FillRect(fw::Rect(0, 0, Width, Height));
  Canvas.SetReferenceCanvas(Picture.Canvas());
}

}  // namespace

TDataModule1::TDataModule1(fw::TComponent* AOwner) : fw::TComponent(AOwner) {
  SetName("DataModule1");
  FBigImages = MakeList(this, "ImagesBig", BigImageSize, BigImageSize);
  FSmallImages = MakeList(this, "ImagesSmall", SmallImageSize, SmallImageSize);
  FImages18 = MakeList(this, "Images18", Images18Size, Images18Size);
  FMenuImages = MakeList(this, "ImagesMenu", SmallImageSize, SmallImageSize);
  FPenStyleImages = MakeList(this, "ImagesPenStyles", PenStyleImageWidth, PenStyleImageHeight);
  FPointerImages = MakeList(this, "ImagesPointers", PointerImageSize, PointerImageSize);
  FillCommandImages();
  FillPenStyleImages();
  FillPointerImages();
  if (!DataModule1) DataModule1 = this;
}

TDataModule1::~TDataModule1() {
  if (DataModule1 == this) DataModule1 = nullptr;
}

void TDataModule1::FillCommandImages() {
  fw::TBitmap strip;
  LoadStrip(BigImageSize, strip);
  FBigImages->Add(&strip, nullptr);
  LoadStrip(Images18Size, strip);
  FImages18->Add(&strip, nullptr);
  // The small and the menu images are the same pictures.
  LoadStrip(SmallImageSize, strip);
  FSmallImages->Add(&strip, nullptr);
  FMenuImages->Add(&strip, nullptr);
}

void TDataModule1::FillPenStyleImages() {
  // A line across the image with the pen the chart draws a series line of that style with.
  chart::TChartPen pen;
  pen.SetColor(fw::clBlack);
  for (int style = 0; style < PenStyleImageCount; ++style) {
    fw::TBitmap picture;
    chart::TPlotCanvas3D canvas;
    StartPicture(picture, PenStyleImageWidth, PenStyleImageHeight, canvas);
    pen.SetStyle(fw::TPenStyle(style));
    canvas.AssignVisiblePenColor(&pen, fw::clBlack);
    canvas.Line(1, PenStyleImageHeight / 2, PenStyleImageWidth - 1, PenStyleImageHeight / 2);
    FPenStyleImages->AddMasked(&picture, fw::clWhite);
  }
}

void TDataModule1::FillPointerImages() {
  // Each shape as a series draws it at a point, in red with its black frame.
  chart::TSeriesPointer pointer(nullptr);
  constexpr fw::Integer centre = PointerImageSize / 2 - 1, half = PointerImageSize / 2 - 3;
  for (int style = 0; style < PointerImageCount; ++style) {
    fw::TBitmap picture;
    chart::TPlotCanvas3D canvas;
    StartPicture(picture, PointerImageSize, PointerImageSize, canvas);
    pointer.SetStyle(style);
    pointer.DrawPointer(canvas, centre, centre, fw::clRed, half, half);
    FPointerImages->AddMasked(&picture, fw::clWhite);
  }
}

}  // namespace workspace
