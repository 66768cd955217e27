#include "taviro/ui/table_window.h"

#include <QPainter>

#include "window_style.h"

namespace taviro::ui {
namespace {

constexpr QSize kClientSize = twips_size(8370, 8490);

}  // namespace

TableWindow::TableWindow() : picture_(QStringLiteral(":/pictures/table.jpg")) {
    set_up_window(*this, {"GurRom_Table", tr("Taviro v1.0 - Gurmukhi-Roman Transliteration Table"),
                          Qt::Window | Qt::WindowMinimizeButtonHint, kWhite, kClientSize, true});
}

void TableWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

}  // namespace taviro::ui
