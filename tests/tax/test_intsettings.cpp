// The country tax settings file: what a save writes is what the worksheet reads back, a missing
// file shows the defaults, and a value the file cannot hold is refused before anything is
// written.
#include <gtest/gtest.h>

#include <QFile>

#include "banking/sample_company.h"
#include "store/error.h"
#include "store/inifile.h"
#include "support/temp_folder.h"
#include "tax/aus_return.h"
#include "tax/intsettings.h"

namespace {

const tax::IntSettings kAustralian{"Australia", "GST", "EXPORT", "RENTRES", "PLANT", "RESCOST"};

TEST(IntSettings, aSaveIsReadBackValueForValueWithExportSalesKeyedExportsales) {
    TempDataFolder folder;
    tax::writeIntSettings(folder.path(), kAustralian);
    const tax::IntSettings back = tax::readIntSettings(folder.path());
    EXPECT_EQ(back.country, "Australia");
    EXPECT_EQ(back.taxLabel, "GST");
    EXPECT_EQ(back.exportSales, "EXPORT");
    EXPECT_EQ(back.inputSales, "RENTRES");
    EXPECT_EQ(back.capEx, "PLANT");
    EXPECT_EQ(back.inputPurchases, "RESCOST");
    const store::IniFile ini(tax::intSettingsPath(folder.path()));
    EXPECT_EQ(ini.keys("ExportSales"), QStringList{"Exportsales"});
    EXPECT_EQ(ini.sections(), (QStringList{"Country", "TaxLabel", "ExportSales", "InputSales",
                                           "CapEx", "InputPurchases"}));
}

TEST(IntSettings, theWorksheetReadsTheSavedCodesTrimmedAndNoneWithoutTheFile) {
    TempDataFolder folder;
    EXPECT_FALSE(tax::readAusAccountCodes(folder.path()).has_value());
    tax::writeIntSettings(folder.path(), {"Australia", "GST", "EXPORT ", "RENTRES", "PLANT", ""});
    const auto codes = tax::readAusAccountCodes(folder.path());
    ASSERT_TRUE(codes.has_value());
    EXPECT_EQ(codes->exportSales, "EXPORT");
    EXPECT_EQ(codes->inputSales, "RENTRES");
    EXPECT_EQ(codes->capEx, "PLANT");
    EXPECT_TRUE(codes->inputPurchases.isEmpty());
}

TEST(IntSettings, aMissingFileShowsAustraliaAndSalesTaxWithEmptyCodes) {
    TempDataFolder folder;
    EXPECT_FALSE(tax::intSettingsExist(folder.path()));
    const tax::IntSettings shown = tax::shownIntSettings(tax::readIntSettings(folder.path()));
    EXPECT_EQ(shown.country, "Australia");
    EXPECT_EQ(shown.taxLabel, "Sales tax");
    EXPECT_TRUE(shown.exportSales.isEmpty() && shown.capEx.isEmpty());
    // Saving the empty state of a New Zealand company creates the file with empty values.
    tax::writeIntSettings(folder.path(), tax::IntSettings{});
    EXPECT_TRUE(tax::intSettingsExist(folder.path()));
    EXPECT_TRUE(tax::readIntSettings(folder.path()).country.isEmpty());
}

struct BadValue {
    const char* story;
    QString tax::IntSettings::*field;
    QString value;
};

class IntSettingsBadValue : public ::testing::TestWithParam<BadValue> {};

TEST_P(IntSettingsBadValue, isRefusedWithItsNameAndTheStoredFileStaysAsItWas) {
    TempDataFolder folder;
    tax::writeIntSettings(folder.path(), kAustralian);
    QFile file(tax::intSettingsPath(folder.path()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    tax::IntSettings typed = kAustralian;
    typed.taxLabel = "VAT";  // a good change beside the bad one is not written either
    typed.*GetParam().field = GetParam().value;
    const auto problem = tax::intSettingsProblem(typed);
    ASSERT_TRUE(problem.has_value()) << GetParam().story;
    EXPECT_TRUE(problem->contains("cannot span several lines")) << problem->toStdString();
    EXPECT_THROW(tax::writeIntSettings(folder.path(), typed), store::StoreError);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before) << GetParam().story;
}

INSTANTIATE_TEST_SUITE_P(
    Values, IntSettingsBadValue,
    ::testing::Values(BadValue{"a label pasted over two lines", &tax::IntSettings::taxLabel,
                               "Goods and\nservices tax"},
                      BadValue{"a code ending in a carriage return",
                               &tax::IntSettings::inputPurchases, "RESCOST\r"}));

TEST(IntSettings, anAccountLabelShowsTheDescriptionOrWarnsExactlyByCode) {
    TempDataFolder folder;
    banking::sample::setCompany(folder.connection, "Outback Traders", "OT", true, 10.0, "AUS");
    banking::sample::LedgerSpec s;
    s.code = "EXPORT";
    s.descr = "Export sales";
    s.typeCode = "INC";
    banking::sample::addLedgerAccount(folder.connection, 1, s);
    struct Row {
        QString code;
        QString label;
    };
    for (const Row& r :
         {Row{"EXPORT", "Export sales"}, Row{"export", "Cannot find ledger account!"},
          Row{"PLANT", "Cannot find ledger account!"}, Row{"", ""}})
        EXPECT_EQ(tax::accountLabelText(folder.connection, 1, r.code), r.label)
            << qPrintable(r.code);
}

}  // namespace
