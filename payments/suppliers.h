#pragma once
// Suppliers of a company (QVSupp): reading one by company and code, the company-qualified key
// SUPPCOY, and the rules of adding, editing and deleting. No widgets here; supplier
// maintenance, the pickers and payment entry all come through these functions.

#include <QString>
#include <optional>

namespace store {
class Connection;
class Table;
}  // namespace store

namespace payments {

constexpr int kSupplierCodeWidth = 10;  // QVSupp.SUPPCODE
// The bank account box's layout: 6 digits, "-", 7 digits, "-", 2 digits.
inline constexpr char kBankAccountMask[] = "000000-0000000-00";

// The boxes of supplier maintenance as typed. The code is trimmed when stored; the other texts
// are stored as typed (the store cuts them at their widths).
struct SupplierDetails {
    QString suppCode;
    QString bankAcct;  // the masked box's text, hyphens included
    bool gstReg = true;
    QString confName, conInitial, conLName;
    QString busName;
    QString descr;
    QString phyAddr1, phyAddr2, phyAddr3;
    QString postAddr1, postAddr2, postAddr3;
    QString postCode;
    QString phoneNo, mobNo, faxNo, email;
};

// A supplier as stored.
struct Supplier {
    int coyNo = 0;     // COYNO
    QString suppCoy;   // SUPPCOY, "3-ACME"
    QString fullName;  // FULLNAME
    SupplierDetails details;
};

// The code a typed code is stored as: trimmed, at most kSupplierCodeWidth characters.
QString storedSupplierCode(const QString& typed);
// SUPPCOY of the company's supplier with this code: "3-ACME"; a blank code gives "3-".
QString supplierCoy(int coy, const QString& suppCode);
// FULLNAME: first name, initial and last name joined by single blanks, untrimmed, so an empty
// initial leaves two blanks between the names.
QString supplierFullName(const QString& first, const QString& initial, const QString& last);

// The supplier of the table's current record.
Supplier supplierAt(const store::Table& suppliers);
// The company's supplier with this code (trimmed, compared case as typed), by its SUPPCOY. A
// text that cannot be a supplier code (blank or longer than a code) finds nothing, so payment
// entry can pass a payee's name as it is.
std::optional<Supplier> findSupplier(store::Connection& connection, int coy, const QString& code);
// The supplier with this SUPPCOY ("3-ACME"; "3-" reads a supplier saved without a code).
std::optional<Supplier> supplierByKey(store::Connection& connection, const QString& suppCoy);
// Whether the company has a supplier with this code (trimmed; a blank code is never in use).
bool supplierCodeUsed(store::Connection& connection, int coy, const QString& code);

enum class SupplierSave {
    Saved,
    NoName,        // supplierNoNameText()
    DuplicateCode  // supplierDuplicateText()
};
// Checks the details against the company's suppliers before anything is written: a blank
// business name, and on adding a code (trimmed) the company already uses.
SupplierSave supplierSaveProblem(store::Connection& connection, int coy,
                                 const SupplierDetails& details, bool adding);
// Appends a supplier of the company to `suppliers` (QVSupp), with its trimmed code, COYNO,
// SUPPCOY and SUPTRNO "0", after the checks above (repeated here, in the write transaction),
// and leaves the table on it. A store failure cancels the record and is thrown on.
SupplierSave addSupplier(store::Table& suppliers, int coy, const SupplierDetails& details);
// Writes the details, but never the code, company or SUPPCOY, to the current supplier.
SupplierSave updateSupplier(store::Table& suppliers, const SupplierDetails& details);

// Whether the supplier invoices (Creditors) hold a row of the supplier with this SUPPCOY.
bool supplierHasInvoices(store::Connection& connection, const QString& suppCoy);
enum class SupplierDelete {
    Deleted,
    NoSupplier,  // supplierNothingToDeleteText()
    HasInvoices  // supplierHasInvoicesText()
};
// Deletes the table's current supplier unless it has invoices; the table then stands on the
// supplier that follows (or precedes) it. A store failure is thrown on with nothing deleted.
SupplierDelete deleteSupplier(store::Table& suppliers);

// BUSNAME of the company's control record, for the windows' captions; empty without one.
QString supplierCompanyName(store::Connection& connection, int coy);

// The messages of the rules above, as the windows show them.
QString supplierNoNameText();           // "You must include a name for the supplier!"
QString supplierDuplicateText();        // "Duplicate Supplier code! Not permitted."
QString supplierHasInvoicesText();      // "Supplier has invoices, cannot delete... archive first!"
QString supplierNothingToDeleteText();  // "No supplier record to delete."

}  // namespace payments
