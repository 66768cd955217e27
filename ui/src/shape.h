// A rectangle outline drawn over or under other controls, like a drawing shape.
// It takes no input, fills nothing, and centres its border on the rectangle's
// edge, so a wide border reaches half its width beyond the rectangle. The
// widget's own geometry therefore includes that overhang; shapeRect is the
// rectangle itself.
#pragma once

#include <QColor>
#include <QRect>
#include <QWidget>

namespace taviro::ui {

class Shape final : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QRect shapeRect READ shape_rect)
    Q_PROPERTY(int borderWidth READ border_width)
    Q_PROPERTY(QColor borderColour READ border_colour)

public:
    Shape(QWidget* parent, const QRect& rect, const QColor& colour, int border_width);

    QRect shape_rect() const { return rect_; }
    int border_width() const { return border_width_; }
    QColor border_colour() const { return colour_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int overhang() const { return (border_width_ + 1) / 2; }

    QRect rect_;
    QColor colour_;
    int border_width_;
};

}  // namespace taviro::ui
