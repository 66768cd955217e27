// The start window: title, logo, clip-art and team, and the three ways on.
//
// It only asks for the other windows (through its signals); whoever owns the
// windows shows and closes them. Every key press that reaches it, before the
// focused button sees it, closes it, except Enter, which presses the focused
// (by default the Continue) button, Tab, and Alt with an access key.
#pragma once

#include <QWidget>

class QKeyEvent;

namespace taviro::ui {

class StartWindow final : public QWidget {
    Q_OBJECT

public:
    StartWindow();

signals:
    void table_requested();
    void about_requested();
    void about_close_requested();
    void main_window_requested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show_table();
    void show_about();
    void continue_to_main();
    void dismiss();

    void build_controls();
    // Whether `event` is a key press that dismisses the window.
    static bool dismisses(const QKeyEvent& event);
};

}  // namespace taviro::ui
