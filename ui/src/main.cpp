// taviro: the desktop program. It starts at the start window and reads the word
// dictionary words.mdb from its own folder.
#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

#include "taviro/run/word_store.h"
#include "taviro/ui/program.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // The windows give their buttons the window's colour; Fusion honours it on
    // every desktop, where a native style may paint over it.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));

    taviro::ui::Program program(taviro::default_dictionary_path());
    program.start();
    return QApplication::exec();
}
