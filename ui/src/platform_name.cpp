#include "platform_name.h"

#include <sys/utsname.h>

#include <QSysInfo>

namespace taviro::ui {

QString platform_name() {
    utsname system{};
    if (uname(&system) == 0 && system.sysname[0] != '\0') {
        return QString::fromLocal8Bit(system.sysname);
    }
    return QSysInfo::kernelType();
}

}  // namespace taviro::ui
