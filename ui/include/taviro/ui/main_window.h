// The main window: the user names a source and a destination file and converts.
//
// It holds the word dictionary for as long as it lives and serves as the run
// view of every conversion; the conversion itself is the run layer's. It does
// not end the program itself: Exit, closing it and destroying it ask for the
// end through end_requested, and whoever owns the windows carries it out.
#pragma once

#include <QFileDialog>
#include <QMessageBox>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <string>
#include <string_view>

#include "taviro/run/run_view.h"
#include "taviro/run/word_store.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace taviro::ui {

class Shape;

inline constexpr const char* kMessageTitle = "Taviro v1.0";
inline constexpr std::string_view kConvertCaption = "&Convert";
inline constexpr std::string_view kProcessingCaption = "Processing...";

class MainWindow final : public QWidget, public RunView {
    Q_OBJECT

public:
    // Opens the dictionary before any control exists; throws StoreError when
    // `dictionary_file` cannot be read, and then no window is left behind.
    explicit MainWindow(const std::filesystem::path& dictionary_file);
    ~MainWindow() override;

    std::string source_name() const override;
    std::string destination_name() const override;
    void set_destination_name(const std::string& name) override;
    void clear_names() override;
    void warn(std::string_view message, std::string_view reason) override;
    void inform(std::string_view message) override;
    void set_busy(bool busy) override;

signals:
    void end_requested(int status);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    static WordStore load_dictionary(const std::filesystem::path& dictionary_file);
    void choose_source();
    void choose_destination();
    void convert();
    void request_end();

    void build_controls();
    void set_tab_order();
    // Shows the shared file dialog and returns its file name, which keeps the
    // name last chosen in either dialog when the user cancels.
    QString choose_file(QFileDialog::AcceptMode mode);
    void show_message(QMessageBox::Icon icon, std::string_view message, std::string_view reason);

    WordStore dictionary_;
    QFileDialog* file_dialog_ = nullptr;
    QString chosen_file_name_;
    QLineEdit* source_box_ = nullptr;
    QLineEdit* destination_box_ = nullptr;
    QPushButton* choose_source_button_ = nullptr;
    QPushButton* choose_destination_button_ = nullptr;
    QPushButton* convert_button_ = nullptr;
    QPushButton* exit_button_ = nullptr;
    // Shown, the one inside the other, only while a conversion runs.
    QLabel* busy_message_ = nullptr;
    Shape* busy_frame_ = nullptr;
};

}  // namespace taviro::ui
