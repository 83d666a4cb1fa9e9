#include "payments/suppliers.h"

#include "ledger/company.h"
#include "store/keys.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"

namespace payments {

namespace {

void writeSupplierDetails(store::Table& t, const SupplierDetails& d) {
    t.setValue("BANKACCT", d.bankAcct);
    t.setValue("GSTREG", d.gstReg ? 1 : 0);
    t.setValue("CONFNAME", d.confName);
    t.setValue("CONINITIAL", d.conInitial);
    t.setValue("CONLNAME", d.conLName);
    t.setValue("FULLNAME", supplierFullName(d.confName, d.conInitial, d.conLName));
    t.setValue("BUSNAME", d.busName);
    t.setValue("DESCR", d.descr);
    t.setValue("PHY_ADDR1", d.phyAddr1);
    t.setValue("PHY_ADDR2", d.phyAddr2);
    t.setValue("PHY_ADDR3", d.phyAddr3);
    t.setValue("POST_ADDR1", d.postAddr1);
    t.setValue("POST_ADDR2", d.postAddr2);
    t.setValue("POST_ADDR3", d.postAddr3);
    t.setValue("POSTCODE", d.postCode);
    t.setValue("PHONENO", d.phoneNo);
    t.setValue("MOBNO", d.mobNo);
    t.setValue("FAXNO", d.faxNo);
    t.setValue("EMAIL", d.email);
}

// Posts what `write` set on the record put into insert or edit; a failure cancels it.
template <class Write>
void postSupplierRecord(store::Table& t, Write&& write) {
    try {
        write();
        t.post();
    } catch (...) {
        t.cancel();
        throw;
    }
}

}  // namespace

QString storedSupplierCode(const QString& typed) {
    return store::keys::cutToWidth(typed.trimmed(), kSupplierCodeWidth).trimmed();
}

QString supplierCoy(int coy, const QString& suppCode) {
    return store::keys::supplierKey(coy, suppCode);
}

QString supplierFullName(const QString& first, const QString& initial, const QString& last) {
    return first + QLatin1Char(' ') + initial + QLatin1Char(' ') + last;
}

Supplier supplierAt(const store::Table& t) {
    Supplier s;
    s.coyNo = int(t.integer("COYNO"));
    s.suppCoy = t.text("SUPPCOY");
    s.fullName = t.text("FULLNAME");
    SupplierDetails& d = s.details;
    d.suppCode = t.text("SUPPCODE");
    d.bankAcct = t.text("BANKACCT");
    d.gstReg = t.integer("GSTREG") == 1;
    d.confName = t.text("CONFNAME");
    d.conInitial = t.text("CONINITIAL");
    d.conLName = t.text("CONLNAME");
    d.busName = t.text("BUSNAME");
    d.descr = t.text("DESCR");
    d.phyAddr1 = t.text("PHY_ADDR1");
    d.phyAddr2 = t.text("PHY_ADDR2");
    d.phyAddr3 = t.text("PHY_ADDR3");
    d.postAddr1 = t.text("POST_ADDR1");
    d.postAddr2 = t.text("POST_ADDR2");
    d.postAddr3 = t.text("POST_ADDR3");
    d.postCode = t.text("POSTCODE");
    d.phoneNo = t.text("PHONENO");
    d.mobNo = t.text("MOBNO");
    d.faxNo = t.text("FAXNO");
    d.email = t.text("EMAIL");
    return s;
}

std::optional<Supplier> findSupplier(store::Connection& connection, int coy, const QString& code) {
    const QString trimmed = code.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > kSupplierCodeWidth) return std::nullopt;
    return supplierByKey(connection, supplierCoy(coy, trimmed));
}

std::optional<Supplier> supplierByKey(store::Connection& connection, const QString& suppCoy) {
    store::Table t(connection, "QVSupp.DBF");
    t.setIndexName("SUPPCOY");
    t.open();
    if (!t.findKey(suppCoy.trimmed())) return std::nullopt;
    return supplierAt(t);
}

bool supplierCodeUsed(store::Connection& connection, int coy, const QString& code) {
    return findSupplier(connection, coy, code).has_value();
}

SupplierSave supplierSaveProblem(store::Connection& connection, int coy,
                                 const SupplierDetails& details, bool adding) {
    if (details.busName.trimmed().isEmpty()) return SupplierSave::NoName;
    if (adding && supplierCodeUsed(connection, coy, storedSupplierCode(details.suppCode)))
        return SupplierSave::DuplicateCode;
    return SupplierSave::Saved;
}

SupplierSave addSupplier(store::Table& suppliers, int coy, const SupplierDetails& details) {
    store::Connection& connection = suppliers.connection();
    // The check is made again inside the write, so no second supplier can take the code
    // between the question and the save.
    store::Transaction tx(connection);
    if (const SupplierSave problem = supplierSaveProblem(connection, coy, details, true);
        problem != SupplierSave::Saved)
        return problem;
    const QString code = storedSupplierCode(details.suppCode);
    suppliers.insert();
    postSupplierRecord(suppliers, [&] {
        suppliers.setValue("SUPPCODE", code);
        suppliers.setValue("COYNO", coy);
        suppliers.setValue("SUPPCOY", supplierCoy(coy, code));
        suppliers.setValue("SUPTRNO", QStringLiteral("0"));
        writeSupplierDetails(suppliers, details);
    });
    tx.commit();
    return SupplierSave::Saved;
}

SupplierSave updateSupplier(store::Table& suppliers, const SupplierDetails& details) {
    if (details.busName.trimmed().isEmpty()) return SupplierSave::NoName;
    suppliers.edit();
    postSupplierRecord(suppliers, [&] { writeSupplierDetails(suppliers, details); });
    return SupplierSave::Saved;
}

bool supplierHasInvoices(store::Connection& connection, const QString& suppCoy) {
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT COUNT(*) AS N FROM Creditors"),
                         QStringLiteral("WHERE SUPPCOY = :sSuppCoy")});
    q.bind("sSuppCoy", suppCoy.trimmed());
    q.open();
    return q.integer("N") > 0;
}

SupplierDelete deleteSupplier(store::Table& suppliers) {
    if (!suppliers.hasRecord()) return SupplierDelete::NoSupplier;
    store::Connection& connection = suppliers.connection();
    store::Transaction tx(connection);
    if (supplierHasInvoices(connection, suppliers.text("SUPPCOY")))
        return SupplierDelete::HasInvoices;
    suppliers.remove();
    tx.commit();
    return SupplierDelete::Deleted;
}

QString supplierCompanyName(store::Connection& connection, int coy) {
    return ledger::companyName(connection, coy);
}

QString supplierNoNameText() { return QStringLiteral("You must include a name for the supplier!"); }
QString supplierDuplicateText() {
    return QStringLiteral("Duplicate Supplier code! Not permitted.");
}
QString supplierHasInvoicesText() {
    return QStringLiteral("Supplier has invoices, cannot delete... archive first!");
}
QString supplierNothingToDeleteText() { return QStringLiteral("No supplier record to delete."); }

}  // namespace payments
