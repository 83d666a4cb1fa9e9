// quorvel-sample DATAFOLDER [ENTRIES]: makes the demo company in a new data folder and posts
// ENTRIES bank entries (2000 unless given) over the last three years.
#include "banking/recurring_sample.h"
#include "banking/sample_company.h"
#include "store/connection.h"
#include "store/error.h"
#include "store/table.h"

#include <QCoreApplication>
#include <QDate>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: quorvel-sample DATAFOLDER [ENTRIES]\n");
        return 2;
    }
    int entries = 2000;
    if (args.size() == 3) {
        bool ok = false;
        entries = args[2].toInt(&ok);
        if (!ok || entries < 0) {
            std::fprintf(stderr, "ENTRIES must be a whole number, not %s\n", qPrintable(args[2]));
            return 2;
        }
    }
    try {
        store::Connection c;
        c.connectToFolder(args[1]);
        {
            store::Table accounts(c, QStringLiteral("QVBnkAct.DBF"));
            accounts.open();
            if (!accounts.isEmpty()) {
                std::fprintf(stderr, "%s already holds bank accounts; give a new data folder.\n",
                             qPrintable(args[1]));
                return 1;
            }
        }
        const QDate today = QDate::currentDate();
        banking::sample::makeDemoCompany(c, today);
        const int posted = banking::sample::postDemoEntries(c, entries, today, 1, 500);
        banking::sample::addDemoDefinitions(c, today);
        std::printf("Made the demo company in %s with %d bank entries.\n", qPrintable(c.path()),
                    posted);
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    return 0;
}
