#include "banking/bank_setup.h"

#include <cmath>

#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"

namespace banking {

namespace keys = store::keys;

namespace {

constexpr int kBankCodeWidth = 6;
constexpr int kAcctNoWidth = 20;

QString storedBankCode(const QString& typed) {
    return keys::cutToWidth(typed.trimmed(), kBankCodeWidth).trimmed();
}

QString storedAcctNo(const QString& typed) {
    return keys::cutToWidth(typed.trimmed(), kAcctNoWidth).trimmed();
}

void writeBank(store::Table& t, const BankDetails& d) {
    t.setValue("NAME", d.name);
    t.setValue("BRANCH", d.branch);
    t.setValue("POST_ADDR1", d.postAddr1);
    t.setValue("POST_ADDR2", d.postAddr2);
    t.setValue("POST_ADDR3", d.postAddr3);
    t.setValue("POSTCODE", d.postCode);
    t.setValue("PHY_ADDR1", d.phyAddr1);
    t.setValue("PHY_ADDR2", d.phyAddr2);
    t.setValue("PHY_ADDR3", d.phyAddr3);
    t.setValue("PHONENO", d.phoneNo);
    t.setValue("FAXNO", d.faxNo);
    t.setValue("EMAIL", d.email);
    t.setValue("CONTACT", d.contact);
}

// A counter box: a whole, non-negative number ("500" and "500.0" both give 500).
bool parseCounter(const QString& text, qint64* out) {
    double value = 0.0;
    if (!store::fmt::parseMoney(text, &value) || value < 0 || value != std::floor(value) ||
        value > 9.0e15)
        return false;
    *out = qint64(value);
    return true;
}

}  // namespace

// --- Banks ---------------------------------------------------------------------------------

BankDetails bankDetailsAt(const store::Table& t) {
    BankDetails d;
    d.bankCode = t.text("BANKCODE");
    d.name = t.text("NAME");
    d.branch = t.text("BRANCH");
    d.postAddr1 = t.text("POST_ADDR1");
    d.postAddr2 = t.text("POST_ADDR2");
    d.postAddr3 = t.text("POST_ADDR3");
    d.postCode = t.text("POSTCODE");
    d.phyAddr1 = t.text("PHY_ADDR1");
    d.phyAddr2 = t.text("PHY_ADDR2");
    d.phyAddr3 = t.text("PHY_ADDR3");
    d.phoneNo = t.text("PHONENO");
    d.faxNo = t.text("FAXNO");
    d.email = t.text("EMAIL");
    d.contact = t.text("CONTACT");
    return d;
}

QString enterBankCodeText() { return QStringLiteral("Please enter a bank code."); }
QString duplicateBankCodeText() { return QStringLiteral("Duplicate bank Code."); }

bool bankCodeUsed(store::Connection& connection, const QString& bankCode) {
    return bankName(connection, bankCode).has_value();
}

std::optional<QString> bankName(store::Connection& connection, const QString& bankCode) {
    const QString code = storedBankCode(bankCode);
    if (code.isEmpty()) return std::nullopt;
    store::Table t(connection, "QVBkHdr.DBF");
    t.setIndexName("BANKCODE");
    t.open();
    if (!t.findKey(code)) return std::nullopt;
    return t.text("NAME");
}

BankSave addBank(store::Table& banks, const BankDetails& details) {
    const QString code = storedBankCode(details.bankCode);
    if (code.isEmpty()) return BankSave::EmptyCode;
    if (bankCodeUsed(banks.connection(), code)) return BankSave::DuplicateCode;
    banks.insert();
    try {
        banks.setValue("BANKCODE", code);
        writeBank(banks, details);
        banks.post();
    } catch (...) {
        banks.cancel();
        throw;
    }
    return BankSave::Saved;
}

void updateBank(store::Table& banks, const BankDetails& details) {
    banks.edit();
    try {
        writeBank(banks, details);
        banks.post();
    } catch (...) {
        banks.cancel();
        throw;
    }
}

QString confirmBankDeletionText(const QString& name) {
    return QStringLiteral("Confirm deletion of Bank ") + name;
}

bool bankHasAccounts(store::Connection& connection, const QString& bankCode) {
    store::Table t(connection, "QVBnkAct.DBF");
    t.setIndexName("BANKCODE");
    t.open();
    return t.findKey(storedBankCode(bankCode));
}

QString bankHasAccountsText() {
    return QStringLiteral("Delete bank accounts before deleting bank!");
}

BankDelete deleteBank(store::Connection& connection, const QString& bankCode) {
    const QString code = storedBankCode(bankCode);
    store::Transaction tx(connection);
    store::Table t(connection, "QVBkHdr.DBF");
    t.setIndexName("BANKCODE");
    t.open();
    if (code.isEmpty() || !t.findKey(code)) return BankDelete::Missing;
    if (bankHasAccounts(connection, code)) return BankDelete::HasAccounts;
    t.remove();
    tx.commit();
    return BankDelete::Deleted;
}

// --- Bank accounts -------------------------------------------------------------------------

QString accountSaveText(AccountSave result) {
    switch (result) {
        case AccountSave::Saved:
            return {};
        case AccountSave::MissingKey:
            return QStringLiteral("Please enter a bank or account code.");
        case AccountSave::SameCounters:
            return QStringLiteral(
                "Last transaction number must not be the same as the last cheque number.");
        case AccountSave::BankNotFound:
            return QStringLiteral("Bank code not found!");
        case AccountSave::DuplicateAccount:
            return QStringLiteral("Duplicate Account!");
        case AccountSave::DefaultAlreadySet:
            return QStringLiteral("Default account already set!");
        case AccountSave::BankCodeLocked:
            return QStringLiteral(
                "The bank of an account that has transactions cannot be changed.");
        case AccountSave::Failed:
            return QStringLiteral(
                "Save did not succeed - make sure you have entered all the key fields!");
    }
    return {};
}

bool countersClash(const QString& lastRefNo, const QString& lastChq) {
    return lastRefNo.trimmed() == lastChq.trimmed();
}

bool accountNumberUsed(store::Connection& connection, const QString& acctNo) {
    const QString number = storedAcctNo(acctNo);
    if (number.isEmpty()) return false;
    store::Table t(connection, "QVBnkAct.DBF");
    t.setIndexName("ACCTNO");
    t.open();
    return t.findKey(number);
}

bool otherDefaultAccount(store::Connection& connection, int coy, const QString& acctNo) {
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT COUNT(*) AS N FROM QVBNKACT"),
                         QStringLiteral("WHERE COYCODE = :sCoyCode AND \"DEFAULT\" = 1"),
                         QStringLiteral("AND ACCTNO <> :sAcctNo")});
    q.bind("sCoyCode", QString::number(coy));
    q.bind("sAcctNo", acctNo.trimmed());
    q.open();
    return q.integer("N") > 0;
}

