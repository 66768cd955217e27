// The pictures of the desktop program, drawn with QPainter so that they can be
// redrawn: the window icon, the logo in its three sizes, the start window's
// clip-art and the transliteration table. The program embeds the files this
// draws; it never draws them itself.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSize>
#include <QString>
#include <vector>

namespace taviro::pictures {

// Families the pictures are drawn in; all come with Debian's font packages
// listed in the install script.
inline constexpr const char* kGurmukhiFamily = "Noto Sans Gurmukhi";
inline constexpr const char* kRomanFamily = "Noto Sans";
inline constexpr const char* kScriptFamily = "Z003";

inline constexpr QSize kIconSize{32, 32};
inline constexpr QSize kMainLogoSize{233, 97};
inline constexpr QSize kStartLogoSize{215, 93};
inline constexpr QSize kAboutLogoSize{182, 78};
inline constexpr QSize kClipArtSize{145, 243};
inline constexpr QSize kTablePictureSize{544, 700};

// What a note mark after a Roman entry of the table stands for.
enum class TableNote { none, no_conversion, doubling };

// One row of the table picture: the character as shown (a sign on a dotted
// circle), and its Roman text or a note mark.
struct TableEntry {
    QString gurmukhi;
    QString roman;
    TableNote note = TableNote::none;
};

// Every row of the engine's character map, in its order.
std::vector<TableEntry> table_entries();

// Draws `text` centred in `box`, in `family` at `pixel_size`, in `colour`.
void draw_lettering(QPainter& painter, const QString& text, const QRectF& box, const char* family, int pixel_size,
                    const QColor& colour, bool bold = false);

QImage draw_icon();
QImage draw_logo(QSize size);
QImage draw_clip_art();
QImage draw_table_picture();

}  // namespace taviro::pictures
