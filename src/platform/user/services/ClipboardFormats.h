#pragma once
// Clipboard format numbers: the predefined ones and the registered ones, which are numbered from
// 0xC000 and looked up by name without regard to case.

#include "platform/kernel/WinDef.h"

namespace win {

inline constexpr UINT CF_TEXT = 1, CF_BITMAP = 2, CF_METAFILEPICT = 3, CF_SYLK = 4, CF_DIF = 5, CF_TIFF = 6,
                      CF_OEMTEXT = 7, CF_DIB = 8, CF_PALETTE = 9, CF_PENDATA = 10, CF_RIFF = 11, CF_WAVE = 12,
                      CF_UNICODETEXT = 13, CF_ENHMETAFILE = 14, CF_HDROP = 15, CF_LOCALE = 16, CF_DIBV5 = 17,
                      CF_OWNERDISPLAY = 0x0080, CF_DSPTEXT = 0x0081, CF_DSPBITMAP = 0x0082,
                      CF_DSPMETAFILEPICT = 0x0083, CF_DSPENHMETAFILE = 0x008E, CF_PRIVATEFIRST = 0x0200,
                      CF_PRIVATELAST = 0x02FF, CF_GDIOBJFIRST = 0x0300, CF_GDIOBJLAST = 0x03FF;
inline constexpr UINT kFirstRegisteredClipboardFormat = 0xC000;

inline constexpr DWORD ERROR_CLIPBOARD_NOT_OPEN = 1418;

// CF_METAFILEPICT's data: a global block holding this, the metafile handle owned with it.
// The extents are the picture's size in .01 mm under MM_ANISOTROPIC.
struct METAFILEPICT {
  LONG mm;
  LONG xExt;
  LONG yExt;
  HMETAFILE hMF;
};

// The same name (ignoring case) always gives the same number. 0 for a null or empty name, or
// when all numbers up to 0xFFFF are taken.
UINT RegisterClipboardFormatW(LPCWSTR lpszFormat);
// Copies the registered name (cut to cchMaxCount - 1 characters, terminated) and returns the
// number of characters copied; 0 for predefined or unknown formats.
int GetClipboardFormatNameW(UINT format, LPWSTR lpszFormatName, int cchMaxCount);

}  // namespace win
