#include "payments/sample_suppliers.h"

#include <algorithm>
#include <iterator>

#include "payments/suppliers.h"
#include "store/table.h"
#include "store/transaction.h"

namespace payments::sample {

namespace {

struct DemoSupplier {
    const char* code;
    const char* busName;
    const char* first;
    const char* last;
    const char* street;
    const char* suburb;
    const char* town;
    const char* phone;
    const char* bankAcct;
    bool gstReg;
    const char* notes;
};

const DemoSupplier kDemoSuppliers[] = {
    {"BAKERY", "Crown Street Bakery", "Mere", "Tane", "14 Crown Street", "Grey Lynn", "Auckland",
     "09 376 1180", "120300-0456789-00", true, "Bread and pastries, daily delivery"},
    {"MILK", "Southern Dairy Co-op", "Ian", "Ferris", "2 Factory Road", "Penrose", "Auckland",
     "09 579 2200", "030100-0999111-01", true, "Milk and cream, account monthly"},
    {"COFFEE", "Ridge Roasters", "Ana", "Silva", "88 Karangahape Road", "Newton", "Auckland",
     "09 303 4411", "060200-0314159-00", true, "Beans, 20 kg a fortnight"},
    {"POWER", "Metro Energy", "", "", "PO Box 1010", "", "Wellington", "0800 600 700",
     "020500-0123987-02", true, "Electricity and gas"},
    {"RENT", "Harbour Properties Ltd", "Grant", "Oakes", "1 Quay Street", "CBD", "Auckland",
     "09 366 0000", "123100-0456123-00", true, "Shop lease, paid on the 1st"},
    {"CLEAN", "Sparkle Cleaning", "Lina", "Wu", "5 Mill Lane", "Onehunga", "Auckland",
     "021 455 900", "", false, "Cleaner, not registered for G.S.T."},
    {"PRINT", "Kiwi Print & Copy", "Sam", "Patel", "17 Dominion Road", "Mt Eden", "Auckland",
     "09 630 1212", "381000-0777555-00", true, "Menus and flyers"},
    {"VEG", "Pukekohe Growers", "Hemi", "Walker", "210 Station Road", "Pukekohe", "Pukekohe",
     "09 238 7000", "", true, "Vegetables, twice weekly"},
    {"SIGNS", "Jo's Signwriting", "Jo", "Bloggs", "3 Artisan Way", "Avondale", "Auckland",
     "027 123 4567", "", false, "Window and board signs"},
    {"PHONE", "Tui Telecom", "", "", "Private Bag 92020", "", "Auckland", "0800 888 000",
     "010100-0222333-00", true, "Phone and broadband"},
    {"LINEN", "Linen Direct", "Carol", "Hughes", "41 Great South Road", "Otahuhu", "Auckland",
     "09 276 5050", "", true, "Tea towels and aprons"},
    {"ACCT", "Numbers & Co Accountants", "Peter", "Lamb", "Level 2, 90 Queen Street", "CBD",
     "Auckland", "09 309 9090", "030100-0555444-00", true, "Annual accounts and returns"},
};

SupplierDetails demoDetails(const DemoSupplier& s) {
    SupplierDetails d;
    d.suppCode = QString::fromUtf8(s.code);
    d.busName = QString::fromUtf8(s.busName);
    d.confName = QString::fromUtf8(s.first);
    d.conLName = QString::fromUtf8(s.last);
    d.phyAddr1 = QString::fromUtf8(s.street);
    d.phyAddr2 = QString::fromUtf8(s.suburb);
    d.phyAddr3 = QString::fromUtf8(s.town);
    d.postAddr1 = d.phyAddr1;
    d.postAddr2 = d.phyAddr2;
    d.postAddr3 = d.phyAddr3;
    d.postCode = QStringLiteral("1010");
    d.phoneNo = QString::fromUtf8(s.phone);
    d.bankAcct = s.bankAcct[0] ? QString::fromUtf8(s.bankAcct) : QStringLiteral("      -       -");
    d.gstReg = s.gstReg;
    d.descr = QString::fromUtf8(s.notes);
    return d;
}

}  // namespace

int addDemoSuppliers(store::Connection& c, int coy, int count) {
    store::Transaction tx(c);
    store::Table suppliers(c, "QVSupp.DBF");
    suppliers.setIndexName("COYNO");
    suppliers.open();
    int added = 0;
    const int wanted = std::min<int>(count, int(std::size(kDemoSuppliers)));
    for (int i = 0; i < wanted; ++i)
        if (addSupplier(suppliers, coy, demoDetails(kDemoSuppliers[i])) == SupplierSave::Saved)
            ++added;
    tx.commit();
    return added;
}

}  // namespace payments::sample
