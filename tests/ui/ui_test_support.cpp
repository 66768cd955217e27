#include "ui_test_support.h"

#include <sqlite3.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QtEndian>
#include <memory>
#include <stdexcept>

namespace taviro::ui::testing {

void write_word_file(const QString& path, const QStringList& words) {
    sqlite3* raw = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &raw) != SQLITE_OK) {
        sqlite3_close(raw);
        throw std::runtime_error("cannot create the word file");
    }
    const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> db(raw, sqlite3_close);
    QString script = QStringLiteral("CREATE TABLE words (words TEXT);");
    for (const QString& word : words) {
        script += QStringLiteral("INSERT INTO words VALUES ('%1');").arg(word);
    }
    if (sqlite3_exec(db.get(), script.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        throw std::runtime_error("cannot fill the word file");
    }
}

void write_utf16_file(const QString& path, const QString& text, const QByteArray& extra) {
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar unit : text) {
        const quint16 little = qToLittleEndian(unit.unicode());
        bytes.append(reinterpret_cast<const char*>(&little), 2);
    }
    bytes += extra;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write the source file");
    }
}

ModalAnswerer::ModalAnswerer(std::function<void(QWidget& modal)> answer)
    : answer_(std::move(answer)) {
    // Every pass of whatever event loop runs, the dialog's own included.
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &ModalAnswerer::look);
    timer_.start();
}

void ModalAnswerer::look() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) {
        return;
    }
    const QPointer<QWidget> answered(modal);
    answer_(*modal);
    // An answer that failed half-way must not leave the test waiting for ever.
    if (answered && answered->isVisible()) {
        qWarning("the dialog was left open by its answer; closing it");
        answered->close();
    }
}

SeenMessage press_ok(QWidget& modal) {
    SeenMessage seen;
    if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
        seen = {box->windowTitle(), box->text(), box->icon()};
        box->button(QMessageBox::Ok)->click();
    } else {
        modal.close();
    }
    return seen;
}

}  // namespace taviro::ui::testing