bool bankAccountInUse(store::Connection& connection, const QString& bankLink) {
    const QString link = bankLink.trimmed();
    if (link.isEmpty()) return false;
    store::Table t(connection, "QVBnkTr.DBF");
    t.setIndexName("BANKLINK");
    t.open();
    return t.findKey(keys::cutToWidth(link, keys::kBankRowLinkWidth));
}

AccountSave saveBankAccount(store::Table& accounts, int coy, const QString& busCode,
                            const BankAccountDetails& d, EntryMode mode) {
    store::Connection& c = accounts.connection();
    const QString bank = storedBankCode(d.bankCode);
    const bool adding = mode == EntryMode::Add;
    if (adding && !accounts.isOpen()) return AccountSave::Failed;
    if (!adding && !accounts.hasRecord()) return AccountSave::Failed;
    const QString acct = adding ? storedAcctNo(d.acctNo) : accounts.text("ACCTNO").trimmed();
    if (bank.isEmpty() || acct.isEmpty()) return AccountSave::MissingKey;
    if (countersClash(d.lastRefNo, d.lastChq)) return AccountSave::SameCounters;
    if (!bankCodeUsed(c, bank)) return AccountSave::BankNotFound;
    if (adding && accountNumberUsed(c, acct)) return AccountSave::DuplicateAccount;
    if (d.isDefault && otherDefaultAccount(c, coy, acct)) return AccountSave::DefaultAlreadySet;

    const QString link = keys::bankLink(coy, bank, acct);
    if (!adding) {
        const QString oldLink = accounts.text("BANKLINK");
        // Bank rows find their account by BANKLINK: moving it would leave them behind.
        if (oldLink != keys::cutToWidth(link, keys::kBankAccountLinkWidth) &&
            bankAccountInUse(c, oldLink))
            return AccountSave::BankCodeLocked;
    }

    qint64 lastRef = 0, lastChq = 0;
    double odAmount = 0.0;
    if (!parseCounter(d.lastRefNo, &lastRef) || !parseCounter(d.lastChq, &lastChq))
        return AccountSave::Failed;
    if (d.allowOd && (!store::fmt::parseMoney(d.odAmount, &odAmount) || odAmount < 0))
        return AccountSave::Failed;

    int branch = 0;
    bool allocated = d.deptOnly && d.department.has_value();
    if (d.department) branch = d.department->branch;
    QString linkCode = keys::linkCode(coy, branch);
    if (d.deptOnly && !d.department && !adding && accounts.integer("BRALLOC") == 1) {
        allocated = true;
        branch = accounts.text("BRANCH").trimmed().toInt();
        linkCode = accounts.text("LINKCODE");
    }
    if (!allocated) {
        branch = 0;
        linkCode = keys::linkCode(coy, 0);
    }

    try {
        if (adding) {
            accounts.insert();
            accounts.setValue("ACCTNO", acct);
            accounts.setValue("BUSCODE", busCode);
            accounts.setValue("COYCODE", QString::number(coy));
            accounts.setValue("OPENBAL", 0.0);
            accounts.setValue("INITBAL", 0.0);
            accounts.setValue("CURRBAL", 0.0);
            accounts.setValue("RUNBAL", 0.0);
        } else {
            accounts.edit();
        }
        accounts.setValue("BANKCODE", bank);
        accounts.setValue("DESC", d.desc);
        accounts.setValue("LASTREFNO", lastRef);
        accounts.setValue("BANKLINK", link);
        accounts.setValue("DEFAULT", d.isDefault ? 1 : 0);
        accounts.setValue("LASTCHQ", lastChq);
        accounts.setValue("ALLOWOD", d.allowOd ? 1 : 0);
        accounts.setValue("ODAMOUNT", d.allowOd ? odAmount : 0.0);
        accounts.setValue("BRALLOC", allocated ? 1 : 0);
        accounts.setValue("BRANCH", QString::number(branch));
        accounts.setValue("LINKCODE", linkCode);
        accounts.post();
    } catch (...) {
        accounts.cancel();
        throw;
    }
    return AccountSave::Saved;
}

QDate bankAccountStartDate(store::Connection& connection, const QString& bankLink) {
    store::Table t(connection, "QVBnkAct.DBF");
    t.setIndexName("BANKLINK");
    t.open();
    if (!t.findKey(keys::cutToWidth(bankLink.trimmed(), keys::kBankAccountLinkWidth))) return {};
    return t.date("STARTDATE");
}

QString confirmAccountDeletionText(const QString& acctNo) {
    return QStringLiteral("Confirm deletion of Bank account ") + acctNo;
}

QString accountInUseText(const QString& bankCode) {
    return QStringLiteral("Cannot Delete!  Bank account ") + bankCode +
           QStringLiteral(" is in use.");
}

BankAccountDelete deleteBankAccount(store::Connection& connection, const QString& bankLink) {
    const QString link = bankLink.trimmed();
    store::Transaction tx(connection);
    store::Table t(connection, "QVBnkAct.DBF");
    t.setIndexName("BANKLINK");
    t.open();
    if (link.isEmpty() || !t.findKey(link)) return BankAccountDelete::Missing;
    if (bankAccountInUse(connection, link)) return BankAccountDelete::InUse;
    t.remove();
    tx.commit();
    return BankAccountDelete::Deleted;
}

}  // namespace banking
