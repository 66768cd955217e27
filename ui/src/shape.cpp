#include "shape.h"

#include <QPainter>
#include <QPen>

namespace taviro::ui {

Shape::Shape(QWidget* parent, const QRect& rect, const QColor& colour, int border_width)
    : QWidget(parent), rect_(rect), colour_(colour), border_width_(border_width) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(rect_.adjusted(-overhang(), -overhang(), overhang(), overhang()));
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPen pen(colour_, border_width_);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // The outline runs along the rectangle's edge: the rectangle of width w and
    // height h spans w x h pixels, so its edge is w - 1 and h - 1 apart.
    const QRectF edge(overhang(), overhang(), rect_.width() - 1, rect_.height() - 1);
    painter.drawRect(edge.translated(0.5, 0.5));
}

}  // namespace taviro::ui
