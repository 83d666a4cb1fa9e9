// The table catalogue: shape checks over every table, and the widths and kinds the
// rest of the system relies on when it builds keys and binds company numbers.

#include "store/catalogue.h"
#include "store/keys.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <set>
#include <stdexcept>
#include <string>

using store::FieldDef;
using store::FieldKind;
using store::TableDef;

namespace {

const TableDef& table(const char* name)
{
    const TableDef* t = store::findTable(QString::fromLatin1(name));
    if (!t) throw std::runtime_error(std::string("no table ") + name);
    return *t;
}

const FieldDef& field(const char* tableName, const char* fieldName)
{
    const FieldDef* f = table(tableName).field(QString::fromLatin1(fieldName));
    if (!f) throw std::runtime_error(std::string("no field ") + tableName + "." + fieldName);
    return *f;
}

void expectChar(const char* t, const char* f, int width)
{
    SCOPED_TRACE(std::string(t) + "." + f);
    const FieldDef& def = field(t, f);
    EXPECT_EQ(def.kind, FieldKind::Char);
    EXPECT_EQ(def.width, width);
}

void expectNumber(const char* t, const char* f)
{
    SCOPED_TRACE(std::string(t) + "." + f);
    const FieldDef& def = field(t, f);
    EXPECT_TRUE(def.kind == FieldKind::SmallInt || def.kind == FieldKind::Integer ||
                (def.kind == FieldKind::Numeric && def.decimals == 0));
}

void expectAmount(const char* t, const char* f)
{
    SCOPED_TRACE(std::string(t) + "." + f);
    const FieldDef& def = field(t, f);
    EXPECT_EQ(def.kind, FieldKind::Numeric);
    EXPECT_EQ(def.decimals, 2);
}

}  // namespace

TEST(Catalogue, ListsEveryTableInCatalogueOrder)
{
    const char* expected[] = {
        "QVCntrl.DBF",   "QVCoy.DBF",     "QVDepCntr.DBF", "QVAccDet.DBF",  "QVBkHdr.DBF",
        "QVBnkAct.DBF",  "QVBnkTr.DBF",   "QVActTr.DBF",   "Tranjou.DBF",   "QVRecTr.DBF",
        "QVRecAcct.DBF", "Clients.DBF",   "QVSupp.DBF",    "Creditors.DBF", "QVChHdr.DBF",
        "QVChqDet.DBF",  "QVGst.DBF",     "QVBudCntr.DBF", "QVAccBud.DBF",  "QVRptHdr.DBF",
        "QVHdrAct.DBF",  "XTabAct1.DBF",  "XTab1mth.DBF",  "XTab2mth.DBF",  "XTab3mth.DBF",
        "QVXTabCol.DBF", "QVXTabFm.DBF",  "QVXTabHD.DBF",  "CASHMAN.DBF",   "QVStmtLn.DBF",
    };
    const auto& all = store::catalogue();
    ASSERT_EQ(all.size(), std::size(expected));
    for (size_t i = 0; i < all.size(); ++i) EXPECT_STREQ(all[i].file, expected[i]);
}

TEST(Catalogue, EveryTagNamesAFieldOfItsTable)
{
    for (const TableDef& t : store::catalogue()) {
        for (const char* tag : t.allTags())
            EXPECT_NE(t.field(QString::fromLatin1(tag)), nullptr) << t.file << " tag " << tag;
    }
}

