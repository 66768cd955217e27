// The four windows as a user meets them: caption, size and colour; what each
// control says; every control whole and inside its window; no control covering
// another, frames and backdrops enclosing what they touch and lying behind it,
// also while the main window is busy; Tab through the controls; the default
// button; the pictures.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "taviro/ui/about_window.h"
#include "taviro/ui/main_window.h"
#include "taviro/ui/start_window.h"
#include "taviro/ui/table_window.h"
#include "ui_test_support.h"

using namespace taviro::ui;

namespace {

const QColor kWindowColour(224, 231, 254);

// The controls laid out on the window; the main window's file dialog is a
// window of its own.
QList<QWidget*> controls_of(const QWidget& window) {
    QList<QWidget*> controls = window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    controls.removeIf([](const QWidget* child) { return child->isWindow(); });
    return controls;
}

// A shape's place is its rectangle; its border may reach beyond it.
QRect layout_rect(const QWidget& control) {
    const QVariant shape_rect = control.property("shapeRect");
    return shape_rect.isValid() ? shape_rect.toRect() : control.geometry();
}

const QLabel* picture_of(const QWidget& control) {
    const auto* label = qobject_cast<const QLabel*>(&control);
    return label != nullptr && !label->pixmap().isNull() ? label : nullptr;
}

// Frames, and labels with nothing to say, are meant to lie under other controls.
bool lies_under_others(const QWidget& control) {
    if (control.property("shapeRect").isValid()) {
        return true;
    }
    const auto* label = qobject_cast<const QLabel*>(&control);
    return label != nullptr && label->text().isEmpty() && label->pixmap().isNull();
}

// What of a control the user sees, in the window's coordinates: a label's line
// of text (a wrapping label: its lines whole), a label's picture (not
// stretched, it shows at its own size from the top-left corner), or the whole
// of any other control.
QRect shown_rect(const QWidget& control) {
    const QPoint origin = control.geometry().topLeft();
    if (const QLabel* picture = picture_of(control)) {
        return picture->hasScaledContents() ? control.geometry()
                                            : QRect(origin, picture->pixmap().size());
    }
    const auto* label = qobject_cast<const QLabel*>(&control);
    if (label == nullptr) {
        return control.geometry();
    }
    const QFontMetrics metrics = label->fontMetrics();
    const int wrap = label->wordWrap() ? int(Qt::TextWordWrap) : 0;
    const QRect line = metrics.boundingRect(label->contentsRect(), int(label->alignment()) | wrap, label->text());
    if (wrap != 0) {
        return line.translated(origin);
    }
    // Across, the line's advance; up and down, its ink, since a descent the
    // letters do not reach shows nothing.
    const QRect ink = metrics.tightBoundingRect(label->text());
    const int baseline = line.top() + metrics.ascent();
    return QRect(line.left(), baseline + ink.top(), line.width(), ink.height()).translated(origin);
}

QString caption_of(const QWidget& control) {
    if (picture_of(control) != nullptr) {
        return QStringLiteral("(picture)");
    }
    if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
        return button->text();
    }
    const auto* label = qobject_cast<const QLabel*>(&control);
    return label != nullptr ? label->text() : QString();
}

// Inside the button's bevel, as the style draws it.
bool caption_fits(const QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    const QRect inside = button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
    return button.fontMetrics().horizontalAdvance(QString(button.text()).remove(u'&')) <= inside.width();
}

int stacking_place(const QWidget& control) {
    return int(control.parentWidget()->children().indexOf(&control));
}

QString named(const QWidget& window, const QWidget& control) {
    return window.objectName() + u' ' + control.objectName();
}

}  // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> make_window(const QString& name) {
        if (name == u"TransSchwa") return std::make_unique<MainWindow>(word_file_.toStdString());
        if (name == u"frmSplash") return std::make_unique<StartWindow>();
        if (name == u"GurRom_Table") return std::make_unique<TableWindow>();
        return std::make_unique<AboutWindow>();
    }

    // The window as the user sees it: as it opens, or with a conversion running.
    std::unique_ptr<QWidget> make_window(const QString& name, bool busy) {
        auto made = make_window(name);
        if (busy) {
            qobject_cast<MainWindow*>(made.get())->set_busy(true);
        }
        return made;
    }

    static void add_window_rows() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("busy");
        QTest::newRow("start") << "frmSplash" << false;
        QTest::newRow("main") << "TransSchwa" << false;
        QTest::newRow("main, busy") << "TransSchwa" << true;
        QTest::newRow("table") << "GurRom_Table" << false;
        QTest::newRow("about") << "About" << false;
    }

    QTemporaryDir folder_;
    QString word_file_;

