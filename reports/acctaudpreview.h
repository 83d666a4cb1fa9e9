#pragma once
// The chart of accounts previewed from the accounts page's "Audit" button.

class QWidget;

namespace reports {

// Reads the company's chart of accounts over a connection of its own and shows its preview.
void previewChartOfAccounts(QWidget* owner, int coy);

}  // namespace reports
