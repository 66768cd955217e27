// The colours of the drawn pictures, in one place, so that the logo, the
// clip art and the table picture share the window's pale blue and its reds.
#pragma once

#include <QColor>

namespace taviro::pictures::palette {

// The window's own pale blue: the logo's ground and the table's heading row.
inline constexpr QColor kWindow(224, 231, 254);

// The logo.
inline constexpr QColor kLetteringRed(204, 0, 0);
inline constexpr QColor kShadow(120, 130, 170);
inline constexpr QColor kVersion(128, 0, 0);

// The clip art: the patterned ground, the computer and the hand at its keys.
inline constexpr QColor kPatternLight(205, 220, 250);
inline constexpr QColor kPatternDark(170, 195, 240);
inline constexpr QColor kCasing(200, 200, 190);
inline constexpr QColor kCasingEdge(90, 90, 80);
inline constexpr QColor kScreen(20, 40, 120);
inline constexpr QColor kSkin(236, 190, 150);
inline constexpr QColor kSkinEdge(150, 100, 70);
inline constexpr QColor kKey(240, 240, 232);

// The table picture.
inline constexpr QColor kRule(120, 140, 190);
inline constexpr QColor kStripe(244, 247, 255);
inline constexpr QColor kHeading(160, 0, 0);
inline constexpr QColor kText(20, 20, 20);

}  // namespace taviro::pictures::palette
