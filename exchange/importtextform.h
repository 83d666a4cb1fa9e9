#pragma once
// The statement import window: a bank's statement file shown line by line, one line at a time
// taken into the transaction details ("Add"), coded to a ledger account and accepted as a bank
// entry or, for a cheque, a one-line payment, by the posting rules of those windows.
//
//   TImportTextForm w(owner);
//   w.coyCode = 1;
//   w.exec();

#include <QDate>
#include <memory>
#include <optional>
#include <vector>

#include "banking/bank_posting.h"
#include "exchange/csv_mapping.h"
#include "exchange/statement_batch.h"
#include "exchange/statement_import.h"
#include "exchange/statement_memory.h"
#include "exchange/statement_rows.h"
#include "store/connection.h"
#include "ui/maintenanceframe.h"

class QBoxLayout;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class QToolButton;

namespace exchange {
class StatementGridModel;
}
namespace ui {
class Navigator;
}

class TImportTextForm : public ui::MaintenanceFrame {
    Q_OBJECT
public:
    explicit TImportTextForm(QWidget* owner = nullptr);
    ~TImportTextForm() override;

    // Input: the company's number.
    int coyCode = 1;

    // "Get File": the chooser, then the file's lines into the grid.
    void GetFileButtonClick();
    // The file's lines into the grid; a file that is no statement is refused with its reason and
    // the grid keeps what it showed. True when loaded.
    bool loadStatementFile(const QString& path);
    exchange::StatementGridModel* gridModel() const { return model_; }
    QTableView* grid() const { return grid_; }
    // The shown details' type.
    exchange::ImportType currentType() const;
    // What grid row `row` gives: the line its format reads (line formats), the transaction of a
    // statement read whole (OFX/QFX, CSV); nothing for a blanked or unreadable row.
    std::optional<exchange::StatementLine> statementLineAt(int row) const;
    // "CSV la&yout": the column layout of the account's CSV statements, saved and the file read
    // again with it.
    void CsvLayoutButtonClick();
    // "Accept all coded F7": every line the narrative memory codes fully and the books do not
    // hold yet, accepted one by one behind a progress bar, then what became of each line.
    void AcceptAllCodedClick();

protected:
    void FormShow() override;
    QString modeText(ui::EditMode mode) const override;
    void applyMode(ui::EditMode mode) override;
    bool startNew() override;
    bool saveRecord() override;
    void cancelRecord() override;
    void deleteRecord() override;
    void showCurrent() override;
    void closeTables() override;

private:
    void buildLayout();
    QGroupBox* buildBankGroup();
    QGroupBox* buildDetailsGroup();
    QGroupBox* buildTypeGroup();
    void connectHandlers();

    // The bank side.
    void selectAccount(const QString& bankCode, const QString& acctNo);
    void BankAcctEditDone();
    void BankCodeEditDone();
    void BankPickButtonClick();
    void accountNavigated();
    void showAccountFigures();
    // The details.
    void showDetails(const exchange::ImportDetails& details);
    void resetDetailBoxes();
    void fillFromGridLine(int row);
    void askOverlap();
    void PurposeEditChange();
    void LedgerButtonClick();
    void AmountEditChange();
    void RefEditChange();
    void NarrativeEditDone();
    void SourceChange(const QString& text);
    void TypeClick(exchange::ImportType type);
    void setType(exchange::ImportType type);
    void applyMemory(const exchange::RememberedNarrative& memory);
    void updateTax();
    void updateAcceptAllowed();
    const exchange::StatementFormat* chosenFormat() const;
    // The lines already in the books and "Accept all coded" (importtextform_batch.cpp).
    QPushButton* makeAcceptAllButton();
    void connectBatchHandlers();
    std::optional<exchange::StatementLine> statementLineOf(int row) const;
    void markLinesInBooks();
    bool insistOnLineInBooks(int row);
    void showBatchResults(const exchange::BatchSummary& summary);

    // Statements read whole (OFX/QFX, CSV), in importtextform_whole.cpp: read when the file,
    // the format or the bank account changes; the grid shows one row per transaction.
    void buildWholeStatementButton(QBoxLayout* row);
    void connectWholeStatementHandlers();
    void updateCsvLayoutButton();
    void readWholeStatement();
    void accountChangedForWholeStatement();
    void showFileLines();
    bool fileAccountAccepted(const exchange::StatementRows& rows);
    std::optional<exchange::CsvMapping> askCsvMapping(const exchange::CsvMapping& start);
    std::optional<exchange::CsvMapping> csvMappingOfAccount();
    std::optional<exchange::StatementRows> readChosenStatement(
        const exchange::StatementFormat& format);
    void chooseFormatOfFile(const QString& path);

    store::Connection connection_;
    banking::Company company_;
    exchange::NarrativeMemory memory_;
    std::vector<banking::BankAccount> accounts_;
    int accountIndex_ = -1;
    std::optional<exchange::ImportBankAccount> bank_;  // the account, when it may be used
    exchange::ImportLedger ledger_;
    bool referenceFree_ = false;
    bool overlapAccepted_ = true;
    bool filling_ = false;  // boxes set by the window, not typed
    int addingRow_ = -1;
    QDate latestAccepted_;       // the latest date of a line accepted since the window opened
    QString statementPath_;      // the file loaded
    QStringList fileLines_;      // its lines as the file has them
    bool showingWhole_ = false;  // the grid shows the rows of a statement read whole
    std::vector<std::optional<exchange::StatementLine>> wholeLines_;  // beside each such row
    QString wholeAccount_;                               // the bank account they were read for
    std::optional<exchange::StatementLine> addingLine_;  // the file's line being imported

    QComboBox* bankCombo_;
    QLineEdit* bankCodeEdit_;
    QLineEdit* acctNoEdit_;
    QToolButton* bankPickButton_;
    QLabel* bankDescLabel_;
    QLabel* allocatedLabel_;
    QLabel* accountStatusLabel_;
    QLineEdit* openBalEdit_;
    QLineEdit* currBalEdit_;
    QLineEdit* odAmountEdit_;
    ui::Navigator* navigator_;
    QGroupBox* detailsGroup_;
    QLineEdit* purposeEdit_;
    QToolButton* ledgerButton_;
    QLabel* acctDescLabel_;
    QLabel* belongsLabel_;
    QLineEdit* amountEdit_;
    QLabel* taxLabel_;
    QLineEdit* taxEdit_;
    QLineEdit* narrativeEdit_;
    QLineEdit* dateEdit_;
    QLineEdit* refEdit_;
    QLabel* refStatusLabel_;
    QComboBox* sourceCombo_;
    QGroupBox* typeGroup_;
    std::vector<QRadioButton*> typeButtons_;
    QTableView* grid_;
    exchange::StatementGridModel* model_;
    QPushButton* getFileButton_;
    QPushButton* csvLayoutButton_ = nullptr;
    QPushButton* acceptAllButton_;
};
