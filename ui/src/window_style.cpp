#include "window_style.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QIcon>
#include <QPalette>
#include <QScreen>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cmath>

namespace taviro::ui {
namespace {

// Liberation Sans and Nimbus Sans share Arial's metrics, so text fits the
// layouts' widths as it was meant to; DejaVu Sans is the last resort.
constexpr std::array kArialStandIns{"Arial", "Liberation Sans", "Nimbus Sans", "DejaVu Sans"};
constexpr std::array kSansSerifStandIns{"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans",
                                        "Nimbus Sans", "DejaVu Sans"};

constexpr double kPixelsPerPoint = 96.0 / 72.0;

// Installed families without the foundry Qt adds where two foundries share a
// name ("Nimbus Sans [urw]").
QStringList installed_families() {
    QStringList families;
    for (const QString& family : QFontDatabase::families()) {
        families.append(family.section(QStringLiteral(" ["), 0, 0));
    }
    return families;
}

template <std::size_t N>
QString first_installed(const std::array<const char*, N>& candidates) {
    const QStringList installed = installed_families();
    for (const char* candidate : candidates) {
        if (installed.contains(QLatin1String(candidate), Qt::CaseInsensitive)) {
            return QString::fromLatin1(candidate);
        }
    }
    return QString::fromLatin1(candidates.front());
}

}  // namespace

QString closest_family(Face face) {
    static const QString arial = first_installed(kArialStandIns);
    static const QString sans_serif = first_installed(kSansSerifStandIns);
    return face == Face::arial ? arial : sans_serif;
}

QFont layout_font(const FontChoice& wanted) {
    QFont font(closest_family(wanted.face));
    font.setPixelSize(static_cast<int>(std::lround(wanted.points * kPixelsPerPoint)));
    font.setBold(wanted.bold);
    font.setUnderline(wanted.underline);
    return font;
}

void set_background(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void set_window_icon(QWidget& window) {
    window.setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));
}

void set_up_window(QWidget& window, const WindowLook& look) {
    window.setObjectName(QString::fromLatin1(look.object_name));
    window.setWindowTitle(look.title);
    window.setWindowFlags(look.kind_and_buttons | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    set_window_icon(window);
    set_background(window, look.background);
    if (look.resizable) {
        window.resize(look.client_size);
    } else {
        window.setFixedSize(look.client_size);
    }
}

void centre_on_screen(QWidget& window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    QRect placed(QPoint(0, 0), window.size());
    placed.moveCenter(screen->availableGeometry().center());
    window.move(placed.topLeft());
}

}  // namespace taviro::ui
