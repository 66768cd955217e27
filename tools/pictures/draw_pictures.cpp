// taviro-draw-pictures: redraws the desktop program's pictures into a folder,
// normally assets/pictures. Fails when a font the pictures need is missing,
// rather than drawing them in a stand-in.
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdio>
#include <utility>
#include <vector>

#include "pictures.h"

namespace {

using namespace taviro::pictures;

bool fonts_present() {
    QStringList installed;
    for (const QString& family : QFontDatabase::families()) {
        installed.append(family.section(QStringLiteral(" ["), 0, 0));  // without its foundry
    }
    bool present = true;
    for (const char* family : {kGurmukhiFamily, kRomanFamily, kScriptFamily}) {
        if (!installed.contains(QString::fromLatin1(family))) {
            std::fprintf(stderr, "taviro-draw-pictures: font family '%s' is not installed; "
                                 "run scripts/install-deps\n", family);
            present = false;
        }
    }
    return present;
}

bool save(const QImage& image, const QDir& folder, const char* name, int quality = -1) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    if (!image.save(path, nullptr, quality)) {
        std::fprintf(stderr, "taviro-draw-pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Drawing needs fonts but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: taviro-draw-pictures OUTPUT-FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists()) {
        std::fprintf(stderr, "taviro-draw-pictures: no folder %s\n", argv[1]);
        return 1;
    }
    if (!fonts_present()) {
        return 1;
    }
    constexpr int kJpegQuality = 92;
    // The browser extension's large icon: the same pixels four times over,
    // as sharp as the small one, where a browser would blur it.
    constexpr int kLargeIconScale = 4;
    const QImage icon = draw_icon();
    const bool saved = save(icon, folder, "icon.png") &&
                       save(icon.scaled(icon.size() * kLargeIconScale), folder, "icon-128.png") &&
                       save(draw_logo(kMainLogoSize), folder, "logo-main.png") &&
                       save(draw_logo(kStartLogoSize), folder, "logo-start.png") &&
                       save(draw_logo(kAboutLogoSize), folder, "logo-about.png") &&
                       save(draw_clip_art(), folder, "clip-art.png") &&
                       save(draw_table_picture(), folder, "table.jpg", kJpegQuality);
    return saved ? 0 : 1;
}
