// The four windows as they open: captions, sizes, borders, controls by name
// with their places, texts, fonts and colours, stacking, tab order, default
// buttons, hidden controls and pictures.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
const QColor kGrey(64, 64, 64);

// A shape's place is its rectangle; its border may reach beyond it.
QRect layout_rect(const QWidget& control) {
    const QVariant shape_rect = control.property("shapeRect");
    return shape_rect.isValid() ? shape_rect.toRect() : control.geometry();
}

QStringList stacking_front_to_back(const QWidget& window) {
    QStringList names;
    for (QObject* child : window.children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget != nullptr && !widget->isWindow()) {
            names.prepend(widget->objectName());
        }
    }
    return names;
}

QStringList tab_order(QWidget& window) {
    QStringList names;
    QWidget* first = window.focusWidget();
    QWidget* widget = first;
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) && window.isAncestorOf(widget)) {
            names.append(widget->objectName());
        }
        widget = widget->nextInFocusChain();
    } while (widget != first && names.size() < 50);
    return names;
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

    QTemporaryDir folder_;
    QString word_file_;

private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        word_file_ = folder_.filePath(QStringLiteral("words.mdb"));
        testing::write_word_file(word_file_, {QStringLiteral("kamal")});
    }

    void window_opens_as_laid_out_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("client_size");
        QTest::addColumn<bool>("sizable");
        QTest::addColumn<bool>("minimise_button");
        QTest::addColumn<QColor>("background");
        QTest::newRow("main") << "TransSchwa" << "Taviro v1.0 - Transliteration of Gurmukhi to Roman Script"
                              << QSize(467, 306) << true << true << kWindowColour;
        QTest::newRow("start") << "frmSplash" << "" << QSize(499, 321) << false << false << kWindowColour;
        QTest::newRow("table") << "GurRom_Table" << "Taviro v1.0 - Gurmukhi-Roman Transliteration Table"
                               << QSize(558, 566) << true << true << QColor(255, 255, 255);
        QTest::newRow("about") << "About" << "About Development Team" << QSize(315, 369) << false
                               << false << QColor(142, 187, 247);
    }

    void window_opens_as_laid_out() {
        QFETCH(QString, window);
        const auto made = make_window(window);
        QFETCH(QString, caption);
        QCOMPARE(made->objectName(), window);
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

    void control_opens_as_laid_out_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<int>("font_pixels");  // 0: no text of its own
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QColor>("text_colour");  // invalid: not checked
        const QColor any;
        const QColor black(0, 0, 0);
        // Main window; 15 twips make a pixel.
        QTest::newRow("Exit_Button") << "TransSchwa" << "Exit_Button" << QRect(240, 216, 81, 25) << "E&xit" << false << 11 << true << any;
        QTest::newRow("sourceFile") << "TransSchwa" << "sourceFile" << QRect(136, 120, 177, 19) << "" << false << 11 << false << any;
        QTest::newRow("cBrowse") << "TransSchwa" << "cBrowse" << QRect(328, 120, 73, 25) << "&Browse" << false << 11 << true << any;
        QTest::newRow("destFile") << "TransSchwa" << "destFile" << QRect(136, 168, 177, 19) << "" << false << 11 << false << any;
        QTest::newRow("cSave") << "TransSchwa" << "cSave" << QRect(328, 168, 73, 25) << "B&rowse" << false << 11 << true << any;
        QTest::newRow("ClickSave") << "TransSchwa" << "ClickSave" << QRect(120, 216, 81, 25) << "&Convert" << false << 11 << true << any;
        QTest::newRow("PleaseWait") << "TransSchwa" << "PleaseWait" << QRect(104, 264, 233, 17) << "Please wait, conversion is in progress..." << true << 11 << true << any;
        QTest::newRow("PleaseBlock") << "TransSchwa" << "PleaseBlock" << QRect(72, 256, 305, 33) << "" << true << 0 << false << any;
        QTest::newRow("main Image1") << "TransSchwa" << "Image1" << QRect(128, 16, 233, 97) << "" << false << 0 << false << any;
        QTest::newRow("main Label4") << "TransSchwa" << "Label4" << QRect(40, 184, 73, 17) << "(In Unicode)" << false << 11 << false << any;
        QTest::newRow("main Label3") << "TransSchwa" << "Label3" << QRect(40, 136, 65, 17) << "(In Unicode)" << false << 11 << false << any;
        QTest::newRow("main Label1") << "TransSchwa" << "Label1" << QRect(40, 120, 65, 17) << "Source File" << false << 11 << true << black;
        QTest::newRow("main Label2") << "TransSchwa" << "Label2" << QRect(40, 168, 89, 25) << "Destination File" << false << 11 << true << black;
        QTest::newRow("main Shape1") << "TransSchwa" << "Shape1" << QRect(0, 0, 465, 305) << "" << false << 0 << false << any;
        // Start window.
        QTest::newRow("Command3") << "frmSplash" << "Command3" << QRect(24, 272, 161, 25) << "&About Development Team" << false << 11 << true << any;
        QTest::newRow("Command2") << "frmSplash" << "Command2" << QRect(336, 272, 137, 25) << "&Continue >>" << false << 11 << true << any;
        QTest::newRow("Command1") << "frmSplash" << "Command1" << QRect(192, 272, 137, 25) << "&Transliteration Table" << false << 11 << true << any;
        QTest::newRow("Image2") << "frmSplash" << "Image2" << QRect(24, 24, 184, 219) << "" << false << 0 << false << any;
        QTest::newRow("start Image1") << "frmSplash" << "Image1" << QRect(256, 16, 215, 93) << "" << false << 0 << false << any;
        QTest::newRow("start Shape2") << "frmSplash" << "Shape2" << QRect(8, 256, 481, 57) << "" << false << 0 << false << any;
        QTest::newRow("start Label1") << "frmSplash" << "Label1" << QRect(248, 120, 225, 25) << "Gurmukhi-Roman Transliterator" << false << 15 << true << kGrey;
        QTest::newRow("start Label2") << "frmSplash" << "Label2" << QRect(328, 224, 153, 17) << "Linguistic adviser" << false << 11 << true << kGrey;
        QTest::newRow("start Label3") << "frmSplash" << "Label3" << QRect(352, 208, 129, 17) << "Lead developer" << false << 11 << true << kGrey;
        QTest::newRow("start Label6") << "frmSplash" << "Label6" << QRect(336, 184, 137, 17) << "Development Team" << false << 13 << true << QColor(192, 0, 0);
        QTest::newRow("start Shape1") << "frmSplash" << "Shape1" << QRect(8, 8, 481, 249) << "" << false << 0 << false << any;
        // About window.
        QTest::newRow("about Image1") << "About" << "Image1" << QRect(64, 16, 182, 78) << "" << false << 0 << false << any;
        QTest::newRow("about Label2") << "About" << "Label2" << QRect(88, 96, 137, 17) << "Development Team" << false << 13 << true << QColor(255, 128, 0);
        QTest::newRow("about Label3") << "About" << "Label3" << QRect(24, 120, 68, 17) << "Software" << false << 11 << true << kGrey;
        QTest::newRow("about Label13") << "About" << "Label13" << QRect(128, 248, 168, 17) << "the project's repository" << false << 11 << false << QColor(0, 0, 255);
        QTest::newRow("about Label20") << "About" << "Label20" << QRect(128, 336, 168, 17) << "the project's repository" << false << 11 << false << QColor(0, 0, 255);
        QTest::newRow("about Label1") << "About" << "Label1" << QRect(8, 8, 297, 353) << "" << false << 11 << false << any;
        QTest::newRow("about Shape1") << "About" << "Shape1" << QRect(0, 8, 313, 361) << "" << false << 0 << false << any;
    }

    void control_opens_as_laid_out() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        const auto made = make_window(window);
        const auto* found = made->findChild<QWidget*>(control, Qt::FindDirectChildrenOnly);
        QVERIFY2(found != nullptr, qPrintable(control));
        QFETCH(QRect, geometry);
        QCOMPARE(layout_rect(*found), geometry);
        QFETCH(QString, text);
        if (const auto* button = qobject_cast<const QPushButton*>(found)) {
            QCOMPARE(button->text(), text);
        } else if (const auto* label = qobject_cast<const QLabel*>(found); label && label->pixmap().isNull()) {
            QCOMPARE(label->text(), text);
        } else if (const auto* box = qobject_cast<const QLineEdit*>(found)) {
            QCOMPARE(box->text(), text);
        }
        QFETCH(bool, hidden);
        QCOMPARE(found->isHidden(), hidden);
        QFETCH(int, font_pixels);
        QFETCH(bool, bold);
        if (font_pixels != 0) {
            QCOMPARE(found->font().pixelSize(), font_pixels);
            QCOMPARE(found->font().bold(), bold);
        }
        QFETCH(QColor, text_colour);
        if (text_colour.isValid()) {
            QCOMPARE(found->palette().color(QPalette::WindowText), text_colour);
        }
    }

    void controls_stack_as_laid_out_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("front_to_back");
        QTest::newRow("main") << "TransSchwa"
                              << QStringList{"Exit_Button", "sourceFile", "cBrowse", "destFile", "cSave",
                                             "ClickSave", "PleaseWait", "PleaseBlock", "Image1", "Label4",
                                             "Label3", "Label1", "Label2", "Shape1"};
        QTest::newRow("start") << "frmSplash"
                               << QStringList{"Command3", "Command2", "Command1", "Image2", "Image1", "Shape2",
                                              "lblPlatform", "Label1", "Label2", "Label3", "Label6", "Shape1"};
        QStringList about{"Image1"};
        for (int label = 3; label <= 20; ++label) {
            about.append(QStringLiteral("Label%1").arg(label));
        }
        about << "Label2" << "Label1" << "Shape1";
        QTest::newRow("about") << "About" << about;
        QTest::newRow("table") << "GurRom_Table" << QStringList{};
    }

    void controls_stack_as_laid_out() {
        QFETCH(QString, window);
        QFETCH(QStringList, front_to_back);
        QCOMPARE(stacking_front_to_back(*make_window(window)), front_to_back);
    }

    void focus_and_default_button_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("tab_order");
        QTest::addColumn<QString>("default_button");
        QTest::newRow("main") << "TransSchwa"
                              << QStringList{"sourceFile", "cBrowse", "destFile", "cSave", "ClickSave", "Exit_Button"}
                              << "ClickSave";
        QTest::newRow("start") << "frmSplash" << QStringList{"Command2", "Command1", "Command3"} << "Command2";
    }

    // The first of the tab order has the focus when the window opens.
    void focus_and_default_button() {
        QFETCH(QString, window);
        const auto made = make_window(window);
        QFETCH(QStringList, tab_order);
        QCOMPARE(made->focusWidget()->objectName(), tab_order.constFirst());
        QCOMPARE(::tab_order(*made), tab_order);
        QFETCH(QString, default_button);
        for (const QPushButton* button : made->findChildren<QPushButton*>()) {
            QCOMPARE(button->isDefault(), button->objectName() == default_button);
        }
    }

    void pictures_show_at_their_size_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QSize>("picture_size");
        QTest::addColumn<bool>("stretched");
        QTest::newRow("main logo") << "TransSchwa" << "Image1" << QSize(233, 97) << false;
        QTest::newRow("start logo") << "frmSplash" << "Image1" << QSize(215, 93) << false;
        QTest::newRow("clip-art") << "frmSplash" << "Image2" << QSize(145, 243) << true;
        QTest::newRow("about logo") << "About" << "Image1" << QSize(182, 78) << false;
    }

    void pictures_show_at_their_size() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        const auto made = make_window(window);
        const auto* picture = made->findChild<QLabel*>(control);
        QVERIFY(picture != nullptr);
        QFETCH(QSize, picture_size);
        QCOMPARE(picture->pixmap().size(), picture_size);
        QFETCH(bool, stretched);
        QCOMPARE(picture->hasScaledContents(), stretched);
    }

    void table_window_holds_the_whole_table_picture() {
        const TableWindow table;
        QCOMPARE(table.picture().size(), QSize(544, 700));
    }

    // Not the platform the layout was drawn on, but the one the program runs on.
    void platform_line_names_this_system_within_its_width() {
        const StartWindow start;
        const auto* platform = start.findChild<QLabel*>(QStringLiteral("lblPlatform"));
        QVERIFY(platform != nullptr);
        QCOMPARE(platform->text().toLower(), QStringLiteral("platform: ") + QSysInfo::kernelType().toLower());
        QVERIFY(platform->fontMetrics().horizontalAdvance(platform->text()) <= platform->width());
        QCOMPARE(platform->geometry(), QRect(276, 160, 202, 16));
    }

    // A stand-in font may run wider than the one the layout was measured in;
    // a one-line caption must still show whole.
    void one_line_captions_fit_their_labels() {
        for (const QString& name : {QStringLiteral("frmSplash"), QStringLiteral("About"), QStringLiteral("TransSchwa")}) {
            const auto made = make_window(name);
            for (const QLabel* label : made->findChildren<QLabel*>()) {
                if (label->pixmap().isNull() && !label->wordWrap()) {
                    QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                             qPrintable(name + u' ' + label->objectName()));
                }
            }
        }
    }
};

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
