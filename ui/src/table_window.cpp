#include "taviro/ui/table_window.h"

#include <QPainter>

#include "window_style.h"

namespace taviro::ui {
namespace {

constexpr QSize kClientSize = twips_size(8370, 8490);

}  // namespace

TableWindow::TableWindow() : picture_(QStringLiteral(":/pictures/table.jpg")) {
    setObjectName(QStringLiteral("GurRom_Table"));
    setWindowTitle(tr("Taviro v1.0 - Gurmukhi-Roman Transliteration Table"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    set_window_icon(*this);
    set_background(*this, kWhite);
    resize(kClientSize);
}

void TableWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

}  // namespace taviro::ui
