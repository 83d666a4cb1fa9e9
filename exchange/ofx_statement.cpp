#include "exchange/ofx_statement.h"

#include <libofx/libofx.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryFile>

#include "exchange/statement_file.h"
#include "store/format.h"

namespace exchange {

namespace {

const QString kOfxNothingImported = QStringLiteral(" Nothing was imported.");

// What the callbacks gather while libofx reads.
struct OfxReading {
    OfxStatement statement;
    QStringList accounts;  // libofx's account ids, each once
    bool investment = false;
    int transactions = 0;
    QString transactionProblem;
};

QString ofxText(const char* text, int valid) {
    return valid ? QString::fromUtf8(text).trimmed() : QString();
}

// libofx prints its progress and complaints on stderr unless told not to; the reader's own
// message says what went wrong instead.
void silenceLibofx() {
    ofx_PARSER_msg = ofx_DEBUG_msg = ofx_DEBUG1_msg = ofx_DEBUG2_msg = ofx_DEBUG3_msg = 0;
    ofx_DEBUG4_msg = ofx_DEBUG5_msg = ofx_STATUS_msg = ofx_INFO_msg = ofx_WARNING_msg = 0;
    ofx_ERROR_msg = ofx_show_position = 0;
}

QString ofxAccountName(const OfxAccountData& d) {
    QStringList parts;
    for (const QString& p :
         {ofxText(d.bank_id, d.bank_id_valid), ofxText(d.branch_id, d.branch_id_valid),
          ofxText(d.account_number, d.account_number_valid)})
        if (!p.isEmpty()) parts << p;
    return parts.isEmpty() ? ofxText(d.account_id, d.account_id_valid) : parts.join(u'-');
}

int onOfxAccount(const OfxAccountData d, void* data) {
    auto* r = static_cast<OfxReading*>(data);
    const QString id = ofxText(d.account_id, d.account_id_valid);
    if (!r->accounts.contains(id)) r->accounts << id;
    r->statement.account = ofxAccountName(d);
    r->statement.creditCard =
        d.account_type_valid && d.account_type == OfxAccountData::OFX_CREDITCARD;
    if (d.account_type_valid && (d.account_type == OfxAccountData::OFX_INVESTMENT ||
                                 d.account_type == OfxAccountData::OFX_401K))
        r->investment = true;
    return 0;
}

int onOfxTransaction(const OfxTransactionData d, void* data) {
    auto* r = static_cast<OfxReading*>(data);
    ++r->transactions;
    if (!r->transactionProblem.isEmpty()) return 0;
    const auto cents = d.amount_valid ? store::fmt::checkedCents(d.amount) : std::nullopt;
    if (!cents || qAbs(*cents) >= 1'000'000'000'000'000LL) {
        r->transactionProblem =
            QStringLiteral("Transaction %1 of this file has no readable amount.")
                .arg(r->transactions);
        return 0;
    }
    StatementLine line;
    line.cents = *cents;
    const QString name = ofxText(d.name, d.name_valid), memo = ofxText(d.memo, d.memo_valid);
    // The payee codes the line through the narrative memory; a memo varies from line to line.
    line.narrative = name.isEmpty() ? memo : name;
    line.fitid = ofxText(d.fi_id, d.fi_id_valid);
    const QString cheque = ofxText(d.check_number, d.check_number_valid);
    line.cheque = !cheque.isEmpty() || (d.transactiontype_valid && d.transactiontype == OFX_CHECK);
    if (line.cheque) line.reference = cheque;
    r->statement.lines.push_back(line);
    r->statement.memos << (name.isEmpty() ? QString() : memo);
    return 0;
}

// Files that are plainly no OFX are refused before libofx sees them.
bool looksLikeOfx(const QByteArray& bytes) {
    const QByteArray head = bytes.left(4096).toUpper();
    return head.contains("OFXHEADER") || head.contains("<OFX>");
}

OfxStatement ofxRefused(const QString& problem) {
    OfxStatement s;
    s.problem = problem + kOfxNothingImported;
    return s;
}

// What libofx cannot be trusted with: it reads a missing or garbled amount as 0 and a garbled
// date as any day, and gives a moment in this computer's time zone where the bank wrote a day.
// So each transaction's own text must hold a number as its amount and a day as its date, and
// the date is the day the bank wrote.
struct OfxTransactionText {
    QDate date;
    bool amountWritten = false;
};

std::vector<OfxTransactionText> ofxTransactionTexts(const QByteArray& bytes) {
    static const QRegularExpression start(QStringLiteral("<STMTTRN>"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression date(QStringLiteral("<DTPOSTED>\\s*(\\d{4})(\\d{2})(\\d{2})"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression amount(
        QStringLiteral("<TRNAMT>\\s*[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)\\s*(<|\\r|\\n|$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QString text = QString::fromLatin1(bytes);
    const QStringList blocks = text.split(start);
    std::vector<OfxTransactionText> out;
    for (qsizetype i = 1; i < blocks.size(); ++i) {
        OfxTransactionText t;
        if (const auto m = date.match(blocks[i]); m.hasMatch())
            t.date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        t.amountWritten = amount.match(blocks[i]).hasMatch();
        out.push_back(t);
    }
    return out;
}

// libofx complains of a missing element the standard requires (a closing balance, say) as of a
// damaged file, and reads both as far as it can. A file is whole when it ends its <OFX>, every
// transaction it holds was read, and each has its date and amount.
QString ofxWholeProblem(const QByteArray& bytes, OfxReading& r) {
    const std::vector<OfxTransactionText> texts = ofxTransactionTexts(bytes);
    if (!bytes.toUpper().contains("</OFX>") || int(texts.size()) != r.transactions)
        return QStringLiteral("This OFX/QFX file is damaged or incomplete.");
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (!texts[i].date.isValid())
            return QStringLiteral("Transaction %1 of this file has no readable date.").arg(i + 1);
        if (!texts[i].amountWritten)
            return QStringLiteral("Transaction %1 of this file has no readable amount.").arg(i + 1);
        if (i < r.statement.lines.size()) r.statement.lines[i].date = texts[i].date;
    }
    return r.transactionProblem;
}

// What libofx gathered, or why it is no statement to import.
OfxStatement ofxOutcome(OfxReading& r, const QByteArray& bytes) {
    if (const QString problem = ofxWholeProblem(bytes, r); !problem.isEmpty())
        return ofxRefused(problem);
    if (r.investment)
        return ofxRefused(
            QStringLiteral("This is an investment statement; only bank and credit "
                           "card statements can be imported."));
    if (r.accounts.size() > 1)
        return ofxRefused(QStringLiteral("This file holds the statements of %1 accounts; download "
                                         "one account at a time.")
                              .arg(r.accounts.size()));
    if (r.statement.lines.empty())
        return ofxRefused(QStringLiteral("This OFX/QFX file holds no transactions."));
    return std::move(r.statement);
}

OfxStatement readOfxFile(const QString& path, const QByteArray& bytes) {
    OfxReading reading;
    silenceLibofx();
    LibofxContextPtr context = libofx_get_new_context();
    ofx_set_account_cb(context, onOfxAccount, &reading);
    ofx_set_transaction_cb(context, onOfxTransaction, &reading);
    libofx_proc_file(context, QFile::encodeName(path).constData(), OFX);
    libofx_free_context(context);
    return ofxOutcome(reading, bytes);
}

QString ofxDigits(const QString& text) {
    QString digits;
    for (QChar c : text)
        if (c.isDigit()) digits += c;
    while (digits.startsWith(u'0')) digits.remove(0, 1);
    return digits;
}

}  // namespace

OfxStatement readOfxStatement(const QString& path) {
    const StatementBytes read = readStatementBytes(path);
    if (!read.problem.isEmpty()) return OfxStatement{{}, {}, {}, false, read.problem};
    if (!looksLikeOfx(read.bytes))
        return ofxRefused(QStringLiteral("This file is no OFX or QFX statement."));
    return readOfxFile(path, read.bytes);
}

OfxStatement ofxStatementFromBytes(const QByteArray& bytes) {
    if (!looksLikeOfx(bytes))
        return ofxRefused(QStringLiteral("This file is no OFX or QFX statement."));
    QTemporaryFile file;
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush())
        return ofxRefused(QStringLiteral("The statement cannot be written to a temporary file."));
    return readOfxFile(file.fileName(), bytes);
}

bool ofxAccountMatches(const QString& fileAccount, const QString& bankCode, const QString& acctNo) {
    const QString file = ofxDigits(fileAccount);
    if (fileAccount.trimmed().isEmpty()) return true;
    if (file.isEmpty())
        return fileAccount.trimmed().compare(acctNo.trimmed(), Qt::CaseInsensitive) == 0;
    for (const QString& chosen : {ofxDigits(bankCode + acctNo), ofxDigits(acctNo)}) {
        const QString& shorter = file.size() < chosen.size() ? file : chosen;
        const QString& longer = file.size() < chosen.size() ? chosen : file;
        if (shorter.size() >= 4 && longer.endsWith(shorter)) return true;
    }
    return false;
}

QString ofxAccountQuestion(const QString& fileAccount, const QString& bankCode,
                           const QString& acctNo) {
    return QStringLiteral(
               "This statement is for account %1, not for the chosen account %2 %3.  "
               "Import it into the chosen account?")
        .arg(fileAccount, bankCode.trimmed(), acctNo.trimmed());
}

}  // namespace exchange
