// The table catalogue: shape checks over every table, and the widths and kinds the
// rest of the system relies on when it builds keys and binds company numbers.

#include "store/catalogue.h"

#include <gtest/gtest.h>

#include <cstring>
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
        "QVXTabCol.DBF", "QVXTabFm.DBF",  "QVXTabHD.DBF",  "CASHMAN.DBF",
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
    expectChar("QVBnkAct", "BANKLINK", 27);
    expectChar("QVBnkTr", "BANKLINK", 30);
    expectChar("QVBnkTr", "BNKTRNLNK", 50);
    expectChar("QVActTr", "BNKTRNLNK", 50);
    expectChar("QVActTr", "SPLITLINK", 33);
    expectChar("QVBnkTr", "TRANREF", 41);
    expectChar("QVRecTr", "TRANLINK", 30);
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
