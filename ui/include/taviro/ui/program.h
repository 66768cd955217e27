// The program's four windows and its end.
//
// It starts with the start window alone and makes every other window the first
// time it is asked for, and again after it was closed; a window asked for while
// open is brought forward, never doubled. Until the main window appears the
// program ends when its last window closes; from then on the main window ends
// it: Exit, closing it or destroying it closes every window at once and leaves
// the event loop. The way out of the loop is a parameter, so that tests can
// watch the end without ending.
#pragma once

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <functional>

namespace taviro::ui {

class AboutWindow;
class MainWindow;
class StartWindow;
class TableWindow;

class Program final : public QObject {
    Q_OBJECT

public:
    using Quit = std::function<void(int status)>;

    // Leaves the application's event loop with `status`.
    static void leave_event_loop(int status);

    explicit Program(std::filesystem::path dictionary_file, Quit quit = leave_event_loop);
    ~Program() override;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Shows the start window, centred.
    void start();
    // Closes every window and leaves with `status`; later calls do nothing.
    void end(int status);
    bool ended() const { return ending_; }

    // The windows that exist now, shown or hidden; null where a window does not.
    StartWindow* start_window() const;
    MainWindow* main_window() const;
    TableWindow* table_window() const;
    AboutWindow* about_window() const;

private:
    void show_table();
    void show_about();
    void close_about();
    void show_main_window();
    // The main window with its dictionary; on a failure to load, reports it and
    // ends the program with a non-zero status.
    MainWindow* load_main_window();

    std::filesystem::path dictionary_file_;
    Quit quit_;
    bool ending_ = false;
    QPointer<StartWindow> start_;
    QPointer<MainWindow> main_;
    QPointer<TableWindow> table_;
    QPointer<AboutWindow> about_;
};

}  // namespace taviro::ui
