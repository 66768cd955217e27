// Makers of the controls the windows are built from. Each control gets its
// layout name as its object name, so tests and accessibility tools find it, and
// is placed behind every control made before it: a window makes its controls
// frontmost first, in the order its layout stacks them.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <QStringList>

#include "window_style.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace taviro::ui {

class Shape;

struct LabelLook {
    FontChoice font = kDefaultFont;
    QColor text = kBlack;
    QColor background = kWindowColour;
    Qt::Alignment alignment = Qt::AlignLeft;
};

// A command button in the graphical style: it takes `background` as its colour.
// Enter presses it while it has the focus.
QPushButton* add_button(QWidget& window, const char* name, const QString& caption,
                        const QRect& geometry, const QColor& background);
// Sets the button's font no larger than its layout font and small enough for
// each of the captions it shows to fit inside its bevel.
void fit_captions(QPushButton& button, const QStringList& captions);
QLineEdit* add_text_box(QWidget& window, const char* name, const QRect& geometry);
QLabel* add_label(QWidget& window, const char* name, const QString& text, const QRect& geometry,
                  const LabelLook& look);
// A picture from the program's resources, at its natural size unless `stretch`
// fills the rectangle with it.
QLabel* add_picture(QWidget& window, const char* name, const QString& resource,
                    const QRect& geometry, bool stretch = false);
Shape* add_shape(QWidget& window, const char* name, const QRect& geometry, const QColor& colour,
                 int border_width);

}  // namespace taviro::ui
