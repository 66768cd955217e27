// Helpers the window tests share: a small words.mdb, UTF-16 source files, and
// an answerer for the modal dialogs a window opens while a test drives it.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

class QWidget;

namespace taviro::ui::testing {

// Writes an SQLite word file with table `words`, column `words`, holding `words`.
void write_word_file(const QString& path, const QStringList& words);
// The same, with a user lexicon: Gurmukhi words and the Roman text written for them.
void write_word_file(const QString& path, const QStringList& words, const QList<QPair<QString, QString>>& lexicon);

// Writes `text` as UTF-16LE with a byte-order mark; `extra` bytes follow it.
void write_utf16_file(const QString& path, const QString& text, const QByteArray& extra = {});

// What a message box showed when it opened.
struct SeenMessage {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString reason;  // the informative text beneath the message
};

// Hands every modal dialog that opens while it lives to `answer`, from inside
// the dialog's own event loop; `answer` must close it.
class ModalAnswerer final : public QObject {
public:
    explicit ModalAnswerer(std::function<void(QWidget& modal)> answer);

private:
    void look();

    std::function<void(QWidget&)> answer_;
    QTimer timer_;
};

// Records what `modal` shows if it is a message box, and presses its OK.
SeenMessage press_ok(QWidget& modal);

}  // namespace taviro::ui::testing
