#include "taviro/ui/about_window.h"

#include <QLabel>
#include <array>

#include "controls.h"
#include "shape.h"
#include "window_style.h"

namespace taviro::ui {
namespace {

constexpr QSize kClientSize = twips_size(4725, 5535);
constexpr QColor kAboutBackground(142, 187, 247);
constexpr QColor kHeadingColour(255, 128, 0);
constexpr QColor kLinkColour(0, 0, 255);
constexpr int kFrameWidth = 20;

enum class Detail { role, sub_caption, line, link };

struct DetailLabel {
    const char* name;
    const char* text;
    QRect geometry;
    Detail kind;
};

// Two blocks, one per team member, in rows 240 twips apart: the role at the
// left of its first row, the lines beside it, a link line of a caption and
// the link. Stacked frontmost first.
constexpr int kRoleLeft = 360;
constexpr int kLineLeft = 1440;
constexpr int kLinkLeft = 1920;
constexpr int kRowHeight = 255;

constexpr std::array<DetailLabel, 18> kDetails{{
    {"Label3", "Software", twips(kRoleLeft, 1800, 1020, kRowHeight), Detail::role},
    {"Label4", "Lead developer", twips(kLineLeft, 1800, 3000, kRowHeight), Detail::line},
    {"Label5", "Taviro project", twips(kLineLeft, 2040, 3000, kRowHeight), Detail::line},
    {"Label6", "Gurmukhi-Roman Transliterator", twips(kLineLeft, 2280, 3000, kRowHeight), Detail::line},
    {"Label7", "Work on:", twips(kLineLeft, 2520, 3000, kRowHeight), Detail::sub_caption},
    {"Label8", "the transliteration engine,", twips(kLineLeft, 2760, 3000, kRowHeight), Detail::line},
    {"Label9", "the conversion run,", twips(kLineLeft, 3000, 3000, kRowHeight), Detail::line},
    {"Label10", "the windows and the pictures", twips(kLineLeft, 3240, 3000, kRowHeight), Detail::line},
    {"Label11", "and the word dictionary", twips(kLineLeft, 3480, 3000, kRowHeight), Detail::line},
    {"Label12", "Web:", twips(kLineLeft, 3720, 480, kRowHeight), Detail::line},
    {"Label13", "the project's repository", twips(kLinkLeft, 3720, 2520, kRowHeight), Detail::link},
    {"Label14", "Language", twips(kRoleLeft, 4080, 1020, kRowHeight), Detail::role},
    {"Label15", "Linguistic adviser", twips(kLineLeft, 4080, 3000, kRowHeight), Detail::line},
    {"Label16", "Taviro project", twips(kLineLeft, 4320, 3000, kRowHeight), Detail::line},
    {"Label17", "Punjabi pronunciation and", twips(kLineLeft, 4560, 3000, kRowHeight), Detail::line},
    {"Label18", "the rules for the inherent vowel", twips(kLineLeft, 4800, 3000, kRowHeight), Detail::line},
    {"Label19", "Web:", twips(kLineLeft, 5040, 480, kRowHeight), Detail::line},
    {"Label20", "the project's repository", twips(kLinkLeft, 5040, 2520, kRowHeight), Detail::link},
}};

LabelLook look_of(Detail kind) {
    switch (kind) {
    case Detail::role:
    case Detail::sub_caption:
        return {kButtonFont, kGreyText};
    case Detail::link:
        return {kDefaultFont, kLinkColour};
    case Detail::line:
        break;
    }
    return {kDefaultFont, kGreyText};
}

}  // namespace

AboutWindow::AboutWindow() {
    set_up_window(*this, {"About", tr("About Development Team"), Qt::Window, kAboutBackground, kClientSize, false});
    build_controls();
}

void AboutWindow::build_controls() {
    add_picture(*this, "Image1", QStringLiteral(":/pictures/logo-about.png"), twips(960, 240, 2730, 1170));
    for (const DetailLabel& detail : kDetails) {
        add_label(*this, detail.name, tr(detail.text), detail.geometry, look_of(detail.kind));
    }
    add_label(*this, "Label2", tr("Development Team"), twips(1320, 1440, 2055, 255),
              {{Face::ms_sans_serif, 9.75, true, true}, kHeadingColour});
    add_label(*this, "Label1", QString(), twips(120, 120, 4455, 5295), {});
    add_shape(*this, "Shape1", twips(0, 120, 4695, 5415), kFrameColour, kFrameWidth);
}

}  // namespace taviro::ui
