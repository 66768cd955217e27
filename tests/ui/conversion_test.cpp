// A conversion through the main window, with its message boxes answered here:
// the busy state while a message shows, and the window idle again afterwards,
// for completion and for every way a run can be refused or fail; Enter in a
// text box; the shared file dialog.
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "taviro/ui/main_window.h"
#include "ui_test_support.h"

using namespace taviro::ui;

namespace {

// The window as it stood while a message box showed.
struct Moment {
    testing::SeenMessage message;
    QString convert_caption;
    bool convert_enabled = false;
    bool others_enabled = false;  // both Browse buttons and Exit
    bool indicator_visible = false;
    QString destination;
};

const QString kInvalid = QStringLiteral("Please enter valid source and destination unicode text files.");
const QString kMissing = QStringLiteral("File does not Exist. Please enter a valid filename.");
const QString kComplete = QStringLiteral("The Transliteration process is complete.");

}  // namespace

class ConversionTest : public QObject {
    Q_OBJECT

private:
    template <typename Control>
    Control* control(const char* name) {
        return window_->findChild<Control*>(QString::fromLatin1(name));
    }

    Moment moment_of(QWidget& modal) {
        Moment moment;
        moment.convert_caption = control<QPushButton>("ClickSave")->text();
        moment.convert_enabled = control<QPushButton>("ClickSave")->isEnabled();
        moment.others_enabled = control<QPushButton>("cBrowse")->isEnabled() &&
                                control<QPushButton>("cSave")->isEnabled() &&
                                control<QPushButton>("Exit_Button")->isEnabled();
        moment.indicator_visible = control<QLabel>("PleaseWait")->isVisible() &&
                                   control<QWidget>("PleaseBlock")->isVisible();
        moment.destination = control<QLineEdit>("destFile")->text();
        moment.message = testing::press_ok(modal);
        return moment;
    }

    // Presses Convert and answers every message box, noting the window each time.
    QList<Moment> convert(const QString& source, const QString& destination) {
        control<QLineEdit>("sourceFile")->setText(source);
        control<QLineEdit>("destFile")->setText(destination);
        QList<Moment> moments;
        const testing::ModalAnswerer answerer([&](QWidget& modal) { moments.append(moment_of(modal)); });
        control<QPushButton>("ClickSave")->click();
        return moments;
    }

    void verify_idle() {
        QCOMPARE(control<QLineEdit>("sourceFile")->text(), QString());
        QCOMPARE(control<QLineEdit>("destFile")->text(), QString());
        QCOMPARE(control<QPushButton>("ClickSave")->text(), QStringLiteral("&Convert"));
        for (const char* button : {"ClickSave", "cBrowse", "cSave", "Exit_Button"}) {
            QVERIFY2(control<QPushButton>(button)->isEnabled(), button);
        }
        QVERIFY(control<QLabel>("PleaseWait")->isHidden());
        QVERIFY(control<QWidget>("PleaseBlock")->isHidden());
        QCOMPARE(window_->focusWidget(), control<QLineEdit>("sourceFile"));
    }

    QString path(const QString& name) const { return folder_.filePath(name); }

