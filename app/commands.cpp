// The commands' windows. A function whose window is not part of the program yet leaves its
// inputs unused; wire it as, for example:
//     ui::openWindow<TChqEntryForm>(owner, [&](TChqEntryForm& w) { w.coyCode = coy; ... });

#include "app/commands.h"

#include "app/aboutbox.h"
#include "app/activecompany.h"
#include "app/archiveform.h"
#include "app/clearprevyearform.h"
#include "app/controlcentre.h"
#include "app/dbrebuildform.h"
#include "app/launchers.h"
#include "app/rebuildindexform.h"
#include "app/restorearchiveform.h"
#include "banking/bankmainform.h"
#include "banking/bankrecform.h"
#include "banking/bankstatementdiaform.h"
#include "banking/banktranform.h"
#include "banking/banktransviewform.h"
#include "budgets/budgetscalcform.h"
#include "budgets/budgetsreportdialogform.h"
#include "cash/cashtranform.h"
#include "exchange/importtextform.h"
#include "exchange/exportnrvform.h"
#include "exchange/importnrvform.h"
#include "banking/rectransform.h"
#include "ledger/companyform.h"
#include "ledger/validationform.h"
#include "payments/addeditsuppform.h"
#include "payments/chequerptdiaform.h"
#include "payments/chqentryform.h"
#include "reports/alljournalentries.h"
#include "reports/actualincomeexpensediaform.h"
#include "reports/balancesheetform.h"
#include "reports/incomeexpensediaform.h"
#include "reports/profitandlostform.h"
#include "reports/trialbalanceform.h"
#include "tax/ausgstcalcform.h"
#include "tax/gstauditrptform.h"
#include "tax/gstcalcform.h"
#include "tax/gstrptform.h"
#include "tax/intsettingsform.h"
#include "ui/messages.h"
#include "ui/opener.h"

