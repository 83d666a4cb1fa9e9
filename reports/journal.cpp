#include "reports/journal.h"

#include <QSet>
#include <utility>

#include "reports/company.h"
#include "store/connection.h"
#include "store/format.h"
#include "store/query.h"

namespace reports {
namespace {

using store::fmt::roundTo;
using L = JournalLayout;

constexpr int kJournalWhollyPrivate = 100;
// Lines carrying this entry link are left out of the summary and department journals.
const QString kLeftOutEntry = QStringLiteral("1-1-1");
const QString kJournalIncome = QStringLiteral("INC");
const QString kJournalExpense = QStringLiteral("EXP");

bool journalTypedSections(L layout) {
    return layout == L::Summary || layout == L::All || layout == L::Department ||
           layout == L::CashOnly;
}

// The conditions a layout adds to the lines of one account.
QStringList journalLineConditions(L layout, bool department) {
    switch (layout) {
        case L::Summary:
            return department
                       ? QStringList{"AND A.LINKCODE =:sLinkCode", "AND A.BNKTRNLNK <>:sBnkTrnLnk"}
                       : QStringList{"AND A.BNKTRNLNK <>:sBnkTrnLnk"};
        case L::Department:
            return {"AND A.BNKTRNLNK <>:sBnkTrnLnk"};
        case L::CashOnly:
            return {"AND A.HASBNKACCT =:iDeposited"};
        case L::DepartmentAndAccount:
        case L::DepartmentAudit:
            return {"AND A.LINKCODE =:sLinkCode"};
        default:
            return {};
    }
}

// `lastDate` carries the date read before: lines come in date order, so most repeat it.
JournalLine journalLineOf(const store::Query& q, std::pair<QString, QDate>& lastDate) {
    JournalLine l;
    const QString dateText = q.value(0).toString();
    if (dateText != lastDate.first) lastDate = {dateText, QDate::fromString(dateText, Qt::ISODate)};
    l.date = lastDate.second;
    l.acctCode = q.value(1).toString().trimmed();
    l.narrative = q.value(2).toString().trimmed();
    l.ref = q.value(3).toString().trimmed();
    l.reason = q.value(4).toString().trimmed();
    l.tranNum = q.value(5).toLongLong();
    l.amount = roundTo(q.number(6), 2);
    l.gst = roundTo(q.number(7), 2);
    l.business = roundTo(q.number(8), 2);
    l.supplier = q.value(9).toString().trimmed();  // the code until the name is looked up
    l.income = q.value(10).toString().trimmed() != QLatin1String("E");
    return l;
}

}  // namespace

JournalLayout chooseJournalLayout(const JournalTicks& t) {
    const bool dept = t.department;
    const bool deptFound = dept && t.departmentFound;
    const bool account = t.account && t.accountFound;
    if (t.audit && !dept) return L::Audit;
    if (t.audit && deptFound) return L::DepartmentAudit;
    if (t.cashOnly) return L::CashOnly;
    if (!dept && account) return L::SelectedAccount;
    if (!dept && t.details) return L::All;
    if (!dept) return L::Summary;
    if (deptFound && t.details && account) return L::DepartmentAndAccount;
    if (deptFound && t.details) return L::Department;
    if (deptFound) return L::Summary;
    return L::None;
}

QDate journalFromDate(bool fromGiven, const QDate& fromBox) {
    return fromGiven ? fromBox : QDate(1900, 1, 1);
}

QString journalDateLabel(bool fromGiven, const QDate& from, const QDate& to) {
    const QString toText = store::fmt::shortDate(to);
    if (!fromGiven) return QStringLiteral("To : ") + toText;
    return QStringLiteral("From : ") + store::fmt::shortDate(from) + " " + "to " + toText;
}

const JournalGroup* JournalFigures::group(const QString& code) const {
    for (const JournalSection& s : sections)
        for (const JournalGroup& g : s.groups)
            if (g.code == code) return &g;
    return nullptr;
}

JournalReport::JournalReport(store::Connection& connection, JournalLayout layout,
                             const JournalRequest& r)
    : connection_(connection), layout_(layout), request_(r) {
    request_.linkCode = request_.linkCode.trimmed();
    request_.acctCode = request_.acctCode.trimmed();
}

QString JournalReport::departmentName() const {
    store::Query q(connection_);
    q.setSql({"SELECT BUSNAME FROM QVCOY", "WHERE LINKCODE =:sLinkCode"});
    q.bind("sLinkCode", request_.linkCode);
    q.open();
    return q.eof() ? QString() : q.text("BUSNAME");
}

// Titles and the company label of each layout.
void JournalReport::labels() {
    const QString name = companyName(connection_, request_.coy);
    JournalFigures& f = figures_;
    f.dateLabel = journalDateLabel(request_.fromGiven, request_.from, request_.to);
    switch (layout_) {
        case L::Summary:
            f.title = QStringLiteral("Income & Expense Report - Summary of all Journal Entries");
            f.companyLabel = QStringLiteral("All cash transactions for :  ") + name;
            if (!request_.linkCode.isEmpty())
                f.companyLabel += QStringLiteral(" ") + " and " + departmentName();
            break;
        case L::All:
            f.title = QStringLiteral("Income & Expense Report - All Journal Entries");
            f.companyLabel = QStringLiteral("All journal transactions for :  ") + name;
            break;
        case L::Department:
            f.title = QStringLiteral(
                "Income & Expense Report - All Journal Entries for selected department");
            f.companyLabel = QStringLiteral("Journal transactions for :  ") + name + " " +
                             "Department: " + departmentName();
            break;
        case L::CashOnly:
            f.title = QStringLiteral("Cash Transactions (not banked)  Report - All Entries");
            f.companyLabel = QStringLiteral("Nonbank cash transactions for :  ") + name;
            break;
        case L::SelectedAccount:
            f.title = QStringLiteral("Journal Audit Report - Selected Account");
            f.companyLabel = QStringLiteral("For :  ") + name;
            break;
        case L::DepartmentAndAccount:
            f.title = QStringLiteral(
                "Cash Journal Entries for a selected Department and Journal Account");
            f.companyLabel = QStringLiteral("Journal entries for : ") + departmentName() +
                             " and account " + request_.acctCode;
            break;
        case L::Audit:
            f.title = QStringLiteral("Cash  Journal Audit Report");
            f.companyLabel = QStringLiteral("For :  ") + name;
            break;
        case L::DepartmentAudit:
            f.title = QStringLiteral("Journal Audit Report");
            f.companyLabel =
                QStringLiteral("For :  ") + name + "  and department " + " " + departmentName();
            break;
        case L::TransactionAudit:
            f.title = QStringLiteral("Journal Audit Report");
            f.companyLabel = QStringLiteral("Transactions for : ") + request_.bankTitle;
            break;
        case L::None:
            break;
    }
}

// The accounts of one type that the summary family lists, in code order, each code once.
std::vector<JournalReport::Account> JournalReport::accountsOf(const QString& type) const {
    store::Query q(connection_);
    QStringList sql = {"SELECT ACCTCODE, DESCR FROM QVACCDET D", "WHERE D.COYCODE =:iCoyCode"};
    const bool department =
        layout_ == L::Department || (layout_ == L::Summary && !request_.linkCode.isEmpty());
    if (department) sql << "AND D.LINKCODE =:sLinkCode";
    sql << "AND D.TYPECODE =:sTypeCode";
    if (layout_ != L::All) sql << "AND D.ALLOCPER <>:dAllocPer";
    sql << "ORDER BY D.ACCTCODE";
    q.setSql(sql);
    q.bind("iCoyCode", QString::number(request_.coy));
    if (department) q.bind("sLinkCode", request_.linkCode);
    q.bind("sTypeCode", type);
    if (layout_ != L::All) q.bind("dAllocPer", kJournalWhollyPrivate);
    q.open();
    std::vector<Account> out;
    QSet<QString> seen;
    for (; !q.eof(); q.next()) {
        const QString code = q.text("ACCTCODE").trimmed();
        if (seen.contains(code)) continue;  // a department account sharing a company code
        seen.insert(code);
        out.push_back({code, q.text("DESCR"), type == kJournalIncome});
    }
    return out;
}

// Every account code the company's journal holds, read from the covering index one code at a
// time, so that lines of an account no longer in the chart are listed too.
std::vector<JournalReport::Account> JournalReport::accountCodesInJournal() const {
    store::Query q(connection_);
    q.setSql({"WITH RECURSIVE C(CODE) AS (",
              "SELECT MIN(ACCTCODE) FROM QVACTTR WHERE COYCODE =:iCoyCode",
              "UNION ALL SELECT (SELECT MIN(ACCTCODE) FROM QVACTTR",
              "WHERE COYCODE =:iCoyCode AND ACCTCODE > C.CODE)", "FROM C WHERE C.CODE IS NOT NULL)",
              "SELECT C.CODE, (SELECT DESCR FROM QVACCDET WHERE COYCODE =:iCoyCode",
              "AND ACCTCODE = C.CODE ORDER BY rowid LIMIT 1),",
              "(SELECT TYPECODE FROM QVACCDET WHERE COYCODE =:iCoyCode",
              "AND ACCTCODE = C.CODE ORDER BY rowid LIMIT 1)", "FROM C WHERE C.CODE IS NOT NULL"});
    q.bind("iCoyCode", QString::number(request_.coy));
    q.open();
    std::vector<Account> out;
    for (; !q.eof(); q.next())
        out.push_back({q.value(0).toString(), q.value(1).toString(),
                       q.value(2).toString().trimmed() != kJournalExpense});
    return out;
}

// The account's lines in the range under the layout's conditions, in date order (lines of one
// date in the order written), with their totals.
JournalGroup JournalReport::readGroup(const Account& a) const {
    const bool bank = layout_ == L::TransactionAudit;
    store::Query q(connection_);
    QStringList sql = {"SELECT TRANDATE, ACCTCODE, \"DESC\", REF, REASON, TRANNUM, AMOUNT,",
                       "GSTAMT, BUSAMT, SUPPCODE, TRANTYPE FROM QVACTTR A",
                       "WHERE A.COYCODE =:iCoyCode",
                       bank ? "AND A.BANKACCT =:sAcctNo" : "AND A.ACCTCODE =:sAcctCode"};
    const QStringList conditions = journalLineConditions(layout_, !request_.linkCode.isEmpty());
    sql << conditions << "AND (A.TRANDATE BETWEEN :StartDate AND :EndDate)"
        << (bank ? "ORDER BY A.TRANDATE, A.TRANNUM, A.rowid" : "ORDER BY A.TRANDATE, A.rowid");
    q.setSql(sql);
    q.bind("iCoyCode", QString::number(request_.coy));
    if (bank)
        q.bind("sAcctNo", request_.bankAcctNo);
    else
        q.bind("sAcctCode", a.code);
    const QString all = conditions.join(' ');
    if (all.contains(":sLinkCode")) q.bind("sLinkCode", request_.linkCode);
    if (all.contains(":sBnkTrnLnk")) q.bind("sBnkTrnLnk", kLeftOutEntry);
    if (all.contains(":iDeposited")) q.bind("iDeposited", 0);
    q.bind("StartDate", request_.from);
    q.bind("EndDate", request_.to);
    q.open();

    JournalGroup g{a.code, a.description, {}, 0, 0};
    std::pair<QString, QDate> lastDate;
    for (; !q.eof(); q.next()) {
        g.lines.push_back(journalLineOf(q, lastDate));
        if (!bank) g.lines.back().supplier.clear();  // only the bank audit names suppliers
        g.amount += g.lines.back().amount;
        g.gst += g.lines.back().gst;
    }
    g.amount = roundTo(g.amount, 2);
    g.gst = roundTo(g.gst, 2);
    return g;
}

// Adds an account's group to its section. Every line read counts in the section's totals; the
// account itself prints only when it has lines and, in the summary family, when the first of
// them has an amount.
void JournalReport::addGroup(size_t section, JournalGroup group, bool firstLineRule) {
    openSection(section);
    linesRead_ += int(group.lines.size());
    JournalSection& s = figures_.sections[section];
    s.amount = roundTo(s.amount + group.amount, 2);
    s.gst = roundTo(s.gst + group.gst, 2);
    if (group.lines.empty()) return;
    if (firstLineRule && store::fmt::cents(group.lines.front().amount) == 0) return;
    appendGroup(group);
    s.groups.push_back(std::move(group));
}

// The bank audit names each line's supplier, looked up once a supplier.
void JournalReport::nameSuppliers(JournalGroup& group) {
    for (JournalLine& l : group.lines) {
        if (l.supplier.isEmpty()) continue;
        auto found = supplierNames_.constFind(l.supplier);
        if (found == supplierNames_.constEnd()) {
            store::Query q(connection_);
            q.setSql({"SELECT BUSNAME FROM QVSUPP", "WHERE COYNO =:iCoyCode",
                      "AND SUPPCODE =:sSuppcode"});
            q.bind("iCoyCode", request_.coy);
            q.bind("sSuppcode", l.supplier);
            q.open();
            found = supplierNames_.insert(l.supplier,
                                          q.eof() ? QString() : q.text("BUSNAME").trimmed());
        }
        l.supplier = *found;
    }
}

void JournalReport::typedSections() {
    figures_.sections = {
        {QStringLiteral("Income :"), QStringLiteral("Total Income :"), {}, 0, 0},
        {QStringLiteral("Expenses :"), QStringLiteral("Total Expenses"), {}, 0, 0}};
    for (const QString& type : {kJournalIncome, kJournalExpense}) {
        const size_t section = type == kJournalIncome ? 0 : 1;
        for (const Account& a : accountsOf(type))
            addTask([this, a, section] { addGroup(section, readGroup(a), true); });
    }
}

// The audit layouts: one unnamed section of account groups (or of the bank account's lines).
void JournalReport::auditGroups() {
    figures_.sections = {JournalSection{}};
    std::vector<Account> accounts;
    switch (layout_) {
        case L::SelectedAccount:
        case L::DepartmentAndAccount: {
            store::Query q(connection_);
            q.setSql({"SELECT DESCR, TYPECODE FROM QVACCDET", "WHERE COYCODE =:sCoyCode",
                      "AND ACCTCODE =:sAcctCode"});
            q.bind("sCoyCode", QString::number(request_.coy));
            q.bind("sAcctCode", request_.acctCode);
            q.open();
            accounts.push_back({request_.acctCode, q.eof() ? QString() : q.text("DESCR"),
                                q.eof() || q.text("TYPECODE").trimmed() != kJournalExpense});
            break;
        }
        case L::Audit:
            accounts = accountCodesInJournal();
            break;
        case L::DepartmentAudit: {
            store::Query q(connection_);
            q.setSql({"SELECT ACCTCODE, DESCR, TYPECODE FROM QVACCDET", "WHERE COYCODE =:iCoyCode",
                      "AND LINKCODE =:sLinkCode", "ORDER BY ACCTCODE"});
            q.bind("iCoyCode", QString::number(request_.coy));
            q.bind("sLinkCode", request_.linkCode);
            q.open();
            for (; !q.eof(); q.next())
                accounts.push_back({q.text("ACCTCODE").trimmed(), q.text("DESCR"),
                                    q.text("TYPECODE").trimmed() != kJournalExpense});
            break;
        }
        default:  // the transaction audit: the bank account's lines in one group
            accounts.push_back({request_.bankAcctNo, request_.bankTitle, true});
    }
    for (const Account& a : accounts)
        addTask([this, a] {
            JournalGroup g = readGroup(a);
            if (layout_ == L::TransactionAudit) nameSuppliers(g);
            double& amount = a.income ? incomeAmount_ : expenseAmount_;
            double& gst = a.income ? incomeGst_ : expenseGst_;
            amount = roundTo(amount + g.amount, 2);
            gst = roundTo(gst + g.gst, 2);
            addGroup(0, std::move(g), false);
        });
}

void JournalReport::begin() {
    figures_ = JournalFigures{};
    figures_.layout = layout_;
    incomeAmount_ = incomeGst_ = expenseAmount_ = expenseGst_ = 0;
    linesRead_ = 0;
    supplierNames_.clear();
    labels();
    startDocument();
    if (layout_ == L::None) return;
    if (journalTypedSections(layout_))
        typedSections();
    else
        auditGroups();
}

void JournalReport::finish() {
    JournalFigures& f = figures_;
    if (journalTypedSections(layout_)) {
        const JournalSection &in = f.sections[0], &out = f.sections[1];
        f.summary.push_back({QStringLiteral("Net revenue : "), roundTo(in.amount - out.amount, 2),
                             roundTo(in.gst - out.gst, 2), std::nullopt});
    } else if (layout_ == L::Audit || layout_ == L::DepartmentAudit) {
        f.summary.push_back({QStringLiteral("Balances :"),
                             roundTo(incomeAmount_ - expenseAmount_, 2),
                             roundTo(incomeGst_ - expenseGst_, 2), std::nullopt});
    } else if (layout_ == L::TransactionAudit) {
        JournalTotal in{QStringLiteral("Total Income : "), 0, 0, 0.0};
        JournalTotal out{QStringLiteral("Total Expense : "), 0, 0, 0.0};
        for (const JournalGroup& g : f.sections[0].groups)
            for (const JournalLine& l : g.lines) {
                JournalTotal& t = l.income ? in : out;
                t.amount = roundTo(t.amount + l.amount, 2);
                t.gst = roundTo(t.gst + l.gst, 2);
                t.business = roundTo(*t.business + l.business, 2);
            }
        f.summary = {in, out};
    }
    endDocument();
}

}  // namespace reports
