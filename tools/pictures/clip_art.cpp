#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <array>

#include "palette.h"
#include "pictures.h"

namespace taviro::pictures {
namespace {

struct Symbol {
    const char* text;
    bool gurmukhi;
    QPointF at;
    int pixel_size;
    QColor colour;
};

// The symbols floating around the screen: letters of both scripts.
const std::array<Symbol, 8> kFloatingSymbols{{
    {"ਅ", true, {10, 22}, 18, QColor(192, 0, 0)},
    {"ā", false, {112, 20}, 18, QColor(0, 0, 160)},
    {"ੴ", true, {104, 150}, 20, QColor(192, 0, 0)},
    {"ṭ", false, {12, 150}, 18, QColor(0, 0, 160)},
    {"ਸ", true, {58, 16}, 14, QColor(0, 110, 0)},
    {"ṅ", false, {124, 112}, 14, QColor(0, 110, 0)},
    {"ੲ", true, {4, 112}, 14, QColor(120, 0, 120)},
    {"ḍ", false, {60, 236}, 14, QColor(120, 0, 120)},
}};

void draw_pattern(QPainter& painter) {
    painter.fillRect(QRect(QPoint(0, 0), kClipArtSize), palette::kPatternLight);
    painter.setPen(QPen(palette::kPatternDark, 3));
    for (int offset = -kClipArtSize.height(); offset < kClipArtSize.width(); offset += 12) {
        painter.drawLine(offset, kClipArtSize.height(), offset + kClipArtSize.height(), 0);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette::kPatternDark);
    for (int y = 6; y < kClipArtSize.height(); y += 12) {
        for (int x = 6; x < kClipArtSize.width(); x += 12) {
            painter.drawEllipse(QPointF(x, y), 1.2, 1.2);
        }
    }
}

void draw_screen(QPainter& painter) {
    painter.setPen(QPen(palette::kCasingEdge, 1.5));
    painter.setBrush(palette::kCasing);
    painter.drawRoundedRect(QRectF(18, 34, 110, 88), 7, 7);
    painter.setBrush(palette::kScreen);
    painter.drawRoundedRect(QRectF(27, 42, 92, 68), 4, 4);
    painter.setBrush(palette::kCasing);
    painter.drawRect(QRectF(62, 122, 22, 10));
    painter.drawRoundedRect(QRectF(42, 131, 62, 8), 3, 3);

    draw_lettering(painter, QStringLiteral("ਕਮਲ"), QRectF(27, 44, 92, 32), kGurmukhiFamily, 20,
                   QColor(255, 230, 80));
    draw_lettering(painter, QStringLiteral("↓"), QRectF(27, 62, 92, 16), kGurmukhiFamily, 20, QColor(255, 255, 255));
    draw_lettering(painter, QStringLiteral("kamal"), QRectF(27, 76, 92, 30), kRomanFamily, 17, QColor(140, 230, 255),
                   true);
}

void draw_keyboard(QPainter& painter) {
    painter.setPen(QPen(palette::kCasingEdge, 1.2));
    painter.setBrush(palette::kCasing);
    const QPolygonF body{{14, 200}, {131, 200}, {122, 170}, {24, 170}};
    painter.drawPolygon(body);
    painter.setBrush(palette::kKey);
    painter.setPen(QPen(palette::kCasingEdge, 0.6));
    for (int row = 0; row < 3; ++row) {
        const qreal y = 174 + row * 8.5;
        const qreal inset = 26 - row * 3.0;
        for (qreal x = inset; x + 8 < 145 - inset; x += 9.5) {
            painter.drawRect(QRectF(x, y, 7.5, 6.5));
        }
    }
}

void draw_hand(QPainter& painter, bool left) {
    painter.save();
    if (!left) {
        painter.translate(kClipArtSize.width(), 0);
        painter.scale(-1, 1);
    }
    painter.setPen(QPen(palette::kSkinEdge, 1));
    painter.setBrush(palette::kSkin);
    // The back of the hand with its wrist, reaching in from below.
    QPainterPath hand;
    hand.moveTo(8, 243);
    hand.cubicTo(10, 225, 22, 205, 36, 198);
    hand.cubicTo(48, 194, 60, 198, 62, 206);
    hand.cubicTo(60, 216, 46, 228, 40, 243);
    hand.closeSubpath();
    painter.drawPath(hand);
    // Four fingers on the keys and a thumb.
    const std::array<QRectF, 4> fingers{{{28, 180, 7, 22}, {36, 176, 7, 25}, {44, 178, 7, 24}, {52, 183, 7, 21}}};
    for (const QRectF& finger : fingers) {
        painter.drawRoundedRect(finger, 3.5, 3.5);
    }
    painter.drawRoundedRect(QRectF(58, 198, 16, 7), 3.5, 3.5);
    painter.restore();
}

void draw_symbols(QPainter& painter) {
    for (const Symbol& symbol : kFloatingSymbols) {
        QFont font(QString::fromLatin1(symbol.gurmukhi ? kGurmukhiFamily : kRomanFamily));
        font.setPixelSize(symbol.pixel_size);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(symbol.colour);
        painter.drawText(symbol.at, QString::fromUtf8(symbol.text));
    }
}

}  // namespace

// A computer screen with hands on its keyboard and letters of both scripts, on
// a patterned background.
QImage draw_clip_art() {
    QImage image(kClipArtSize, QImage::Format_RGB888);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    draw_pattern(painter);
    draw_screen(painter);
    draw_keyboard(painter);
    draw_hand(painter, true);
    draw_hand(painter, false);
    draw_symbols(painter);
    return image;
}

}  // namespace taviro::pictures
