#include <QColor>
#include <QFont>
#include <QPainter>
#include <algorithm>
#include <array>
#include <span>

#include "palette.h"
#include "pictures.h"
#include "taviro/engine.h"

namespace taviro::pictures {
namespace {

constexpr QChar kDottedCircle(0x25CC);

constexpr int kBlocks = 3;
constexpr int kMargin = 8;
constexpr int kHeadingHeight = 36;
constexpr int kColumnHeadHeight = 34;
constexpr int kRowHeight = 22;
constexpr int kBlockGap = 6;
constexpr int kGurmukhiColumnWidth = 66;

QString to_qstring(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

// A sign that joins the letter before it is shown on a dotted circle, as
// Unicode charts show it, so it never sits alone.
QString shown_character(char16_t code_point) {
    const QChar character(code_point);
    switch (character.category()) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return QString(kDottedCircle) + character;
    default:
        return QString(character);
    }
}

QFont font_of(const char* family, int pixel_size, bool bold) {
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixel_size);
    font.setBold(bold);
    return font;
}

std::u16string_view marker_of(TableNote note) {
    if (note == TableNote::none) return {};
    return note == TableNote::doubling ? kDoublingMarker : kNoConversionMarker;
}

// The engine's mark for a marker row, as the page's table shows it too.
QString mark_of(TableNote note) {
    for (const TableMark& mark : kTableMarks) {
        if (mark.marker == marker_of(note)) {
            return to_qstring(mark.mark);
        }
    }
    return {};
}

struct BlockGeometry {
    int left;
    int top;
    int width;
};

void draw_block(QPainter& painter, const BlockGeometry& block,
                std::span<const TableEntry> entries) {
    const QRect head(block.left, block.top, block.width, kColumnHeadHeight);
    painter.fillRect(head, palette::kWindow);
    painter.setPen(palette::kText);
    painter.setFont(font_of(kRomanFamily, 13, true));
    painter.drawText(QRect(head.left(), head.top(), kGurmukhiColumnWidth, head.height()),
                     Qt::AlignCenter, QStringLiteral("Gurmukhi"));
    painter.drawText(QRect(head.left() + kGurmukhiColumnWidth, head.top(),
                           block.width - kGurmukhiColumnWidth, head.height()),
                     Qt::AlignCenter, QStringLiteral("Roman\nCombination"));

    const QFont gurmukhi = font_of(kGurmukhiFamily, 18, false);
    const QFont roman = font_of(kRomanFamily, 15, false);
    int top = head.bottom() + 1;
    for (std::size_t row = 0; row < entries.size(); ++row, top += kRowHeight) {
        const TableEntry& entry = entries[row];
        if (row % 2 == 1) {
            painter.fillRect(QRect(block.left, top, block.width, kRowHeight), palette::kStripe);
        }
        painter.setPen(palette::kText);
        painter.setFont(gurmukhi);
        painter.drawText(QRect(block.left, top, kGurmukhiColumnWidth, kRowHeight),
                         Qt::AlignCenter, entry.gurmukhi);
        painter.setFont(roman);
        const QString roman_text = entry.note == TableNote::none ? entry.roman : mark_of(entry.note);
        painter.drawText(QRect(block.left + kGurmukhiColumnWidth + 10, top,
                               block.width - kGurmukhiColumnWidth - 10, kRowHeight),
                         Qt::AlignVCenter | Qt::AlignLeft, roman_text);
    }

    painter.setPen(QPen(palette::kRule, 1));
    painter.setBrush(Qt::NoBrush);
    const int bottom = head.bottom() + static_cast<int>(entries.size()) * kRowHeight;
    painter.drawRect(QRect(block.left, block.top, block.width - 1, bottom - block.top));
    painter.drawLine(block.left, head.bottom(), block.left + block.width - 1, head.bottom());
    painter.drawLine(block.left + kGurmukhiColumnWidth, block.top,
                     block.left + kGurmukhiColumnWidth, bottom);
}

// What each mark the table shows stands for; a mark no row shows is left out.
void draw_notes(QPainter& painter, int top) {
    painter.setPen(palette::kText);
    painter.setFont(font_of(kRomanFamily, 12, false));
    const int width = kTablePictureSize.width() - 2 * kMargin;
    for (const TableMark& mark : kTableMarks) {
        if (!table_shows(mark)) continue;
        painter.drawText(QRect(kMargin, top, width, 18), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("%1  %2").arg(to_qstring(mark.mark), to_qstring(mark.marker)));
        top += 18;
    }
}

}  // namespace

std::vector<TableEntry> table_entries() {
    std::vector<TableEntry> entries;
    entries.reserve(kMapRows);
    for (const MapRow& row : shown_character_map()) {
        TableEntry entry{shown_character(row.code_point), to_qstring(row.roman)};
        for (const TableNote note : {TableNote::no_conversion, TableNote::doubling}) {
            if (row.roman == marker_of(note)) {
                entry.note = note;
            }
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

// The heading and three blocks of two columns holding the whole character map,
// straight from the engine's table, with notes for the marker rows.
QImage draw_table_picture() {
    QImage image(kTablePictureSize, QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    painter.setPen(palette::kHeading);
    painter.setFont(font_of(kRomanFamily, 19, true));
    painter.drawText(QRect(0, kMargin, kTablePictureSize.width(), kHeadingHeight - kMargin),
                     Qt::AlignCenter, QStringLiteral("Gurmukhi - Roman Transliteration Table"));

    const std::vector<TableEntry> entries = table_entries();
    const std::size_t per_block = (entries.size() + kBlocks - 1) / kBlocks;
    const int block_width =
        (kTablePictureSize.width() - 2 * kMargin - (kBlocks - 1) * kBlockGap) / kBlocks;
    const int blocks_top = kHeadingHeight + kMargin;
    for (int block = 0; block < kBlocks; ++block) {
        const std::size_t first = std::min(entries.size(), block * per_block);
        const std::size_t count = std::min(per_block, entries.size() - first);
        draw_block(painter, {kMargin + block * (block_width + kBlockGap), blocks_top, block_width},
                   std::span<const TableEntry>(entries).subspan(first, count));
    }
    const int blocks_bottom = blocks_top + kColumnHeadHeight + static_cast<int>(per_block) * kRowHeight;
    draw_notes(painter, blocks_bottom + kMargin);
    return image;
}

}  // namespace taviro::pictures
