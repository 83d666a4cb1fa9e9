#pragma once
// Builders for the hyphen-joined key codes that tie the tables together.
//
// Every part is taken as text: codes are trimmed of leading and trailing blanks (inner blanks
// stay), numbers are written in decimal without padding, and the parts are joined by single
// hyphens. Keys are never split again; readers take the parts from their own fields.
// The builders return the whole key; a key longer than its field would be cut by the store, so
// a lookup compares against cutToWidth(key, width) with the field's width below.

#include <QString>
#include <QStringList>

namespace store::keys {

// The longest parts a key is built from: what the boxes and fields that supply them accept.
constexpr int kLongestCompany = 3;         // COYCODE as text (character 3)
constexpr int kLongestAccountCode = 15;    // a ledger account's ACCTCODE
constexpr int kLongestBankCode = 6;        // QVBkHdr.BANKCODE
constexpr int kLongestAccountNumber = 20;  // QVBnkAct.ACCTNO
constexpr int kLongestReference = 11;      // TRANNUM, an entry's reference

// Field widths, by key and table. Every key built from the longest parts fits every field it
// is stored in or compared with (the catalogue tests check this), so no key is ever cut.
constexpr int kLinkCodeWidth = 9;                // QVCoy, QVAccDet, QVBnkAct, QVBnkTr, QVActTr ...
constexpr int kBudgetLinkCodeWidth = 10;         // QVAccBud, QVBudCntr
constexpr int kAccountFullCodeWidth = 25;        // QVAccDet, QVBnkTr
constexpr int kJournalFullCodeWidth = 40;        // QVActTr, QVChHdr
constexpr int kBankLinkWidth = 31;               // BANKLINK on QVBnkAct, QVBnkTr and Tranjou
constexpr int kBankAccountLinkWidth = kBankLinkWidth;  // QVBnkAct.BANKLINK
constexpr int kBankRowLinkWidth = kBankLinkWidth;      // QVBnkTr.BANKLINK
constexpr int kBankEntryKeyWidth = 50;           // BNKTRNLNK on QVBnkTr and QVActTr
constexpr int kBnkLinkNoWidth = 50;              // QVActTr.BNKLINKNO
constexpr int kSearchCodeWidth = 50;             // QVActTr.SRCHCODE
constexpr int kSplitLinkWidth = 37;              // QVActTr.SPLITLINK
constexpr int kFullLinkWidth = 37;               // QVBnkTr.FULLLINK
constexpr int kTranRefWidth = 41;                // QVBnkTr.TRANREF
constexpr int kRecurringBankAccountWidth = 27;   // QVRecTr.BANKCODE: bank code + account number
constexpr int kTranCodeWidth = 20;               // QVRecTr.TRANCODE (cut: only TRANLINK is read)
constexpr int kTranLinkWidth = 37;               // QVRecTr.TRANLINK
constexpr int kSupplierKeyWidth = 16;            // QVSupp.SUPPCOY
constexpr int kPaymentSupplierCoyWidth = 20;     // SUPPCOY on QVChHdr and QVChqDet
constexpr int kPaymentKeyWidth = 60;             // CHQBNKCOY on QVChHdr and QVChqDet
constexpr int kPaymentSupplierKeyWidth = 50;     // QVChHdr.CHQSUPLNK
constexpr int kPaymentLineSupplierKeyWidth = 55; // QVChqDet.CHQSUPLNK
constexpr int kBudgetCompanyKeyWidth = 14;       // QVBudCntr.BUDGCOY
constexpr int kBudgetLinkWidth = 31;             // BUDGLINK on QVBudCntr, QVAccBud and QVAccDet
constexpr int kReportRunKeyWidth = 5;            // KEYCODE of the report work tables
constexpr int kReportAccountKeyWidth = 21;       // ACCTKEY: 5 + "-" + a 15-character code
constexpr int kDomLinkWidth = 33;                // DOMLINK on QVAccDet and QVRecTr
constexpr int kDomFullCodeWidth = 55;            // DOMFULLCOD on QVAccDet and QVRecTr

// BNKTRNLNK and BNKLINKNO of a journal line not tied to a bank entry.
inline constexpr char kNoBankEntry[] = "0-0-0";
// Supplier code of a payment without a regular supplier.
inline constexpr char kMiscSupplier[] = "MISC";
// LINKCODE of a company-level ledger account in QVAccDet.
inline constexpr char kCompanyLevelLinkCode[] = "0";

// Trims every part and joins them with single hyphens.
QString joinParts(const QStringList& parts);
// What the store keeps of a text in a field of `width`: its first `width` UTF-16 units, less
// any part of a character (surrogate pair, combining sequence) that would be cut in two.
QString cutToWidth(const QString& key, int width);

// --- Departments and ledger accounts -------------------------------------------------------

// Department link code: "1-2".
QString linkCode(int coy, int branch);
// LINKCODE written on a ledger account: the department's link code, "0" at company level.
QString accountLinkCode(int coy, int branch);
// Ledger account key: "1-RENT" at company level (branch 0), "1-2-RENT" in department 2.
QString accountFullCode(int coy, int branch, const QString& acctCode);
// The link code journal lines and bank rows carry: an account's LINKCODE for a department
// account, the company number for a company-level one (LINKCODE "0" or blank).
QString journalLinkCode(const QString& accountLinkCode, int coy);
// FULLCODE from a journal link code (or DOMLINK) and an account code: "1-RENT", "1-2-RENT".
QString fullCodeFromLink(const QString& journalLinkCode, const QString& acctCode);

// --- Bank accounts and bank entries --------------------------------------------------------

// Bank account key: "1-030100-1234567-00".
QString bankLink(int coy, const QString& bankCode, const QString& acctNo);
// BANKLINK as a bank account holds it: the key cut to the account's field.
QString bankAccountLink(int coy, const QString& bankCode, const QString& acctNo);
// BANKLINK as a bank row holds it: the bank account key cut to the row's field.
QString bankRowLink(int coy, const QString& bankCode, const QString& acctNo);
// The bank account as one text, "030100-1234567-00": what a recurring definition's BANKCODE
// holds and what the recurring run builds its keys from.
QString bankAccountText(const QString& bankCode, const QString& acctNo);
// BANKLINK of a bank row written by the recurring run: coy + the definition's BANKCODE.
QString recurringBankLink(int coy, const QString& definitionBankAccount);

// BNKTRNLNK on a bank row: bank code, account number, entry reference.
QString bankEntryKey(const QString& bankCode, const QString& acctNo, const QString& reference);
// BNKTRNLNK on a journal line: the bank row's key followed by the company number.
QString journalBankEntryKey(const QString& bankCode, const QString& acctNo,
                            const QString& reference, int coy);
QString journalBankEntryKey(const QString& bankRowKey, int coy);
// BNKTRNLNK on a bank row written by the recurring run: definition BANKCODE, run number,
// the definition's LINKCODE.
QString recurringBankEntryKey(const QString& definitionBankAccount, int runNumber,
                              const QString& linkCode);

// BNKLINKNO of a journal line: bank code, account number, entry reference.
QString bnkLinkNo(const QString& bankCode, const QString& acctNo, const QString& reference);
// BNKLINKNO of the recurring run's lines: definition BANKCODE and run number.
QString recurringBnkLinkNo(const QString& definitionBankAccount, int runNumber);

// FULLLINK of a bank row: bank code, account number, journal link code.
QString fullLink(const QString& bankCode, const QString& acctNo, const QString& journalLinkCode);
// FULLLINK of both rows of a transfer: bank code and account of the row, company number.
QString transferFullLink(const QString& bankCode, const QString& acctNo, int coy);
// FULLLINK of a bank row written by the recurring run: definition BANKCODE and LINKCODE.
QString recurringFullLink(const QString& definitionBankAccount, const QString& linkCode);

// TRANREF of a transfer row: the source row's reference and the row's own account number.
QString tranRef(const QString& reference, const QString& acctNo);

// --- Journal lines ---------------------------------------------------------------------------

// SRCHCODE of a bank entry's line and of a recurring run's line.
QString journalSearchCode(const QString& journalLinkCode, const QString& acctCode,
                          const QString& reference);
// SRCHCODE of a payment line's journal line: also the payment line number.
QString paymentLineSearchCode(const QString& journalLinkCode, const QString& acctCode,
                              const QString& paymentNumber, int lineNo);
// SRCHCODE of a cash transaction or cash detail line: account, number, company.
QString cashSearchCode(const QString& acctCode, const QString& number, int coy);

// SPLITLINK of a private-share line. Bank entries and cash details pass the source line's
// journal link code and the account's DOMACCT; the recurring run and the import pass the
// source line's link code and account code (its search key).
QString splitLink(const QString& sourceLinkCode, const QString& acctCode,
                  const QString& reference);
QString recurringSplitLink(const QString& linkCode, const QString& acctCode, int runNumber);

// --- Recurring definitions -----------------------------------------------------------------

// TRANCODE: department code, ledger account code, who.
QString tranCode(const QString& deptCode, const QString& acctCode, const QString& who);
// TRANLINK: TRANCODE and the number taken from the bank account's counter.
QString tranLink(const QString& tranCode, int number);

// --- Suppliers and payments ----------------------------------------------------------------

// SUPPCOY of a supplier: "3-ACME"; a blank code gives "3-".
QString supplierKey(int coy, const QString& suppCode);
// SUPPCOY written on a payment: as supplierKey, with "MISC" for a blank supplier.
QString paymentSupplierCoy(int coy, const QString& suppCode);
// CHQBNKCOY: payment number, bank account number, company.
QString paymentKey(const QString& paymentNumber, const QString& acctNo, int coy);
// CHQSUPLNK: payment number, supplier code ("MISC" when blank), company.
QString paymentSupplierKey(const QString& paymentNumber, const QString& suppCode, int coy);

// --- Budgets and reports -------------------------------------------------------------------

// BUDGCOY: budget code and company.
QString budgetCompanyKey(const QString& budgetCode, int coy);
// BUDGLINK: budget code, the account's LINKCODE as stored, sequence number ("4100-1-1").
QString budgetLink(const QString& budgetCode, const QString& linkCode, int sequence);
// ACCTKEY of a report work table row: run key and account code.
QString reportAccountKey(const QString& keyCode, const QString& acctCode);

}  // namespace store::keys
