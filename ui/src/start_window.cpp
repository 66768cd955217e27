#include "taviro/ui/start_window.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "controls.h"
#include "platform_name.h"
#include "shape.h"
#include "window_style.h"

namespace taviro::ui {
namespace {

constexpr QSize kClientSize = twips_size(7485, 4815);
constexpr int kFrameWidth = 8;
constexpr QRect kPlatformGeometry = twips(4140, 2400, 3030, 240);

constexpr FontChoice kTitleFont{Face::arial, 11.25, true};
constexpr FontChoice kPlatformFont{Face::arial, 9.75, true};
constexpr FontChoice kTeamHeadingFont{Face::ms_sans_serif, 9.75, true};

const LabelLook kTitleLook{kTitleFont, kGreyText};
const LabelLook kPlatformLook{kPlatformFont, kGreyText};
const LabelLook kTeamHeadingLook{kTeamHeadingFont, QColor(192, 0, 0)};
// Both role lines end where the heading's frame of reference ends, on the right.
const LabelLook kRoleLook{kButtonFont, kGreyText, kWindowColour, Qt::AlignRight};

}  // namespace

StartWindow::StartWindow() {
    set_up_window(*this, {"frmSplash", QString(), Qt::Dialog, kWindowColour, kClientSize, false});
    build_controls();
}

void StartWindow::build_controls() {
    auto* about_button = add_button(*this, "Command3", tr("&About Development Team"), twips(360, 4080, 2415, 375), kWindowColour);
    auto* continue_button = add_button(*this, "Command2", tr("&Continue >>"), twips(5040, 4080, 2055, 375), kWindowColour);
    auto* table_button = add_button(*this, "Command1", tr("&Transliteration Table"), twips(2880, 4080, 2055, 375), kWindowColour);
    continue_button->setDefault(true);
    add_picture(*this, "Image2", QStringLiteral(":/pictures/clip-art.png"), twips(360, 360, 2760, 3285), true);
    add_picture(*this, "Image1", QStringLiteral(":/pictures/logo-start.png"), twips(3840, 240, 3225, 1395));
    add_shape(*this, "Shape2", twips(120, 3840, 7215, 855), kFrameColour, kFrameWidth);
    auto* platform = add_label(*this, "lblPlatform", QString(), kPlatformGeometry, kPlatformLook);
    platform->setText(platform->fontMetrics().elidedText(
        tr("Platform: %1").arg(platform_name()), Qt::ElideRight, kPlatformGeometry.width()));
    add_label(*this, "Label1", tr("Gurmukhi-Roman Transliterator"), twips(3720, 1800, 3375, 375), kTitleLook);
    add_label(*this, "Label2", tr("Linguistic adviser"), twips(4920, 3360, 2295, 255), kRoleLook);
    add_label(*this, "Label3", tr("Lead developer"), twips(5280, 3120, 1935, 255), kRoleLook);
    add_label(*this, "Label6", tr("Development Team"), twips(5040, 2760, 2055, 255), kTeamHeadingLook);
    add_shape(*this, "Shape1", twips(120, 120, 7215, 3735), kFrameColour, kFrameWidth);

    setTabOrder(continue_button, table_button);
    setTabOrder(table_button, about_button);
    continue_button->setFocus();
    for (QPushButton* button : {about_button, continue_button, table_button}) {
        button->installEventFilter(this);
    }
    connect(table_button, &QPushButton::clicked, this, &StartWindow::show_table);
    connect(continue_button, &QPushButton::clicked, this, &StartWindow::continue_to_main);
    connect(about_button, &QPushButton::clicked, this, &StartWindow::show_about);
}

void StartWindow::show_table() { emit table_requested(); }

void StartWindow::show_about() { emit about_requested(); }

// The start window stays loaded, hidden, until the program ends.
void StartWindow::continue_to_main() {
    hide();
    emit about_close_requested();
    emit main_window_requested();
}

void StartWindow::dismiss() { close(); }

bool StartWindow::dismisses(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    default:
        return !event.text().isEmpty() && !event.modifiers().testFlag(Qt::AltModifier);
    }
}

// The window sees key presses before its buttons do.
bool StartWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && dismisses(static_cast<QKeyEvent&>(*event))) {
        dismiss();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void StartWindow::keyPressEvent(QKeyEvent* event) {
    if (dismisses(*event)) {
        dismiss();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace taviro::ui
