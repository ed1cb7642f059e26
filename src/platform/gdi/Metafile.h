#pragma once
// Enhanced metafiles: a recording DC whose drawing calls become EMF records, and playback of the
// records onto any DC.

#include <cstddef>

#include "platform/gdi/MetafileRecords.h"

namespace win {

// A recording DC. `ref` (null: the screen) answers device questions and gives the header's
// device size; `frame` (.01 mm, inclusive; null: computed from what was drawn) is the picture's
// extent; `description` may be null. A file name is refused with ERROR_NOT_SUPPORTED: metafiles
// are kept in memory only.
HDC CreateEnhMetaFileW(HDC ref, LPCWSTR fileName, const RECT* frame, LPCWSTR description);
// Ends recording and deletes the DC; the records become a metafile.
HENHMETAFILE CloseEnhMetaFile(HDC hdc);
BOOL DeleteEnhMetaFile(HENHMETAFILE hemf);
// A copy in memory; a file name is refused with ERROR_NOT_SUPPORTED.
HENHMETAFILE CopyEnhMetaFileW(HENHMETAFILE hemf, LPCWSTR fileName);
// Copies at most `size` bytes of the header record; with a null buffer returns the size needed.
UINT GetEnhMetaFileHeader(HENHMETAFILE hemf, UINT size, ENHMETAHEADER* header);
// The whole metafile; with a null buffer returns its size, 0 when `size` is too small.
UINT GetEnhMetaFileBits(HENHMETAFILE hemf, UINT size, BYTE* data);
// A metafile from its bytes; malformed data (bad header, records overrunning the data, no
// EMR_EOF last, wrong counts) fails with NULL and ERROR_INVALID_DATA.
HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* data);
// Replays the records onto `hdc`, the frame mapped onto `rect` (logical units of `hdc`). The
// DC's state is saved before and restored after; its clip region limits the picture.
BOOL PlayEnhMetaFile(HDC hdc, HENHMETAFILE hemf, const RECT* rect);
// PlayEnhMetaFile with options. PLAY_WIDEN_THIN_PENS is for a picture laid out smaller than it
// is shown (a chart printed at a coarse level of detail): when the frame is enlarged, pens one
// unit wide (width 1, plain or extended, cosmetic or geometric; not width 0, which is one device
// pixel at any size) widen with it as the wider pens always do, to the horizontal stretch
// rounded, and their dashes, dots and alternate pixels lengthen by the stretch. Their lines and
// outlines cover the enlarged pixels the one-pixel ones covered. A picture shown at its size or
// smaller plays as without it.
inline constexpr DWORD PLAY_WIDEN_THIN_PENS = 1;
BOOL PlayEnhMetaFileEx(HDC hdc, HENHMETAFILE hemf, const RECT* rect, DWORD options);
// The picture as a Windows metafile (META_HEADER and 16-bit records, no placeable header), in the
// recorded device pixels under MM_ANISOTROPIC with the frame as window extent; with a null buffer
// returns the size needed. Other map modes fail with ERROR_INVALID_PARAMETER. Records without a
// 16-bit form are approximated: gradients as bands of one colour, blends as copies, clip regions
// as their bounding boxes; long polylines go in pieces. What cannot be held at all (a frame side,
// a polygon's points or a text's characters above 32767, a poly-polygon's counts above 65535)
// fails with ERROR_NOT_SUPPORTED rather than give a picture with less in it.
inline constexpr INT MM_ANISOTROPIC = 8;
UINT GetWinMetaFileBits(HENHMETAFILE hemf, UINT size, BYTE* data, INT mapMode, HDC ref);
// Whether `hemf` names a live metafile (the clipboard checks handles it is given).
bool IsEnhMetaFile(HENHMETAFILE hemf);

// Windows-format metafiles, held as their bytes (what GetWinMetaFileBits gives): the handle of
// a CF_METAFILEPICT on the clipboard. SetMetaFileBitsEx takes a copy of bytes that start with a
// META_HEADER (memory or disk type, 9-word header, version 0x100 or 0x300, its size in words
// within the data); anything else fails with NULL and ERROR_INVALID_DATA.
HMETAFILE SetMetaFileBitsEx(UINT size, const BYTE* data);
// The bytes; with a null buffer their size, 0 when `size` is too small or the handle is dead.
UINT GetMetaFileBitsEx(HMETAFILE hmf, UINT size, void* data);
BOOL DeleteMetaFile(HMETAFILE hmf);
bool IsMetaFile(HMETAFILE hmf);

}  // namespace win
