#pragma once
// A small book for the report tests, made the way the program makes one: the company,
// departments, ledger accounts and bank accounts as their maintenance windows write them, the
// opening balance through the opening-balance update, every bank entry through the posting
// of bank entries and every cash line through the cash transaction rules, so that the reports
// read what posting writes. Only what no rule writes is written field by field: a reconciled
// statement balance, and cash lines the cash window would refuse or never writes (a zero
// amount, a business amount or company number given by hand).

#include <QDate>
#include <QMap>
#include <QSet>
#include <QString>
#include <optional>
#include <stdexcept>

#include "banking/bank_posting.h"
#include "banking/opening_balance.h"
#include "banking/sample_company.h"
#include "cash/cash_lines.h"
#include "store/connection.h"
#include "store/keys.h"
#include "store/table.h"

namespace testbook {

struct Line {
    QString acct;
    QDate date;
    double amount = 0;
    std::optional<double> busamt;  // cash lines: the amount when not given
    double gst = 0;
    QString bankAcct;  // empty: a cash line not tied to a bank entry ("0-0-0")
    QString coy = QStringLiteral("1");
};

class Book {
public:
    explicit Book(store::Connection& c, int coy = 1) : c_(c), coy_(coy) {}

    void company(const QString& name) {
        banking::sample::setCompany(c_, name, kBusCode, true, 15.0);
    }

    void department(int branch, const QString& deptCode, const QString& name) {
        banking::sample::addDepartment(c_, coy_, branch, deptCode, kBusCode, name);
    }

    // type "INC" or "EXP"; inclPl 1 for a profit-and-loss account; branch 0 at company level.
    void account(const QString& code, const QString& type, int inclPl = 1, int allocPer = 0,
                 int branch = 0, const QString& descr = {}) {
        banking::sample::LedgerSpec s;
        s.code = code;
        s.descr = descr.isEmpty() ? code + " account" : descr;
        s.typeCode = type;
        s.branch = branch;
        s.inclPl = inclPl == 1;
        s.allocPer = allocPer;
        banking::sample::addLedgerAccount(c_, coy_, s);
        types_[code] = type;
        branches_[code] = branch;
    }

    // A bank account opened on `start` with its opening balance, through the opening-balance
    // update (every question answered Yes).
    void bankAccount(const QString& acctNo, const QString& desc, double initBal, const QDate& start,
                     const QString& bankCode = QStringLiteral("030100")) {
        if (!banks_.contains(bankCode)) {
            banking::sample::addBank(c_, bankCode, QStringLiteral("Bank ") + bankCode,
                                     QStringLiteral("Main"));
            banks_.insert(bankCode);
        }
        banking::sample::BankAccountSpec s;
        s.bankCode = bankCode;
        s.acctNo = acctNo;
        s.desc = desc;
        banking::sample::addBankAccount(c_, coy_, kBusCode, s);
        const auto saved = banking::updateOpeningBalance(
            c_, coy_, bankCode, acctNo, initBal, start,
            [](banking::OpeningQuestion, const QString&) { return true; }, [](const QString&) {});
        if (saved != banking::OpeningUpdate::Saved)
            throw std::runtime_error("opening balance not saved");
        bankCodes_[acctNo] = bankCode;
    }

    // What a completed reconciliation leaves on the bank account: OPENBAL moves to the
    // reconciled statement balance.
    void reconcile(const QString& acctNo, double statementBalance, const QDate& date) {
        store::Table t(c_, "QVBnkAct.DBF");
        t.setIndexName("ACCTNO");
        t.open();
        if (!t.findKey(acctNo)) return;
        t.edit();
        t.setValue("OPENBAL", statementBalance);
        t.setValue("REC_DATE", date);
        t.post();
    }

    // A journal line. With a bank account it is a deposit (income account) or withdrawal
    // (expense account) posted as the bank transaction window posts it, its tax as typed;
    // without one it is a cash line.
    void line(const Line& l) {
        if (l.bankAcct.isEmpty())
            cashLine(l);
        else
            bankEntry(l);
    }

    void loanAccount(const QString& code) {
        store::Table t(c_, "QVDepCntr.DBF");
        t.open();
        t.insert();
        t.setValue("COYCODE", coy_);
        t.setValue("CAPCODE3", code);
        t.post();
    }

private:
    inline static const QString kBusCode = QStringLiteral("HC");

    void bankEntry(const Line& l) {
        banking::BankEntry e;
        e.coy = coy_;
        e.bankCode = bankCodes_.value(l.bankAcct, QStringLiteral("030100"));
        e.acctNo = l.bankAcct;
        e.type = types_.value(l.acct) == QLatin1String("EXP") ? banking::EntryType::Withdrawal
                                                              : banking::EntryType::Deposit;
        e.date = l.date;
        e.amount = l.amount;
        e.tax = l.gst;
        e.ledgerAccount = l.acct;
        e.source = QStringLiteral("Misc");
        e.narrative = QStringLiteral("Line for ") + l.acct;
        e.reference = banking::reserveReferenceNumber(c_, coy_, e.bankCode, e.acctNo);
        const banking::SaveResult r =
            banking::saveBankEntry(c_, e, banking::EntryMode::Add, banking::alwaysYes);
        if (!r.ok()) throw std::runtime_error(r.message.toStdString());
    }

    void cashLine(const Line& l) {
        if (l.busamt || l.coy != QString::number(coy_) || !(l.amount > 0))
            return handWrittenCashLine(l);
        cash::CashEntry e;
        e.coy = coy_;
        e.number = cash::nextCashNumber(c_, coy_);
        e.acctCode = l.acct;
        e.date = l.date;
        e.narrative = QStringLiteral("Line for ") + l.acct;
        e.amount = l.amount;
        e.tax = l.gst;
        e.companyTaxable = true;
        const cash::CashResult r = cash::saveCashLine(c_, e);
        if (!r.ok) throw std::runtime_error(r.message.toStdString());
    }

    void handWrittenCashLine(const Line& l) {
        const QString type = types_.value(l.acct, QStringLiteral("INC"));
        const int branch = branches_.value(l.acct, 0);
        const QString none = QString::fromLatin1(store::keys::kNoBankEntry);
        store::Table t(c_, "QVActTr.DBF");
        t.open();
        t.insert();
        const QString link =
            store::keys::journalLinkCode(store::keys::accountLinkCode(coy_, branch), coy_);
        t.setValue("COYCODE", l.coy);
        t.setValue("BRANCH", branch);
        t.setValue("LINKCODE", link);
        t.setValue("ACCTCODE", l.acct);
        t.setValue("FULLCODE", store::keys::fullCodeFromLink(link, l.acct));
        t.setValue("TRANDATE", l.date);
        t.setValue("DESC", QStringLiteral("Line for ") + l.acct);
        t.setValue("AMOUNT", l.amount);
        t.setValue("BUSAMT", l.busamt.value_or(l.amount));
        t.setValue("GSTAMT", l.gst);
        t.setValue("HASGST", l.gst != 0 ? 1 : 0);
        t.setValue("GSTTYPE", "N");
        t.setValue("TRANTYPE", type == "INC" ? "I" : "E");
        t.setValue("REASON", "CSH");
        t.setValue("BNKLINKNO", none);
        t.setValue("BNKTRNLNK", none);
        t.setValue("HASBNKACCT", 0);
        t.post();
    }

    store::Connection& c_;
    int coy_;
    QMap<QString, QString> types_;
    QMap<QString, int> branches_;
    QMap<QString, QString> bankCodes_;
    QSet<QString> banks_;
};

}  // namespace testbook
