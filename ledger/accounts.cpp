#include "ledger/accounts.h"

#include "store/error.h"
#include "store/keys.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"

namespace ledger {

namespace {

constexpr int kAcctCodeWidth = 15;

QString coyText(int coy) { return QString::number(coy); }

QString storedAcctCode(const QString& typed) {
    return store::keys::cutToWidth(typed.trimmed(), kAcctCodeWidth).trimmed();
}

// Resolves the department box: nullopt inside means company level.
bool resolveDepartment(store::Connection& connection, int coy, const QString& deptCode,
                       std::optional<Department>* out) {
    if (deptCode.trimmed().isEmpty()) {
        out->reset();
        return true;
    }
    *out = findDepartment(connection, coy, deptCode);
    return out->has_value();
}

// The private share fields the details ask for; nothing when the details leave them out.
std::optional<PrivateShareFields> resolvePrivateShare(store::Connection& connection, int coy,
                                                      const QString& code, const AccountDetails& d,
                                                      PrivateShareRefusal* why) {
    if (!d.privateUse) return std::nullopt;
    const auto target = findPrivateTarget(connection, coy, d.privateUse->acctCode);
    const PrivateShareResult r = privateShareFields(*d.privateUse, code, coy, target);
    if (why) *why = r.refusal;
    if (r.refusal != PrivateShareRefusal::None) return std::nullopt;
    return r.fields;
}

void writeAccount(store::Table& t, const AccountKeys& keys, const AccountDetails& d,
                  const std::optional<PrivateShareFields>& privateShare) {
    t.setValue("BRANCH", keys.branch);
    t.setValue("LINKCODE", keys.linkCode);
    t.setValue("COYACCT", keys.coyAcct);
    t.setValue("FULLCODE", keys.fullCode);
    t.setValue("TYPECODE",
               d.typeCode == QLatin1String("EXP") ? QStringLiteral("EXP") : QStringLiteral("INC"));
    t.setValue("DESCR", d.descr);
    t.setValue("INCLPL", d.inclPl ? 1 : 0);
    t.setValue("ACTACTIVE", d.active ? 1 : 0);
    t.setValue("GSTAPPLIES", d.gstApplies ? 1 : 0);
    t.setValue("RPTCAT", d.rptCat);
    t.setValue("EXPCODE", d.expCode.trimmed());
    if (d.balCode) t.setValue("BALCODE", d.balCode->trimmed());
    if (privateShare) writePrivateShare(t, *privateShare);
}

}  // namespace

AccountKeys accountKeys(int coy, const std::optional<Department>& department,
                        const QString& acctCode) {
    const QString code = storedAcctCode(acctCode);
    if (department) {
        return {QString::number(department->branch), department->linkCode,
                store::keys::fullCodeFromLink(department->linkCode, code), 0};
    }
    return {QStringLiteral("0"), QString::fromLatin1(store::keys::kCompanyLevelLinkCode),
            store::keys::accountFullCode(coy, 0, code), 1};
}

QString duplicateAccountText() {
    return QStringLiteral("This code is a duplicate of an existing one.");
}

QString unknownDepartmentSaveText() {
    return QStringLiteral(
        "Could not find that department/division!  Enter the code of one of "
        "the company's departments, or clear the box for a company level "
        "account.");
}

QString departmentLockedText() {
    return QStringLiteral("Cannot change, or include, department.  This account has transactions.");
}

QString accountInUseText(const QString& acctCode) {
    return QStringLiteral("Cannot Delete!  Account ") + acctCode + QStringLiteral(" is in use.");
}

QString noDepartmentFoundText() {
    return QStringLiteral("Could not find that department/division!");
}

QString companyLevelText() { return QStringLiteral("Company level account."); }

bool accountCodeUsed(store::Connection& connection, int coy, const QString& acctCode) {
    const QString code = storedAcctCode(acctCode);
    if (code.isEmpty()) return false;
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT COUNT(*) AS N FROM QVACCDET"),
                         QStringLiteral("WHERE COYCODE = :sCoyCode AND ACCTCODE = :sAcctCode")});
    q.bind("sCoyCode", coyText(coy));
    q.bind("sAcctCode", code);
    q.open();
    return q.integer("N") > 0;
}

