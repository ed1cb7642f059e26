#pragma once
// TClipboard: the window system's clipboard for the framework. Open/Close nest: only the
// outermost pair opens and closes the clipboard, and the first format put inside a pair empties
// it, so several formats put within one pair stay together. Open and Close are virtual so that a
// descendant can add entries of its own (a locale) each time the clipboard is really opened and
// before it is really closed. Such entries go on with the window system's SetClipboardData:
// SetAsHandle, as the first format of a pair, would empty the clipboard, also when it is being
// read.

#include "framework/ClassesTypes.h"
#include "framework/Persistent.h"
#include "platform/kernel/WinDef.h"

namespace fw {

class TClipboard : public TPersistent {
 public:
  TClipboard() = default;
  ~TClipboard() override;

  // Exception "Cannot open clipboard" when another thread holds it.
  virtual void Open();
  // A Close without an Open does nothing.
  virtual void Close();
  // How many Opens are not closed yet.
  Integer OpenRefCount() const { return FOpenRefCount; }

  void Clear();
  bool HasFormat(win::UINT Format) const;
  Integer FormatCount() const;
  // EListError "List index out of bounds (%d)" outside 0..FormatCount-1.
  win::UINT Formats(Integer Index);

  // Text is put as CF_UNICODETEXT; the clipboard offers CF_TEXT (and CF_LOCALE) from it.
  String AsText();
  void SetAsText(const String& Value);
  // Copies at most BufSize - 1 bytes of the text (never half a character) and a terminating
  // zero; returns the bytes copied.
  Integer GetTextBuf(char* Buffer, Integer BufSize);
  void SetTextBuf(const char* Buffer);

  // The clipboard keeps ownership of the handle it returns (valid until the contents change).
  win::HANDLE GetAsHandle(win::UINT Format);
  // The clipboard takes ownership of Value; an unacceptable handle raises Exception
  // "Cannot put data on the clipboard" and is left to the caller.
  void SetAsHandle(win::UINT Format, win::HANDLE Value);

  // A picture (TBitmap, any TGraphic, a TPicture) goes on the clipboard as CF_BITMAP, from which
  // the clipboard offers CF_DIB. Anything else raises EConvertError.
  void Assign(TPersistent* Source) override;

 protected:
  // To a TBitmap or TPicture: the clipboard's bitmap, EInvalidGraphic "Unsupported clipboard
  // format" when it holds none.
  void AssignTo(TPersistent* Dest) override;
  // Empties the clipboard before the first format of the current Open/Close pair.
  void Adding();

 private:
  Integer FOpenRefCount = 0;
  bool FEmptied = false;
};

// The clipboard object of the program, made on first use.
TClipboard* Clipboard();
// Installs NewClipboard (owned from now on; null returns to a default one made on next use) and
// hands back the previous one, which the caller frees.
TClipboard* SetClipboard(TClipboard* NewClipboard);

}  // namespace fw
