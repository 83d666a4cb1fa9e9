#pragma once
// A small book for the export and import tests, made through the real posting rules: bank
// entries (one with a description holding a comma, a quote and a line break), a private-share
// account and a wholly private one, interest, a transfer, payments by cheque, electronic
// transfer and cash, and a cash transaction; and a second, empty data folder with the same
// company, accounts and bank accounts to import into.
#include <QFile>

#include "cash/cash_lines.h"
#include "exchange/export_writers.h"
#include "payments/payment_fixture.h"
#include "support/temp_folder.h"

namespace exchange_test {

using namespace payment_test;
using namespace banking;

// The narrative every export must carry through whole.
inline const QString kAwkward = QStringLiteral("Paid, \"in full\"\nthanks");

class ExchangeTest : public PaymentTest {
protected:
    static inline const QDate kStart{2025, 6, 1};
    static inline const QDate kEnd{2025, 6, 30};

    void post(EntryType type, double amount, const QString& ledger, const QString& acct,
              const QString& narrative = QStringLiteral("Rent received")) {
        BankEntry e = entry(type, amount, ledger);
        e.bankCode = acct == kAcctA ? kBankA : kBankB;
        e.acctNo = acct;
        e.narrative = narrative;
        ASSERT_TRUE(add(e).ok());
    }

    void makeBook() {
        post(EntryType::Deposit, 115.0, QStringLiteral("SALES"), kAcctA, kAwkward);
        post(EntryType::Withdrawal, 115.0, QStringLiteral("RENT"), kAcctB);
        post(EntryType::Withdrawal, 100.0, QStringLiteral("MOTOR"), kAcctB);
        post(EntryType::Withdrawal, 50.0, QStringLiteral("HOME"), kAcctB);
        post(EntryType::Interest, 10.0, QStringLiteral("INTEREST"), kAcctA);
        BankEntry t = entry(EntryType::Transfer, 20.0, {});
        t.destBank = kBankB;
        t.destAcct = kAcctB;
        ASSERT_TRUE(add(t).ok());
        enter(payment(PayType::Cheque,
                      {{QStringLiteral("RENT"), 230.0}, {QStringLiteral("MOTOR"), 50.0}}));
        enter(
            payment(PayType::Electronic, {{QStringLiteral("RENT"), 57.5}}, QStringLiteral("BOB")));
        enter(payment(PayType::Cash, {{QStringLiteral("RENT"), 11.5}}));
        cash::CashEntry ce;
        ce.number = cash::nextCashNumber(c, 1);
        ce.acctCode = QStringLiteral("SALES");
        ce.date = QDate(2025, 6, 4);
        ce.narrative = QStringLiteral("Market stall");
        ce.amount = 23.0;
        ce.tax = 3.0;
        ce.companyTaxable = true;
        ASSERT_TRUE(cash::saveCashLine(c, ce).ok);
    }

    exchange::ExportRequest request(const QString& folder) {
        exchange::ExportRequest r;
        r.range = {1, kStart, kEnd};
        r.folder = folder;
        r.firstCode = QStringLiteral("CHQ1");
        r.secondCode = QStringLiteral("BNK2");
        r.today = QDate(2025, 7, 1);
        return r;
    }

    static QString fileText(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
};

}  // namespace exchange_test
