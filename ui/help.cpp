#include "ui/help.h"

#include "store/paths.h"

#include <QDialog>
#include <QFile>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace ui {

QString helpPagePath(int context) {
    const QString folder = store::paths::shareFolder() + QStringLiteral("help/");
    const QString page = folder + (context > 0 ? QString::number(context) : QStringLiteral("index")) +
                         QStringLiteral(".html");
    return QFile::exists(page) ? page : folder + QStringLiteral("index.html");
}

void showHelp(QWidget* parent, int context) {
    // One help window for the whole program, brought forward and moved to the new page.
    static QPointer<QDialog> window;
    static QTextBrowser* browser = nullptr;
    if (!window) {
        window = new QDialog(nullptr, Qt::Window);
        window->setObjectName(QStringLiteral("HelpWindow"));
        window->setWindowTitle(QStringLiteral("Quorvel Help"));
        window->setAttribute(Qt::WA_DeleteOnClose);
        browser = new QTextBrowser(window);
        browser->setObjectName(QStringLiteral("HelpBrowser"));
        browser->setOpenExternalLinks(false);
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(browser);
        window->resize(640, 520);
    }
    browser->setSearchPaths({store::paths::shareFolder() + QStringLiteral("help/")});
    browser->setSource(QUrl::fromLocalFile(helpPagePath(context)));
    window->setProperty("helpContext", context);
    // Non-modal, but above the modal window that asked for it.
    if (parent) window->setWindowModality(Qt::ApplicationModal);
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace ui
