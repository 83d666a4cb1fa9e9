#pragma once
// Departments (divisions) of a company: their numbering, their keys and the checks made before
// one is added or deleted. No widgets here.

#include <QString>
#include <optional>
#include <vector>

namespace store {
class Connection;
class Table;
}  // namespace store

namespace ledger {

// A department as the account windows and pickers need it.
struct Department {
    int branch = 0;    // BRANCH
    QString linkCode;  // LINKCODE, "1-2"
    QString deptCode;  // DEPTCODE
    QString name;      // BUSNAME
};

// The boxes of the department page as typed (the code is trimmed when stored).
struct DepartmentDetails {
    QString deptCode;
    QString busName;
    QString coyDesc;
    QString manFName, manInit, manLName;
    QString postAddr1, postAddr2, postAddr3, postZone;
    QString address1, address2, address3;
    QString phoneNo, faxNo, email, mobile;
    QString sigName;
    bool gstEnabled = false;
};

enum class DepartmentSave { Saved, EmptyCode, DuplicateCode };

// The signatory the department page offers: first name, initials and last name as typed.
QString signatory(const QString& first, const QString& initials, const QString& last);

// The number a new department of the company takes: one more than the BRANCH of the company's
// last appended department, 1 when it has none. Deleting the last department frees its number.
int nextDepartmentNumber(store::Connection& connection, int coy);

// Whether the company has a department with this code (trimmed; compared as stored).
bool departmentCodeUsed(store::Connection& connection, int coy, const QString& deptCode);

// The company's department with this code (trimmed), the first appended when several match.
std::optional<Department> findDepartment(store::Connection& connection, int coy,
                                         const QString& deptCode);
// The company's department with this LINKCODE.
std::optional<Department> departmentByLinkCode(store::Connection& connection, int coy,
                                               const QString& linkCode);
// Every department of the company in append order.
std::vector<Department> departmentsOf(store::Connection& connection, int coy);
// The department of a table's current record.
Department departmentAt(const store::Table& departments);

// Adds a department to `departments` (QVCoy) with the next number, LINKCODE coy-BRANCH, the
// trimmed code and the company's business code, and leaves the table on it. A store failure
// cancels the record and is thrown on.
DepartmentSave addDepartment(store::Table& departments, int coy, const QString& busCode,
                             const DepartmentDetails& details);
// Writes the details (not the code, number or keys) to the current department and posts.
void updateDepartment(store::Table& departments, const DepartmentDetails& details);

// Whether any ledger account of the company carries the department's LINKCODE.
bool departmentHasAccounts(store::Connection& connection, int coy, const QString& linkCode);
enum class DepartmentDelete {
    Deleted,
    HasAccounts,  // departmentHasAccountsText(name)
    Missing       // the company has no department with this LINKCODE (already deleted)
};
// Deletes the company's department with this LINKCODE, checking in the same transaction that
// no ledger account carries it. A store failure is thrown on with nothing deleted.
DepartmentDelete deleteDepartment(store::Connection& connection, int coy, const QString& linkCode);
// "Cannot Delete!  Department <name> has accounts.  Remove them first."
QString departmentHasAccountsText(const QString& name);

}  // namespace ledger
