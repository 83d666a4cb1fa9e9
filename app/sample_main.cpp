// quorvel-sample DATAFOLDER [ENTRIES]: makes the demo company in a new data folder and posts
// ENTRIES bank entries (2000 unless given) and a tenth as many payments over the last three
// years, a dozen suppliers for every company, cash lines and recurring definitions.
#include "budgets/sample_budgets.h"
#include "banking/recurring_sample.h"
#include "banking/sample_company.h"
#include "cash/sample_cash.h"
#include "payments/sample_payments.h"
#include "payments/sample_suppliers.h"
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
        // A dozen suppliers for every company of the folder.
        int suppliers = 0;
        {
            store::Table control(c, QStringLiteral("QVCntrl.DBF"));
            control.setIndexName(QStringLiteral("COYCODE"));
            control.open();
            for (control.first(); control.hasRecord() && !control.eof(); control.next())
                suppliers += payments::sample::addDemoSuppliers(c, int(control.integer("COYCODE")));
        }
        std::printf("Made the demo company in %s with %d bank entries and %d suppliers.\n",
                    qPrintable(c.path()), posted, suppliers);
        const int paid = payments::sample::postDemoPayments(c, entries / 10, today);
        std::printf("Entered %d payments to suppliers.\n", paid);
        const int cashLines = cash::sample::addDemoCashLines(c, today);
        std::printf("Added %d cash lines.\n", cashLines);
        banking::sample::addDemoDefinitions(c, today);
        std::printf("Added recurring rent, wages and a loan repayment.\n");
        const int budgetsMade = budgets::sample::addDemoBudgets(c, 1, today);
        std::printf("Made %d budgets.\n", budgetsMade);
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    return 0;
}
