#include "ledger/departments.h"

#include "store/keys.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"

namespace ledger {

namespace {

constexpr int kDeptCodeWidth = 10;

QString coyText(int coy) { return QString::number(coy); }

QString storedDeptCode(const QString& typed) {
    return store::keys::cutToWidth(typed.trimmed(), kDeptCodeWidth).trimmed();
}

void writeDetails(store::Table& t, const DepartmentDetails& d) {
    t.setValue("MANFNAME", d.manFName.trimmed());
    t.setValue("MANINIT", d.manInit.trimmed());
    t.setValue("MANLNAME", d.manLName.trimmed());
    t.setValue("BUSNAME", d.busName);
    t.setValue("COYDESC", d.coyDesc);
    t.setValue("POST_ADDR1", d.postAddr1);
    t.setValue("POST_ADDR2", d.postAddr2);
    t.setValue("POST_ADDR3", d.postAddr3);
    t.setValue("POSTZONE", d.postZone);
    t.setValue("ADDRESS1", d.address1);
    t.setValue("ADDRESS2", d.address2);
    t.setValue("ADDRESS3", d.address3);
    t.setValue("PHONENO", d.phoneNo);
    t.setValue("FAXNO", d.faxNo);
    t.setValue("EMAIL", d.email);
    t.setValue("MOBILE", d.mobile);
    t.setValue("SIGNAME", d.sigName);
    t.setValue("GSTENABLED", d.gstEnabled ? 1 : 0);
}

std::optional<Department> firstWhere(store::Connection& connection, int coy, const QString& field,
                                     const QString& value) {
    store::Table t(connection, "QVCoy.DBF");
    t.setIndexName("COYCODE");
    t.open();
    t.setMasterRange("COYCODE", coy);
    if (!t.locate(field, value)) return std::nullopt;
    return departmentAt(t);
}

}  // namespace

QString signatory(const QString& first, const QString& initials, const QString& last) {
    return first + QLatin1Char(' ') + initials + QLatin1Char(' ') + last;
}

int nextDepartmentNumber(store::Connection& connection, int coy) {
    store::Table t(connection, "QVCoy.DBF");
    t.setIndexName("COYCODE");
    t.open();
    t.setMasterRange("COYCODE", coy);
    // Equal tag values follow in append order, so the last record is the last appended.
    t.last();
    if (t.isEmpty()) return 1;
    return int(t.integer("BRANCH")) + 1;
}

bool departmentCodeUsed(store::Connection& connection, int coy, const QString& deptCode) {
    const QString code = storedDeptCode(deptCode);
    if (code.isEmpty()) return false;
    return firstWhere(connection, coy, "DEPTCODE", code).has_value();
}

std::optional<Department> findDepartment(store::Connection& connection, int coy,
                                         const QString& deptCode) {
    const QString code = storedDeptCode(deptCode);
    if (code.isEmpty()) return std::nullopt;
    return firstWhere(connection, coy, "DEPTCODE", code);
}

std::optional<Department> departmentByLinkCode(store::Connection& connection, int coy,
                                               const QString& linkCode) {
    const QString link = linkCode.trimmed();
    if (link.isEmpty()) return std::nullopt;
    return firstWhere(connection, coy, "LINKCODE", link);
}

std::vector<Department> departmentsOf(store::Connection& connection, int coy) {
    std::vector<Department> list;
    store::Table t(connection, "QVCoy.DBF");
    t.setIndexName("COYCODE");
    t.open();
    t.setMasterRange("COYCODE", coy);
    for (t.first(); !t.isEmpty() && !t.eof(); t.next()) {
        list.push_back(departmentAt(t));
    }
    return list;
}

Department departmentAt(const store::Table& t) {
    return {int(t.integer("BRANCH")), t.text("LINKCODE"), t.text("DEPTCODE"), t.text("BUSNAME")};
}

DepartmentSave addDepartment(store::Table& departments, int coy, const QString& busCode,
                             const DepartmentDetails& details) {
    const QString code = storedDeptCode(details.deptCode);
    if (code.isEmpty()) return DepartmentSave::EmptyCode;
    store::Connection& connection = departments.connection();
    if (departmentCodeUsed(connection, coy, code)) return DepartmentSave::DuplicateCode;
    store::Transaction tx(connection);
    // Taken before the insert, from the departments as they stand.
    const int branch = nextDepartmentNumber(connection, coy);
    departments.insert();
    try {
        departments.setValue("DEPTCODE", code);
        departments.setValue("BRANCH", branch);
        departments.setValue("LINKCODE", store::keys::linkCode(coy, branch));
        departments.setValue("BUSCODE", busCode);
        departments.setValue("COYCODE", coy);
        writeDetails(departments, details);
        departments.post();
        tx.commit();
    } catch (...) {
        departments.cancel();
        throw;
    }
    return DepartmentSave::Saved;
}

void updateDepartment(store::Table& departments, const DepartmentDetails& details) {
    departments.edit();
    try {
        writeDetails(departments, details);
        departments.post();
    } catch (...) {
        departments.cancel();
        throw;
    }
}

bool departmentHasAccounts(store::Connection& connection, int coy, const QString& linkCode) {
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT COUNT(*) AS N FROM QVACCDET"),
                         QStringLiteral("WHERE COYCODE = :sCoyCode AND LINKCODE = :sLinkCode")});
    q.bind("sCoyCode", coyText(coy));
    q.bind("sLinkCode", linkCode.trimmed());
    q.open();
    return q.integer("N") > 0;
}

DepartmentDelete deleteDepartment(store::Connection& connection, int coy, const QString& linkCode) {
    const QString link = linkCode.trimmed();
    store::Transaction tx(connection);
    store::Table t(connection, "QVCoy.DBF");
    t.setIndexName("COYCODE");
    t.open();
    t.setMasterRange("COYCODE", coy);
    if (link.isEmpty() || !t.locate("LINKCODE", link)) return DepartmentDelete::Missing;
    if (departmentHasAccounts(connection, coy, link)) return DepartmentDelete::HasAccounts;
    t.remove();
    tx.commit();
    return DepartmentDelete::Deleted;
}

QString departmentHasAccountsText(const QString& name) {
    return QStringLiteral("Cannot Delete!  Department ") + name + QStringLiteral(" ") +
           QStringLiteral("has accounts.  Remove them first.");
}

}  // namespace ledger
