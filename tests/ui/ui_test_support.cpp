#include "ui_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QtEndian>
#include <stdexcept>

#include "taviro/sqlite/database.h"

namespace taviro::ui::testing {

void write_word_file(const QString& path, const QStringList& words) { write_word_file(path, words, {}); }

void write_word_file(const QString& path, const QStringList& words, const QList<QPair<QString, QString>>& lexicon) {
    sqlite::Database database(path.toStdString(), sqlite::OpenMode::create, "cannot make the word file");
    QString script =
        QStringLiteral("CREATE TABLE words (words TEXT); CREATE TABLE pronunciations (word TEXT, roman TEXT);");
    for (const QString& word : words) {
        script += QStringLiteral("INSERT INTO words VALUES ('%1');").arg(word);
    }
    for (const auto& [word, roman] : lexicon) {
        script += QStringLiteral("INSERT INTO pronunciations VALUES ('%1', '%2');").arg(word, roman);
    }
    database.execute(script.toUtf8().constData());
    database.close();
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
        seen = {box->windowTitle(), box->text(), box->icon(), box->informativeText()};
        box->button(QMessageBox::Ok)->click();
    } else {
        modal.close();
    }
    return seen;
}

}  // namespace taviro::ui::testing
