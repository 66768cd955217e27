// taviro: the desktop program. It starts at the start window and reads the word
// dictionary words.mdb from its own folder, or the one --dictionary names.
#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string_view>

#include "taviro/run/interrupt_cleanup.h"
#include "taviro/run/word_store.h"
#include "taviro/ui/program.h"

namespace {

constexpr const char* kHelp =
    "Usage: taviro [--dictionary FILE] [QT-OPTION]...\n"
    "Open the Gurmukhi-Roman transliterator's windows: name a UTF-16 source\n"
    "and destination file and press Convert. For a terminal, see taviro-convert.\n"
    "\n"
    "      --dictionary FILE  use the word dictionary FILE (such as a copy with\n"
    "                 words of your own, see taviro-dict add) instead of words.mdb\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n"
    "Qt's own options (such as -platform offscreen) are accepted too.\n";

// Answered before Qt starts, which needs a display and ends the program with
// an abort when it finds none.
std::optional<int> answer_without_windows(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::cout << kHelp;
            return std::cout.flush() ? EXIT_SUCCESS : EXIT_FAILURE;
        }
        if (argument == "--version") {
            std::cout << "taviro " << TAVIRO_VERSION << '\n';
            return std::cout.flush() ? EXIT_SUCCESS : EXIT_FAILURE;
        }
        if (argument == "-platform") return std::nullopt;
    }
    const auto is_set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    if (!is_set("DISPLAY") && !is_set("WAYLAND_DISPLAY") && !is_set("QT_QPA_PLATFORM")) {
        std::cerr << "taviro: no display to open the windows on (neither DISPLAY nor WAYLAND_DISPLAY is set)\n";
        return EXIT_FAILURE;
    }
    return std::nullopt;
}

// The word dictionary the windows use: --dictionary FILE, else words.mdb
// where the program finds it.
std::filesystem::path dictionary_file(int argc, char* argv[]) {
    constexpr std::string_view kOption = "--dictionary";
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == kOption && i + 1 < argc) return argv[i + 1];
        if (argument.starts_with(kOption) && argument.size() > kOption.size() && argument[kOption.size()] == '=') {
            return std::filesystem::path(argument.substr(kOption.size() + 1));
        }
    }
    return taviro::find_dictionary(QCoreApplication::applicationDirPath().toStdString());
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const std::optional<int> status = answer_without_windows(argc, argv)) {
        return *status;
    }
    taviro::clean_up_on_interrupt();
    QApplication application(argc, argv);
    // The windows give their buttons the window's colour; Fusion honours it on
    // every desktop, where a native style may paint over it.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));

    taviro::ui::Program program(dictionary_file(argc, argv));
    program.start();
    return QApplication::exec();
}
