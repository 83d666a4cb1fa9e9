#include "reports/crosstab.h"

#include <cmath>

#include "store/format.h"

namespace reports {
namespace {

using store::fmt::roundTo;

const std::array<QString, kReportGroups> kGroupHeadings = {
    QStringLiteral("Income"), QStringLiteral("Expenses"), QStringLiteral("Overheads")};
const std::array<QString, kReportGroups> kComparisonFooters = {
    QStringLiteral("Total Income :"), QStringLiteral("Total Expenses :"),
    QStringLiteral("Total  Overheads :")};

// Actual, budget and variance of one month; the variance enters the balances as absolutes.
void addMonthColumns(std::vector<CrossTabColumn>& columns, int month) {
    static const char* const fields[][3] = {{"ACT1", "BUD1", "DIFF1"}, {"ACT2", "BUD2", "DIFF2"}};
    const auto* f = fields[month - 1];
    columns.push_back({f[0], QStringLiteral("Actuals")});
    columns.push_back({f[1], QStringLiteral("Budget")});
    columns.push_back({f[2], QStringLiteral("Variance"), nullptr, true, true});
}

void addYearToDateColumns(std::vector<CrossTabColumn>& columns, bool remainderTotalled) {
    columns.push_back({"TACT", QStringLiteral("Actuals")});
    columns.push_back({"TBUD", QStringLiteral("Budget")});
    columns.push_back({"TDIFF", QStringLiteral("Variance"), nullptr, true, true});
    columns.push_back({"REMAINDER", QStringLiteral("Budget"), nullptr, remainderTotalled, true});
}

CrossTabLayout comparisonLayout(int months) {
    CrossTabLayout l;
    l.id = months == 1 ? QStringLiteral("QVYTDAVB1") : QStringLiteral("QVYTDAVB2");
    l.name = months == 1 ? QStringLiteral("ActualsVsBudget") : QStringLiteral("ActualsVsBudget2");
    l.headerTable = QStringLiteral("QVRptHdr.DBF");
    l.rowTable = months == 1 ? QStringLiteral("XTab1mth.DBF") : QStringLiteral("XTab2mth.DBF");
    for (int m = 1; m <= months; ++m) {
        l.captions.push_back({int(l.columns.size()), m == 1 ? "COLHDR1" : "COLHDR2"});
        addMonthColumns(l.columns, m);
    }
    l.captions.push_back({int(l.columns.size()), "TODATE"});
    // The one-month report has no remaining-budget total.
    addYearToDateColumns(l.columns, months == 2);
    // "Remaining Budget" over two heading lines.
    l.captions.push_back({int(l.columns.size()) - 1, nullptr, QStringLiteral("Remaining")});
    l.footerCaptions = kComparisonFooters;
    l.figureWidthMm = months == 1 ? 24 : 19;
    return l;
}

QString figure(const std::optional<double>& v) { return v ? store::fmt::money(*v) : QString(); }

}  // namespace

int reportGroupOf(const QString& rptCat) {
    for (int g = 0; g < kReportGroups; ++g)
        if (rptCat.trimmed() == kReportCategories[size_t(g)]) return g;
    return -1;
}

const CrossTabLayout& oneMonthLayout() {
    static const CrossTabLayout layout = comparisonLayout(1);
    return layout;
}

const CrossTabLayout& twoMonthLayout() {
    static const CrossTabLayout layout = comparisonLayout(2);
    return layout;
}

const CrossTabLayout& actualsLayout() {
    static const CrossTabLayout layout = [] {
        static const char* const acts[] = {"ACT1", "ACT2", "ACT3", "ACT4",  "ACT5",  "ACT6",
                                           "ACT7", "ACT8", "ACT9", "ACT10", "ACT11", "ACT12"};
        static const char* const headers[] = {"COLHDR1", "COLHDR2",  "COLHDR3",  "COLHDR4",
                                              "COLHDR5", "COLHDR6",  "COLHDR7",  "COLHDR8",
                                              "COLHDR9", "COLHDR10", "COLHDR11", "COLHDR12"};
        CrossTabLayout l;
        l.id = QStringLiteral("QVActRpt");
        l.name = QStringLiteral("ActualsToDate");
        l.headerTable = QStringLiteral("QVHdrAct.DBF");
        l.rowTable = QStringLiteral("XTabAct1.DBF");
        for (int m = 0; m < 12; ++m) l.columns.push_back({acts[m], QString(), headers[m]});
        l.columns.push_back({"TOTAL", QStringLiteral("Total")});
        l.footerCaptions.fill(QStringLiteral("Total :"));
        l.figureWidthMm = 17;
        l.pointSize = 7;
        return l;
    }();
    return layout;
}

QString CrossTabHeader::field(const char* name) const {
    const QString n = QString::fromLatin1(name);
    if (n == QLatin1String("BUSNAME")) return busName;
    if (n == QLatin1String("FROMTO")) return fromTo;
    if (n == QLatin1String("CURRENT")) return current;
    if (n == QLatin1String("TODATE")) return toDate;
    if (n.startsWith(QLatin1String("COLHDR"))) return columnHeaders.value(n.mid(6).toInt() - 1);
    return {};
}

void totalCrossTab(const CrossTabLayout& layout, CrossTab& tab) {
    const size_t n = layout.columns.size();
    for (int g = 0; g < kReportGroups; ++g) {
        auto& totals = tab.totals[size_t(g)];
        totals.assign(n, std::nullopt);
        for (size_t c = 0; c < n; ++c) {
            if (!layout.columns[c].totalled) continue;
            double sum = 0;
            for (const CrossTabRow& r : tab.groups[size_t(g)]) sum += r.values.at(c);
            totals[c] = roundTo(sum, 2);
        }
    }
    tab.balances.assign(n, std::nullopt);
    for (size_t c = 0; c < n; ++c) {
        if (!layout.columns[c].totalled) continue;
        double expenses = *tab.totals[1][c], overheads = *tab.totals[2][c];
        if (layout.columns[c].absoluteInBalances) {
            expenses = std::fabs(expenses);
            overheads = std::fabs(overheads);
        }
        tab.balances[c] = roundTo(*tab.totals[0][c] - (expenses + overheads), 2);
    }
}

ReportDocument crossTabDocument(const CrossTabLayout& layout, const CrossTab& tab) {
    ReportDocument doc;
    doc.name = layout.name;
    doc.orientation = QPageLayout::Landscape;
    doc.printedOn = QDate::currentDate();
    doc.printedCaption = QStringLiteral("Printed :");
    doc.pageCaption = QStringLiteral("Page :");
    doc.pageId = layout.id;
    doc.pointSize = layout.pointSize;
    const double printable = 297 - 30;
    const double figures = layout.figureWidthMm * double(layout.columns.size());
    doc.columns.push_back({QString(), printable - figures, Qt::AlignLeft});
    for (const CrossTabColumn& c : layout.columns)
        doc.columns.push_back({c.headingField ? tab.header.field(c.headingField) : c.heading,
                               layout.figureWidthMm, Qt::AlignRight});
    if (!tab.found) return doc;

    doc.addTitle(tab.header.busName);
    doc.addTitle(tab.header.fromTo, false);
    if (!layout.captions.empty()) {
        QStringList captions(qsizetype(doc.columns.size()));
        for (const CrossTabCaption& c : layout.captions)
            captions[c.firstColumn + 1] = c.headerField ? tab.header.field(c.headerField) : c.text;
        doc.addRow(BandKind::ColumnHeader, captions, true);
        doc.bands.back().overflow = true;
    }
    doc.addColumnHeader();
    for (int g = 0; g < kReportGroups; ++g) {
        doc.addSpan(BandKind::GroupHeader, kGroupHeadings[size_t(g)], true);
        for (const CrossTabRow& r : tab.groups[size_t(g)]) {
            QStringList cells{r.description};
            for (double v : r.values) cells << store::fmt::money(v);
            doc.addRow(BandKind::Detail, cells);
        }
        QStringList footer{layout.footerCaptions[size_t(g)]};
        for (const auto& v : tab.totals[size_t(g)]) footer << figure(v);
        doc.addRow(BandKind::GroupFooter, footer, true, true);
    }
    QStringList balances{QStringLiteral("Balances ")};
    for (const auto& v : tab.balances) balances << figure(v);
    doc.addRow(BandKind::Summary, balances, true, true);
    return doc;
}

}  // namespace reports
