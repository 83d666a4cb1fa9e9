// The journal layouts rendered: one renderer for all of them, each layout naming its columns.
// Sections print their header and footer, account groups their heading, lines and footer; the
// summary journal prints the footers only.
#include "reports/journal.h"
#include "store/format.h"

namespace reports {
namespace {

using L = JournalLayout;

enum class JournalCell { Date, Account, Narrative, Ref, Reason, TranNo, Amount, Tax, Business };

struct JournalColumn {
    JournalCell cell;
    const char* heading;
    double widthMm;
};

struct LayoutLook {
    std::vector<JournalColumn> columns;
    bool printsLines = true;
    bool groupHeadings = true;
    QString groupFooter;  // caption of an account's total; empty: no footer
};

LayoutLook journalLook(L layout) {
    const std::vector<JournalColumn> family = {
        {JournalCell::Account, "Account Code", 31}, {JournalCell::Date, "Transaction Date", 34},
        {JournalCell::Narrative, "Narrative", 55},  {JournalCell::Ref, "Ref.", 20},
        {JournalCell::Amount, "Total", 25},         {JournalCell::Tax, "Tax", 21}};
    const std::vector<JournalColumn> audit = {{JournalCell::Date, "Date", 26},
                                              {JournalCell::Account, "Account", 24},
                                              {JournalCell::Narrative, "Narrative", 50},
                                              {JournalCell::Reason, "Reason", 18},
                                              {JournalCell::TranNo, "Trans No.", 24},
                                              {JournalCell::Amount, "Amount", 24},
                                              {JournalCell::Tax, "Tax", 22}};
    LayoutLook look;
    look.groupFooter = QStringLiteral("Total this account : ");
    switch (layout) {
        case L::Summary:
            look.columns = family;
            look.columns[2].widthMm = 41;  // no lines: room for the figures' headings
            look.columns[3].widthMm = 16;
            look.columns[4] = {JournalCell::Amount, "Total Amount", 32};
            look.columns[5] = {JournalCell::Tax, "Tax Amount", 28};
            look.printsLines = false;
            break;
        case L::CashOnly:
            look.columns = family;
            look.columns[4].heading = "Amount";
            break;
        case L::All:
        case L::Department:
            look.columns = family;
            break;
        case L::SelectedAccount:
        case L::Audit:
        case L::DepartmentAudit:
            look.columns = audit;
            break;
        case L::DepartmentAndAccount:
            look.columns = {{JournalCell::Date, "Transaction Date", 34},
                            {JournalCell::Account, "Account Code", 31},
                            {JournalCell::Narrative, "Narrative", 75},
                            {JournalCell::Amount, " Amount", 24},
                            {JournalCell::Tax, "Tax", 22}};
            look.groupHeadings = false;
            look.groupFooter = QStringLiteral("Total Journal Entries this period : ");
            break;
        case L::TransactionAudit:
        case L::None:
            look.columns = {{JournalCell::Date, "Date", 26},
                            {JournalCell::Account, "Ledger code", 30},
                            {JournalCell::Narrative, "Narrative", 44},
                            {JournalCell::TranNo, "Trans No.", 24},
                            {JournalCell::Amount, "Total", 24},
                            {JournalCell::Tax, "Tax", 20},
                            {JournalCell::Business, "Business", 24}};
            look.groupHeadings = false;
            look.groupFooter.clear();
            break;
    }
    return look;
}

QString journalLineCell(JournalCell cell, const JournalLine& l) {
    switch (cell) {
        case JournalCell::Date:
            return store::fmt::shortDate(l.date);
        case JournalCell::Account:
            return l.acctCode;
        case JournalCell::Narrative:
            return l.supplier.isEmpty() ? l.narrative : l.narrative + "  " + l.supplier;
        case JournalCell::Ref:
            return l.ref;
        case JournalCell::Reason:
            return l.reason;
        case JournalCell::TranNo:
            return l.tranNum ? QString::number(l.tranNum) : QString();
        case JournalCell::Amount:
            return store::fmt::money(l.amount);
        case JournalCell::Tax:
            return store::fmt::money(l.gst);
        case JournalCell::Business:
            return QString();  // totals only
    }
    return {};
}

// A total row: the caption in the narrative column, the figures in theirs.
QStringList journalTotalCells(const LayoutLook& look, const QString& caption, double amount,
                              double gst, const std::optional<double>& business = std::nullopt) {
    QStringList cells;
    for (const JournalColumn& c : look.columns) {
        switch (c.cell) {
            case JournalCell::Narrative:
                cells << caption;
                break;
            case JournalCell::Amount:
                cells << store::fmt::money(amount);
                break;
            case JournalCell::Tax:
                cells << store::fmt::money(gst);
                break;
            case JournalCell::Business:
                cells << (business ? store::fmt::money(*business) : QString());
                break;
            default:
                cells << QString();
        }
    }
    return cells;
}

void renderJournalGroup(ReportDocument& doc, const LayoutLook& look, const JournalGroup& g) {
    if (look.groupHeadings)
        doc.addSpan(BandKind::GroupHeader, g.code + "   " + g.description.trimmed(), true);
    if (look.printsLines) {
        // The lines come in date order: each date is written out once, not once a line (the
        // system's date format is looked up afresh on every call).
        QDate shownDate;
        QString shownDateText;
        for (const JournalLine& l : g.lines) {
            if (l.date != shownDate) {
                shownDate = l.date;
                shownDateText = store::fmt::shortDate(l.date);
            }
            QStringList cells;
            cells.reserve(int(look.columns.size()));
            for (const JournalColumn& c : look.columns)
                cells << (c.cell == JournalCell::Date ? shownDateText : journalLineCell(c.cell, l));
            doc.addRow(BandKind::Detail, cells);
        }
    }
    if (!look.groupFooter.isEmpty())
        doc.addRow(BandKind::GroupFooter,
                   journalTotalCells(look, look.groupFooter, g.amount, g.gst), !look.printsLines,
                   look.printsLines);
}

}  // namespace

void JournalReport::startDocument() {
    const JournalFigures& f = figures_;
    const LayoutLook look = journalLook(layout_);
    ReportDocument& doc = doc_;
    doc = ReportDocument{};
    openSection_ = -1;
    doc.name = QStringLiteral("Journal");
    doc.printedOn = QDate::currentDate();
    if (layout_ == L::TransactionAudit) doc.pageCaption = QStringLiteral("Page :");
    for (const JournalColumn& c : look.columns) {
        const bool figure = c.cell == JournalCell::Amount || c.cell == JournalCell::Tax ||
                            c.cell == JournalCell::Business;
        doc.columns.push_back(
            {QString::fromLatin1(c.heading), c.widthMm, figure ? Qt::AlignRight : Qt::AlignLeft});
    }
    doc.addTitle(f.title);
    doc.addTitle(f.companyLabel, false);
    doc.addTitle(f.dateLabel, false);
    doc.addColumnHeader();
}

// Closes the sections before this one with their totals (every account of theirs is read by
// now) and opens the sections up to it.
void JournalReport::openSection(size_t section) {
    const LayoutLook look = journalLook(layout_);
    while (openSection_ < int(section) && openSection_ + 1 < int(figures_.sections.size())) {
        if (openSection_ >= 0) {
            const JournalSection& done = figures_.sections[size_t(openSection_)];
            if (!done.footer.isEmpty())
                doc_.addRow(BandKind::GroupFooter,
                            journalTotalCells(look, done.footer, done.amount, done.gst), true,
                            true);
        }
        const JournalSection& s = figures_.sections[size_t(++openSection_)];
        if (!s.header.isEmpty()) doc_.addSpan(BandKind::GroupHeader, s.header, true);
    }
}

void JournalReport::appendGroup(const JournalGroup& group) {
    renderJournalGroup(doc_, journalLook(layout_), group);
}

void JournalReport::endDocument() {
    if (figures_.sections.empty()) return;
    openSection(figures_.sections.size());  // closes every section but the last
    const LayoutLook look = journalLook(layout_);
    const JournalSection& s = figures_.sections.back();
    if (!s.footer.isEmpty())
        doc_.addRow(BandKind::GroupFooter, journalTotalCells(look, s.footer, s.amount, s.gst), true,
                    true);
    for (const JournalTotal& t : figures_.summary)
        doc_.addRow(BandKind::Summary,
                    journalTotalCells(look, t.caption, t.amount, t.gst, t.business), true, true);
}

}  // namespace reports