namespace app::commands {

bool requireActiveCompany(QWidget* owner, bool companyActive, const QString& refusal)
{
    if (companyActive) return true;
    ui::beep();
    ui::error(owner, refusal);
    return false;
}

void openOperationsLauncher(QWidget* owner, int coy, const QString& coyName, bool coyActive)
{
    ui::openWindow<TQVOpsForm>(owner, [&](TQVOpsForm& w) {
        w.setWindowTitle(captions::operationsFor(coyName));
        w.coyCode = coy;
        w.coyActive = coyActive;
    });
}

void openBankingLauncher(QWidget* owner, int coy, const QString& coyName, bool coyActive)
{
    ui::openWindow<TQVBankMenuForm>(owner, [&](TQVBankMenuForm& w) {
        w.setWindowTitle(captions::bankOperationsFor(coyName));
        w.coyCode = coy;
        w.coyActive = coyActive;
        w.coyName = coyName;
    });
}

void openReportsLauncher(QWidget* owner, int coy)
{
    ui::openWindow<TQVReportsForm>(owner, [&](TQVReportsForm& w) { w.coyCode = coy; });
}

void openToolsLauncher(QWidget* owner) { ui::openWindow<TQVToolsForm>(owner); }

void openSetupLauncher(QWidget* owner, int coy, const QString& coyName)
{
    ui::openWindow<TQVSetupForm>(owner, [&](TQVSetupForm& w) {
        w.setWindowTitle(captions::setupFor(coyName));
        w.coyCode = coy;
    });
}

void showAboutBox(QWidget* owner) { ui::openWindow<TAboutBox>(owner); }

void openControlCentre(QWidget* owner) { ui::openWindow<TQVCoyOpsForm>(owner); }
void openCompanyMaintenance(QWidget* owner) { ui::openWindow<TQVCompanyForm>(owner); }
void openCodesAndAccounts(QWidget* owner) { ui::openWindow<TQVValidationForm>(owner); }
void openSalesTaxSettings(QWidget* owner, int coy)
{
    ui::openWindow<TIntSettingsForm>(owner, [&](TIntSettingsForm& w) { w.coyCode = coy; });
}

void openArchive(QWidget* owner) { ui::openWindow<TQVArchiveForm>(owner); }
void runShutdownBackup(QWidget* owner)
{
    ui::openWindow<TQVArchiveForm>(owner, [](TQVArchiveForm& w) { w.backUpAtOnce = true; });
}
void openRestore(QWidget* owner) { ui::openWindow<TRestoreArchiveForm>(owner); }
void openDatabaseRebuild(QWidget* owner) { ui::openWindow<TNRVDBRebuildForm>(owner); }
void openIndexRebuild(QWidget* owner) { ui::openWindow<TRebuildIndexForm>(owner); }
void openClearPreviousYears(QWidget* owner) { ui::openWindow<TClearPrevYearForm>(owner); }

bool openBankMaintenance(QWidget* owner, std::optional<bool> coyActive, const QString& caption)
{
    return ui::openWindow<TBankMainForm>(
        owner,
        [&](TBankMainForm& w) {
            if (coyActive) w.coyActive = *coyActive;
            if (!caption.isEmpty()) w.setWindowTitle(caption);
        },
        [](TBankMainForm& w, int) { return w.changed; });
}

void openBankTransactions(QWidget* owner, const QString& coyText)
{
    ui::openWindow<TQVBankTranForm>(owner, [&](TQVBankTranForm& w) { w.coyCode = coyText; });
}

void openBankReconciliation(QWidget* owner, int coy, const QString& caption)
{
    ui::openWindow<TQVBankRecForm>(owner, [&](TQVBankRecForm& w) {
        w.coyCode = coy;
        if (!caption.isEmpty()) w.setWindowTitle(caption);
    });
}

void openBankTransactionView(QWidget* owner, int coy, const QString& caption)
{
    ui::openWindow<TQVBankTransViewForm>(owner, [&](TQVBankTransViewForm& w) {
        w.coyCode = coy;
        if (!caption.isEmpty()) w.setWindowTitle(caption);
    });
}
bool runRecurringTransactions(QWidget* owner, const QString& coy, const QString& coyName,
                              const QString& caption)
{
    return ui::openWindow<TRecTransForm>(
        owner,
        [&](TRecTransForm& w) {
            w.posted = false;
            w.coyCode = coy;
            w.coyName = coyName;
            w.setWindowTitle(caption);
        },
        [](TRecTransForm& w, int) { return w.posted; });
}

void openSupplierMaintenance(QWidget* owner, int coy)
{
    ui::openWindow<TAddEditSuppForm>(owner, [&](TAddEditSuppForm& w) { w.coyNo = coy; });
}
void openChequeEntry(QWidget* owner, const QString& coy)
{
    ui::openWindow<TChqEntryForm>(owner, [&](TChqEntryForm& w) { w.coyCode = coy; });
}
void openCashTransactions(QWidget* owner, int coy, const QString&)
{
    ui::openWindow<TQVCashTranForm>(owner, [&](TQVCashTranForm& w) { w.coyCode = coy; });
}
void openBudgetOperations(QWidget* owner, int coy)
{
    ui::openWindow<TBudgetsCalcForm>(owner, [&](TBudgetsCalcForm& w) { w.coyCode = coy; });
}

void openNzTaxReturn(QWidget* owner, int coy)
{
    ui::openWindow<TGSTCalcForm>(owner, [&](TGSTCalcForm& w) {
        w.coyCode = coy;
        w.openTaxAudit = [](QWidget* from, int c, const tax::TaxPeriod& p) {
            tax::openGstAudit(from, QString::number(c), p);
        };
    });
}
void openAusTaxReturn(QWidget* owner, int coy)
{
    ui::openWindow<TAusGSTCalcForm>(owner, [&](TAusGSTCalcForm& w) { w.coyCode = coy; });
}

void openBankStatementImport(QWidget* owner, int coy)
{
    ui::openWindow<TImportTextForm>(owner, [&](TImportTextForm& w) { w.coyCode = coy; });
}
void openQuorvelImport(QWidget* owner) { ui::openWindow<TImportNRVForm>(owner); }
void openExport(QWidget* owner, int coy)
{
    ui::openWindow<TExportNRVForm>(owner, [&](TExportNRVForm& w) { w.coyCode = coy; });
}

void openJournalReports(QWidget* owner, int coy)
{
    ui::openWindow<reports::TAllJournalEntries>(owner,
                                                [&](reports::TAllJournalEntries& w) { w.coyCode = coy; });
}
void openActualsVsBudget(QWidget* owner, int coy)
{
    ui::openWindow<reports::TIncomeExpenseDiaForm>(
        owner, [&](reports::TIncomeExpenseDiaForm& w) { w.coyCode = coy; });
}
void openActualsToDate(QWidget* owner, int coy)
{
    ui::openWindow<reports::TActualIncomeExpenseDiaForm>(
        owner, [&](reports::TActualIncomeExpenseDiaForm& w) { w.coyCode = coy; });
}
void openBankStatementReport(QWidget* owner, const QString& coy)
{
    ui::openWindow<TBankStatementDiaForm>(owner, [&](TBankStatementDiaForm& w) { w.coyCode = coy; });
}
void openProfitAndLoss(QWidget* owner, int coy)
{
    ui::openWindow<reports::TProfitandLostForm>(owner,
                                                [&](reports::TProfitandLostForm& w) { w.coyCode = coy; });
}
void openChequeReports(QWidget* owner, int coy)
{
    ui::openWindow<TChequeRptDiaForm>(owner, [&](TChequeRptDiaForm& w) { w.coyCode = coy; });
}
void openGstReports(QWidget* owner, int coy)
{
    ui::openWindow<TGSTRptForm>(owner, [&](TGSTRptForm& w) { w.coyCode = coy; });
}
void openBudgetReports(QWidget* owner, int coy)
{
    ui::openWindow<TBudgetsReportDialogForm>(owner,
                                             [&](TBudgetsReportDialogForm& w) { w.coyCode = coy; });
}
void openTrialBalance(QWidget* owner, int coy)
{
    ui::openWindow<reports::TTrialBalanceForm>(owner,
                                               [&](reports::TTrialBalanceForm& w) { w.coyCode = coy; });
}
void openBalanceSheet(QWidget* owner, int coy)
{
    ui::openWindow<reports::TBalanceDiaForm>(owner,
                                             [&](reports::TBalanceDiaForm& w) { w.coyCode = coy; });
}

}  // namespace app::commands
