#pragma once
// A drop-down button showing a sample of the selected line style; its menu offers the six
// styles from solid to clear, each entry drawn as its sample.

#include "controls/CsButtons.h"
#include "framework/GraphicsObjects.h"
#include "tx/TxItemViewer.h"
#include "tx/TxItems.h"

namespace tx {
class TTxPopupMenu;
}

namespace cs {

// A menu entry drawn as the sample of the pen style in its Tag.
class TCsPenStyleItem : public tx::TTxItem {
 public:
  using TTxItem::TTxItem;
  toolbars::TTBItemViewerClass GetItemViewerClass(toolbars::TTBView* AView) override;
};

class TCsPenStyleItemViewer : public tx::TTxItemViewer {
 public:
  using TTxItemViewer::TTxItemViewer;
  void BeforePaintCaption(fw::TCanvas* Canvas, const fw::TRect& ClientAreaRect, fw::TRect& CaptionRect,
                          bool IsTextRotated, bool& PaintDefault) override;
};

// A white box framed in grey with three lines of Style across its middle.
void PaintPenStyleSample(fw::TCanvas* Canvas, const fw::TRect& R, fw::TPenStyle Style);

class TCsPenButton : public TCsButton {
 public:
  explicit TCsPenButton(fw::TComponent* AOwner);
  ~TCsPenButton() override;

  // psSolid after construction. Setting it repaints but fires no event; a value that is no pen
  // style is refused (nothing changes).
  fw::TPenStyle SelectedStyle() const { return FSelectedStyle; }
  void SetSelectedStyle(fw::TPenStyle Value);
  tx::TTxPopupMenu* Popup() const { return FPopup; }

  // After a pick in the menu, also of the style already selected.
  fw::TNotifyEvent OnStyleChange;

  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 private:
  void BuildMenu();
  void EntryClick(fw::TObject* Sender);

  fw::TPenStyle FSelectedStyle = fw::psSolid;
  tx::TTxPopupMenu* FPopup = nullptr;
};

}  // namespace cs
