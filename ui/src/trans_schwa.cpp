#include "taviro/ui/trans_schwa.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "controls.h"
#include "shape.h"
#include "taviro/encoding/encoded_run_files.h"
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

TransSchwa::TransSchwa(const std::filesystem::path& dictionary_file)
    : dictionary_(Form_Load(dictionary_file)) {
    setObjectName(QStringLiteral("TransSchwa"));
    setWindowTitle(QString::fromLatin1(kCaption));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    set_window_icon(*this);
    set_background(*this, kWindowColour);
    resize(kClientSize);
    build_controls();
    set_tab_order();
    source_file_->setFocus();
}

TransSchwa::~TransSchwa() = default;

// The tables are constant data of the engine; loading has only the dictionary
// left to open.
WordStore TransSchwa::Form_Load(const std::filesystem::path& dictionary_file) {
    return WordStore(dictionary_file);
}

void TransSchwa::build_controls() {
    exit_ = add_button(*this, "Exit_Button", tr("E&xit"), twips(3600, 3240, 1215, 375), kWindowColour);
    dialog_ = new QFileDialog(this);
    dialog_->setObjectName(QStringLiteral("CommonDialog1"));
    source_file_ = add_text_box(*this, "sourceFile", twips(2040, 1800, 2655, 285));
    browse_source_ = add_button(*this, "cBrowse", tr("&Browse"), twips(4920, 1800, 1095, 375), kWindowColour);
    dest_file_ = add_text_box(*this, "destFile", twips(2040, 2520, 2655, 285));
    browse_destination_ = add_button(*this, "cSave", tr("B&rowse"), twips(4920, 2520, 1095, 375), kWindowColour);
    convert_ = add_button(*this, "ClickSave", to_qstring(kConvertCaption), twips(1800, 3240, 1215, 375), kWindowColour);
    convert_->setDefault(true);
    please_wait_ = add_label(*this, "PleaseWait", tr("Please wait, conversion is in progress..."),
                             twips(1560, 3960, 3495, 255), kCaptionLabel);
    please_wait_->hide();
    please_block_ = add_shape(*this, "PleaseBlock", twips(1080, 3840, 4575, 495), kBlack, 1);
    please_block_->hide();
    add_picture(*this, "Image1", QStringLiteral(":/pictures/logo-main.png"), twips(1920, 240, 3495, 1455));
    add_label(*this, "Label4", tr("(In Unicode)"), twips(600, 2760, 1095, 255), kNoteLabel);
    add_label(*this, "Label3", tr("(In Unicode)"), twips(600, 2040, 975, 255), kNoteLabel);
    add_label(*this, "Label1", tr("Source File"), twips(600, 1800, 975, 255), kCaptionLabel);
    add_label(*this, "Label2", tr("Destination File"), twips(600, 2520, 1335, 375), kCaptionLabel);
    add_shape(*this, "Shape1", twips(0, 0, 6975, 4575), kFrameColour, kFrameWidth);

    connect(browse_source_, &QPushButton::clicked, this, &TransSchwa::cBrowse_Click);
    connect(browse_destination_, &QPushButton::clicked, this, &TransSchwa::cSave_Click);
    connect(convert_, &QPushButton::clicked, this, &TransSchwa::ClickSave_Click);
    connect(exit_, &QPushButton::clicked, this, &TransSchwa::Exit_Button_Click);
}

void TransSchwa::set_tab_order() {
    setTabOrder(source_file_, browse_source_);
    setTabOrder(browse_source_, dest_file_);
    setTabOrder(dest_file_, browse_destination_);
    setTabOrder(browse_destination_, convert_);
    setTabOrder(convert_, exit_);
}

QString TransSchwa::browse(QFileDialog::AcceptMode mode) {
    dialog_->setNameFilter(QString::fromLatin1(kFileFilter));
    dialog_->setAcceptMode(mode);
    dialog_->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                         : QFileDialog::AnyFile);
    if (!dialog_file_name_.isEmpty()) {
        dialog_->selectFile(dialog_file_name_);
    }
    if (dialog_->exec() == QDialog::Accepted && !dialog_->selectedFiles().isEmpty()) {
        dialog_file_name_ = dialog_->selectedFiles().constFirst();
    }
    return dialog_file_name_;
}

void TransSchwa::cBrowse_Click() { source_file_->setText(browse(QFileDialog::AcceptOpen)); }

void TransSchwa::cSave_Click() { dest_file_->setText(browse(QFileDialog::AcceptSave)); }

// The source is read as the command line reads it (a byte-order mark, UTF-8,
// or the windows' own UTF-16LE without one); the destination is the windows'
// UTF-16LE, as it always was.
void TransSchwa::ClickSave_Click() {
    EncodedRunFiles files(EncodedFilesOptions{.source_encoding = std::nullopt,
                                              .destination_encoding = Encoding::utf16le,
                                              .progress = {},
                                              .protected_file = {}});
    run_conversion(*this, dictionary_, files);
}

void TransSchwa::Exit_Button_Click() { emit end_requested(0); }

void TransSchwa::Form_Unload() { emit end_requested(0); }

// Enter presses the default button wherever the focus is, unless a button has
// it: a focused button takes Enter itself. Qt gives default buttons this only
// inside dialogs.
void TransSchwa::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier && convert_->isEnabled()) {
        convert_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TransSchwa::closeEvent(QCloseEvent* event) {
    event->accept();
    Form_Unload();
}

std::string TransSchwa::source_name() const { return source_file_->text().toStdString(); }

std::string TransSchwa::destination_name() const { return dest_file_->text().toStdString(); }

void TransSchwa::set_destination_name(const std::string& name) {
    dest_file_->setText(QString::fromStdString(name));
}

void TransSchwa::clear_names() {
    source_file_->clear();
    dest_file_->clear();
    source_file_->setFocus();
}

void TransSchwa::show_message(QMessageBox::Icon icon, std::string_view message, std::string_view reason) {
    QMessageBox box(icon, QString::fromLatin1(kMessageTitle),
                    to_qstring(message), QMessageBox::Ok, this);
    if (!reason.empty()) {
        box.setInformativeText(to_qstring(reason));
    }
    box.exec();
}

void TransSchwa::warn(std::string_view message, std::string_view reason) {
    show_message(QMessageBox::Warning, message, reason);
}

void TransSchwa::inform(std::string_view message) { show_message(QMessageBox::Information, message, {}); }

// The run keeps the event loop waiting until it ends, so the indicator is
// painted here and now rather than when the loop would get to it.
void TransSchwa::set_busy(bool busy) {
    convert_->setEnabled(!busy);
    convert_->setText(to_qstring(busy ? kProcessingCaption : kConvertCaption));
    browse_source_->setEnabled(!busy);
    browse_destination_->setEnabled(!busy);
    exit_->setEnabled(!busy);
    please_block_->setVisible(busy);
    please_wait_->setVisible(busy);
    if (busy) {
        please_block_->repaint();
        please_wait_->repaint();
    }
}

}  // namespace taviro::ui
