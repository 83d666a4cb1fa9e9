// Company maintenance's save of the control record.
#include <gtest/gtest.h>

#include "ledger/company.h"
#include "store/table.h"
#include "support/temp_folder.h"

namespace {

class CompanySave : public ::testing::Test {
protected:
    TempDataFolder folder;
    store::Table control{folder.connection, "QVCntrl.DBF"};

    void SetUp() override {
        control.setIndexName("COYCODE");
        control.open();
        control.edit();
        control.setValue("LASTINV", 42);
        control.setValue("GSTEXCL", 1);
        control.setValue("GSTENABLED", 1);
        control.setValue("GSTNUMBER", "12-345-678");
        control.setValue("GSTPERCENT", 12.5);
        control.setValue("GSTPERIOD", 2);
        control.setValue("GSTTYPE", "X");
        control.setValue("COUNTRY", "NZ");
        control.post();
    }
    ledger::CompanyDetails details() {
        ledger::CompanyDetails d;
        d.busName = "Harbour Cafe";
        d.gstEnabled = true;
        d.gstNumber = "98-765-432";
        d.gstPercentText = "15";
        d.gstPeriod = 6;
        d.recAuto = true;
        d.countryShown = "Australia";
        return d;
    }
};

TEST_F(CompanySave, ResetsLastInvoiceAndExclusiveAndMarksTaxInclusive) {
    ledger::saveCompanyDetails(control, details());
    control.refresh();
    EXPECT_EQ(control.text("BUSNAME"), "Harbour Cafe");
    EXPECT_EQ(control.integer("LASTINV"), 0);
    EXPECT_EQ(control.integer("GSTEXCL"), 0);
    EXPECT_EQ(control.text("GSTTYPE"), "I");
    EXPECT_EQ(control.number("GSTPERCENT"), 15.0);
    EXPECT_EQ(control.integer("GSTPERIOD"), 6);
    EXPECT_EQ(control.text("GSTNUMBER"), "98-765-432");
    EXPECT_EQ(control.integer("RECAUTO"), 1);
    EXPECT_EQ(control.text("COUNTRY"), "AUS");
}

TEST_F(CompanySave, UntickingCalculateKeepsTheStoredTaxSettings) {
    ledger::CompanyDetails d = details();
    d.gstEnabled = false;
    d.gstPercentText = "not a number";
    d.recAuto = false;
    ledger::saveCompanyDetails(control, d);
    control.refresh();
    EXPECT_EQ(control.integer("GSTENABLED"), 0);
    EXPECT_EQ(control.text("GSTNUMBER"), "12-345-678");
    EXPECT_EQ(control.number("GSTPERCENT"), 12.5);
    EXPECT_EQ(control.integer("GSTPERIOD"), 2);
    EXPECT_EQ(control.text("GSTTYPE"), "X");
    EXPECT_EQ(control.integer("RECAUTO"), 0);
    EXPECT_EQ(control.integer("LASTINV"), 0);
}

TEST_F(CompanySave, ABadPercentCancelsTheWholeSave) {
    for (const char* bad : {"abc", "", "-5", "150", "1,5"}) {
        ledger::CompanyDetails d = details();
        d.gstPercentText = QString::fromLatin1(bad);
        EXPECT_EQ(ledger::saveCompanyDetails(control, d), ledger::CompanySave::BadPercent) << bad;
        EXPECT_EQ(control.state(), store::EditState::Browse);
        control.refresh();
        EXPECT_EQ(control.text("BUSNAME"), "Name") << bad;
        EXPECT_EQ(control.integer("LASTINV"), 42) << bad;
    }
}

TEST_F(CompanySave, TextsAreCutToTheirFieldWidths) {
    ledger::CompanyDetails d = details();
    d.busName = QString(46, QLatin1Char('N'));
    d.address1 = QString(26, QLatin1Char('A'));
    ledger::saveCompanyDetails(control, d);
    control.refresh();
    EXPECT_EQ(control.text("BUSNAME"), QString(45, QLatin1Char('N')));
    EXPECT_EQ(control.text("ADDRESS1"), QString(25, QLatin1Char('A')));
}

TEST_F(CompanySave, NoCountrySelectedLeavesTheStoredOne) {
    ledger::CompanyDetails d = details();
    d.countryShown.clear();
    ledger::saveCompanyDetails(control, d);
    control.refresh();
    EXPECT_EQ(control.text("COUNTRY"), "NZ");
}

TEST(CompanyTexts, CountriesAndPercents) {
    EXPECT_EQ(ledger::countryName("NZ"), "New Zealand");
    EXPECT_EQ(ledger::countryName("AUS"), "Australia");
    EXPECT_EQ(ledger::countryName(""), "New Zealand");
    EXPECT_EQ(ledger::countryName("UK"), "");
    EXPECT_EQ(ledger::countryCode("New Zealand"), "NZ");
    EXPECT_EQ(ledger::countryCode("Australia"), "AUS");
    EXPECT_EQ(ledger::percentText(15), "15");
    EXPECT_EQ(ledger::percentText(12.5), "12.5");
    EXPECT_EQ(ledger::percentText(0), "0");
    double p = 0;
    EXPECT_TRUE(ledger::parsePercent(" 12.5 ", &p));
    EXPECT_EQ(p, 12.5);
}

TEST(CompanyTaxPercent, ANewCompanyStartsFromItsCountrysRateAndATypedRateStays) {
    EXPECT_EQ(ledger::defaultTaxPercent("NZ"), 15.0);
    EXPECT_EQ(ledger::defaultTaxPercent("AUS"), 10.0);
    EXPECT_EQ(ledger::defaultTaxPercent(""), 15.0);
    const struct {
        const char* percent;
        const char* from;
        const char* to;
        const char* after;
    } cases[] = {
        {"15", "New Zealand", "Australia", "10"},  // still the old default: follows
        {"10", "Australia", "New Zealand", "15"},
        {"", "New Zealand", "Australia", "10"},    // nothing typed yet
        {"0", "New Zealand", "Australia", "10"},
        {"12.5", "New Zealand", "Australia", "12.5"},  // typed by the user: kept
        {"10", "New Zealand", "Australia", "10"},
        {"abc", "New Zealand", "Australia", "abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ledger::percentAfterCountryChange(c.percent, c.from, c.to), QString(c.after))
            << c.percent << " " << c.from << " -> " << c.to;
}

}  // namespace
