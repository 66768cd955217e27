// The look shared by the four windows: layout units, colours, fonts, icon and
// placement. The layouts are measured in twips, and every window's geometry is
// fixed in pixels at 96 dots per inch, so fonts are sized in pixels too: a
// point size would grow on a denser screen while the controls around it would not.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

namespace taviro::ui {

inline constexpr int kTwipsPerPixel = 15;

// Pixels for a length in twips; a length that is not a whole number of pixels
// fails to compile.
consteval int px(int twips) {
    if (twips % kTwipsPerPixel != 0) {
        throw "a layout length must be a whole number of pixels";
    }
    return twips / kTwipsPerPixel;
}

consteval QRect twips(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

consteval QSize twips_size(int width, int height) { return QSize(px(width), px(height)); }

inline constexpr QColor kWindowColour(224, 231, 254);
inline constexpr QColor kFrameColour(95, 134, 239);
inline constexpr QColor kGreyText(64, 64, 64);
inline constexpr QColor kBlack(0, 0, 0);
inline constexpr QColor kWhite(255, 255, 255);

// The families the layouts ask for. Neither is installed on Linux; each resolves
// to the closest family that is.
enum class Face { ms_sans_serif, arial };

struct FontChoice {
    Face face;
    double points;
    bool bold;
    bool underline = false;
};

inline constexpr FontChoice kButtonFont{Face::ms_sans_serif, 8.25, true};
inline constexpr FontChoice kDefaultFont{Face::ms_sans_serif, 8.25, false};

// The installed family that stands in for `face`.
QString closest_family(Face face);
QFont layout_font(const FontChoice& wanted);

// Background colour of the window, which its buttons and labels share.
void set_background(QWidget& widget, const QColor& colour);
// The icon all four windows carry.
void set_window_icon(QWidget& window);

// What sets one of the four windows apart from the others: its object name,
// caption, kind (Qt::Window or Qt::Dialog) and title-bar buttons, colour
// and client size, which only a main window lets the user change.
struct WindowLook {
    const char* object_name;
    QString title;
    Qt::WindowFlags kind_and_buttons;
    QColor background;
    QSize client_size;
    bool resizable;
};
// Sets a window up as it looks: each carries a title bar with a system menu
// and a close button, and the icon.
void set_up_window(QWidget& window, const WindowLook& look);
void centre_on_screen(QWidget& window);

}  // namespace taviro::ui
