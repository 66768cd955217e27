#include <QColor>
#include <QFont>
#include <QPainter>
#include <array>

#include "pictures.h"

namespace taviro::pictures {
namespace {

// The sixteen colours of the classic icon palette.
constexpr std::array<QRgb, 16> kIconPalette{
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

}  // namespace

// Gurmukhi letters above Roman lettering, the program's work in one square.
QImage draw_icon() {
    QImage image(kIconSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);

    painter.setPen(QColor(0, 0, 128));
    painter.drawRect(0, 0, 31, 31);
    painter.fillRect(1, 1, 30, 16, QColor(255, 255, 0));

    draw_lettering(painter, QStringLiteral("ਗੁਰ"), QRectF(1, -2, 30, 20), kGurmukhiFamily, 15, QColor(0, 0, 128),
                   true);
    draw_lettering(painter, QStringLiteral("Rom"), QRectF(1, 17, 30, 14), kRomanFamily, 11, QColor(255, 0, 0), true);
    painter.end();

    QList<QRgb> palette(kIconPalette.begin(), kIconPalette.end());
    return image.convertToFormat(QImage::Format_Indexed8, palette,
                                 Qt::ThresholdDither | Qt::AvoidDither);
}

}  // namespace taviro::pictures
