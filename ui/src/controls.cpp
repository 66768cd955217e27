#include "controls.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include "shape.h"

namespace taviro::ui {
namespace {

// Letters close up by at most this much, in pixels, to keep a caption on its line.
constexpr qreal kMostTightening = 0.5;

// A stand-in family can run a few pixels wider than the one a layout was
// measured in. A caption whose label holds one line then closes up its letters
// a little rather than wrap into a second line that does not show.
void keep_on_one_line(QLabel& label) {
    QFont font = label.font();
    const QFontMetricsF metrics(font);
    if (metrics.height() * 2 <= label.height()) {
        return;
    }
    label.setWordWrap(false);
    const qreal excess = metrics.horizontalAdvance(label.text()) - label.width();
    const qsizetype gaps = label.text().size() - 1;
    if (excess <= 0 || gaps <= 0) {
        return;
    }
    font.setLetterSpacing(QFont::AbsoluteSpacing, -qMin(excess / gaps + 0.01, kMostTightening));
    label.setFont(font);
}

template <typename Control>
Control* place(Control* control, const char* name, const QRect& geometry) {
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    control->lower();
    return control;
}

}  // namespace

QPushButton* add_button(QWidget& window, const char* name, const QString& caption,
                        const QRect& geometry, const QColor& background) {
    auto* button = new QPushButton(caption, &window);
    button->setFont(layout_font(kButtonFont));
    set_background(*button, background);
    button->setAutoDefault(true);
    return place(button, name, geometry);
}

QLineEdit* add_text_box(QWidget& window, const char* name, const QRect& geometry) {
    auto* box = new QLineEdit(&window);
    box->setFont(layout_font(kDefaultFont));
    return place(box, name, geometry);
}

QLabel* add_label(QWidget& window, const char* name, const QString& text, const QRect& geometry,
                  const LabelLook& look) {
    auto* label = new QLabel(text, &window);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(look.alignment | Qt::AlignTop);
    label->setFont(layout_font(look.font));
    set_background(*label, look.background);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, look.text);
    label->setPalette(palette);
    place(label, name, geometry);
    keep_on_one_line(*label);
    return label;
}

QLabel* add_picture(QWidget& window, const char* name, const QString& resource,
                    const QRect& geometry, bool stretch) {
    auto* picture = new QLabel(&window);
    picture->setPixmap(QPixmap(resource));
    picture->setScaledContents(stretch);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return place(picture, name, geometry);
}

Shape* add_shape(QWidget& window, const char* name, const QRect& geometry, const QColor& colour,
                 int border_width) {
    auto* shape = new Shape(&window, geometry, colour, border_width);
    shape->setObjectName(QString::fromLatin1(name));
    shape->lower();
    return shape;
}

}  // namespace taviro::ui
