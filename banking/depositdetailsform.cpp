#include "banking/depositdetailsform.h"

#include "banking/entry_details.h"
#include "banking/journal_rules.h"
#include "cash/csheditform.h"
#include "store/format.h"
#include "store/query.h"
#include "ui/datagrid.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/opener.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString tranTypeText(const QVariant& v) {
    const QString t = v.toString().trimmed();
    return t == QLatin1String("E") ? QStringLiteral("Expense")
           : t == QLatin1String("I") ? QStringLiteral("Income")
                                     : t;
}

int coyNumber(const QString& text) { return text.trimmed().toInt(); }

}  // namespace

TDepositDetailsForm::TDepositDetailsForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("DepositDetailsForm"), 241) {
    setObjectName(QStringLiteral("DepositDetailsForm"));
    resize(720, 340);
    auto* layout = new QVBoxLayout(this);
    grid_ = new ui::DataGrid(this);
    grid_->setObjectName(QStringLiteral("DetailsGrid"));
    layout->addWidget(grid_, 1);
    auto* row = new QHBoxLayout;
    totalLabel_ = new QLabel(this);
    totalLabel_->setObjectName(QStringLiteral("TotalLabel"));
    totalLabel_->setStyleSheet(QStringLiteral("font-weight: bold"));
    row->addWidget(totalLabel_);
    row->addStretch();
    editButton_ = new QPushButton(QStringLiteral("&Edit"), this);
    editButton_->setObjectName(QStringLiteral("EditButton"));
    editButton_->setAutoDefault(false);
    removeButton_ = new QPushButton(QStringLiteral("&Remove"), this);
    removeButton_->setObjectName(QStringLiteral("RemoveButton"));
    removeButton_->setAutoDefault(false);
    auto* closeButton = new QPushButton(QStringLiteral("&Close"), this);
    closeButton->setObjectName(QStringLiteral("CloseButton"));
    closeButton->setAutoDefault(false);
    for (QPushButton* b : {editButton_, removeButton_, closeButton}) row->addWidget(b);
    layout->addLayout(row);
    connect(removeButton_, &QPushButton::clicked, this, [this] { RemoveButtonClick(); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(editButton_, &QPushButton::clicked, this, [this] { EditButtonClick(); });
}

TDepositDetailsForm::~TDepositDetailsForm() {
    grid_->unbind();
    connection_.disconnect();
}

void TDepositDetailsForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TDepositDetailsForm::FormShow() {
    setWindowTitle(QStringLiteral("Details for : ") + acctDesc + QLatin1Char(' ') +
                   QStringLiteral("Transaction no : ") + QString::number(tranNum));
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        store::Query row(connection_);
        row.setSql(QStringList{QStringLiteral("SELECT RECONCILED FROM QVBNKTR"),
                               QStringLiteral("WHERE BNKTRNLNK = :sBnkTrnLnk")});
        row.bind(QStringLiteral("sBnkTrnLnk"),
                 banking::entryBnkLinkNo(bankCode.trimmed(), acctNo.trimmed(), tranNum));
        row.open();
        reconciled_ = !row.eof() && row.integer(QStringLiteral("RECONCILED")) != 0;
        runQuery();
    });
    removeButton_->setEnabled(!reconciled_);
    grid_->setFocus();
}

void TDepositDetailsForm::runQuery() {
    const int coy = coyNumber(coyCode);
    grid_->bindQuery(
        connection_,
        QStringList{QStringLiteral("SELECT rowid AS LINEID, * FROM QVACTTR"),
                    QStringLiteral("WHERE ") + QLatin1String(banking::kEntryLinesWhere),
                    QStringLiteral("ORDER BY rowid")}
            .join(QLatin1Char('\n')),
        banking::entryLineKeys(bankCode.trimmed(), acctNo.trimmed(), tranNum, coy),
        {{QStringLiteral("ACCTCODE"), QStringLiteral("Journal Code")},
         {QStringLiteral("DESC"), QStringLiteral("Narrative")},
         ui::moneyColumn(QStringLiteral("AMOUNT"), QStringLiteral("Amount")),
         ui::moneyColumn(QStringLiteral("GSTAMT"), QStringLiteral("Tax")),
         ui::dateColumn(QStringLiteral("TRANDATE"), QStringLiteral("Trans. Date")),
         {QStringLiteral("TRANTYPE"), QStringLiteral("Tran. Type"), tranTypeText}});
    grid_->horizontalHeader()->setStretchLastSection(true);
    totalLabel_->setText(
        QStringLiteral("Total Transactions : ") +
        store::fmt::money(banking::detailLinesTotal(connection_, coy, bankCode.trimmed(),
                                                    acctNo.trimmed(), tranNum)));
}

void TDepositDetailsForm::EditButtonClick() {
    const int row = grid_->currentRow();
    if (!grid_->lazyModel() || row < 0) {
        ui::beep();
        return;
    }
    const qint64 lineId = grid_->lazyModel()->valueAt(row, QStringLiteral("LINEID")).toLongLong();
    banking::Company company;
    if (!ui::guarded(this, [&] { company = banking::readCompany(connection_); })) return;
    const bool amountChanged = ui::openWindow<TQVCshEditForm>(
        this,
        [&](TQVCshEditForm& w) {
            w.coyCode = coyNumber(coyCode);
            w.lineRowId = lineId;
            w.amountsLocked = reconciled_;
            w.taxable = company.gstEnabled;
            w.rate = company.gstPercent;
            w.setWindowTitle(QStringLiteral("Edit bank account details"));
        },
        [](TQVCshEditForm& w, int) { return w.amountChanged; });
    // A changed amount changes the entry's total, which the opener settles.
    if (amountChanged) changed = true;
    ui::guarded(this, [this] { runQuery(); });
}

void TDepositDetailsForm::RemoveButtonClick() {
    const int row = grid_->currentRow();
    if (reconciled_ || !grid_->lazyModel() || row < 0) {
        ui::beep();
        return;
    }
    const qint64 lineId = grid_->lazyModel()->valueAt(row, QStringLiteral("LINEID")).toLongLong();
    banking::SaveResult result;
    if (!ui::guarded(this, [&] {
            result = banking::removeDetailLine(connection_, coyNumber(coyCode), bankCode.trimmed(),
                                               acctNo.trimmed(), tranNum, lineId,
                                               depositsNotOnStatement);
        }))
        return;
    if (!result.ok()) {
        ui::beep();
        ui::error(this, result.message);
        return;
    }
    changed = true;
    ui::guarded(this, [this] { runQuery(); });
}

void TDepositDetailsForm::done(int result) {
    grid_->unbind();
    connection_.disconnect();
    ui::FormBase::done(result);
}
