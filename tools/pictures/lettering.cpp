#include <QFont>

#include "pictures.h"

namespace taviro::pictures {

void draw_lettering(QPainter& painter, const QString& text, const QRectF& box, const char* family, int pixel_size,
                    const QColor& colour, bool bold) {
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixel_size);
    font.setBold(bold);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(box, Qt::AlignCenter, text);
}

}  // namespace taviro::pictures
