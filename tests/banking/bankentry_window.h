#pragma once
// What the bank transaction window tests share: a fresh data folder per test named by the NRV
// alias, a small company (GST 15 %, two bank accounts: A with balance 100, overdraft limit 500
// and LASTREFNO 41; B without overdraft holding 1000), and helpers that drive the window from
// the keyboard and read the books.

#include "banking/bank_posting.h"
#include "banking/banktranform.h"
#include "banking/sample_company.h"
#include "store/connection.h"
#include "store/paths.h"
#include "store/query.h"
#include "store/table.h"
#include "support/qt/modalwait.h"
#include "ui/datagrid.h"
#include "ui/messages.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace bankentry_test {

inline const QString kBankA = QStringLiteral("030100");
inline const QString kAcctA = QStringLiteral("1111111-00");
inline const QString kBankB = QStringLiteral("120300");
inline const QString kAcctB = QStringLiteral("2222222-00");

class Books {
public:
    // A new data folder, named by the NRV alias, holding the test company.
    Books() {
        QFile aliases(store::paths::aliasFile());
        if (!aliases.open(QIODevice::WriteOnly))
            qFatal("cannot write the alias file");
        aliases.write(("[NRV]\nPath=" + dir.path() + "/data\n").toUtf8());
        aliases.close();
        c.connectToFolder(dir.path() + QStringLiteral("/data"));  // a new book, as the user made it
        namespace sample = banking::sample;
        sample::setCompany(c, QStringLiteral("Test Traders"), QStringLiteral("TT"), true, 15.0);
        const QString inc = QStringLiteral("INC"), exp = QStringLiteral("EXP");
        for (const sample::LedgerSpec& s : std::vector<sample::LedgerSpec>{
                 {"SALES", "Sales", inc, 0, true},
                 {"INTEREST", "Interest received", inc, 0, false},
                 {"RENT", "Rent", exp, 0, true},
                 {"BANKFEES", "Bank fees", exp, 0, false},
                 {"MOTOR", "Motor vehicle", exp, 0, true, "O", true, 30, "DRAWINGS", 0},
                 {"DRAWINGS", "Drawings", exp, 0, false, "O", false}})
            sample::addLedgerAccount(c, 1, s);
        sample::addBank(c, kBankA, QStringLiteral("Kauri Bank"), QStringLiteral("Main"));
        sample::addBank(c, kBankB, QStringLiteral("Harbour Bank"), QStringLiteral("Main"));
        sample::addBankAccount(c, 1, QStringLiteral("TT"),
                               {kBankA, kAcctA, "Cheque", true, 0, true, 500.0, 100.0,
                                QDate(2025, 4, 1), 41});
        sample::addBankAccount(c, 1, QStringLiteral("TT"),
                               {kBankB, kAcctB, "Savings", false, 0, false, 0.0, 1000.0,
                                QDate(2025, 4, 1), 7});
    }

    double balance(const QString& acct = kAcctA) const {
        return account(acct).number(QStringLiteral("CURRBAL"));
    }
    qint64 lastRefNo(const QString& acct = kAcctA) const {
        return account(acct).integer(QStringLiteral("LASTREFNO"));
    }
    qint64 count(const QString& sql) const {
        store::Query q(c);
        q.setSql(sql);
        q.open();
        return q.value(0).toLongLong();
    }
    double number(const QString& sql) const {
        store::Query q(c);
        q.setSql(sql);
        q.open();
        return q.number(0);
    }
    // Posts an entry as a tool would, every question answered Yes; returns its number.
    qint64 post(banking::EntryType type, double amount, const QString& ledger,
                const QString& acct = kAcctA) {
        banking::BankEntry e;
        e.bankCode = acct == kAcctA ? kBankA : kBankB;
        e.acctNo = acct;
        e.type = type;
        e.date = QDate(2026, 3, 2);
        e.amount = amount;
        e.ledgerAccount = ledger;
        e.source = QStringLiteral("Misc");
        e.narrative = QStringLiteral("posted");
        e.reference = banking::reserveReferenceNumber(c, 1, e.bankCode, acct);
        const auto r = banking::saveBankEntry(c, e, banking::EntryMode::Add, banking::alwaysYes);
        if (!r.ok()) qFatal("setup entry not posted: %s", qPrintable(r.message));
        return e.reference;
    }

    QTemporaryDir dir;
    mutable store::Connection c;

private:
    struct Account {
        std::unique_ptr<store::Table> t;
        double number(const QString& f) const { return t->number(f); }
        qint64 integer(const QString& f) const { return t->integer(f); }
    };
    Account account(const QString& acct) const {
        Account a{std::make_unique<store::Table>(c, QStringLiteral("QVBnkAct.DBF"))};
        a.t->open();
        a.t->locate(QStringLiteral("ACCTNO"), acct);
        return a;
    }
};

// The window, shown and active so that its function keys reach it.
inline std::unique_ptr<TQVBankTranForm> openWindow(bool depositsMode = false, qint64 tranNum = 0) {
    auto w = std::make_unique<TQVBankTranForm>();
    w->coyCode = QStringLiteral("1");
    w->tranNum = tranNum;
    w->depositsNotOnStatement = depositsMode;
    if (depositsMode) {
        w->bankCode = kBankA;
        w->acctNo = kAcctA;
    }
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get())) qWarning("window not active");
    return w;
}

template <class T = QLineEdit>
T* child(QWidget* w, const char* name) {
    T* found = w->findChild<T*>(QString::fromLatin1(name));
    if (!found) qFatal("no control %s", name);
    return found;
}

// Replaces a box's text as a user does: select everything and type.
inline void type(QWidget* w, const char* box, const QString& text) {
    QLineEdit* e = child(w, box);
    e->setFocus();
    e->selectAll();
    if (text.isEmpty()) QTest::keyClick(e, Qt::Key_Delete);
    else QTest::keyClicks(e, text);
}

inline void press(QWidget* w, Qt::Key key) { QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, key); }

inline QString text(QWidget* w, const char* box) { return child(w, box)->text(); }

inline int gridRows(QWidget* w) {
    return child<ui::DataGrid>(w, "TranGrid")->lazyModel()->rowCount();
}

}  // namespace bankentry_test
