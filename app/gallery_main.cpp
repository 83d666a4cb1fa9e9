// quorvel-gallery OUTDIR [DATAFOLDER]: saves a picture of every window as OUTDIR/<ClassName>.png.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

#include "banking/sample_company.h"
#include "store/error.h"
#include "store/table.h"
#include "ui/apptitle.h"
#include "ui/gallery.h"
#include "ui/messages.h"
#include "ui/readonlylook.h"

namespace {

void settle(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

}  // namespace

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    // Settings of the gallery's own, so a placement saved by a real run does not move pictures.
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    QApplication app(argc, argv);
    ui::installReadOnlyLook(app);
    ui::setApplicationTitle(QStringLiteral("Quorvel Version 4.1"));
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: quorvel-gallery OUTDIR [DATAFOLDER]\n");
        return 2;
    }
    const QString out = args.at(1);
    QDir().mkpath(out);
    const bool ownFolder = args.size() < 3;
    const QString folder = ownFolder ? home.path() + "/data" : args.at(2);

    store::Connection connection;
    QString coyName;
    try {
        connection.connectToFolder(folder);
        // Without a folder of the user's, every window is pictured over one complete book,
        // made before any window so that no window's own sample data comes first.
        if (ownFolder) {
            banking::sample::makeDemoCompany(connection, QDate::currentDate());
            banking::sample::postDemoEntries(connection, 60, QDate::currentDate(), 1, 60);
        }
        store::Table control(connection, "QVCntrl.DBF");
        control.setIndexName("COYCODE");
        control.open();
        coyName = control.text("BUSNAME");
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    gallery::Context context{connection, connection.path(), 1, coyName};
    // The alias of every window's own connection points at the same folder.
    QFile aliases(home.path() + "/config/quorvel/aliases.ini");
    QDir().mkpath(home.path() + "/config/quorvel");
    if (aliases.open(QIODevice::WriteOnly))
        aliases.write(("[NRV]\nPath=" + connection.path() + "\n").toUtf8());
    aliases.close();

    gallery::registerAppWindows();
    gallery::registerLedgerWindows();
    gallery::registerReportsWindows();
    gallery::registerBankingWindows();
    gallery::registerBankEntryWindows();
    gallery::registerSupplierWindows();
    gallery::registerPaymentEntryWindows();
    gallery::registerReconciliationWindows();
    gallery::registerCashWindows();
    gallery::registerChequeWindows();
    gallery::registerTaxWindows();
    gallery::registerTaxSettingsAndAuditWindows();
    gallery::registerBudgetWindows();
    gallery::registerStatementWindows();
    gallery::registerExchangeWindows();

    ui::MessageScript quiet;  // a window that complains on opening must not block the gallery
    int failures = 0;
    for (const gallery::Entry& entry : gallery::entries()) {
        QWidget* window = nullptr;
        try {
            window = entry.make(context);
            window->show();
            settle(150);
            const QString file = out + "/" + entry.name + ".png";
            if (!window->grab().save(file)) ++failures;
            std::printf("%s\n", qPrintable(file));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(entry.name), e.what());
            ++failures;
        }
        if (window) {
            window->hide();
            delete window;
        }
    }
    for (const QString& text : quiet.texts())
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    return failures == 0 ? 0 : 1;
}
