#include "controls.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include "shape.h"

namespace taviro::ui {
namespace {

// Letters close up by at most this much, in pixels, to keep a caption on its line.
constexpr qreal kMostTightening = 0.5;
constexpr qreal kTighteningStep = 0.05;

// Whether the label's line shows whole, measured as the label draws it: in
// whole pixels, which a hinted family such as Liberation Sans rounds up.
bool fits(const QFont& font, const QLabel& label) {
    const QRect line = QFontMetrics(font).boundingRect(label.contentsRect(), int(label.alignment()), label.text());
    return line.width() <= label.contentsRect().width();
}

// A stand-in family can run wider than the one a layout was measured in:
// Liberation and Nimbus Sans by a pixel or two, DejaVu Sans by a fifth. A
// caption whose label holds one line then closes up its letters a little,
// and only where that is not enough is set a pixel smaller at a time, rather
// than wrap into a second line that does not show or run past its edge.
void keep_on_one_line(QLabel& label) {
    QFont font = label.font();
    if (QFontMetricsF(font).height() * 2 <= label.height()) {
        return;
    }
    label.setWordWrap(false);
    const qsizetype gaps = label.text().size() - 1;
    if (fits(font, label) || gaps <= 0) {
        return;
    }
    const qreal excess = QFontMetricsF(font).horizontalAdvance(label.text()) - label.width();
    for (qreal tightening = qMax(excess / gaps, qreal(0)); !fits(font, label) && tightening <= kMostTightening;
         tightening += kTighteningStep) {
        font.setLetterSpacing(QFont::AbsoluteSpacing, -tightening);
    }
    while (!fits(font, label) && font.pixelSize() > 1) {
        font.setPixelSize(font.pixelSize() - 1);
    }
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
    place(button, name, geometry);
    fit_captions(*button, {caption});
    return button;
}

// As a label's line, a caption that a wider family would push past the
// button's bevel is set a pixel smaller at a time until it fits.
void fit_captions(QPushButton& button, const QStringList& captions) {
    QStyleOptionButton option;
    option.initFrom(&button);
    const int room = button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button).width();
    QFont font = button.font();
    const auto widest = [&] {
        int width = 0;
        for (const QString& caption : captions) {
            width = qMax(width, QFontMetrics(font).horizontalAdvance(QString(caption).remove(u'&')));
        }
        return width;
    };
    while (widest() > room && font.pixelSize() > 1) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    button.setFont(font);
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
