// The table window: a picture of the transliteration table, drawn at its
// natural size from the top-left corner. The picture is taller than the window;
// enlarging the window shows its lower rows. It has no controls and no
// scrolling.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace taviro::ui {

class TableWindow final : public QWidget {
    Q_OBJECT

public:
    TableWindow();

    const QPixmap& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

}  // namespace taviro::ui