    QTemporaryDir folder_;
    std::unique_ptr<MainWindow> window_;

private slots:
    void initTestCase() {
        testing::write_word_file(path(QStringLiteral("words.mdb")), {QStringLiteral("kamal")},
                                 {{QStringLiteral("ਨਯਨ"), QStringLiteral("nain")}});
        testing::write_utf16_file(path(QStringLiteral("source.txt")), QStringLiteral("ਕਮਲ ਨਯਨ\r\n"));
        testing::write_utf16_file(path(QStringLiteral("CAPS.TXT")), QStringLiteral("ਕ"));
        testing::write_utf16_file(path(QStringLiteral("broken.txt")), QStringLiteral("ਕ"), QByteArray(1, 'x'));
        QFile notes(path(QStringLiteral("notes.txt")));
        QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write(QStringLiteral("ਕਮਲ ਨਯਨ\n").toUtf8()) > 0);
        QVERIFY(QDir(folder_.path()).mkdir(QStringLiteral("roman")));
    }

    void init() {
        window_ = std::make_unique<MainWindow>(path(QStringLiteral("words.mdb")).toStdString());
        window_->show();
    }

    void cleanup() { window_.reset(); }

    void run_ends_idle_after_its_message_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::addColumn<bool>("busy_behind_message");
        QTest::addColumn<QString>("destination_shown");  // in destFile while the message shows
        QTest::newRow("completed") << "source.txt" << "out.txt" << kComplete << int(QMessageBox::Information) << true << "out.txt";
        QTest::newRow("destination gets .txt") << "source.txt" << "result" << kComplete << int(QMessageBox::Information) << true << "result.txt";
        QTest::newRow("destination .TXT gets .txt") << "source.txt" << "result.TXT" << kComplete << int(QMessageBox::Information) << true << "result.TXT.txt";
        QTest::newRow("empty source name") << "" << "out.txt" << kInvalid << int(QMessageBox::Warning) << false << "out.txt";
        QTest::newRow("empty destination name") << "source.txt" << "" << kInvalid << int(QMessageBox::Warning) << false << "";
        QTest::newRow("missing source") << "none.txt" << "out.txt" << kMissing << int(QMessageBox::Warning) << false << "out.txt";
        QTest::newRow("source not .txt") << "CAPS.TXT" << "out.txt" << kInvalid << int(QMessageBox::Warning) << false << "out.txt";
        QTest::newRow("source broken while read") << "broken.txt" << "out.txt" << kInvalid << int(QMessageBox::Warning) << true << "out.txt";
        QTest::newRow("destination cannot be created") << "source.txt" << "no-folder/out.txt" << kInvalid << int(QMessageBox::Warning) << false << "no-folder/out.txt";
        QTest::newRow("destination is a folder") << "source.txt" << "roman" << kInvalid << int(QMessageBox::Warning) << false << "roman";
    }

    void run_ends_idle_after_its_message() {
        QFETCH(QString, source);
        QFETCH(QString, destination);
        const auto full = [this](const QString& name) { return name.isEmpty() ? name : path(name); };
        const QList<Moment> moments = convert(full(source), full(destination));

        QCOMPARE(moments.size(), 1);
        const Moment& shown = moments.constFirst();
        QCOMPARE(shown.message.title, QStringLiteral("Taviro v1.0"));
        QFETCH(QString, message);
        QCOMPARE(shown.message.text, message);
        QFETCH(int, icon);
        QCOMPARE(int(shown.message.icon), icon);
        QFETCH(QString, destination_shown);
        QCOMPARE(shown.destination, full(destination_shown));
        QFETCH(bool, busy_behind_message);
        QCOMPARE(shown.indicator_visible, busy_behind_message);
        QCOMPARE(shown.convert_enabled, !busy_behind_message);
        QCOMPARE(shown.others_enabled, !busy_behind_message);
        QCOMPARE(shown.convert_caption,
                 busy_behind_message ? QStringLiteral("Processing...") : QStringLiteral("&Convert"));
        // A warning says why beneath its sentence.
        QCOMPARE(shown.message.reason.isEmpty(), icon != int(QMessageBox::Warning));
        verify_idle();
    }

    void completed_run_writes_the_destination_data() {
        QTest::addColumn<QString>("source");
        QTest::newRow("UTF-16LE") << "source.txt";
        // Before: read as UTF-16LE, written as CJK-like text, and reported complete.
        QTest::newRow("UTF-8") << "notes.txt";
    }

    // The dictionary's user lexicon writes its word as the user wants it; the
    // destination is the windows' UTF-16LE whatever the source's encoding.
    void completed_run_writes_the_destination() {
        QFETCH(QString, source);
        convert(path(source), path(QStringLiteral("written")));
        QFile written(path(QStringLiteral("written.txt")));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("\xFF\xFEk\0a\0m\0a\0l\0 \0n\0a\0i\0n\0\r\0\n\0", 26));
    }

    void enter_in_a_text_box_presses_convert_data() {
        QTest::addColumn<QString>("box");
        QTest::newRow("source") << "sourceFile";
        QTest::newRow("destination") << "destFile";
    }

    void enter_in_a_text_box_presses_convert() {
        QFETCH(QString, box);
        QList<testing::SeenMessage> seen;
        const testing::ModalAnswerer answerer([&](QWidget& modal) { seen.append(testing::press_ok(modal)); });
        QTest::keyClick(control<QLineEdit>(qPrintable(box)), Qt::Key_Return);
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.constFirst().text, kInvalid);
    }

    // One dialog serves both Browse buttons and keeps the name last chosen, in
    // either of them, when the user cancels.
    void browse_copies_the_shared_dialog_name() {
        QStringList filters;
        QString answer;  // the file to choose; empty: cancel
        const testing::ModalAnswerer answerer([&](QWidget& modal) {
            auto* dialog = qobject_cast<QFileDialog*>(&modal);
            QVERIFY(dialog != nullptr);
            QCOMPARE(dialog->objectName(), QStringLiteral("CommonDialog1"));
            filters = dialog->nameFilters();
            if (answer.isEmpty()) {
                dialog->reject();
            } else {
                // As a user types it: selectFile() leaves a focused name box alone.
                dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(answer);
                static_cast<QDialog*>(dialog)->accept();  // public as a dialog
            }
        });
        auto* source = control<QLineEdit>("sourceFile");
        auto* destination = control<QLineEdit>("destFile");

        control<QPushButton>("cBrowse")->click();
        QCOMPARE(source->text(), QString());
        QCOMPARE(filters, (QStringList{"Unicode Text Files (*.txt)", "All Files (*)"}));

        answer = path(QStringLiteral("source.txt"));
        control<QPushButton>("cBrowse")->click();
        QCOMPARE(source->text(), answer);

        answer = path(QStringLiteral("chosen.txt"));
        control<QPushButton>("cSave")->click();
        QCOMPARE(destination->text(), answer);

        answer.clear();
        control<QPushButton>("cBrowse")->click();
        QCOMPARE(source->text(), path(QStringLiteral("chosen.txt")));
    }
};

QTEST_MAIN(ConversionTest)
#include "conversion_test.moc"
