#pragma once
// The six export formats for the accountant, as plain functions over the data store: each reads
// its selection, writes its files in the data folder (each under a temporary name renamed into
// place) and says whether the run succeeded and, when not, what to tell the user first.
#include <QString>
#include <QStringList>
#include <functional>

#include "exchange/export_rows.h"
#include "store/connection.h"

namespace exchange {

enum class ExportFormat { Own, Burge, Csv, Myob, Quicken, Accomplish };

// The entries of "Define format :", in the order of ExportFormat.
QStringList exportFormatNames();

// File names of the formats.
inline constexpr char kOwnJournalFile[] = "NRVExp.txt";
inline constexpr char kOwnBankFile[] = "NRVBnk.txt";
inline constexpr char kBurgeFile[] = "CashMan.txt";
inline constexpr char kCsvFile[] = "MRGExcel.csv";
inline constexpr char kMyobJournalFile[] = "JOURNAL.txt";
inline constexpr char kMyobSpendFile[] = "SPENDMONEY.txt";
inline constexpr char kMyobCodeFile[] = "MYOBCode.ini";
inline constexpr char kQuickenFile[] = "NRVQuik.qif";
inline constexpr char kAccomplishFile[] = "CASHMAN.DBF";
inline constexpr char kErrorFile[] = "NRVErr.txt";

struct ExportRequest {
    ExportRange range;
    QString folder;                 // the data folder, with a trailing separator
    QString firstCode, secondCode;  // the two code boxes (MYOB, Accomplish)
    QDate today;                    // the date of the Accomplish total rows
    // Called with the selection's size, then once per row walked.
    std::function<void(qint64)> setMaximum;
    std::function<void()> step;
};

struct ExportOutcome {
    bool ok = false;
    QString problem;    // shown (after a beep) before "Export failed."; may be empty
    QStringList files;  // the files to offer for copying, bare names, in order
};

inline constexpr char kNoEntries[] =
    "Not able to build the transactions record. Or there are no entries in the selected period.";
inline constexpr char kNoCheques[] =
    "Either there are no cheques between those dates, or the run failed.";
inline constexpr char kNoTotals[] = "Could not build transaction totals.";

ExportOutcome runExport(store::Connection& c, ExportFormat format, const ExportRequest& request);

ExportOutcome exportOwnFormat(store::Connection& c, const ExportRequest& request);
ExportOutcome exportBurge(store::Connection& c, const ExportRequest& request);
ExportOutcome exportCsv(store::Connection& c, const ExportRequest& request);
ExportOutcome exportMyob(store::Connection& c, const ExportRequest& request);
ExportOutcome exportQuicken(store::Connection& c, const ExportRequest& request);
ExportOutcome exportAccomplish(store::Connection& c, const ExportRequest& request);

// The records of each format, for the writers and their tests.
QString csvLine(const JournalRow& j, const QString& tranDate);
// Nothing for a wholly private line.
std::optional<QString> burgeLine(const JournalRow& j, const QString& tranDate);
std::optional<QStringList> quickenRecord(const JournalRow& j, const QString& tranDate);

}  // namespace exchange
