#pragma once
// Every command of the main window, its launchers and the set-up wizard that opens a window of
// another part of the program: one function per command, each opening its window through
// ui::openWindow with the inputs the command passes. A command whose window is not part of the
// program yet does nothing; wiring it is a change to its one function in commands.cpp.

#include <QString>
#include <optional>

class QWidget;

namespace app::commands {

// Refuses a command that needs an active company: beeps and shows the error text. Returns
// whether the command may go on.
bool requireActiveCompany(QWidget* owner, bool companyActive, const QString& refusal);

inline const QString kNoCompanyForCheques = QStringLiteral("No active company...cannot enter cheques.");
inline const QString kNoCompanyForTransactions =
    QStringLiteral("No active company...cannot enter transactions.");
inline const QString kNoActiveCompany = QStringLiteral("No Active company!");

// --- The shell's own windows ---------------------------------------------------------------
void openOperationsLauncher(QWidget* owner, int coy, const QString& coyName, bool coyActive);
void openBankingLauncher(QWidget* owner, int coy, const QString& coyName, bool coyActive);
void openReportsLauncher(QWidget* owner, int coy);
void openToolsLauncher(QWidget* owner);
void openSetupLauncher(QWidget* owner, int coy, const QString& coyName);
void showAboutBox(QWidget* owner);

// --- Companies, departments, accounts, control centre, tax settings ------------------------
void openControlCentre(QWidget* owner);                 // TQVCoyOpsForm
void openCompanyMaintenance(QWidget* owner);            // TQVCompanyForm
void openCodesAndAccounts(QWidget* owner);              // TQVValidationForm
void openSalesTaxSettings(QWidget* owner, int coy);     // TIntSettingsForm

// --- Maintenance ---------------------------------------------------------------------------
void openArchive(QWidget* owner);                       // TQVArchiveForm
// TQVArchiveForm backing up at once to a removable medium or the last backup's folder.
void runShutdownBackup(QWidget* owner);
void openRestore(QWidget* owner);                       // TRestoreArchiveForm
void openDatabaseRebuild(QWidget* owner);               // TNRVDBRebuildForm
void openIndexRebuild(QWidget* owner);                  // TRebuildIndexForm
void openClearPreviousYears(QWidget* owner);            // TClearPrevYearForm

// --- Banking -------------------------------------------------------------------------------
// TBankMainForm: the company active input only when given; the caption only when not empty.
// Returns whether the window reports a change to the bank accounts.
bool openBankMaintenance(QWidget* owner, std::optional<bool> coyActive, const QString& caption);
// TQVBankTranForm in its ordinary mode, no transaction to position on.
void openBankTransactions(QWidget* owner, const QString& coy);
// TQVBankRecForm; the caption only when not empty.
void openBankReconciliation(QWidget* owner, int coy, const QString& caption);
void openBankTransactionView(QWidget* owner, int coy, const QString& caption);  // TQVBankTransViewForm
// TRecTransForm: result flag cleared, caption, company name, company code as text. Returns
// whether it posted.
bool runRecurringTransactions(QWidget* owner, const QString& coy, const QString& coyName,
                              const QString& caption);

// --- Suppliers, payments, cash, budgets -----------------------------------------------------
void openSupplierMaintenance(QWidget* owner, int coy);  // TAddEditSuppForm, no supplier to show
// TChqEntryForm: company code as text, an empty supplier key, its mode flag false.
void openChequeEntry(QWidget* owner, const QString& coy);
void openCashTransactions(QWidget* owner, int coy, const QString& caption);  // TQVCashTranForm
void openBudgetOperations(QWidget* owner, int coy);                          // TBudgetsCalcForm

// --- Sales tax returns ---------------------------------------------------------------------
void openNzTaxReturn(QWidget* owner, int coy);   // TGSTCalcForm
void openAusTaxReturn(QWidget* owner, int coy);  // TAusGSTCalcForm

// --- Data exchange -------------------------------------------------------------------------
void openBankStatementImport(QWidget* owner, int coy);  // TImportTextForm
void openQuorvelImport(QWidget* owner);                  // TImportNRVForm
void openExport(QWidget* owner, int coy);                // TExportNRVForm

// --- Reports -------------------------------------------------------------------------------
void openJournalReports(QWidget* owner, int coy);         // TAllJournalEntries
void openActualsVsBudget(QWidget* owner, int coy);        // TIncomeExpenseDiaForm
void openActualsToDate(QWidget* owner, int coy);          // TActualIncomeExpenseDiaForm
void openBankStatementReport(QWidget* owner, const QString& coy);  // TBankStatementDiaForm
void openProfitAndLoss(QWidget* owner, int coy);          // TProfitandLostForm
void openBudgetReports(QWidget* owner, int coy);          // TBudgetsReportDialogForm
void openGstReports(QWidget* owner, int coy);             // TGSTRptForm
void openChequeReports(QWidget* owner, int coy);          // TChequeRptDiaForm
void openTrialBalance(QWidget* owner, int coy);           // TTrialBalanceForm
void openBalanceSheet(QWidget* owner, int coy);           // TBalanceDiaForm

}  // namespace app::commands
