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

    QFont gurmukhi(QString::fromLatin1(kGurmukhiFamily));
    gurmukhi.setPixelSize(15);
    gurmukhi.setBold(true);
    painter.setFont(gurmukhi);
    painter.setPen(QColor(0, 0, 128));
    painter.drawText(QRect(1, -2, 30, 20), Qt::AlignCenter, QStringLiteral("ਗੁਰ"));

    QFont roman(QString::fromLatin1(kRomanFamily));
    roman.setPixelSize(11);
    roman.setBold(true);
    painter.setFont(roman);
    painter.setPen(QColor(255, 0, 0));
    painter.drawText(QRect(1, 17, 30, 14), Qt::AlignCenter, QStringLiteral("Rom"));
    painter.end();

    QList<QRgb> palette(kIconPalette.begin(), kIconPalette.end());
    return image.convertToFormat(QImage::Format_Indexed8, palette,
                                 Qt::ThresholdDither | Qt::AvoidDither);
}

}  // namespace taviro::pictures