bool accountInUse(store::Connection& connection, int coy, const QString& acctCode,
                  const QString& fullCode) {
    store::Query lines(connection);
    lines.setSql(
        QStringList{QStringLiteral("SELECT COUNT(*) AS N FROM QVACTTR"),
                    QStringLiteral("WHERE COYCODE = :sCoyCode AND ACCTCODE = :sAcctCode")});
    lines.bind("sCoyCode", coyText(coy));
    lines.bind("sAcctCode", acctCode.trimmed());
    lines.open();
    if (lines.integer("N") > 0) return true;
    if (fullCode.trimmed().isEmpty()) return false;
    store::Table bank(connection, "QVBnkTr.DBF");
    bank.setIndexName("FULLCODE");
    bank.open();
    return bank.findKey(fullCode.trimmed());
}

AccountSave addAccount(store::Table& accounts, int coy, const AccountDetails& d,
                       PrivateShareRefusal* why) {
    const QString code = storedAcctCode(d.acctCode);
    if (code.isEmpty()) return AccountSave::EmptyCode;
    store::Connection& connection = accounts.connection();
    if (accountCodeUsed(connection, coy, code)) return AccountSave::DuplicateCode;
    std::optional<Department> department;
    if (!resolveDepartment(connection, coy, d.deptCode, &department))
        return AccountSave::UnknownDepartment;
    PrivateShareRefusal refusal = PrivateShareRefusal::None;
    const auto share = resolvePrivateShare(connection, coy, code, d, &refusal);
    if (why) *why = refusal;
    if (refusal != PrivateShareRefusal::None) return AccountSave::PrivateShareRefused;
    const AccountKeys keys = accountKeys(coy, department, code);
    accounts.insert();
    try {
        accounts.setValue("COYCODE", coyText(coy));
        accounts.setValue("ACCTCODE", code);
        accounts.setValue("ACTRANNO", 1);
        accounts.setValue("HASBUDGET", 0);
        writePrivateShare(accounts, {});
        writeAccount(accounts, keys, d, share);
        accounts.post();
    } catch (...) {
        accounts.cancel();
        throw;
    }
    return AccountSave::Saved;
}

AccountSave updateAccount(store::Table& accounts, int coy, const AccountDetails& d,
                          PrivateShareRefusal* why) {
    if (!accounts.hasRecord())
        throw store::StoreError(QStringLiteral("There is no account to save."));
    store::Connection& connection = accounts.connection();
    const QString code = accounts.text("ACCTCODE");
    std::optional<Department> department;
    if (!resolveDepartment(connection, coy, d.deptCode, &department))
        return AccountSave::UnknownDepartment;
    const AccountKeys keys = accountKeys(coy, department, code);
    const QString oldFullCode = accounts.text("FULLCODE");
    if (keys.fullCode != oldFullCode || keys.linkCode != accounts.text("LINKCODE")) {
        if (accountInUse(connection, coy, code, oldFullCode)) return AccountSave::DepartmentLocked;
    }
    PrivateShareRefusal refusal = PrivateShareRefusal::None;
    const auto share = resolvePrivateShare(connection, coy, code, d, &refusal);
    if (why) *why = refusal;
    if (refusal != PrivateShareRefusal::None) return AccountSave::PrivateShareRefused;
    accounts.edit();
    try {
        writeAccount(accounts, keys, d, share);
        accounts.post();
    } catch (...) {
        accounts.cancel();
        throw;
    }
    return AccountSave::Saved;
}

AccountDelete deleteAccount(store::Connection& connection, int coy, const QString& acctCode) {
    const QString code = storedAcctCode(acctCode);
    store::Transaction tx(connection);
    store::Table t(connection, "QVAccDet.DBF");
    t.setIndexName("COYCODE");
    t.open();
    t.setMasterRange("COYCODE", coyText(coy));
    if (code.isEmpty() || !t.locate("ACCTCODE", code)) return AccountDelete::Missing;
    if (accountInUse(connection, coy, code, t.text("FULLCODE"))) return AccountDelete::InUse;
    t.remove();
    tx.commit();
    return AccountDelete::Deleted;
}

bool packAccounts(store::Connection& connection) {
    store::Table t(connection, "QVAccDet.DBF");
    try {
        t.open(store::OpenMode::Exclusive);
    } catch (const store::StoreError&) {
        return false;
    }
    t.pack();
    t.close();
    return true;
}

QStringList accountCodesOf(store::Connection& connection, int coy) {
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT ACCTCODE FROM QVACCDET"),
                         QStringLiteral("WHERE COYCODE =:iCoyCode"),
                         QStringLiteral("ORDER BY ACCTCODE")});
    q.bind("iCoyCode", coyText(coy));
    q.open();
    QStringList codes;
    for (q.first(); !q.eof(); q.next()) codes << q.text("ACCTCODE");
    return codes;
}

}  // namespace ledger
