// The calls every GDI object shares: selecting, deleting, describing.

#include <cstring>

#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/Metafile.h"
#include "platform/gdi/detail/Bitmaps.h"
#include "platform/gdi/detail/DCAccess.h"
#include "platform/gdi/detail/MetafileRecorder.h"
#include "platform/kernel/LastError.h"

namespace win {
using namespace gdi;

namespace {

template <class H>
HGDIOBJ Swap(H& slot, HGDIOBJ obj, Object& o) {
  HGDIOBJ old = slot;
  if (old == obj) return old;
  if (Object* prev = HandleTable::Instance().Find(old)) --prev->selectedCount;
  ++o.selectedCount;
  slot = static_cast<H>(obj);
  return old;
}

HGDIOBJ SelectBitmap(DCObj& dc, HGDIOBJ h, BitmapObj& bmp) {
  if (dc.kind != DCKind::Memory) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (dc.bitmap == h) return h;
  if (bmp.selectedInto || (!bmp.stock && bmp.selectedCount > 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);  // a bitmap lives in one DC at a time
    return nullptr;
  }
  HGDIOBJ old = dc.bitmap;
  if (BitmapObj* prev = FindBitmap(old)) {
    FlushPainting(*prev);
    if (!prev->stock) --prev->selectedCount;
    if (prev->selectedInto == &dc) prev->selectedInto = nullptr;
  }
  if (!bmp.stock) {
    ++bmp.selectedCount;
    bmp.selectedInto = &dc;
  }
  ClearStale(bmp, nullptr);
  dc.bitmap = static_cast<HBITMAP>(h);
  DeviceChanged(dc);
  return old;
}

template <class T>
int CopyOut(const T& value, int size, void* out) {
  if (!out) return int(sizeof(T));
  if (size < int(sizeof(T))) return 0;
  std::memcpy(out, &value, sizeof(T));
  return int(sizeof(T));
}

}  // namespace

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj) {
  DCObj* dc = DCOrFail(hdc);
  Object* o = dc ? ObjectOrFail(obj) : nullptr;
  if (!o) return nullptr;
  if (dc->recorder) dc->recorder->SelectObject(obj);
  switch (o->type) {
    case ObjType::Pen:
    case ObjType::ExtPen: return Swap(dc->state.pen, obj, *o);
    case ObjType::Brush: return Swap(dc->state.brush, obj, *o);
    case ObjType::Font: return Swap(dc->state.font, obj, *o);
    case ObjType::Bitmap: return SelectBitmap(*dc, obj, static_cast<BitmapObj&>(*o));
    case ObjType::Region: {
      const int kind = SelectClipRgn(hdc, static_cast<HRGN>(obj));
      return reinterpret_cast<HGDIOBJ>(intptr_t(kind));
    }
    default:
      SetLastError(ERROR_INVALID_HANDLE);
      return nullptr;
  }
}

BOOL DeleteObject(HGDIOBJ obj) {
  Object* o = ObjectOrFail(obj);
  if (!o) return FALSE;
  if (o->stock) return TRUE;  // stock objects outlive every caller
  if (o->type == ObjType::DC) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (o->selectedCount > 0 || (o->type == ObjType::Bitmap && static_cast<BitmapObj*>(o)->selectedInto)) {
    return FALSE;
  }
  if (!HandleTable::Instance().Remove(obj)) return FALSE;
  NotifyRecordersObjectDeleted(obj);
  return TRUE;
}

DWORD GetObjectType(HGDIOBJ obj) {
  if (IsEnhMetaFile(reinterpret_cast<HENHMETAFILE>(obj))) return OBJ_ENHMETAFILE;
  Object* o = ObjectOrFail(obj);
  if (!o) return 0;
  switch (o->type) {
    case ObjType::Pen: return static_cast<PenObj*>(o)->extended ? OBJ_EXTPEN : OBJ_PEN;
    case ObjType::ExtPen: return OBJ_EXTPEN;
    case ObjType::Brush: return OBJ_BRUSH;
    case ObjType::Font: return OBJ_FONT;
    case ObjType::Bitmap: return OBJ_BITMAP;
    case ObjType::Region: return OBJ_REGION;
    case ObjType::Palette: return OBJ_PAL;
    case ObjType::DC: {
      const DCKind kind = static_cast<DCObj*>(o)->kind;
      return kind == DCKind::Memory ? OBJ_MEMDC : kind == DCKind::Metafile ? OBJ_ENHMETADC : OBJ_DC;
    }
  }
  return 0;
}

int GetObjectW(HGDIOBJ obj, int size, void* out) {
  Object* o = ObjectOrFail(obj);
  if (!o || size < 0) return 0;
  switch (o->type) {
    case ObjType::Pen:
    case ObjType::ExtPen: {
      const PenObj& p = *static_cast<PenObj*>(o);
      if (p.extended) {
        // The style entries follow the record, as in Win32.
        const int bytes = int(offsetof(EXTLOGPEN, elpStyleEntry) + sizeof(DWORD) * std::max<size_t>(1, p.userStyle.size()));
        if (!out) return bytes;
        if (size < bytes) return 0;
        EXTLOGPEN e;
        e.elpPenStyle = p.style | p.endCap | p.join | (p.geometric ? PS_GEOMETRIC : PS_COSMETIC);
        e.elpWidth = DWORD(p.width);
        e.elpBrushStyle = p.style == PS_NULL ? BS_NULL : BS_SOLID;
        e.elpColor = p.color;
        e.elpNumEntries = DWORD(p.userStyle.size());
        std::memcpy(out, &e, offsetof(EXTLOGPEN, elpStyleEntry));
        if (!p.userStyle.empty())
          std::memcpy(static_cast<char*>(out) + offsetof(EXTLOGPEN, elpStyleEntry), p.userStyle.data(),
                      sizeof(DWORD) * p.userStyle.size());
        return bytes;
      }
      LOGPEN lp;
      lp.lopnStyle = p.style;
      lp.lopnWidth = POINT{p.width, 0};
      lp.lopnColor = p.color;
      return CopyOut(lp, size, out);
    }
    case ObjType::Brush: {
      const BrushObj& b = *static_cast<BrushObj*>(o);
      LOGBRUSH lb;
      lb.lbStyle = b.style;
      lb.lbColor = b.style == BS_PATTERN ? 0 : b.color;
      lb.lbHatch = b.style == BS_HATCHED ? uintptr_t(b.hatch) : 0;
      return CopyOut(lb, size, out);
    }
    case ObjType::Font: return CopyOut(static_cast<FontObj*>(o)->lf, size, out);
    case ObjType::Bitmap: return GetBitmapObject(*static_cast<BitmapObj*>(o), size, out);
    case ObjType::Palette: {
      const WORD count = WORD(static_cast<PaletteObj*>(o)->entries.size());
      return CopyOut(count, size, out);
    }
    default: return 0;  // regions and DCs have no description
  }
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return dc->state.pen;
    case OBJ_BRUSH: return dc->state.brush;
    case OBJ_FONT: return dc->state.font;
    case OBJ_PAL: return dc->state.palette;
    case OBJ_BITMAP: return dc->bitmap;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

}  // namespace win
