// The name of the operating system the program runs on, as the system gives it
// in short ("Linux"), for the start window's platform line.
#pragma once

#include <QString>

namespace taviro::ui {

QString platform_name();

}  // namespace taviro::ui
