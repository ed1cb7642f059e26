#pragma once
// A drop-down button showing a sample of the selected line style; its menu offers the six
// styles from solid to clear, each entry drawn as its sample.

#include "controls/CsMenuButton.h"
#include "framework/GraphicsObjects.h"
#include "tx/TxItemViewer.h"
#include "tx/TxItems.h"

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
  void BeforePaintCaption(fw::TCanvas* Canvas, const fw::TRect& ClientAreaRect, const fw::String& Text,
                          fw::TRect& CaptionRect, bool IsTextRotated, bool& PaintDefault) override;
};

// A white box framed in grey with three lines of Style across its middle.
void PaintPenStyleSample(fw::TCanvas* Canvas, const fw::TRect& R, fw::TPenStyle Style);

class TCsPenButton : public TCsMenuButton {
 public:
  explicit TCsPenButton(fw::TComponent* AOwner);

  // psSolid after construction. Setting it repaints but fires no event; a value that is no pen
  // style is refused (nothing changes).
  fw::TPenStyle SelectedStyle() const { return FSelectedStyle; }
  void SetSelectedStyle(fw::TPenStyle Value);

  // After a pick in the menu, also of the style already selected.
  fw::TNotifyEvent OnStyleChange;

 protected:
  // The six entries, made on the first popup.
  void MenuPopup() override;

 private:
  void EntryClick(fw::TObject* Sender);

  fw::TPenStyle FSelectedStyle = fw::psSolid;
};

}  // namespace cs
