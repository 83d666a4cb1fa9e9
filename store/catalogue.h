#pragma once
// The fixed set of tables every data folder holds: their fields and index tags.

#include <QString>
#include <QStringView>
#include <vector>

namespace store {

enum class FieldKind {
    Char,      // fixed width text, stored without trailing blanks, cut at width
    Integer,   // 32-bit integer
    SmallInt,  // numeric without decimals, read as a 16-bit integer
    Numeric,   // numeric; with decimals > 0 rounded half away from zero on write
    Date,      // date without time, stored as ISO text yyyy-MM-dd
    Memo       // free text without width
};

struct FieldDef {
    const char* name;  // upper case, at most ten characters
    FieldKind kind;
    int width = 0;     // characters for Char; total digits for Numeric
    int decimals = 0;  // Numeric only
};

struct TableDef {
    const char* file;                  // the name windows open, e.g. "QVBnkTr.DBF"
    std::vector<FieldDef> fields;
    std::vector<const char*> tags;     // tags the index rebuild creates
    std::vector<const char*> alsoTags; // further tags windows open the table on
    bool rebuilt = true;               // false: "(not rebuilt)" or "(none)" in the catalogue

    QString sqlName() const;           // "QVBnkTr": the file name without ".DBF"
    const FieldDef* field(QStringView name) const;  // case-insensitive; nullptr when absent
    std::vector<const char*> allTags() const;       // tags + alsoTags, no duplicates
};

// Every table of the catalogue, in catalogue order.
const std::vector<TableDef>& catalogue();

// Looks a table up by file name or SQL name, without regard to case, with or without ".DBF".
const TableDef* findTable(QStringView name);

// Bumped whenever a field or table is added; stamped in PRAGMA user_version.
constexpr int kSchemaVersion = 3;

}  // namespace store
