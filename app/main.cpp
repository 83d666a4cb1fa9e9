// Quorvel: the main window is the only window created at start-up; the program ends with it.
#include "app/datafolderstart.h"
#include "app/mainform.h"
#include "ui/apptitle.h"
#include "ui/errorhandler.h"

int main(int argc, char** argv) {
    ui::QuorvelApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    ui::setApplicationTitle(QStringLiteral("Quorvel Version 4.1"));

    // A data folder that cannot be opened is settled with the user before anything connects;
    // choosing to end there leaves every file as it was.
    bool settled = false;
    if (!ui::guarded(nullptr, [&] { settled = app::settleDataFolder(); })) return 1;
    if (!settled) return 0;

    TQVMainForm mainForm;
    mainForm.show();
    return app.exec();
}
