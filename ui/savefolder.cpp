#include "ui/savefolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtDebug>

#include "store/inifile.h"
#include "store/paths.h"

namespace ui {

namespace {

store::IniFile settings() { return store::IniFile(store::paths::programFolder() + "NRVRpts.ini"); }

const QString kSection = QStringLiteral("SaveFiles");
const QString kKey = QStringLiteral("Last_Folder");

}  // namespace

QString saveFolder() {
    const QString last = settings().readString(kSection, kKey);
    if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

void rememberSaveFolder(const QString& savedFile) {
    try {
        settings().writeString(kSection, kKey, QFileInfo(savedFile).absolutePath());
    } catch (const std::exception& e) {
        qWarning("The last folder saved to is not remembered: %s", e.what());
    }
}

}  // namespace ui
