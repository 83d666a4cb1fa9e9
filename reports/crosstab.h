#pragma once
// The year-to-date cross-tab reports as data: accounts in rows grouped into income, expenses
// and overheads by their report category, figures in columns, each group's column sums and the
// "Balances " row. The three layouts (actuals against budget for one or two months, and twelve
// months of actuals) say which work-table field each column shows, how it is captioned and how
// it enters the totals; the document is one rendering of the figures.

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

#include "reports/report.h"

namespace reports {

// The report groups in print order, by RPTCAT "I", "E", "O".
constexpr int kReportGroups = 3;
inline const std::array<QString, kReportGroups> kReportCategories = {
    QStringLiteral("I"), QStringLiteral("E"), QStringLiteral("O")};
// The group of a report category; -1 for any other.
int reportGroupOf(const QString& rptCat);

struct CrossTabColumn {
    const char* field;                   // the row table's field ("ACT1")
    QString heading;                     // fixed heading, or
    const char* headingField = nullptr;  // the header's field that captions it ("COLHDR3")
    bool totalled = true;                // summed in the group footers and the balances row
    // In the balances row the expenses and overheads totals enter as absolute values.
    bool absoluteInBalances = false;
};

// A caption over a run of columns, from the header (a month's name, the year-to-date text).
struct CrossTabCaption {
    int firstColumn;  // index into CrossTabLayout::columns
    const char* headerField;
    QString text = {};  // a fixed caption, when headerField is null
};

struct CrossTabLayout {
    QString id;           // the page header's identifier ("QVYTDAVB1")
    QString name;         // the document's name (default file name of a save)
    QString headerTable;  // "QVRptHdr.DBF" or "QVHdrAct.DBF"
    QString rowTable;     // "XTab1mth.DBF", "XTab2mth.DBF" or "XTabAct1.DBF"
    std::vector<CrossTabColumn> columns;
    std::vector<CrossTabCaption> captions;
    std::array<QString, kReportGroups> footerCaptions;
    double figureWidthMm = 20;
    double pointSize = 8;
};

const CrossTabLayout& oneMonthLayout();  // Actuals vs Budget, one month
const CrossTabLayout& twoMonthLayout();  // Actuals vs Budget, two months
const CrossTabLayout& actualsLayout();   // Actuals to Date

// The header record of a run.
struct CrossTabHeader {
    QString busName, fromTo, current, toDate;
    QStringList columnHeaders;  // COLHDR1 .. COLHDR12, as many as the run fills
    QString field(const char* name) const;
};

struct CrossTabRow {
    QString acctCode, rptCat, description;
    std::vector<double> values;  // one per layout column
};

struct CrossTab {
    bool found = false;  // a header was found for the run's key
    CrossTabHeader header;
    std::array<std::vector<CrossTabRow>, kReportGroups> groups;  // each ordered by ACCTCODE
    // Per column: the group's sum, nothing for a column that is not totalled.
    std::array<std::vector<std::optional<double>>, kReportGroups> totals;
    std::vector<std::optional<double>> balances;
};

// Fills the group totals and the balances row: per column, income total - (expenses total +
// overheads total), with absolute expenses and overheads totals in the columns that say so.
void totalCrossTab(const CrossTabLayout& layout, CrossTab& tab);

// The report: titles BUSNAME and FROMTO, the captions and headings, and per group a heading,
// its rows and its footer; then "Balances ". A run whose header was not found prints no rows.
ReportDocument crossTabDocument(const CrossTabLayout& layout, const CrossTab& tab);

}  // namespace reports
