#pragma once
// A company at 15 % with a taxable sales account, a zero-rated export account, rent, a
// half-private car and a wholly private home account, and the November-December 2025 lines of
// a two-monthly return posted through the bank entry, payment and cash rules.

#include "cash/cash_lines.h"
#include "payments/payment_fixture.h"
#include "tax/tax_period.h"

namespace tax_test {

inline const tax::TaxPeriod kNovDec{QDate(2025, 11, 1), QDate(2025, 12, 31)};

class TaxBookTest : public payment_test::PaymentTest {
protected:
    qint64 cashSaleEndDate = 0;  // row of the cash sale dated the period's last day
    qint64 rentPayment = 0;      // number of the rent payment
    qint64 salesDeposit = 0;     // reference of the bank deposit of sales

    void SetUp() override {
        PaymentTest::SetUp();
        sample::addLedgerAccount(c, 1, {"EXPORT", "Export sales", "INC", 0, true});
        sample::addLedgerAccount(c, 1,
                                 {"CAR", "Car", "EXP", 0, true, "O", true, 50, "DRAWINGS", 0});
    }

    // An entry of bank account A with the tax the window proposes, or the tax given.
    qint64 deposit(const QString& acct, double amount, const QDate& date,
                   banking::EntryType type = banking::EntryType::Deposit,
                   std::optional<double> tax = std::nullopt) {
        banking::BankEntry e = entry(type, amount, acct, date);
        if (tax) e.tax = *tax;
        const banking::SaveResult r = add(e);
        EXPECT_TRUE(r.ok()) << r.message.toStdString();
        return e.reference;
    }

    qint64 cashSale(double amount, double tax, const QDate& date) {
        cash::CashEntry e;
        e.number = cash::nextCashNumber(c, 1);
        e.acctCode = QStringLiteral("SALES");
        e.date = date;
        e.narrative = QStringLiteral("Counter sales");
        e.amount = amount;
        e.tax = tax;
        e.companyTaxable = true;
        const cash::CashResult r = cash::saveCashLine(c, e);
        EXPECT_TRUE(r.ok) << r.message.toStdString();
        return r.rowId;
    }

    // No entry window marks a line zero-rated; the import of transaction files does.
    void markZeroRated(const QString& acct) {
        c.exec(QStringLiteral("UPDATE QVACTTR SET ZERORATED = 1 WHERE ACCTCODE = '%1'").arg(acct));
    }

    // Sales 1150.00 (tax 150.00) by bank and 230.00 (30.00) in cash on the last day, an export
    // of 2000.00, rent 575.00 (75.00) paid to ACME, car 460.00 (60.00, half private), home
    // 345.00 (wholly private), interest 10.00; a cash sale of 115.00 the day after the period.
    void postNovemberDecember() {
        salesDeposit = deposit("SALES", 1150.00, QDate(2025, 11, 3));
        deposit("EXPORT", 2000.00, QDate(2025, 11, 10), banking::EntryType::Deposit, 0.0);
        markZeroRated("EXPORT");
        deposit("INTEREST", 10.00, QDate(2025, 11, 30), banking::EntryType::Interest);
        deposit("CAR", 460.00, QDate(2025, 11, 20), banking::EntryType::Withdrawal);
        deposit("HOME", 345.00, QDate(2025, 12, 1), banking::EntryType::Withdrawal);
        payments::NewPayment p =
            payment(payments::PayType::Electronic, {{QStringLiteral("RENT"), 575.00}});
        p.bankCode = kBankA;
        p.acctNo = kAcctA;
        p.date = QDate(2025, 11, 5);
        rentPayment = enter(p);
        cashSaleEndDate = cashSale(230.00, 30.00, QDate(2025, 12, 31));
        cashSale(115.00, 15.00, QDate(2026, 1, 1));
    }
};

}  // namespace tax_test
