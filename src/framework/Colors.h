#pragma once
// TColor: a COLORREF (red in the low byte) or, when negative, a system colour index in the low
// byte ($80000000 | COLOR_x). clNone and clDefault are markers, not colours.

#include <string_view>

#include "framework/ClassesTypes.h"

namespace fw {

using TColor = Integer;

inline constexpr TColor clSystemColor = TColor(0x80000000u);
constexpr TColor SystemColor(int index) { return TColor(0x80000000u | unsigned(index)); }

inline constexpr TColor clScrollBar = SystemColor(0), clBackground = SystemColor(1),
                        clActiveCaption = SystemColor(2), clInactiveCaption = SystemColor(3),
                        clMenu = SystemColor(4), clWindow = SystemColor(5), clWindowFrame = SystemColor(6),
                        clMenuText = SystemColor(7), clWindowText = SystemColor(8),
                        clCaptionText = SystemColor(9), clActiveBorder = SystemColor(10),
                        clInactiveBorder = SystemColor(11), clAppWorkSpace = SystemColor(12),
                        clHighlight = SystemColor(13), clHighlightText = SystemColor(14),
                        clBtnFace = SystemColor(15), clBtnShadow = SystemColor(16),
                        clGrayText = SystemColor(17), clBtnText = SystemColor(18),
                        clInactiveCaptionText = SystemColor(19), clBtnHighlight = SystemColor(20),
                        cl3DDkShadow = SystemColor(21), cl3DLight = SystemColor(22),
                        clInfoText = SystemColor(23), clInfoBk = SystemColor(24),
                        clHotLight = SystemColor(26), clGradientActiveCaption = SystemColor(27),
                        clGradientInactiveCaption = SystemColor(28), clMenuHighlight = SystemColor(29),
                        clMenuBar = SystemColor(30);

inline constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                        clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                        clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                        clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clLtGray = 0xC0C0C0,
                        clDkGray = 0x808080, clWhite = 0xFFFFFF, clMoneyGreen = 0xC0DCC0,
                        clSkyBlue = 0xF0CAA6, clCream = 0xF0FBFF, clMedGray = 0xA4A0A0;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

// The RGB value: system colours are looked up in the current scheme; other values (including
// clNone and clDefault) are returned unchanged.
Integer ColorToRGB(TColor Color);

// "clRed" for a named colour, otherwise "$" and eight upper-case hex digits ("$00123456").
String ColorToString(TColor Color);
// A colour name (any case) or a number ("$00FF0000", decimal); EConvertError otherwise.
TColor StringToColor(std::string_view S);
bool ColorToIdent(Integer Color, String& Ident);
bool IdentToColor(std::string_view Ident, Integer& Color);

}  // namespace fw
