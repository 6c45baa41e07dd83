#pragma once

class QColor;

namespace preferences {

// The relative luminance of an sRGB colour by the WCAG formula: 0 for black,
// 1 for white.
double relativeLuminance(const QColor &color);

// Whether the window's black captions can be read on `color`: they must
// contrast with it at least 2:1, that is a relative luminance of at least
// 0.05. Black, near-black, dark navy and dark grey fail; pure blue (2.4:1)
// and pure red pass.
bool keepsBlackCaptionsReadable(const QColor &color);

} // namespace preferences
