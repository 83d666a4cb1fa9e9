#include "reports/chartofaccounts.h"

#include "reports/company.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"

namespace reports {
namespace {

ChartAccount chartAccountOf(const store::Query& q) {
    return {q.text("ACCTCODE").trimmed(),
            q.text("DESCR").trimmed(),
            q.text("TYPECODE").trimmed() == QLatin1String("EXP") ? QStringLiteral("Expense")
                                                                 : QStringLiteral("Income"),
            q.integer("ACTACTIVE") == 1 ? QStringLiteral("Active") : QStringLiteral("Not Active"),
            q.integer("GSTAPPLIES") == 1 ? QStringLiteral("Yes") : QStringLiteral("No"),
            q.text("EXPCODE").trimmed()};
}

}  // namespace

TAcctAudRptForm::TAcctAudRptForm(store::Connection& connection, int coy) {
    figures_.companyName = companyName(connection, coy);
    const char* const fields =
        "C.ACCTCODE, C.DESCR, C.TYPECODE, C.ACTACTIVE, C.GSTAPPLIES, C.EXPCODE";

    store::Query company(connection);
    company.setSql({QStringLiteral("SELECT %1 FROM QVACCDET C").arg(fields),
                    "WHERE C.COYCODE =:iCoyCode", "AND C.LINKCODE =:sLinkCode",
                    "ORDER BY C.ACCTCODE"});
    company.bind("iCoyCode", QString::number(coy));
    company.bind("sLinkCode", QString::fromLatin1(store::keys::kCompanyLevelLinkCode));
    company.open();
    ChartGroup top{QStringLiteral("Company-level accounts"), {}};
    for (; !company.eof(); company.next()) top.accounts.push_back(chartAccountOf(company));
    figures_.groups.push_back(std::move(top));

    store::Query departments(connection);
    departments.setSql({QStringLiteral("SELECT %1, D.LINKCODE, D.BUSNAME").arg(fields),
                        "FROM QVACCDET C, QVCOY D", "WHERE C.COYCODE =:iCoyCode",
                        "AND D.LINKCODE = C.LINKCODE", "ORDER BY D.LINKCODE, C.ACCTCODE"});
    departments.bind("iCoyCode", QString::number(coy));
    departments.open();
    QString link;
    for (; !departments.eof(); departments.next()) {
        if (figures_.groups.size() == 1 || departments.text("LINKCODE") != link) {
            link = departments.text("LINKCODE");
            figures_.groups.push_back({departments.text("BUSNAME").trimmed(), {}});
        }
        figures_.groups.back().accounts.push_back(chartAccountOf(departments));
    }
}

ReportDocument TAcctAudRptForm::document() const {
    ReportDocument doc;
    doc.name = QStringLiteral("ChartOfAccounts");
    doc.printedOn = QDate::currentDate();
    doc.printedCaption = QStringLiteral("Printed : ");
    doc.pageCaption = QStringLiteral("Page : ");
    doc.columns = {{QStringLiteral("Code"), 26, Qt::AlignLeft},
                   {QStringLiteral("Description"), 56, Qt::AlignLeft},
                   {QStringLiteral("Type"), 20, Qt::AlignLeft},
                   {QStringLiteral("Status"), 22, Qt::AlignLeft},
                   {QStringLiteral("Tax Applies"), 28, Qt::AlignLeft},
                   {QStringLiteral("Export Code"), 28, Qt::AlignLeft}};
    doc.addTitle(QStringLiteral("Quorvel - ledger settings "));
    doc.addTitle(figures_.companyName, false);
    doc.addColumnHeader();
    for (size_t i = 0; i < figures_.groups.size(); ++i) {
        const ChartGroup& g = figures_.groups[i];
        doc.addSpan(BandKind::GroupHeader,
                    i == 0 ? g.heading : QStringLiteral("Department") + "  " + g.heading, true);
        for (const ChartAccount& a : g.accounts)
            doc.addRow(BandKind::Detail,
                       {a.code, a.description, a.type, a.status, a.taxApplies, a.exportCode});
    }
    return doc;
}

}  // namespace reports
