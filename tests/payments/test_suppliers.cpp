// Suppliers: their codes and keys, the duplicate check, the delete refusal and the read of a
// supplier by company and code, read back from the file with plain SQL.
#include <gtest/gtest.h>

#include "payments/suppliers.h"
#include "store/query.h"
#include "store/table.h"
#include "support/temp_folder.h"

namespace {

payments::SupplierDetails supplierNamed(const QString& code, const QString& busName) {
    payments::SupplierDetails d;
    d.suppCode = code;
    d.busName = busName;
    return d;
}

class Suppliers : public ::testing::Test {
protected:
    TempDataFolder folder;
    store::Table supp{folder.connection, "QVSupp.DBF"};

    void SetUp() override {
        supp.setIndexName("COYNO");
        supp.open();
    }
    payments::SupplierSave add(int coy, const QString& code, const QString& name = "Acme Ltd") {
        return payments::addSupplier(supp, coy, supplierNamed(code, name));
    }
    // One value read with plain SQL, the first row in append order.
    QVariant sql(const QString& select, const QString& where = "1 = 1") {
        store::Query q(folder.connection);
        q.setSql("SELECT " + select + " FROM QVSupp WHERE " + where + " ORDER BY rowid");
        q.open();
        return q.eof() ? QVariant() : q.value(0);
    }
    void addInvoice(const QString& suppCoy) {
        store::Table creditors(folder.connection, "Creditors.DBF");
        creditors.open();
        creditors.append();
        creditors.setValue("SUPPCOY", suppCoy);
        creditors.setValue("AMOUNT", 99.5);
        creditors.post();
    }
};

TEST_F(Suppliers, ANewSupplierIsStoredWithItsTrimmedCodeAndCompanyKey) {
    payments::SupplierDetails d = supplierNamed("  ACME ", "Acme Hardware");
    d.confName = "Jo";
    d.conLName = "Bloggs";
    d.bankAcct = "030100-0123456-00";
    d.gstReg = false;
    ASSERT_EQ(payments::addSupplier(supp, 3, d), payments::SupplierSave::Saved);
    EXPECT_EQ(sql("SUPPCODE").toString(), "ACME");
    EXPECT_EQ(sql("COYNO").toInt(), 3);
    EXPECT_EQ(sql("SUPPCOY").toString(), "3-ACME");
    EXPECT_EQ(sql("SUPTRNO").toString(), "0");
    EXPECT_EQ(sql("BANKACCT").toString(), "030100-0123456-00");
    EXPECT_EQ(sql("GSTREG").toInt(), 0);
    // An empty initial leaves two blanks between the names.
    EXPECT_EQ(sql("FULLNAME").toString(), "Jo  Bloggs");
}

TEST_F(Suppliers, ACodeWithBlanksAroundItIsADuplicateOfTheSameCode) {
    ASSERT_EQ(add(1, "ACME"), payments::SupplierSave::Saved);
    EXPECT_TRUE(payments::supplierCodeUsed(folder.connection, 1, " ACME "));
    EXPECT_EQ(add(1, " ACME"), payments::SupplierSave::DuplicateCode);
    EXPECT_EQ(add(1, "ACME  "), payments::SupplierSave::DuplicateCode);
    EXPECT_EQ(sql("COUNT(*)").toInt(), 1);
    // Another company keeps its own ACME.
    ASSERT_EQ(add(2, " ACME"), payments::SupplierSave::Saved);
    EXPECT_EQ(sql("SUPPCOY", "COYNO = 2").toString(), "2-ACME");
    // Codes keep their case: "acme" is not "ACME".
    EXPECT_EQ(add(1, "acme"), payments::SupplierSave::Saved);
}

TEST_F(Suppliers, ASupplierWithoutABusinessNameIsRefusedAndNothingWritten) {
    EXPECT_EQ(add(1, "ACME", "   "), payments::SupplierSave::NoName);
    EXPECT_EQ(sql("COUNT(*)").toInt(), 0);
    // A blank code is allowed and keys as the company number and a hyphen.
    ASSERT_EQ(add(1, "  "), payments::SupplierSave::Saved);
    EXPECT_EQ(sql("SUPPCOY").toString(), "1-");
}

TEST_F(Suppliers, EditingChangesNeitherCodeNorKeyNorCompany) {
    ASSERT_EQ(add(2, "ACME"), payments::SupplierSave::Saved);
    payments::SupplierDetails d = supplierNamed("OTHER", "Acme Two");
    d.confName = "Ann";
    d.conInitial = "B";
    d.conLName = "Cole";
    ASSERT_EQ(payments::updateSupplier(supp, d), payments::SupplierSave::Saved);
    EXPECT_EQ(sql("SUPPCODE || '|' || SUPPCOY || '|' || COYNO").toString(), "ACME|2-ACME|2");
    EXPECT_EQ(sql("BUSNAME").toString(), "Acme Two");
    EXPECT_EQ(sql("FULLNAME").toString(), "Ann B Cole");
    d.busName = " ";
    EXPECT_EQ(payments::updateSupplier(supp, d), payments::SupplierSave::NoName);
    EXPECT_EQ(sql("BUSNAME").toString(), "Acme Two");
}

TEST_F(Suppliers, ASupplierWithInvoicesCannotBeDeleted) {
    EXPECT_EQ(payments::deleteSupplier(supp), payments::SupplierDelete::NoSupplier);
    ASSERT_EQ(add(1, "ACME"), payments::SupplierSave::Saved);
    ASSERT_EQ(add(1, "BOLT", "Bolt Ltd"), payments::SupplierSave::Saved);
    addInvoice("1-ACME");
    ASSERT_TRUE(supp.locate("SUPPCODE", "ACME"));
    EXPECT_EQ(payments::deleteSupplier(supp), payments::SupplierDelete::HasInvoices);
    EXPECT_EQ(sql("COUNT(*)").toInt(), 2);
    ASSERT_TRUE(supp.locate("SUPPCODE", "BOLT"));
    EXPECT_EQ(payments::deleteSupplier(supp), payments::SupplierDelete::Deleted);
    EXPECT_EQ(sql("COUNT(*)").toInt(), 1);
    EXPECT_EQ(supp.text("SUPPCODE"), "ACME");  // the supplier that becomes current
}

TEST_F(Suppliers, ASupplierIsReadByItsOwnCompanyAndCode) {
    ASSERT_EQ(add(1, "ACME", "Acme of one"), payments::SupplierSave::Saved);
    ASSERT_EQ(add(2, "ACME", "Acme of two"), payments::SupplierSave::Saved);
    const auto two = payments::findSupplier(folder.connection, 2, " ACME");
    ASSERT_TRUE(two.has_value());
    EXPECT_EQ(two->details.busName, "Acme of two");
    EXPECT_EQ(two->suppCoy, "2-ACME");
    EXPECT_EQ(two->coyNo, 2);
    EXPECT_EQ(payments::findSupplier(folder.connection, 1, "ACME")->details.busName, "Acme of one");
    // A payee's name on a payment is no supplier, even when it starts with a code.
    EXPECT_FALSE(payments::findSupplier(folder.connection, 1, "ACME HARDWARE LTD").has_value());
    EXPECT_FALSE(payments::findSupplier(folder.connection, 1, "").has_value());
    EXPECT_FALSE(payments::findSupplier(folder.connection, 3, "ACME").has_value());
}

struct WidthCase {
    const char* field;
    int width;
    QString payments::SupplierDetails::*member;
};

class SupplierWidths : public Suppliers, public ::testing::WithParamInterface<WidthCase> {};

TEST_P(SupplierWidths, ATextLongerThanItsFieldIsCutAtTheFieldWidth) {
    const WidthCase c = GetParam();
    payments::SupplierDetails d = supplierNamed("W", "Wide");
    d.*c.member = QString(c.width, QLatin1Char('x')) + QStringLiteral("yz");
    ASSERT_EQ(payments::addSupplier(supp, 1, d), payments::SupplierSave::Saved);
    EXPECT_EQ(sql(QLatin1String(c.field)).toString(), QString(c.width, QLatin1Char('x')));
}

using D = payments::SupplierDetails;
INSTANTIATE_TEST_SUITE_P(EveryText, SupplierWidths,
                         ::testing::Values(WidthCase{"BANKACCT", 19, &D::bankAcct},
                                           WidthCase{"CONFNAME", 25, &D::confName},
                                           WidthCase{"CONINITIAL", 10, &D::conInitial},
                                           WidthCase{"CONLNAME", 40, &D::conLName},
                                           WidthCase{"BUSNAME", 50, &D::busName},
                                           WidthCase{"DESCR", 250, &D::descr},
                                           WidthCase{"PHY_ADDR3", 35, &D::phyAddr3},
                                           WidthCase{"POST_ADDR1", 35, &D::postAddr1},
                                           WidthCase{"POSTCODE", 5, &D::postCode},
                                           WidthCase{"EMAIL", 40, &D::email}),
                         [](const auto& info) { return std::string(info.param.field); });

TEST_F(Suppliers, TheLongestCodeAndNamesFitTheirKeysAndFullName) {
    payments::SupplierDetails d = supplierNamed(" ABCDEFGHIJKL", "Long");
    d.confName = QString(25, 'F');
    d.conInitial = QString(10, 'I');
    d.conLName = QString(40, 'L');
    ASSERT_EQ(payments::addSupplier(supp, 999, d), payments::SupplierSave::Saved);
    EXPECT_EQ(sql("SUPPCODE").toString(), "ABCDEFGHIJ");
    EXPECT_EQ(sql("SUPPCOY").toString(), "999-ABCDEFGHIJ");
    EXPECT_EQ(sql("FULLNAME").toString(),
              (QString(25, 'F') + ' ' + QString(10, 'I') + ' ' + QString(40, 'L')).left(75));
    // The code typed with its extra letters is the same supplier.
    EXPECT_EQ(payments::addSupplier(supp, 999, d), payments::SupplierSave::DuplicateCode);
    EXPECT_TRUE(payments::findSupplier(folder.connection, 999, "ABCDEFGHIJ").has_value());
}

}  // namespace
