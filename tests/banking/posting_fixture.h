#pragma once
// A small company for the posting tests: GST 15 %, one department, two banks and two bank
// accounts (A with an overdraft limit of 500 and a balance of 100, B without overdraft holding
// 1000), and ledger accounts with and without tax and private shares.

#include <gtest/gtest.h>

#include <QStringList>

#include "banking/bank_posting.h"
#include "banking/sample_company.h"
#include "ledger/account_totals.h"
#include "store/query.h"
#include "store/table.h"
#include "support/temp_folder.h"

namespace posting_test {

using namespace banking;
namespace sample = banking::sample;

inline const QString kBankA = QStringLiteral("030100");
inline const QString kAcctA = QStringLiteral("1111111-00");
inline const QString kBankB = QStringLiteral("120300");
inline const QString kAcctB = QStringLiteral("2222222-00");

class PostingTest : public ::testing::Test {
protected:
    TempDataFolder folder;
    store::Connection& c = folder.connection;
    QStringList questions;  // every question asked, in order
    bool answer = true;     // how they are answered

    Confirm confirm() {
        return [this](const Confirmation& q) {
            questions << q.text;
            return answer;
        };
    }

    void SetUp() override {
        sample::setCompany(c, QStringLiteral("Test Traders"), QStringLiteral("TT"), true, 15.0);
        sample::addDepartment(c, 1, 1, QStringLiteral("SHOP"), QStringLiteral("TT"),
                              QStringLiteral("Shop"));
        const QString inc = QStringLiteral("INC"), exp = QStringLiteral("EXP");
        for (const sample::LedgerSpec& s : std::vector<sample::LedgerSpec>{
                 {"SALES", "Sales", inc, 0, true},
                 {"SHOPSALES", "Shop sales", inc, 1, true},
                 {"INTEREST", "Interest received", inc, 0, false},
                 {"RENT", "Rent", exp, 0, true},
                 {"BANKFEES", "Bank fees", exp, 0, false},
                 {"MOTOR", "Motor vehicle", exp, 0, true, "O", true, 30, "DRAWINGS", 0},
                 {"HOME", "Home costs", exp, 0, true, "O", true, 100, "DRAWINGS", 0},
                 {"DRAWINGS", "Drawings", exp, 0, false, "O", false},
             })
            sample::addLedgerAccount(c, 1, s);
        sample::addBank(c, kBankA, QStringLiteral("Kauri Bank"), QStringLiteral("Main"));
        sample::addBank(c, kBankB, QStringLiteral("Harbour Bank"), QStringLiteral("Main"));
        sample::addBankAccount(
            c, 1, QStringLiteral("TT"),
            {kBankA, kAcctA, "Cheque", true, 0, true, 500.0, 100.0, QDate(2025, 4, 1)});
        sample::addBankAccount(
            c, 1, QStringLiteral("TT"),
            {kBankB, kAcctB, "Savings", false, 0, false, 0.0, 1000.0, QDate(2025, 4, 1)});
    }

    // Whatever a test posted, edited or deleted, the totals per account and month still
    // agree with the lines.
    void TearDown() override { EXPECT_EQ(ledger::totalsDifferences(c), QStringList{}); }

    BankEntry entry(EntryType type, double amount, const QString& ledger,
                    const QDate& date = QDate(2025, 6, 2)) {
        BankEntry e;
        e.coy = 1;
        e.bankCode = kBankA;
        e.acctNo = kAcctA;
        e.type = type;
        e.date = date;
        e.amount = amount;
        e.ledgerAccount = ledger;
        e.source = QStringLiteral("EFTPOS");
        e.narrative = QStringLiteral("Rent received");
        if (const auto l = findLedgerAccount(c, 1, ledger))
            e.tax = proposedTax(type, readCompany(c), *l, amount);
        return e;
    }

    // A new entry as the window saves it: number reserved, checks, post.
    SaveResult add(BankEntry& e) {
        e.reference = reserveReferenceNumber(c, 1, e.bankCode, e.acctNo);
        return saveBankEntry(c, e, EntryMode::Add, confirm());
    }

    // Entries on account A, each named by its type, amount, ledger account and date.
    struct Posting {
        EntryType type;
        double amount;
        const char* account;
        QDate date;
    };
    void addAll(const std::vector<Posting>& postings) {
        for (const Posting& p : postings) {
            BankEntry e = entry(p.type, p.amount, QString::fromLatin1(p.account), p.date);
            ASSERT_TRUE(add(e).ok()) << p.account;
        }
    }

    double balance(const QString& bank, const QString& acct) {
        return findBankAccount(c, 1, bank, acct)->currBal;
    }

    qint64 count(const QString& sql, const QVariantMap& params = {}) {
        store::Query q(c);
        q.setSql(sql);
        for (auto it = params.begin(); it != params.end(); ++it) q.bind(it.key(), it.value());
        q.open();
        return q.value(0).toLongLong();
    }
};

}  // namespace posting_test
