// quorvel-posting-worker FOLDER COUNT SEED: a second program for the reliability tests. Posts
// COUNT bank entries into the demo company's cheque account exactly as the bank transaction
// window saves them (number reserved, checks, post), and among them cheques of one to four lines
// as payment entry saves them, printing "saved" after each.
#include "banking/bank_posting.h"
#include "payments/payment_entry.h"
#include "store/error.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <cstdio>

namespace {

// A cheque (numbered from LASTCHQ, which no bank entry uses) of one to four lines.
bool enterCheque(store::Connection& c, int coy, const QDate& date, QRandomGenerator& rng)
{
    payments::NewPayment p;
    p.coy = coy;
    p.bankCode = QStringLiteral("030100");
    p.acctNo = QStringLiteral("0123456-00");
    p.type = payments::PayType::Cheque;
    p.date = date;
    p.supplier = rng.bounded(2) ? QStringLiteral("Corner dairy") : QString();
    const int lines = 1 + int(rng.bounded(4));
    for (int i = 0; i < lines; ++i)
        p.lines.push_back({rng.bounded(2) ? QStringLiteral("MOTOR") : QStringLiteral("RENT"),
                           double(rng.bounded(1, 50000)) / 100.0, rng.bounded(3) == 0});
    const payments::EnteredPayment r = payments::enterPayment(c, p, banking::alwaysYes);
    if (!r.result.ok())
        std::fprintf(stderr, "cheque not saved: %s %s\n", qPrintable(r.result.message),
                     qPrintable(r.result.detail));
    return r.result.ok();
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: quorvel-posting-worker FOLDER COUNT SEED\n");
        return 2;
    }
    const int count = args[2].toInt();
    QRandomGenerator rng(args[3].toUInt());
    try {
        store::Connection c;
        c.connectToFolder(args[1]);
        const banking::Company company = banking::readCompany(c);
        for (int i = 0; i < count; ++i) {
            banking::BankEntry e;
            e.coy = company.coy;
            e.bankCode = QStringLiteral("030100");
            e.acctNo = QStringLiteral("0123456-00");
            e.date = QDate(2025, 4, 1).addDays(rng.bounded(365));
            e.amount = double(rng.bounded(1, 100000)) / 100.0;
            const int roll = int(rng.bounded(12));
            if (roll >= 10) {
                if (!enterCheque(c, company.coy, e.date, rng)) return 1;
                std::printf("saved\n");
                std::fflush(stdout);
                continue;
            }
            QString ledger;
            if (roll < 4) {
                e.type = banking::EntryType::Deposit;
                ledger = QStringLiteral("SALESCAFE");
            } else if (roll < 7) {
                e.type = banking::EntryType::Withdrawal;
                ledger = QStringLiteral("RENT");
            } else if (roll < 8) {
                e.type = banking::EntryType::Interest;
                ledger = QStringLiteral("INTEREST");
            } else if (roll < 9) {
                e.type = banking::EntryType::Fees;
                ledger = QStringLiteral("BANKFEES");
            } else {
                e.type = banking::EntryType::Transfer;
                e.destBank = QStringLiteral("120300");
                e.destAcct = QStringLiteral("7654321-01");
            }
            if (!ledger.isEmpty()) {
                const auto account = banking::findLedgerAccount(c, company.coy, ledger);
                e.ledgerAccount = ledger;
                e.source = QStringLiteral("Misc");
                e.narrative = account->descr;
                e.tax = banking::proposedTax(e.type, company, *account, e.amount);
            }
            e.reference = banking::reserveReferenceNumber(c, company.coy, e.bankCode, e.acctNo);
            const auto r = banking::saveBankEntry(c, e, banking::EntryMode::Add, banking::alwaysYes);
            if (!r.ok()) {
                std::fprintf(stderr, "entry %d not saved: %s %s\n", i, qPrintable(r.message),
                             qPrintable(r.detail));
                return 1;
            }
            std::printf("saved\n");
            std::fflush(stdout);
        }
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    return 0;
}
