#include "presenter/CursorShapes.h"

#include <QImage>
#include <QPixmap>

#include "platform/user/messages/Cursor.h"

namespace win::presenter {
namespace {

Qt::CursorShape SystemShape(int id) {
  switch (id) {
    case 32513: return Qt::IBeamCursor;
    case 32514: return Qt::WaitCursor;
    case 32515: return Qt::CrossCursor;
    case 32516: return Qt::UpArrowCursor;
    case 32640: return Qt::SizeAllCursor;  // IDC_SIZE
    case 32642: return Qt::SizeFDiagCursor;
    case 32643: return Qt::SizeBDiagCursor;
    case 32644: return Qt::SizeHorCursor;
    case 32645: return Qt::SizeVerCursor;
    case 32646: return Qt::SizeAllCursor;
    case 32648: return Qt::ForbiddenCursor;
    case 32649: return Qt::PointingHandCursor;
    case 32650: return Qt::BusyCursor;
    case 32651: return Qt::WhatsThisCursor;
    default: return Qt::ArrowCursor;
  }
}

}  // namespace

QCursor NativeCursorFor(HCURSOR cursor, bool visible) {
  if (!visible || !cursor) return QCursor(Qt::BlankCursor);
  if (IsSystemCursor(cursor)) return QCursor(SystemShape(CursorShapeId(cursor)));
  CursorImage image;
  if (!GetCursorImage(cursor, &image) || image.width <= 0 || image.height <= 0 ||
      image.argb.size() < size_t(image.width) * size_t(image.height))
    return QCursor(Qt::ArrowCursor);
  QImage picture(reinterpret_cast<const uchar*>(image.argb.data()), image.width, image.height, image.width * 4,
                 QImage::Format_ARGB32);
  return QCursor(QPixmap::fromImage(picture.copy()), image.hotSpot.x, image.hotSpot.y);
}

}  // namespace win::presenter
