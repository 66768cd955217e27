// Moving between the windows from the start window, and the end of the
// program: Continue, the table and about buttons, a key press on the start
// window, Exit, closing or destroying the main window, and a dictionary that
// cannot be loaded.
#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <optional>

#include "taviro/ui/about_window.h"
#include "taviro/ui/main_window.h"
#include "taviro/ui/program.h"
#include "taviro/ui/start_window.h"
#include "taviro/ui/table_window.h"
#include "ui_test_support.h"

using namespace taviro::ui;

namespace {

void click(QWidget* window, const char* button) {
    QVERIFY(window != nullptr);
    auto* found = window->findChild<QPushButton*>(QString::fromLatin1(button));
    QVERIFY(found != nullptr);
    found->click();
}

// Windows closed on the way are deleted once the event loop gets to them.
void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

int visible_windows() {
    int visible = 0;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        visible += widget->isVisible() ? 1 : 0;
    }
    return visible;
}

template <typename Window>
int windows_of_kind() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        count += qobject_cast<Window*>(widget) != nullptr ? 1 : 0;
    }
    return count;
}

}  // namespace

class NavigationTest : public QObject {
    Q_OBJECT

private:
    // A started program whose end is recorded instead of carried out.
    std::unique_ptr<Program> start(const QString& word_file) {
        ended_.reset();
        auto program = std::make_unique<Program>(word_file.toStdString(),
                                                 [this](int status) { ended_ = status; });
        program->start();
        return program;
    }
    std::unique_ptr<Program> start() { return start(word_file_); }

    QTemporaryDir folder_;
    QString word_file_;
    std::optional<int> ended_;

private slots:
    void initTestCase() {
        // A test cannot leave the event loop it does not run; the program's end
        // is watched through its recorded status instead.
        QApplication::setQuitOnLastWindowClosed(false);
        word_file_ = folder_.filePath(QStringLiteral("words.mdb"));
        testing::write_word_file(word_file_, {QStringLiteral("kamal")});
    }

    void cleanup() { settle(); }

    void program_starts_at_the_start_window_alone() {
        const auto program = start();
        QVERIFY(program->start_window()->isVisible());
        QCOMPARE(visible_windows(), 1);
        QVERIFY(program->main_window() == nullptr);
    }

    void continue_hides_start_closes_about_and_shows_main() {
        const auto program = start();
        click(program->start_window(), "Command3");
        QVERIFY(program->about_window()->isVisible());
        click(program->start_window(), "Command2");
        settle();
        QVERIFY(program->start_window() != nullptr);  // hidden, still loaded
        QVERIFY(!program->start_window()->isVisible());
        QVERIFY(program->about_window() == nullptr);
        QVERIFY(program->main_window()->isVisible());
        QVERIFY(!ended_);
    }

    void continue_leaves_an_open_table_window_open() {
        const auto program = start();
        click(program->start_window(), "Command1");
        click(program->start_window(), "Command2");
        settle();
        QVERIFY(program->table_window()->isVisible());
        QVERIFY(program->main_window()->isVisible());
    }

    void pressing_a_window_button_twice_gives_one_window_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("table") << "Command1";
        QTest::newRow("about") << "Command3";
    }

    void pressing_a_window_button_twice_gives_one_window() {
        const auto program = start();
        QFETCH(QString, button);
        click(program->start_window(), qPrintable(button));
        click(program->start_window(), qPrintable(button));
        QCOMPARE(windows_of_kind<TableWindow>() + windows_of_kind<AboutWindow>(), 1);
        QVERIFY(program->start_window()->isVisible());
    }

    void a_closed_window_opens_again() {
        const auto program = start();
        click(program->start_window(), "Command1");
        program->table_window()->close();
        settle();
        QVERIFY(program->table_window() == nullptr);
        click(program->start_window(), "Command1");
        QVERIFY(program->table_window()->isVisible());
    }

    void any_key_dismisses_the_start_window_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("space") << int(Qt::Key_Space) << " ";
        QTest::newRow("letter") << int(Qt::Key_Q) << "q";
        QTest::newRow("digit") << int(Qt::Key_7) << "7";
        QTest::newRow("escape") << int(Qt::Key_Escape) << "\x1b";
    }

    // The key reaches the window before its focused button; with no window
    // left, nothing keeps the program running.
    void any_key_dismisses_the_start_window() {
        const auto program = start();
        QFETCH(int, key);
        QFETCH(QString, text);
        QWidget* focused = program->start_window()->focusWidget();
        QVERIFY(focused != nullptr);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(focused, &press);
        settle();
        QVERIFY(program->start_window() == nullptr);
        QCOMPARE(visible_windows(), 0);
        QVERIFY(program->main_window() == nullptr);
    }

    void a_key_leaves_the_table_window_open() {
        const auto program = start();
        click(program->start_window(), "Command1");
        QTest::keyClick(program->start_window(), Qt::Key_X);
        settle();
        QVERIFY(program->start_window() == nullptr);
        QVERIFY(program->table_window()->isVisible());
        QCOMPARE(visible_windows(), 1);
    }

    void enter_presses_continue() {
        const auto program = start();
        QTest::keyClick(program->start_window()->focusWidget(), Qt::Key_Return);
        QVERIFY(program->main_window() != nullptr);
        QVERIFY(!program->start_window()->isVisible());
    }

    void main_window_ends_the_program_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Exit") << "exit";
        QTest::newRow("closing it") << "close";
        QTest::newRow("destroying it") << "delete";
    }

    // Every window closes, the hidden start window and an open table window too.
    void main_window_ends_the_program() {
        const auto program = start();
        click(program->start_window(), "Command1");
        click(program->start_window(), "Command2");
        QFETCH(QString, how);
        if (how == u"exit") {
            click(program->main_window(), "Exit_Button");
        } else if (how == u"close") {
            program->main_window()->close();
        } else {
            delete program->main_window();
        }
        QCOMPARE(ended_, std::optional<int>(0));
        settle();
        QCOMPARE(visible_windows(), 0);
        QVERIFY(program->start_window() == nullptr);
        QVERIFY(program->table_window() == nullptr);
        QVERIFY(program->main_window() == nullptr);
    }

    void a_dictionary_that_cannot_be_read_ends_with_a_failure_status() {
        const auto program = start(folder_.filePath(QStringLiteral("missing.mdb")));
        testing::SeenMessage seen;
        const testing::ModalAnswerer answerer([&](QWidget& modal) { seen = testing::press_ok(modal); });
        click(program->start_window(), "Command2");
        QCOMPARE(seen.title, QStringLiteral("Taviro v1.0"));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QVERIFY(!seen.text.isEmpty());
        QVERIFY(ended_.has_value());
        QVERIFY(*ended_ != 0);
        settle();
        QVERIFY(program->main_window() == nullptr);
        QCOMPARE(visible_windows(), 0);
    }
};

QTEST_MAIN(NavigationTest)
#include "navigation_test.moc"
