#pragma once
// What the painting files of the themes share: the kit's routines under their short names.

#include "themes/ThemeKit.h"

namespace themes {

using kit::Deflated;
using kit::DrawGripDot;
using kit::Fill;
using kit::FrameRoundRect;
using kit::ItemArea;
using kit::Line;
using kit::PaintGradientBands;
using kit::PaintGradientBitmap;
using kit::Pen;
using kit::Pixel;
using kit::TClipTo;

}  // namespace themes
