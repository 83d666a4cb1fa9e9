#pragma once
// A small book written straight into the tables, field by field as the windows that own them
// would write it: the company, departments, ledger accounts, bank accounts, bank rows and
// journal lines.

#include "store/connection.h"
#include "store/keys.h"
#include "store/table.h"

#include <QDate>
#include <QMap>
#include <QString>
#include <optional>

namespace testbook {

struct Line {
    QString acct;
    QDate date;
    double amount = 0;
    std::optional<double> busamt;  // the amount when not given
    double gst = 0;
    QString bankAcct;              // empty: a cash line not tied to a bank entry ("0-0-0")
    QString coy = QStringLiteral("1");
};

class Book {
public:
    explicit Book(store::Connection& c, int coy = 1) : c_(c), coy_(coy) {}

    void company(const QString& name) {
        store::Table t(c_, "QVCntrl.DBF");
        t.setIndexName("COYCODE");
        t.open();
        if (!t.findKey(coy_)) {
            t.insert();
            t.setValue("COYCODE", coy_);
        } else {
            t.edit();
        }
        t.setValue("BUSNAME", name);
        t.setValue("GSTENABLED", 1);
        t.setValue("GSTPERCENT", 15);
        t.post();
    }

    void department(int branch, const QString& deptCode, const QString& name) {
        store::Table t(c_, "QVCoy.DBF");
        t.open();
        t.insert();
        t.setValue("COYCODE", coy_);
        t.setValue("BRANCH", branch);
        t.setValue("LINKCODE", store::keys::linkCode(coy_, branch));
        t.setValue("DEPTCODE", deptCode);
        t.setValue("BUSNAME", name);
        t.post();
    }

    // type "INC" or "EXP"; inclPl 1 for a profit-and-loss account; branch 0 at company level.
    void account(const QString& code, const QString& type, int inclPl = 1, int allocPer = 0,
                 int branch = 0, const QString& descr = {}) {
        store::Table t(c_, "QVAccDet.DBF");
        t.open();
        t.insert();
        t.setValue("COYCODE", QString::number(coy_));
        t.setValue("BRANCH", QString::number(branch));
        t.setValue("LINKCODE", store::keys::accountLinkCode(coy_, branch));
        t.setValue("ACCTCODE", code);
        t.setValue("FULLCODE", store::keys::accountFullCode(coy_, branch, code));
        t.setValue("COYACCT", branch == 0 ? 1 : 0);
        t.setValue("TYPECODE", type);
        t.setValue("RPTCAT", type == "INC" ? "I" : "E");
        t.setValue("DESCR", descr.isEmpty() ? code + " account" : descr);
        t.setValue("INCLPL", inclPl);
        t.setValue("GSTAPPLIES", 1);
        t.setValue("ACTACTIVE", 1);
        t.setValue("DOMESTIC", allocPer > 0 ? 1 : 0);
        t.setValue("ALLOCPER", allocPer);
        t.post();
        types_[code] = type;
        branches_[code] = branch;
    }

    void bankAccount(const QString& acctNo, const QString& desc, double initBal,
                     const QDate& start, const QString& bankCode = QStringLiteral("030100")) {
        store::Table t(c_, "QVBnkAct.DBF");
        t.open();
        t.insert();
        t.setValue("COYCODE", QString::number(coy_));
        t.setValue("BANKCODE", bankCode);
        t.setValue("ACCTNO", acctNo);
        t.setValue("BANKLINK", store::keys::bankLink(coy_, bankCode, acctNo));
        t.setValue("DESC", desc);
        t.setValue("BRANCH", "0");
        t.setValue("LINKCODE", store::keys::linkCode(coy_, 0));
        t.setValue("OPENBAL", initBal);
        t.setValue("INITBAL", initBal);
        t.setValue("CURRBAL", initBal);
        t.setValue("STARTDATE", start);
        t.setValue("REC_DATE", start);
        t.setValue("RECOK", 1);
        t.setValue("LASTREFNO", 1000000);
        t.post();
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

    // A bank row (signed amount) of one of the bank accounts.
    void bankRow(const QString& acctNo, const QDate& date, double amount) {
        store::Table t(c_, "QVBnkTr.DBF");
        t.open();
        t.insert();
        const QString bank = bankCodes_.value(acctNo, QStringLiteral("030100"));
        const QString ref = QString::number(++ref_);
        t.setValue("COYCODE", coy_);
        t.setValue("BANKCODE", bank);
        t.setValue("BANKACCT", acctNo);
        t.setValue("BANKLINK", store::keys::bankLink(coy_, bank, acctNo));
        t.setValue("LINKCODE", QString::number(coy_));
        t.setValue("BNKTRNLNK", store::keys::bankEntryKey(bank, acctNo, ref));
        t.setValue("TRANNUM", ref_);
        t.setValue("TRANDATE", date);
        t.setValue("TRANTYPE", amount >= 0 ? "DEP" : "WD");
        t.setValue("AMOUNT", amount);
        t.post();
    }

    // A journal line; with a bank account it also writes the bank row it belongs to.
    void line(const Line& l) {
        const QString type = types_.value(l.acct, QStringLiteral("INC"));
        const int branch = branches_.value(l.acct, 0);
        QString bnkLinkNo = QString::fromLatin1(store::keys::kNoBankEntry);
        QString bnkTrnLnk = bnkLinkNo;
        if (!l.bankAcct.isEmpty()) {
            bankRow(l.bankAcct, l.date, type == "INC" ? l.amount : -l.amount);
            const QString bank = bankCodes_.value(l.bankAcct, QStringLiteral("030100"));
            bnkLinkNo = store::keys::bnkLinkNo(bank, l.bankAcct, QString::number(ref_));
            bnkTrnLnk = store::keys::journalBankEntryKey(bank, l.bankAcct,
                                                         QString::number(ref_), coy_);
        }
        store::Table t(c_, "QVActTr.DBF");
        t.open();
        t.insert();
        const QString link = store::keys::journalLinkCode(
            store::keys::accountLinkCode(coy_, branch), coy_);
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
        t.setValue("REASON", l.bankAcct.isEmpty() ? "CSH" : (type == "INC" ? "DEP" : "WD"));
        t.setValue("BNKLINKNO", bnkLinkNo);
        t.setValue("BNKTRNLNK", bnkTrnLnk);
        t.setValue("HASBNKACCT", l.bankAcct.isEmpty() ? 0 : 1);
        t.setValue("BANKACCT", l.bankAcct);
        t.post();
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
    store::Connection& c_;
    int coy_;
    int ref_ = 1000000;
    QMap<QString, QString> types_;
    QMap<QString, int> branches_;
    QMap<QString, QString> bankCodes_;
};

}  // namespace testbook
