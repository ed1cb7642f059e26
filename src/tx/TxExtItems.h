#pragma once
// Themed edit and colour items: an edit box in a toolbar or menu with its own caption and text
// fonts, alignment, password character and change notification while typing; a colour swatch.
// Their viewers measure and paint through the current theme.

#include <functional>
#include <memory>
#include <vector>

#include "framework/StdCtrlsEdit.h"
#include "toolbars/TBExtItems.h"
#include "tx/TxItemViewer.h"

namespace tx {

using TTxEditChange = std::function<void(fw::TObject* Sender, const String& Text)>;

// The in-place editor of themed edit items.
class TTxEdit : public fw::TEdit {
 public:
  using TEdit::TEdit;
  // Changing it makes the window again.
  fw::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(fw::TAlignment Value);

 protected:
  void CreateParams(fw::TCreateParams& Params) override;

 private:
  fw::TAlignment FAlignment = fw::taLeftJustify;
};

class TTxEditItemViewer;

class TTxEditItem : public toolbars::TTBEditItem {
 public:
  explicit TTxEditItem(fw::TComponent* AOwner);
  ~TTxEditItem() override;

  fw::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(fw::TAlignment Value);
  TFontSettings* EditorFontSettings() const { return FEditorFontSettings.get(); }
  void SetEditorFontSettings(TFontSettings* Value) { FEditorFontSettings->Assign(Value); }
  // The font of the edit caption.
  TFontSettings* FontSettings() const { return FFontSettings.get(); }
  void SetFontSettings(TFontSettings* Value) { FFontSettings->Assign(Value); }
  char16_t PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char16_t Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  // The item's image inside the box, left of the text.
  bool ShowImage() const { return FShowImage; }
  void SetShowImage(bool Value);
  // Character keys held down in the editor now: each key once however often it repeats; a key
  // released that was pressed elsewhere counts nothing, and losing the focus forgets them all.
  Integer TypedKeys() const { return Integer(FKeysDown.size()); }

  TTxEditChange OnChange;

  toolbars::TTBItemViewerClass GetItemViewerClass(TTBView* AView) override;
  void GetPopupPosition(TTBView* ParentView, toolbars::TTBPopupWindow* PopupWindow,
                        toolbars::TTBPopupPlacement& Placement) override;
  toolbars::TTBPopupWindowClass GetPopupWindowClass() override;
  void DoBeginEdit(toolbars::TTBEditItemViewer* Viewer) override;
  void DoTextChanged(toolbars::TTBEditItemChangeReason Reason) override;

  // Completes what was typed; true when Text was changed. None here.
  virtual bool DoAutoComplete(String& Text);
  virtual void DoChange(const String& Text);
  virtual Integer GetImageIndex() { return ImageIndex(); }
  // The editor's text changed (typing or pasting).
  virtual void HandleEditChange(fw::TCustomEdit* Editor);

 protected:
  friend class TTxEditItemViewer;
  String FLastText;

 private:
  fw::TAlignment FAlignment = fw::taLeftJustify;
  std::vector<win::WPARAM> FKeysDown;
  std::unique_ptr<TFontSettings> FEditorFontSettings, FFontSettings;
  bool FChanging = false;
  char16_t FPasswordChar = 0;
  bool FReadOnly = false;
  bool FShowImage = false;
};

class TTxEditItemViewer : public toolbars::TTBEditItemViewer {
 public:
  using TTBEditItemViewer::TTBEditItemViewer;

  void CalcSize(fw::TCanvas* Canvas, Integer& AWidth, Integer& AHeight) override;
  bool DoExecute() override;
  Integer GetAccRole() override;
  bool IsToolbarSize() override;
  bool IsToolbarStyle() override;
  void Paint(fw::TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
             bool UseDisabledShadow) override;
  toolbars::TTBEditControlClass GetEditControlClass() override;
  void GetEditRect(TRect& R) override;

  // Sees every message of the editor first; true when it consumed the message.
  virtual bool HandleEditMessage(fw::TMessage& Message);
  virtual void GetItemInfo(TTxItemInfo& ItemInfo, bool IsHoverItem, bool IsPushed);
  virtual void GetEditInfo(TTxEditFrameInfo& EditInfo);
  // Room for the image left of the text, and for buttons right of it.
  virtual Integer GetIndentBefore();
  virtual Integer GetIndentAfter();
  bool ShowImage();

 protected:
  TTxEditItem* TxItem() const { return dynamic_cast<TTxEditItem*>(FItem); }
  // Width of the edit caption in the caption font plus its spacing, 0 without a caption.
  Integer EditCaptionWidth(fw::TCanvas* Canvas, Integer* Height = nullptr);
};

class TTxColorItem : public TTxCustomItem {
 public:
  explicit TTxColorItem(fw::TComponent* AOwner) : TTxCustomItem(AOwner) {}
  // clNone: an empty swatch.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  toolbars::TTBItemViewerClass GetItemViewerClass(TTBView* AView) override;

 private:
  TColor FColor = fw::clWhite;
};

class TTxColorItemViewer : public TTxItemViewer {
 public:
  TTxColorItemViewer(TTBView* AView, TTBCustomItem* AItem, Integer AGroupLevel);
  void BeforePaintCaption(fw::TCanvas* Canvas, const TRect& ClientAreaRect, const String& Text, TRect& CaptionRect,
                          bool IsTextRotated,
                          bool& PaintDefault) override;
  void PaintItemImage(fw::TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& ItemInfo) override;
  bool IsImageShown() override;
  fw::TSize GetItemImageSize() override;
};

}  // namespace tx
