// The pictures: the table picture presents the engine's own character map, and
// the committed files have the sizes the windows are laid out for.
#include <QImage>
#include <QtTest>

#include "pictures.h"
#include "taviro/engine.h"

using namespace taviro;
using namespace taviro::pictures;

class TablePictureTest : public QObject {
    Q_OBJECT

private slots:
    void table_presents_every_map_row_in_order() {
        const std::vector<TableEntry> entries = table_entries();
        QCOMPARE(entries.size(), kMapRows);
        for (std::size_t row = 0; row < kMapRows; ++row) {
            const MapRow& map_row = shown_character_map()[row];
            const TableEntry& entry = entries[row];
            QVERIFY2(entry.gurmukhi.endsWith(QChar(map_row.code_point)), qPrintable(QString::number(row)));
            QCOMPARE(entry.roman.toStdU16String(), std::u16string(map_row.roman));
        }
    }

    void table_notes_the_marker_rows_data() {
        QTest::addColumn<int>("code_point");
        QTest::addColumn<int>("note");
        QTest::newRow("addak doubles") << 0x0A71 << int(TableNote::doubling);
        // Before: iri and ura marked "[No Conversion Available]", which a conversion contradicts.
        QTest::newRow("iri read as i") << 0x0A72 << int(TableNote::none);
        QTest::newRow("ura read as u") << 0x0A73 << int(TableNote::none);
        QTest::newRow("ka plain") << 0x0A15 << int(TableNote::none);
    }

    void table_notes_the_marker_rows() {
        QFETCH(int, code_point);
        QFETCH(int, note);
        const std::vector<TableEntry> entries = table_entries();
        QCOMPARE(int(entries.at(find_map_row(static_cast<char16_t>(code_point))).note), note);
    }

    // A sign that joins a letter is shown on a dotted circle, never alone.
    void signs_sit_on_a_dotted_circle() {
        const std::vector<TableEntry> entries = table_entries();
        QCOMPARE(entries.at(find_map_row(u'\u0A3E')).gurmukhi, QStringLiteral("\u25CC\u0A3E"));
        QCOMPARE(entries.at(find_map_row(u'\u0A15')).gurmukhi, QStringLiteral("\u0A15"));
    }

    void committed_pictures_have_their_sizes_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::newRow("icon") << "icon.png" << kIconSize;
        QTest::newRow("main logo") << "logo-main.png" << kMainLogoSize;
        QTest::newRow("start logo") << "logo-start.png" << kStartLogoSize;
        QTest::newRow("about logo") << "logo-about.png" << kAboutLogoSize;
        QTest::newRow("clip-art") << "clip-art.png" << kClipArtSize;
        QTest::newRow("table") << "table.jpg" << kTablePictureSize;
    }

    void committed_pictures_have_their_sizes() {
        QFETCH(QString, file);
        const QImage image(QStringLiteral(TAVIRO_PICTURES_DIR "/") + file);
        QVERIFY2(!image.isNull(), qPrintable(file));
        QFETCH(QSize, size);
        QCOMPARE(image.size(), size);
    }

    void icon_has_sixteen_colours_at_most() {
        const QImage icon(QStringLiteral(TAVIRO_PICTURES_DIR "/icon.png"));
        QVERIFY(icon.colorCount() > 0);
        QVERIFY(icon.colorCount() <= 16);
    }
};

QTEST_MAIN(TablePictureTest)
#include "table_picture_test.moc"
