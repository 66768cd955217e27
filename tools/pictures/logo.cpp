#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include "palette.h"
#include "pictures.h"

namespace taviro::pictures {
namespace {

// The largest pixel size at which `text` fits into `box`.
int fitting_pixel_size(QFont font, const QString& text, QSizeF box) {
    int size = static_cast<int>(box.height());
    for (; size > 6; --size) {
        font.setPixelSize(size);
        const QFontMetricsF metrics(font);
        if (metrics.horizontalAdvance(text) <= box.width() && metrics.height() <= box.height()) {
            break;
        }
    }
    return size;
}

}  // namespace

// The product name in red script lettering with the version beneath, on the
// window colour. Drawn at each size rather than scaled, so every size is sharp.
QImage draw_logo(QSize size) {
    QImage image(size, QImage::Format_RGB888);
    image.fill(palette::kWindow);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const QString name = QStringLiteral("Taviro");
    const QRectF name_box(0, 0, size.width(), size.height() * 0.72);
    QFont script(QString::fromLatin1(kScriptFamily));
    script.setPixelSize(fitting_pixel_size(script, name, name_box.size() * 0.92));
    painter.setFont(script);
    const qreal shadow = qMax(1.0, size.height() / 48.0);
    painter.setPen(palette::kShadow);
    painter.drawText(name_box.translated(shadow, shadow), Qt::AlignCenter, name);
    painter.setPen(palette::kLetteringRed);
    painter.drawText(name_box, Qt::AlignCenter, name);

    const QString version = QStringLiteral("v1.0");
    const QRectF version_box(0, name_box.bottom() - size.height() * 0.06, size.width(),
                             size.height() - name_box.bottom() + size.height() * 0.04);
    QFont roman(QString::fromLatin1(kRomanFamily));
    roman.setBold(true);
    roman.setItalic(true);
    roman.setPixelSize(fitting_pixel_size(roman, version, version_box.size()));
    painter.setFont(roman);
    painter.setPen(palette::kVersion);
    painter.drawText(version_box, Qt::AlignHCenter | Qt::AlignTop, version);
    return image;
}

}  // namespace taviro::pictures
