#include "app/datafolderstart.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "store/datafolder.h"
#include "store/paths.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"

namespace app {

namespace {

// Where the folder dialog opens: the nearest existing folder above the one that failed.
QString nearestExistingFolder(const QString& folder) {
    QDir dir(QDir::cleanPath(folder));
    while (!dir.exists() && !dir.isRoot())
        if (!dir.cdUp()) break;
    return dir.exists() ? dir.absolutePath() : QDir::homePath();
}

enum class Choice { AnotherFolder, NewBookHere, End };

Choice askAboutFolder(QWidget* parent, const store::FolderVerdict& verdict, const QString& folder) {
    const bool canCreate = store::canStartNewBook(verdict.state);
    const QString text =
        dataFolderQuestion(store::folderProblemText(verdict, folder), folder, canCreate);
    ui::beep();
    const ui::MsgAnswer answer =
        ui::showMessage(parent, ui::MsgKind::Warning, text,
                        canCreate ? ui::MsgButtons::YesNoCancel : ui::MsgButtons::OkCancel);
    switch (answer) {
        case ui::MsgAnswer::Yes:
        case ui::MsgAnswer::Ok:
            return Choice::AnotherFolder;
        case ui::MsgAnswer::No:
            return Choice::NewBookHere;
        case ui::MsgAnswer::Cancel:
            break;
    }
    return Choice::End;
}

}  // namespace

QString chooseDataFolder(QWidget* parent, const QString& start) {
    QFileDialog dialog(parent, QStringLiteral("Choose the data folder"), start);
    dialog.setObjectName(QStringLiteral("DataFolderDialog"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

QString dataFolderQuestion(const QString& problem, const QString& folder, bool canStartNewBook) {
    const QString where = QDir::toNativeSeparators(QDir::cleanPath(folder));
    if (canStartNewBook)
        return problem + QStringLiteral(
                             "\n\nYes: choose another data folder.\nNo: start a new, empty "
                             "set of books in %1.\nCancel: end Quorvel.")
                             .arg(where);
    return problem + QStringLiteral("\n\nOK: choose another data folder.\nCancel: end Quorvel.");
}

bool settleDataFolder(QWidget* parent, const FolderChooser& choose) {
    const store::paths::AliasFolder configured = store::paths::aliasFolder(QStringLiteral("NRV"));
    QString folder = configured.folder;
    bool isDefault = configured.isDefault;
    for (;;) {
        const store::FolderVerdict verdict = store::examineDataFolder(folder, isDefault);
        bool settled = store::canOpen(verdict.state);
        if (!settled) {
            const Choice choice = askAboutFolder(parent, verdict, folder);
            if (choice == Choice::End) return false;
            if (choice == Choice::AnotherFolder) {
                const QString chosen = choose(parent, nearestExistingFolder(folder));
                if (chosen.isEmpty()) continue;
                folder = QDir::cleanPath(QFileInfo(chosen).absoluteFilePath()) + QLatin1Char('/');
                isDefault = folder == store::paths::defaultDataFolder();
                continue;
            }
            settled = ui::guarded(parent, [&] { store::startNewBook(folder); });
        }
        if (!settled) continue;
        // Every window reaches the data folder through the alias: it must name the chosen one.
        if (folder != configured.folder && !ui::guarded(parent, [&] {
                store::paths::setAliasFolder(QStringLiteral("NRV"), folder);
            }))
            return false;
        return true;
    }
}

}  // namespace app
