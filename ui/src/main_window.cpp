#include "taviro/ui/main_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "controls.h"
#include "shape.h"
#include "taviro/run/conversion_run.h"
#include "window_style.h"

namespace taviro::ui {
namespace {

constexpr QSize kClientSize = twips_size(7005, 4590);
constexpr const char* kCaption = "Taviro v1.0 - Transliteration of Gurmukhi to Roman Script";
constexpr const char* kFileFilter = "Unicode Text Files (*.txt);;All Files (*)";
constexpr int kFrameWidth = 15;

QString to_qstring(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const LabelLook kCaptionLabel{kButtonFont, kBlack};
const LabelLook kNoteLabel{kDefaultFont, kBlack};

}  // namespace

MainWindow::MainWindow(const std::filesystem::path& dictionary_file)
    : dictionary_(load_dictionary(dictionary_file)) {
    set_up_window(*this, {"TransSchwa", QString::fromLatin1(kCaption), Qt::Window | Qt::WindowMinimizeButtonHint,
                          kWindowColour, kClientSize, true});
    build_controls();
    set_tab_order();
    source_box_->setFocus();
}

MainWindow::~MainWindow() = default;

// The transliteration tables are the engine's constant data; the dictionary is
// all the window has to open.
WordStore MainWindow::load_dictionary(const std::filesystem::path& dictionary_file) {
    return WordStore(dictionary_file);
}

void MainWindow::build_controls() {
    exit_button_ = add_button(*this, "Exit_Button", tr("E&xit"), twips(3600, 3240, 1215, 375), kWindowColour);
    file_dialog_ = new QFileDialog(this);
    file_dialog_->setObjectName(QStringLiteral("CommonDialog1"));
    source_box_ = add_text_box(*this, "sourceFile", twips(2040, 1800, 2655, 285));
    choose_source_button_ = add_button(*this, "cBrowse", tr("&Browse"), twips(4920, 1800, 1095, 375), kWindowColour);
    destination_box_ = add_text_box(*this, "destFile", twips(2040, 2520, 2655, 285));
    choose_destination_button_ = add_button(*this, "cSave", tr("B&rowse"), twips(4920, 2520, 1095, 375), kWindowColour);
    convert_button_ = add_button(*this, "ClickSave", to_qstring(kConvertCaption), twips(1800, 3240, 1215, 375), kWindowColour);
    convert_button_->setDefault(true);
    fit_captions(*convert_button_, {to_qstring(kConvertCaption), to_qstring(kProcessingCaption)});
    busy_message_ = add_label(*this, "PleaseWait", tr("Please wait, conversion is in progress..."),
                              twips(1560, 3960, 3495, 255), kCaptionLabel);
    busy_message_->hide();
    busy_frame_ = add_shape(*this, "PleaseBlock", twips(1080, 3840, 4575, 495), kBlack, 1);
    busy_frame_->hide();
    add_picture(*this, "Image1", QStringLiteral(":/pictures/logo-main.png"), twips(1920, 240, 3495, 1455));
    // "(In Unicode)" is the layout's own caption; the tooltips say what it means.
    const QString reads = tr("A text file in UTF-8 or UTF-16, its name ending in .txt");
    const QString writes = tr("Written in UTF-16LE with a byte-order mark; .txt is added unless the name ends in it");
    add_label(*this, "Label4", tr("(In Unicode)"), twips(600, 2760, 1095, 255), kNoteLabel)->setToolTip(writes);
    add_label(*this, "Label3", tr("(In Unicode)"), twips(600, 2040, 975, 255), kNoteLabel)->setToolTip(reads);
    source_box_->setToolTip(reads);
    destination_box_->setToolTip(writes);
    add_label(*this, "Label1", tr("Source File"), twips(600, 1800, 975, 255), kCaptionLabel);
    add_label(*this, "Label2", tr("Destination File"), twips(600, 2520, 1335, 375), kCaptionLabel);
    add_shape(*this, "Shape1", twips(0, 0, 6975, 4575), kFrameColour, kFrameWidth);

    connect(choose_source_button_, &QPushButton::clicked, this, &MainWindow::choose_source);
    connect(choose_destination_button_, &QPushButton::clicked, this, &MainWindow::choose_destination);
    connect(convert_button_, &QPushButton::clicked, this, &MainWindow::convert);
    connect(exit_button_, &QPushButton::clicked, this, &MainWindow::request_end);
}

void MainWindow::set_tab_order() {
    setTabOrder(source_box_, choose_source_button_);
    setTabOrder(choose_source_button_, destination_box_);
    setTabOrder(destination_box_, choose_destination_button_);
    setTabOrder(choose_destination_button_, convert_button_);
    setTabOrder(convert_button_, exit_button_);
}

QString MainWindow::choose_file(QFileDialog::AcceptMode mode) {
    file_dialog_->setNameFilter(QString::fromLatin1(kFileFilter));
    file_dialog_->setAcceptMode(mode);
    file_dialog_->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                              : QFileDialog::AnyFile);
    if (!chosen_file_name_.isEmpty()) {
        file_dialog_->selectFile(chosen_file_name_);
    }
    if (file_dialog_->exec() == QDialog::Accepted && !file_dialog_->selectedFiles().isEmpty()) {
        chosen_file_name_ = file_dialog_->selectedFiles().constFirst();
    }
    return chosen_file_name_;
}

void MainWindow::choose_source() { source_box_->setText(choose_file(QFileDialog::AcceptOpen)); }

void MainWindow::choose_destination() { destination_box_->setText(choose_file(QFileDialog::AcceptSave)); }

void MainWindow::convert() { run_conversion(*this, dictionary_); }

void MainWindow::request_end() { emit end_requested(0); }

// Enter presses the default button wherever the focus is, unless a button has
// it: a focused button takes Enter itself. Qt gives default buttons this only
// inside dialogs.
void MainWindow::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier && convert_button_->isEnabled()) {
        convert_button_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    request_end();
}

std::string MainWindow::source_name() const { return source_box_->text().toStdString(); }

std::string MainWindow::destination_name() const { return destination_box_->text().toStdString(); }

void MainWindow::set_destination_name(const std::string& name) {
    destination_box_->setText(QString::fromStdString(name));
}

void MainWindow::clear_names() {
    source_box_->clear();
    destination_box_->clear();
    source_box_->setFocus();
}

void MainWindow::show_message(QMessageBox::Icon icon, std::string_view message, std::string_view reason) {
    QMessageBox box(icon, QString::fromLatin1(kMessageTitle),
                    to_qstring(message), QMessageBox::Ok, this);
    if (!reason.empty()) {
        box.setInformativeText(to_qstring(reason));
    }
    box.exec();
}

void MainWindow::warn(std::string_view message, std::string_view reason) {
    show_message(QMessageBox::Warning, message, reason);
}

void MainWindow::inform(std::string_view message) { show_message(QMessageBox::Information, message, {}); }

// The run keeps the event loop waiting until it ends, so the indicator is
// painted here and now rather than when the loop would get to it.
void MainWindow::set_busy(bool busy) {
    convert_button_->setEnabled(!busy);
    convert_button_->setText(to_qstring(busy ? kProcessingCaption : kConvertCaption));
    choose_source_button_->setEnabled(!busy);
    choose_destination_button_->setEnabled(!busy);
    exit_button_->setEnabled(!busy);
    busy_frame_->setVisible(busy);
    busy_message_->setVisible(busy);
    if (busy) {
        busy_frame_->repaint();
        busy_message_->repaint();
    }
}

}  // namespace taviro::ui
