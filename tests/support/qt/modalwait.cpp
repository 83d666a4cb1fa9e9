#include "support/qt/modalwait.h"

#include <QTemporaryDir>

namespace testing_support {

void useTemporaryHome() {
    static QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
}

}  // namespace testing_support
