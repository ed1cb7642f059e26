#pragma once
// Enhanced metafile record types and the header record, in the EMF binary layout (little endian,
// every record a DWORD type and a DWORD size that is a multiple of 4, EMR_HEADER first and
// EMR_EOF last). Only the header is given as a struct: records are written and read field by
// field at their fixed offsets.

#include "platform/kernel/WinDef.h"

namespace win {

inline constexpr DWORD EMR_HEADER = 1, EMR_POLYBEZIER = 2, EMR_POLYGON = 3, EMR_POLYLINE = 4,
                       EMR_POLYBEZIERTO = 5, EMR_POLYLINETO = 6, EMR_POLYPOLYLINE = 7, EMR_POLYPOLYGON = 8,
                       EMR_SETWINDOWEXTEX = 9, EMR_SETWINDOWORGEX = 10, EMR_SETVIEWPORTEXTEX = 11,
                       EMR_SETVIEWPORTORGEX = 12, EMR_SETBRUSHORGEX = 13, EMR_EOF = 14, EMR_SETPIXELV = 15,
                       EMR_SETMAPPERFLAGS = 16, EMR_SETMAPMODE = 17, EMR_SETBKMODE = 18,
                       EMR_SETPOLYFILLMODE = 19, EMR_SETROP2 = 20, EMR_SETSTRETCHBLTMODE = 21,
                       EMR_SETTEXTALIGN = 22, EMR_SETTEXTCOLOR = 24, EMR_SETBKCOLOR = 25,
                       EMR_OFFSETCLIPRGN = 26, EMR_MOVETOEX = 27, EMR_EXCLUDECLIPRECT = 29,
                       EMR_INTERSECTCLIPRECT = 30, EMR_SAVEDC = 33, EMR_RESTOREDC = 34,
                       EMR_SELECTOBJECT = 37, EMR_CREATEPEN = 38, EMR_CREATEBRUSHINDIRECT = 39,
                       EMR_DELETEOBJECT = 40, EMR_ELLIPSE = 42, EMR_RECTANGLE = 43, EMR_ROUNDRECT = 44,
                       EMR_ARC = 45, EMR_CHORD = 46, EMR_PIE = 47, EMR_LINETO = 54, EMR_ARCTO = 55,
                       EMR_GDICOMMENT = 70, EMR_FILLRGN = 71, EMR_FRAMERGN = 72, EMR_INVERTRGN = 73,
                       EMR_PAINTRGN = 74, EMR_EXTSELECTCLIPRGN = 75, EMR_BITBLT = 76, EMR_STRETCHBLT = 77,
                       EMR_STRETCHDIBITS = 81, EMR_EXTCREATEFONTINDIRECTW = 82, EMR_EXTTEXTOUTW = 84,
                       EMR_POLYGON16 = 86, EMR_POLYLINE16 = 87, EMR_POLYLINETO16 = 89,
                       EMR_POLYPOLYLINE16 = 90, EMR_POLYPOLYGON16 = 91, EMR_CREATEMONOBRUSH = 93,
                       EMR_CREATEDIBPATTERNBRUSHPT = 94, EMR_EXTCREATEPEN = 95,
                       EMR_ALPHABLEND = 114, EMR_GRADIENTFILL = 118;

// " EMF" read as a little-endian DWORD.
inline constexpr DWORD ENHMETA_SIGNATURE = 0x464D4520;
// Stock objects in EMR_SELECTOBJECT: this bit or'ed with the GetStockObject index.
inline constexpr DWORD ENHMETA_STOCK_OBJECT = 0x80000000;

// EMR_HEADER with the OpenGL and micrometre extensions (108 bytes). Bounds are inclusive device
// pixels of what was drawn; the frame is inclusive, in .01 millimetres.
struct ENHMETAHEADER {
  DWORD iType = EMR_HEADER;
  DWORD nSize = 108;
  RECT rclBounds{};
  RECT rclFrame{};
  DWORD dSignature = ENHMETA_SIGNATURE;
  DWORD nVersion = 0x10000;
  DWORD nBytes = 0;           // the whole metafile
  DWORD nRecords = 0;         // header and EOF included
  WORD nHandles = 1;          // object table entries, entry 0 reserved
  WORD sReserved = 0;
  DWORD nDescription = 0;     // UTF-16 units, terminating zeros included
  DWORD offDescription = 0;
  DWORD nPalEntries = 0;
  SIZE szlDevice{};           // reference device in pixels
  SIZE szlMillimeters{};      // and in millimetres
  DWORD cbPixelFormat = 0;
  DWORD offPixelFormat = 0;
  DWORD bOpenGL = 0;
  SIZE szlMicrometers{};
};
static_assert(sizeof(ENHMETAHEADER) == 108, "EMR_HEADER layout");

}  // namespace win
