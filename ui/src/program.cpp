#include "taviro/ui/program.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>
#include <utility>

#include "taviro/ui/about_window.h"
#include "taviro/ui/main_window.h"
#include "taviro/ui/start_window.h"
#include "taviro/ui/table_window.h"
#include "window_style.h"

namespace taviro::ui {
namespace {

constexpr int kLoadFailureStatus = 1;

// Closing a window deletes it: the next request makes a new one.
template <typename Window>
Window* deleted_on_close(Window* window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    return window;
}

template <typename Window>
void bring_forward(Window& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

template <typename Window>
void close_and_delete(QPointer<Window>& window) {
    if (window) {
        window->close();
        delete window.data();
    }
}

}  // namespace

void Program::leave_event_loop(int status) { QCoreApplication::exit(status); }

Program::Program(std::filesystem::path dictionary_file, Quit quit)
    : dictionary_file_(std::move(dictionary_file)), quit_(std::move(quit)) {}

Program::~Program() {
    ending_ = true;
    close_and_delete(main_);
    close_and_delete(table_);
    close_and_delete(about_);
    close_and_delete(start_);
}

StartWindow* Program::start_window() const { return start_; }
MainWindow* Program::main_window() const { return main_; }
TableWindow* Program::table_window() const { return table_; }
AboutWindow* Program::about_window() const { return about_; }

void Program::start() {
    start_ = deleted_on_close(new StartWindow());
    connect(start_, &StartWindow::table_requested, this, &Program::show_table);
    connect(start_, &StartWindow::about_requested, this, &Program::show_about);
    connect(start_, &StartWindow::about_close_requested, this, &Program::close_about);
    connect(start_, &StartWindow::main_window_requested, this, &Program::show_main_window);
    centre_on_screen(*start_);
    start_->show();
}

void Program::end(int status) {
    if (ending_) {
        return;
    }
    ending_ = true;
    for (QWidget* window : {static_cast<QWidget*>(main_), static_cast<QWidget*>(table_),
                            static_cast<QWidget*>(about_), static_cast<QWidget*>(start_)}) {
        if (window != nullptr) {
            window->close();
        }
    }
    quit_(status);
}

void Program::show_table() {
    if (!table_) {
        table_ = deleted_on_close(new TableWindow());
        centre_on_screen(*table_);
    }
    bring_forward(*table_);
}

void Program::show_about() {
    if (!about_) {
        about_ = deleted_on_close(new AboutWindow());
        centre_on_screen(*about_);
    }
    bring_forward(*about_);
}

void Program::close_about() {
    if (about_) {
        about_->close();
    }
}

void Program::show_main_window() {
    if (!main_) {
        main_ = load_main_window();
        if (!main_) {
            return;
        }
        centre_on_screen(*main_);
    }
    // From here the main window decides the end, not the last window closed:
    // the start window stays loaded, hidden, and must not keep the program alive.
    QApplication::setQuitOnLastWindowClosed(false);
    bring_forward(*main_);
}

MainWindow* Program::load_main_window() {
    MainWindow* window = nullptr;
    try {
        window = deleted_on_close(new MainWindow(dictionary_file_));
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QString::fromLatin1(kMessageTitle),
                              QString::fromUtf8(error.what()));
        end(kLoadFailureStatus);
        return nullptr;
    }
    connect(window, &MainWindow::end_requested, this, &Program::end);
    connect(window, &QObject::destroyed, this, [this] {
        main_.clear();
        end(0);
    });
    return window;
}

}  // namespace taviro::ui
