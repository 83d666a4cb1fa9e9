// The tax audit lists exactly the lines the New Zealand return counts: its groups' totals and
// its balances are the return's boxes, over a book posted through the cash rules.
#include <gtest/gtest.h>

#include "banking/sample_company.h"
#include "cash/cash_lines.h"
#include "store/table.h"
#include "support/temp_folder.h"
#include "tax/finalise.h"
#include "tax/gstaudit.h"
#include "tax/nz_return.h"

namespace {

struct AuditAccount {
    const char* code;
    const char* type;
    int allocPer;
};

struct AuditLine {
    const char* acct;
    QDate date;
    double amount, tax;
};

const tax::TaxPeriod kAuditPeriod{QDate(2026, 11, 1), QDate(2026, 12, 31)};

// At 15 %: taxable sales (one on the end date, one the day after), a zero-rated export, rent,
// a half-private car and a wholly private account.
class GstAuditBook : public ::testing::Test {
protected:
    void SetUp() override {
        banking::sample::setCompany(c(), "Harbour Cafe", "HC", true, 15.0);
        for (const AuditAccount& a :
             {AuditAccount{"SALES", "INC", 0}, AuditAccount{"EXPORT", "INC", 0},
              AuditAccount{"RENT", "EXP", 0}, AuditAccount{"CAR", "EXP", 50},
              AuditAccount{"HOME", "EXP", 100}, AuditAccount{"DRAWINGS", "EXP", 0}}) {
            banking::sample::LedgerSpec s;
            s.code = a.code;
            s.typeCode = a.type;
            s.allocPer = a.allocPer;
            if (a.allocPer > 0) s.domAcct = "DRAWINGS";
            banking::sample::addLedgerAccount(c(), 1, s);
        }
        qint64 number = 1;
        for (const AuditLine& l : {AuditLine{"SALES", QDate(2026, 11, 1), 1150.00, 150.00},
                                   AuditLine{"SALES", QDate(2026, 12, 31), 230.00, 30.00},
                                   AuditLine{"SALES", QDate(2027, 1, 1), 115.00, 15.00},
                                   AuditLine{"EXPORT", QDate(2026, 11, 15), 500.00, 0.00},
                                   AuditLine{"RENT", QDate(2026, 12, 5), 575.00, 75.00},
                                   AuditLine{"CAR", QDate(2026, 12, 6), 230.00, 30.00},
                                   AuditLine{"HOME", QDate(2026, 12, 7), 100.00, 13.04}}) {
            cash::CashEntry e;
            e.number = number++;
            e.acctCode = l.acct;
            e.date = l.date;
            e.narrative = QStringLiteral("Line for ") + l.acct;
            e.amount = l.amount;
            e.tax = l.tax;
            e.companyTaxable = true;
            ASSERT_TRUE(cash::saveCashLine(c(), e).ok);
        }
        // No entry window marks a line zero-rated: the export is marked by hand.
        store::Table lines(c(), "QVActTr.DBF");
        lines.open();
        ASSERT_TRUE(lines.locate("ACCTCODE", "EXPORT"));
        lines.edit();
        lines.setValue("ZERORATED", 1);
        lines.post();
    }
    store::Connection& c() { return folder_.connection; }

private:
    TempDataFolder folder_;
};

TEST_F(GstAuditBook, groupsAndBalancesEqualTheReturnsBoxesWorkedOutByHand) {
    const tax::NzReturn r = tax::computeNzReturn(c(), 1, kAuditPeriod, 0);
    const tax::GstAudit a = tax::readGstAudit(c(), 1, kAuditPeriod);
    const tax::GroupTotals& sales = a.of(tax::LineGroup::SalesAndIncome).totals;
    const tax::GroupTotals& zero = a.of(tax::LineGroup::ZeroRated).totals;
    const tax::GroupTotals& expenses = a.of(tax::LineGroup::Expenses).totals;
    const tax::GroupTotals& privateUse = a.of(tax::LineGroup::PrivateUse).totals;
    struct Row {
        const char* story;
        qint64 audit, box, byHand;
    };
    for (const Row& row :
         {Row{"box 5: sales and zero-rated", sales.busCents + zero.busCents, r.box5, 188000},
          Row{"box 6: zero-rated", zero.busCents, r.box6, 50000},
          Row{"box 8: tax on sales", sales.gstCents, r.box8, 18000},
          Row{"box 11: expenses", expenses.busCents, r.box11, 57500},
          Row{"box 12: tax on expenses", expenses.gstCents, r.box12, 7500},
          Row{"box 13: private use", privateUse.gstCents, r.box13, 3000},
          Row{"income tax less box 14", a.balanceGst(), r.box10 - r.box14, 7500},
          Row{"total expense tax", a.expenseGst, r.box14, 10500}}) {
        EXPECT_EQ(row.audit, row.box) << row.story;
        EXPECT_EQ(row.box, row.byHand) << row.story;
    }
    EXPECT_EQ(a.incomeBus, 188000);
    EXPECT_EQ(a.expenseBus, 80500);
    EXPECT_EQ(a.balanceBus(), 107500);
    // Every group's listed lines add up to its totals; the wholly private account is nowhere.
    qint64 listed = 0;
    for (const tax::AuditGroup& g : a.groups) {
        qint64 bus = 0, gst = 0;
        for (const tax::TaxLine& l : g.lines) {
            bus += l.busCents;
            gst += l.gstCents;
            EXPECT_NE(l.acctCode, "HOME");
            EXPECT_TRUE(kAuditPeriod.contains(l.date));
        }
        EXPECT_EQ(bus, g.totals.busCents);
        EXPECT_EQ(gst, g.totals.gstCents);
        listed += qint64(g.lines.size());
    }
    EXPECT_EQ(listed, 5);
    ASSERT_EQ(a.of(tax::LineGroup::ZeroRated).lines.size(), 1u);
    EXPECT_EQ(a.of(tax::LineGroup::ZeroRated).lines[0].acctCode, "EXPORT");

    const reports::ReportDocument doc = tax::gstAuditDocument(a, QDate(2027, 1, 10));
    const auto footers = doc.bandsOf(reports::BandKind::GroupFooter);
    ASSERT_EQ(footers.size(), 4u);
    EXPECT_EQ(footers[0]->cells, (QStringList{"", "Total - income", "", "1380.00", "180.00"}));
    EXPECT_EQ(footers[3]->cells.mid(3), (QStringList{"230.00", "30.00"}));
    EXPECT_EQ(doc.bandsOf(reports::BandKind::Summary).back()->cells.mid(3),
              (QStringList{"1075.00", "75.00"}));
}

TEST_F(GstAuditBook, afterFinalisingThePeriodTheAuditListsNothing) {
    ASSERT_TRUE(tax::finaliseNzReturn(c(), 1, kAuditPeriod, 0).ok());
    const tax::GstAudit a = tax::readGstAudit(c(), 1, kAuditPeriod);
    for (const tax::AuditGroup& g : a.groups) EXPECT_TRUE(g.lines.empty());
    const reports::ReportDocument doc = tax::gstAuditDocument(a, QDate(2027, 1, 10));
    EXPECT_TRUE(doc.bandsOf(reports::BandKind::Detail).empty());
    EXPECT_TRUE(doc.bandsOf(reports::BandKind::GroupHeader).empty());
}

}  // namespace