TEST(Catalogue, FieldNamesAreUniqueUpperCaseAndShort)
{
    for (const TableDef& t : store::catalogue()) {
        EXPECT_FALSE(t.fields.empty()) << t.file;
        std::set<std::string> seen;
        for (const FieldDef& f : t.fields) {
            const std::string name = f.name;
            EXPECT_TRUE(seen.insert(name).second) << t.file << " repeats " << name;
            EXPECT_FALSE(name.empty()) << t.file;
            EXPECT_LE(name.size(), 10u) << t.file << " " << name;
            for (char c : name)
                EXPECT_TRUE((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')
                    << t.file << " " << name;
        }
    }
}

TEST(Catalogue, WidthsAndDecimalsAreUsable)
{
    for (const TableDef& t : store::catalogue()) {
        for (const FieldDef& f : t.fields) {
            if (f.kind == FieldKind::Char) {
                EXPECT_GT(f.width, 0) << t.file << " " << f.name;
            }
            if (f.kind == FieldKind::Numeric) {
                EXPECT_GT(f.width, 0) << t.file << " " << f.name;
                EXPECT_GE(f.decimals, 0) << t.file << " " << f.name;
                EXPECT_LT(f.decimals, f.width) << t.file << " " << f.name;
            } else {
                EXPECT_EQ(f.decimals, 0) << t.file << " " << f.name;
            }
        }
    }
}

TEST(Catalogue, RebuiltTablesCarryTagsAndTheOthersNone)
{
    // The nineteen tables of the index rebuild.
    const std::set<std::string> rebuilt = {
        "QVCoy.DBF",    "QVAccDet.DBF",  "QVBkHdr.DBF",  "QVBnkAct.DBF", "QVBnkTr.DBF",
        "QVActTr.DBF",  "QVChHdr.DBF",   "QVChqDet.DBF", "QVBudCntr.DBF", "QVAccBud.DBF",
        "QVSupp.DBF",   "QVRecTr.DBF",   "Clients.DBF",  "QVGst.DBF",    "QVRptHdr.DBF",
        "XTabAct1.DBF", "XTab1mth.DBF",  "XTab2mth.DBF", "QVHdrAct.DBF",
    };
    for (const TableDef& t : store::catalogue()) {
        const bool expected = rebuilt.count(t.file) > 0;
        EXPECT_EQ(t.rebuilt, expected) << t.file;
        EXPECT_EQ(t.tags.empty(), !expected) << t.file;
    }
    EXPECT_EQ(table("QVCntrl").alsoTags.size(), 2u);
    EXPECT_EQ(table("Creditors").alsoTags.size(), 1u);
    EXPECT_STREQ(table("Creditors").alsoTags.front(), "SUPPCOY");
    EXPECT_STREQ(table("Tranjou").alsoTags.front(), "COYCODE");
}

TEST(Catalogue, StatedWidths)
{
    expectChar("QVCntrl", "BUSNAME", 45);
    expectChar("QVAccBud", "LINKCODE", 10);
    expectChar("QVBudCntr", "LINKCODE", 10);
    expectChar("QVActTr", "FULLCODE", 40);
    expectChar("QVAccDet", "FULLCODE", 25);
    expectChar("QVBnkTr", "FULLCODE", 25);
    expectChar("QVChHdr", "FULLCODE", 40);
    expectChar("QVBnkTr", "BNKTRNLNK", 50);
    expectChar("QVActTr", "BNKTRNLNK", 50);
    expectChar("QVBnkTr", "TRANREF", 41);
    expectChar("QVSupp", "SUPPCOY", 16);
    expectChar("QVChHdr", "CHQSUPLNK", 50);
    expectChar("QVChqDet", "CHQSUPLNK", 55);
    expectChar("QVChqDet", "CHQBNKCOY", 60);
    expectChar("QVBudCntr", "BUDGCOY", 14);
    expectChar("QVAccDet", "DOMFULLCOD", 55);
    expectChar("QVRecTr", "DOMLINK", 33);
    expectChar("XTab1mth", "KEYCODE", 5);
    for (const char* t : {"QVCoy", "QVAccDet", "QVBnkAct", "QVBnkTr", "QVActTr", "QVChHdr",
                          "QVChqDet", "QVGst", "QVRecTr"})
        expectChar(t, "LINKCODE", 9);
}

TEST(Catalogue, CompanyAndDepartmentRepresentations)
{
    for (const char* t : {"QVAccDet", "QVActTr", "QVBnkAct", "QVChHdr", "QVAccBud", "QVBudCntr"})
        expectChar(t, "COYCODE", 3);
    EXPECT_EQ(field("QVCntrl", "COYCODE").kind, FieldKind::SmallInt);
    for (const char* t : {"QVCoy", "QVBnkTr", "QVChqDet"}) expectNumber(t, "COYCODE");
    for (const char* t : {"QVSupp", "QVRecTr", "QVGst"}) expectNumber(t, "COYNO");

    expectChar("QVAccDet", "BRANCH", 5);
    expectChar("QVBnkAct", "BRANCH", 5);
    for (const char* t : {"QVCoy", "QVBnkTr", "QVActTr", "QVRecTr", "QVGst"})
        expectNumber(t, "BRANCH");
}

TEST(Catalogue, AmountsCarryTwoDecimalsAndCountersNone)
{
    expectAmount("QVActTr", "AMOUNT");
    expectAmount("QVActTr", "BUSAMT");
    expectAmount("QVActTr", "GSTAMT");
    expectAmount("QVBnkTr", "AMOUNT");
    expectAmount("QVBnkAct", "CURRBAL");
    expectAmount("QVBnkAct", "OPENBAL");
    expectAmount("QVChqDet", "TOT_AMT");
    expectAmount("QVAccBud", "TAMOUNT");
    expectAmount("QVGst", "GSTAMOUNT");
    expectAmount("CASHMAN", "GSTAMOUNT");
    expectNumber("QVBnkAct", "LASTREFNO");
    expectNumber("QVBnkTr", "TRANNUM");
    expectNumber("QVChHdr", "TRANNUM");
    EXPECT_GE(field("QVBnkAct", "LASTREFNO").width, 7);  // new accounts start at 1000000
    EXPECT_EQ(field("QVBnkTr", "TRANDATE").kind, FieldKind::Date);
}

namespace {

using namespace store::keys;

// The longest parts the boxes and fields accept.
const QString kCoyText = QString(kLongestCompany, '9');
constexpr int kCoy = 999;
constexpr int kBranch = 99999;
const QString kAcctCode = QString(kLongestAccountCode, 'A');
const QString kBankCode = QString(kLongestBankCode, '1');
const QString kAcctNo = QStringLiteral("12-3456-7890123-0001");  // a full NZ account number
const QString kRef = QString(kLongestReference, '9');
const QString kChequeNo = QString(11, '9');
const QString kSuppCode = QString(10, 'S');
const QString kBudgCode = QString(10, 'B');
constexpr int kMaxInt = std::numeric_limits<int>::max();
const QString kLink = linkCode(kCoy, kBranch);

struct KeyFit {
    const char* key;
    QString longest;
    std::vector<const char*> fields;  // "Table.FIELD" it is stored in or compared with
};

void PrintTo(const KeyFit& c, std::ostream* os) { *os << c.key; }

class LongestKey : public ::testing::TestWithParam<KeyFit> {};

TEST_P(LongestKey, FitsEveryFieldItIsStoredInOrComparedWith)
{
    for (const char* tableField : GetParam().fields) {
        const std::string name(tableField);
        const auto dot = name.find('.');
        const FieldDef& f = field(name.substr(0, dot).c_str(), name.substr(dot + 1).c_str());
        EXPECT_LE(GetParam().longest.size(), f.width)
            << GetParam().longest.toStdString() << " in " << tableField;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, LongestKey,
    ::testing::Values(
        KeyFit{"LINKCODE", kLink,
               {"QVCoy.LINKCODE", "QVAccDet.LINKCODE", "QVBnkAct.LINKCODE", "QVBnkTr.LINKCODE",
                "QVActTr.LINKCODE", "QVChHdr.LINKCODE", "QVChqDet.LINKCODE", "QVGst.LINKCODE",
                "QVRecTr.LINKCODE", "QVAccBud.LINKCODE", "QVBudCntr.LINKCODE",
                "QVAccDet.DOMLINK", "QVRecTr.DOMLINK"}},
        KeyFit{"FULLCODE", accountFullCode(kCoy, kBranch, kAcctCode),
               {"QVAccDet.FULLCODE", "QVBnkTr.FULLCODE", "QVActTr.FULLCODE", "QVChHdr.FULLCODE",
                "QVAccBud.FULLCODE", "QVBudCntr.FULLCODE", "QVAccDet.DOMFULLCOD",
                "QVRecTr.DOMFULLCOD"}},
        KeyFit{"BANKLINK", bankLink(kCoy, kBankCode, kAcctNo),
               {"QVBnkAct.BANKLINK", "QVBnkTr.BANKLINK", "Tranjou.BANKLINK"}},
        KeyFit{"BANKLINK of the recurring run",
               recurringBankLink(kCoy, bankAccountText(kBankCode, kAcctNo)),
               {"QVBnkAct.BANKLINK", "QVBnkTr.BANKLINK"}},
        KeyFit{"a recurring definition's bank account", bankAccountText(kBankCode, kAcctNo),
               {"QVRecTr.BANKCODE"}},
        KeyFit{"an account number", kAcctNo,
               {"QVBnkAct.ACCTNO", "QVBnkTr.BANKACCT", "QVBnkTr.DESTACCT", "QVBnkTr.SOURCEACCT",
                "QVActTr.BANKACCT", "QVChqDet.BANKACCT"}},
        KeyFit{"a bank code", kBankCode,
               {"QVBkHdr.BANKCODE", "QVBnkAct.BANKCODE", "QVBnkTr.BANKCODE", "QVBnkTr.DESTBANK",
                "QVBnkTr.SOURCEBANK", "QVChHdr.BANKCODE", "QVRecTr.BANK"}},
        KeyFit{"BNKTRNLNK of a bank row", bankEntryKey(kBankCode, kAcctNo, kRef),
               {"QVBnkTr.BNKTRNLNK", "Tranjou.BNKTRNLNK"}},
        KeyFit{"BNKTRNLNK of a journal line", journalBankEntryKey(kBankCode, kAcctNo, kRef, kCoy),
               {"QVActTr.BNKTRNLNK"}},
        KeyFit{"BNKTRNLNK of the recurring run",
               recurringBankEntryKey(bankAccountText(kBankCode, kAcctNo), kMaxInt, kLink),
               {"QVBnkTr.BNKTRNLNK"}},
        KeyFit{"BNKLINKNO", bnkLinkNo(kBankCode, kAcctNo, kRef), {"QVActTr.BNKLINKNO"}},
        KeyFit{"BNKLINKNO of the recurring run",
               recurringBnkLinkNo(bankAccountText(kBankCode, kAcctNo), kMaxInt),
               {"QVActTr.BNKLINKNO"}},
        KeyFit{"FULLLINK", fullLink(kBankCode, kAcctNo, kLink), {"QVBnkTr.FULLLINK"}},
        KeyFit{"FULLLINK of a transfer", transferFullLink(kBankCode, kAcctNo, kCoy),
               {"QVBnkTr.FULLLINK"}},
        KeyFit{"FULLLINK of the recurring run",
               recurringFullLink(bankAccountText(kBankCode, kAcctNo), kLink), {"QVBnkTr.FULLLINK"}},
        KeyFit{"TRANREF", tranRef(kRef, kAcctNo), {"QVBnkTr.TRANREF"}},
        KeyFit{"SRCHCODE", journalSearchCode(kLink, kAcctCode, kRef),
               {"QVActTr.SRCHCODE", "Tranjou.REF"}},
        KeyFit{"SRCHCODE of a payment line",
               paymentLineSearchCode(kLink, kAcctCode, kChequeNo, 32767), {"QVActTr.SRCHCODE"}},
        KeyFit{"SRCHCODE of a cash line", cashSearchCode(kAcctCode, kRef, kCoy),
               {"QVActTr.SRCHCODE"}},
        KeyFit{"SPLITLINK", splitLink(kLink, kAcctCode, kRef), {"QVActTr.SPLITLINK"}},
        KeyFit{"SPLITLINK of the recurring run", recurringSplitLink(kLink, kAcctCode, kMaxInt),
               {"QVActTr.SPLITLINK"}},
        KeyFit{"TRANLINK", tranLink(QString(kTranCodeWidth, 'T'), kMaxInt), {"QVRecTr.TRANLINK"}},
        KeyFit{"SUPPCOY", supplierKey(kCoy, kSuppCode),
               {"QVSupp.SUPPCOY", "Creditors.SUPPCOY", "QVChHdr.SUPPCOY", "QVChqDet.SUPPCOY"}},
        KeyFit{"CHQBNKCOY", paymentKey(kChequeNo, kAcctNo, kCoy),
               {"QVChHdr.CHQBNKCOY", "QVChqDet.CHQBNKCOY"}},
        KeyFit{"CHQSUPLNK", paymentSupplierKey(kChequeNo, kSuppCode, kCoy),
               {"QVChHdr.CHQSUPLNK", "QVChqDet.CHQSUPLNK"}},
        KeyFit{"BUDGCOY", budgetCompanyKey(kBudgCode, kCoy), {"QVBudCntr.BUDGCOY"}},
        KeyFit{"BUDGLINK", budgetLink(kBudgCode, kLink, kMaxInt),
               {"QVBudCntr.BUDGLINK", "QVAccBud.BUDGLINK", "QVAccDet.BUDGLINK"}},
        KeyFit{"ACCTKEY", reportAccountKey(QString(kReportRunKeyWidth, 'K'), kAcctCode),
               {"XTabAct1.ACCTKEY", "XTab1mth.ACCTKEY", "XTab2mth.ACCTKEY", "XTab3mth.ACCTKEY"}},
        KeyFit{"the company number as text", kCoyText,
               {"QVAccDet.COYCODE", "QVActTr.COYCODE", "QVBnkAct.COYCODE", "QVChHdr.COYCODE",
                "QVAccBud.COYCODE", "QVBudCntr.COYCODE"}}));

TEST(Catalogue, KeyWidthsOfTheBuildersAreTheFieldWidths)
{
    EXPECT_EQ(field("QVBnkAct", "BANKLINK").width, kBankAccountLinkWidth);
    EXPECT_EQ(field("QVBnkTr", "BANKLINK").width, kBankRowLinkWidth);
    EXPECT_EQ(field("QVActTr", "SPLITLINK").width, kSplitLinkWidth);
    EXPECT_EQ(field("QVBnkTr", "FULLLINK").width, kFullLinkWidth);
    EXPECT_EQ(field("QVRecTr", "TRANLINK").width, kTranLinkWidth);
    EXPECT_EQ(field("QVRecTr", "BANKCODE").width, kRecurringBankAccountWidth);
    EXPECT_EQ(field("QVBudCntr", "BUDGLINK").width, kBudgetLinkWidth);
    EXPECT_EQ(field("QVBnkTr", "TRANNUM").width, kLongestReference);
}

}  // namespace