private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        word_file_ = folder_.filePath(QStringLiteral("words.mdb"));
        testing::write_word_file(word_file_, {QStringLiteral("kamal")});
        // A run for one family must get it, or it tests another in its name.
        const QString family = qEnvironmentVariable("TAVIRO_TEST_FAMILY");
        if (!family.isEmpty()) {
            const StartWindow start;
            const QString got = start.findChild<QLabel*>(QStringLiteral("Label1"))->font().family();
            QVERIFY2(got.startsWith(family, Qt::CaseInsensitive),
                     qPrintable(QStringLiteral("the windows got ") + got + QStringLiteral(", not ") + family + QStringLiteral("; is its font installed?")));
        }
    }

    void window_opens_with_its_caption_size_and_colour_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("client_size");
        QTest::addColumn<bool>("sizable");
        QTest::addColumn<bool>("minimise_button");
        QTest::addColumn<QColor>("background");
        QTest::newRow("start") << "frmSplash" << "" << QSize(499, 321) << false << false << kWindowColour;
        QTest::newRow("main") << "TransSchwa" << "Taviro v1.0 - Transliteration of Gurmukhi to Roman Script"
                              << QSize(467, 306) << true << true << kWindowColour;
        QTest::newRow("table") << "GurRom_Table" << "Taviro v1.0 - Gurmukhi-Roman Transliteration Table"
                               << QSize(558, 566) << true << true << QColor(255, 255, 255);
        QTest::newRow("about") << "About" << "About Development Team" << QSize(315, 369) << false
                               << false << QColor(142, 187, 247);
    }

    void window_opens_with_its_caption_size_and_colour() {
        QFETCH(QString, window);
        const auto made = make_window(window);
        QCOMPARE(made->objectName(), window);
        QFETCH(QString, caption);
        QCOMPARE(made->windowTitle(), caption);
        QFETCH(QSize, client_size);
        QCOMPARE(made->size(), client_size);
        QFETCH(bool, sizable);
        QCOMPARE(made->minimumSize() != made->maximumSize(), sizable);
        QFETCH(bool, minimise_button);
        QCOMPARE(made->windowFlags().testFlag(Qt::WindowMinimizeButtonHint), minimise_button);
        QVERIFY(!made->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QFETCH(QColor, background);
        QCOMPARE(made->palette().color(QPalette::Window), background);
        QVERIFY(made->windowIcon().availableSizes().contains(QSize(32, 32)));
    }

    // Every caption and picture by its control's name; the platform line, which
    // names the running system, has a test of its own.
    void window_shows_its_captions_and_pictures_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("captions_shown");  // "name: caption"
        QTest::addColumn<QStringList>("hidden_at_open");
        QTest::newRow("start") << "frmSplash"
                               << QStringList{"Command1: &Transliteration Table",
                                              "Command2: &Continue >>",
                                              "Command3: &About Development Team",
                                              "Image1: (picture)",
                                              "Image2: (picture)",
                                              "Label1: Gurmukhi-Roman Transliterator",
                                              "Label2: Linguistic adviser",
                                              "Label3: Lead developer",
                                              "Label6: Development Team"}
                               << QStringList{};
        QTest::newRow("main") << "TransSchwa"
                              << QStringList{"ClickSave: &Convert",
                                             "Exit_Button: E&xit",
                                             "Image1: (picture)",
                                             "Label1: Source File",
                                             "Label2: Destination File",
                                             "Label3: (In Unicode)",
                                             "Label4: (In Unicode)",
                                             "PleaseWait: Please wait, conversion is in progress...",
                                             "cBrowse: &Browse",
                                             "cSave: B&rowse"}
                              << QStringList{"PleaseBlock", "PleaseWait"};
        QTest::newRow("table") << "GurRom_Table" << QStringList{} << QStringList{};
        QTest::newRow("about") << "About"
                               << QStringList{"Image1: (picture)",
                                              "Label10: the windows and the pictures",
                                              "Label11: and the word dictionary",
                                              "Label12: Web:",
                                              "Label13: the project's repository",
                                              "Label14: Language",
                                              "Label15: Linguistic adviser",
                                              "Label16: Taviro project",
                                              "Label17: Punjabi pronunciation and",
                                              "Label18: the rules for the inherent vowel",
                                              "Label19: Web:",
                                              "Label2: Development Team",
                                              "Label20: the project's repository",
                                              "Label3: Software",
                                              "Label4: Lead developer",
                                              "Label5: Taviro project",
                                              "Label6: Gurmukhi-Roman Transliterator",
                                              "Label7: Work on:",
                                              "Label8: the transliteration engine,",
                                              "Label9: the conversion run,"}
                               << QStringList{};
    }

    void window_shows_its_captions_and_pictures() {
        QFETCH(QString, window);
        const auto made = make_window(window);
        QStringList captions;
        QStringList hidden;
        for (const QWidget* control : controls_of(*made)) {
            const QString caption = caption_of(*control);
            if (!caption.isEmpty() && control->objectName() != u"lblPlatform") {
                captions.append(control->objectName() + QStringLiteral(": ") + caption);
            }
            if (control->isHidden()) {
                hidden.append(control->objectName());
            }
        }
        QFETCH(QStringList, captions_shown);
        QFETCH(QStringList, hidden_at_open);
        for (QStringList* list : {&captions, &hidden, &captions_shown, &hidden_at_open}) {
            list->sort();
        }
        QCOMPARE(captions, captions_shown);
        QCOMPARE(hidden, hidden_at_open);
    }

    void every_control_shows_whole_inside_its_window_data() { add_window_rows(); }

    // A caption cut short, a picture cut off or a control past the window's
    // edge: each shows as soon as a stand-in font runs wider or a size slips.
    void every_control_shows_whole_inside_its_window() {
        QFETCH(QString, window);
        QFETCH(bool, busy);
        const auto made = make_window(window, busy);
        for (const QWidget* control : controls_of(*made)) {
            if (control->isHidden()) {
                continue;
            }
            const QString name = named(*made, *control);
            QVERIFY2(made->rect().contains(layout_rect(*control)), qPrintable(name));
            if (const auto* button = qobject_cast<const QPushButton*>(control)) {
                QVERIFY2(caption_fits(*button), qPrintable(name));
            } else if (!lies_under_others(*control)) {
                QVERIFY2(control->geometry().contains(shown_rect(*control)), qPrintable(name));
            }
        }
    }

    void no_control_covers_another_data() { add_window_rows(); }

    void no_control_covers_another() {
        QFETCH(QString, window);
        QFETCH(bool, busy);
        const auto made = make_window(window, busy);
        QList<const QWidget*> shown;
        for (const QWidget* control : controls_of(*made)) {
            if (!control->isHidden() && !lies_under_others(*control)) {
                shown.append(control);
            }
        }
        for (qsizetype i = 0; i < shown.size(); ++i) {
            for (qsizetype j = i + 1; j < shown.size(); ++j) {
                QVERIFY2(!shown_rect(*shown[i]).intersects(shown_rect(*shown[j])),
                         qPrintable(named(*made, *shown[i]) + QStringLiteral(" and ") + shown[j]->objectName()));
            }
        }
    }

    void frames_hold_what_they_touch_from_behind_data() { add_window_rows(); }

    // A frame or a backdrop holds a control whole or keeps clear of it, and
    // never hides it: the busy frame around its message, the window's frames
    // around their groups, the about window's panel under its text.
    void frames_hold_what_they_touch_from_behind() {
        QFETCH(QString, window);
        QFETCH(bool, busy);
        const auto made = make_window(window, busy);
        const QList<QWidget*> controls = controls_of(*made);
        for (const QWidget* under : controls) {
            if (under->isHidden() || !lies_under_others(*under)) {
                continue;
            }
            for (const QWidget* control : controls) {
                if (control->isHidden() || lies_under_others(*control) ||
                    !under->geometry().intersects(control->geometry())) {
                    continue;
                }
                const QString pair = named(*made, *under) + QStringLiteral(" and ") + control->objectName();
                QVERIFY2(layout_rect(*under).contains(control->geometry()), qPrintable(pair));
                QVERIFY2(stacking_place(*under) < stacking_place(*control), qPrintable(pair));
            }
        }
    }

    void tab_moves_through_the_window_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("tab_order");
        QTest::addColumn<QString>("default_button");
        QTest::newRow("start") << "frmSplash" << QStringList{"Command2", "Command1", "Command3"} << "Command2";
        QTest::newRow("main") << "TransSchwa"
                              << QStringList{"sourceFile", "cBrowse", "destFile", "cSave", "ClickSave", "Exit_Button"}
                              << "ClickSave";
        QTest::newRow("table") << "GurRom_Table" << QStringList{} << "";
        QTest::newRow("about") << "About" << QStringList{} << "";
    }

    // The window opens with the focus on the first of the order; Tab goes
    // through the rest and back to the first.
    void tab_moves_through_the_window() {
        QFETCH(QString, window);
        const auto made = make_window(window);
        made->show();
        QFETCH(QStringList, tab_order);
        QStringList visited;
        for (qsizetype press = 0; press <= tab_order.size() && made->focusWidget() != nullptr; ++press) {
            visited.append(made->focusWidget()->objectName());
            QTest::keyClick(made->focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, tab_order.isEmpty() ? tab_order : tab_order + QStringList{tab_order.constFirst()});
        QFETCH(QString, default_button);
        for (const QWidget* control : controls_of(*made)) {
            if (const auto* button = qobject_cast<const QPushButton*>(control)) {
                QCOMPARE(button->isDefault(), button->objectName() == default_button);
            }
        }
    }

    // The table shows its whole width; it is taller than the window, whose
    // enlarging shows the lower rows.
    void table_window_shows_the_table_picture_across() {
        const TableWindow table;
        QVERIFY(!table.picture().isNull());
        QVERIFY(table.picture().width() <= table.width());
        QVERIFY(table.picture().height() > table.height());
    }

    // Not the platform the layout was drawn on, but the one the program runs on.
    void platform_line_names_this_system() {
        const StartWindow start;
        const auto* platform = start.findChild<QLabel*>(QStringLiteral("lblPlatform"));
        QVERIFY(platform != nullptr);
        QCOMPARE(platform->text().toLower(), QStringLiteral("platform: ") + QSysInfo::kernelType().toLower());
    }
};

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
