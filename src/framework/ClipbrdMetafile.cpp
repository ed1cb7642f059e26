#include "framework/ClipbrdMetafile.h"

#include <cstring>
#include <vector>

#include "framework/Clipbrd.h"
#include "framework/SysUtils.h"
#include "platform/gdi/Metafile.h"
#include "platform/user/services/ClipboardFormats.h"
#include "platform/user/services/ClipboardGlobalMemory.h"

namespace fw {

namespace {

const char kNoWindowsMetafile[] = "Cannot create the Windows metafile";

// The Windows-format copy of an enhanced metafile as CF_METAFILEPICT data: a global block with
// the picture's size in .01 mm and the metafile's handle (owned by the block from now on).
win::HGLOBAL MetafilePicture(win::HENHMETAFILE Emf) {
  const win::UINT size = win::GetWinMetaFileBits(Emf, 0, nullptr, win::MM_ANISOTROPIC, nullptr);
  std::vector<win::BYTE> bytes(size);
  win::ENHMETAHEADER header{};
  if (size == 0 || win::GetWinMetaFileBits(Emf, size, bytes.data(), win::MM_ANISOTROPIC, nullptr) != size ||
      win::GetEnhMetaFileHeader(Emf, sizeof header, &header) == 0)
    throw Exception(kNoWindowsMetafile);
  const win::HMETAFILE wmf = win::SetMetaFileBitsEx(size, bytes.data());
  if (!wmf) throw Exception(kNoWindowsMetafile);
  // The frame is inclusive.
  const win::METAFILEPICT picture{win::MM_ANISOTROPIC, header.rclFrame.right - header.rclFrame.left + 1,
                                  header.rclFrame.bottom - header.rclFrame.top + 1, wmf};
  const win::HGLOBAL block = win::GlobalAllocCopy(&picture, sizeof picture);
  if (!block) {
    win::DeleteMetaFile(wmf);
    throw Exception(kNoWindowsMetafile);
  }
  return block;
}

void FreeMetafilePicture(win::HGLOBAL Block) {
  win::METAFILEPICT picture{};
  std::memcpy(&picture, win::GlobalLock(Block), sizeof picture);
  win::GlobalUnlock(Block);
  win::DeleteMetaFile(picture.hMF);
  win::GlobalFree(Block);
}

}  // namespace

void SetClipboardMetafile(win::HENHMETAFILE Metafile, bool WindowsFormat) {
  // A Windows metafile goes as one; the enhanced picture goes with it, for the programs that
  // read only that (as the system would offer it from the Windows one).
  win::HGLOBAL picture = nullptr;
  TClipboard& clipboard = *Clipboard();
  clipboard.Open();
  try {
    if (WindowsFormat) {
      picture = MetafilePicture(Metafile);
      clipboard.SetAsHandle(win::CF_METAFILEPICT, picture);
      picture = nullptr;  // the clipboard's now
    }
    clipboard.SetAsHandle(win::CF_ENHMETAFILE, Metafile);
  } catch (...) {
    if (picture) FreeMetafilePicture(picture);
    win::DeleteEnhMetaFile(Metafile);
    clipboard.Close();
    throw;
  }
  clipboard.Close();
}

}  // namespace fw
