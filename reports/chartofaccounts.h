#pragma once
// The chart of accounts report: the company-level accounts first, then each department's
// accounts under the department's name, with type, status, tax and export code.

#include <QString>
#include <vector>

#include "reports/report.h"

namespace store {
class Connection;
}

namespace reports {

struct ChartAccount {
    QString code, description, type, status, taxApplies, exportCode;
};

struct ChartGroup {
    QString heading;  // "Company-level accounts" or the department's BUSNAME
    std::vector<ChartAccount> accounts;
};

struct ChartOfAccounts {
    QString companyName;
    std::vector<ChartGroup> groups;
};

class TAcctAudRptForm {
public:
    TAcctAudRptForm(store::Connection& connection, int coy);

    const ChartOfAccounts& figures() const { return figures_; }
    ReportDocument document() const;

private:
    ChartOfAccounts figures_;
};

}  // namespace reports
