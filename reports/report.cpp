#include "reports/report.h"

namespace reports {

void ReportDocument::addTitle(const QString& text, bool bold) {
    Band b;
    b.kind = BandKind::Title;
    b.cells = {text};
    b.span = true;
    b.bold = bold;
    bands.push_back(b);
}

void ReportDocument::addSpan(BandKind kind, const QString& text, bool bold) {
    Band b;
    b.kind = kind;
    b.cells = {text};
    b.span = true;
    b.bold = bold;
    bands.push_back(b);
}

void ReportDocument::addRow(BandKind kind, const QStringList& cells, bool bold, bool ruleAbove) {
    Band b;
    b.kind = kind;
    b.cells = cells;
    while (b.cells.size() < qsizetype(columns.size())) b.cells << QString();
    b.bold = bold;
    b.ruleAbove = ruleAbove;
    bands.push_back(b);
}

void ReportDocument::addColumnHeader() {
    Band b;
    b.kind = BandKind::ColumnHeader;
    for (const Column& c : columns) b.cells << c.heading;
    b.bold = true;
    bands.push_back(b);
}

std::vector<const Band*> ReportDocument::bandsOf(BandKind kind) const {
    std::vector<const Band*> out;
    for (const Band& b : bands)
        if (b.kind == kind) out.push_back(&b);
    return out;
}

}  // namespace reports
