// The about window: the logo and the roles of the development team. No
// behaviour of its own; it is shown and closed by others.
#pragma once

#include <QWidget>

namespace taviro::ui {

class AboutWindow final : public QWidget {
    Q_OBJECT

public:
    AboutWindow();

private:
    void build_controls();
};

}  // namespace taviro::ui
