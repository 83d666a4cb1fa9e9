#include "banking/banktransviewform.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "banking/accountheadingpanel.h"
#include "banking/bank_entry_reads.h"
#include "banking/editbankrow.h"
#include "banking/reconciliation.h"
#include "banking/transaction_lists.h"
#include "ui/datagrid.h"
#include "ui/datebox.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"

namespace {

QString viewNumber(const QVariant& v) { return QString::number(v.toLongLong()); }
QString viewDate(const QVariant& v) {
    const QDate d =
        v.toDate().isValid() ? v.toDate() : QDate::fromString(v.toString(), Qt::ISODate);
    return d.isValid() ? d.toString(QStringLiteral("dd MM yyyy")) : QString();
}
QString viewReconciled(const QVariant& v) { return banking::reconciledText(v.toInt()); }

}  // namespace

TQVBankTransViewForm::TQVBankTransViewForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("QVBankTransViewForm")),
      heading_(new banking::AccountHeadingPanel(this)),
      fromDate_(new ui::DateBox(this)),
      toDate_(new ui::DateBox(this)),
      grid_(new ui::DataGrid(this)),
      rowNavigator_(new ui::Navigator(this)),
      exitButton_(new QPushButton(QStringLiteral("E&xit"), this)),
      rowMenu_(new QMenu(this)) {
    setObjectName(QStringLiteral("QVBankTransViewForm"));
    setWindowTitle(QStringLiteral("Bank transactions view"));
    fromDate_->setObjectName(QStringLiteral("FromDate"));
    toDate_->setObjectName(QStringLiteral("ToDate"));
    grid_->setObjectName(QStringLiteral("ViewGrid"));
    rowNavigator_->setObjectName(QStringLiteral("ViewNavigator"));
    exitButton_->setObjectName(QStringLiteral("ExitButton"));
    exitButton_->setAutoDefault(false);
    const auto range = banking::transactionViewDefaultRange(QDate::currentDate());
    fromDate_->setDateValue(range.first);
    toDate_->setDateValue(range.second);

    auto* dates = new QHBoxLayout;
    auto* between = new QLabel(QStringLiteral("&View transactions between"), this);
    between->setBuddy(fromDate_);
    auto* andLabel = new QLabel(QStringLiteral("&and"), this);
    andLabel->setBuddy(toDate_);
    dates->addWidget(between);
    dates->addWidget(fromDate_);
    dates->addWidget(andLabel);
    dates->addWidget(toDate_);
    dates->addStretch();

    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    QAction* edit = rowMenu_->addAction(QStringLiteral("Edit selected Transaction"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(rowNavigator_);
    bottom->addWidget(new QLabel(
        QStringLiteral("To edit a transaction right-click and then select Edit this transaction."),
        this));
    bottom->addStretch();
    bottom->addWidget(exitButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addLayout(dates);
    layout->addWidget(grid_, 1);
    layout->addLayout(bottom);
    resize(760, 460);

    connect(heading_, &banking::AccountHeadingPanel::accountChanged, this,
            [this] { ui::guarded(this, [this] { showAccount(); }); });
    connect(fromDate_, &QDateEdit::dateChanged, this, [this] { requery(0); });
    connect(toDate_, &QDateEdit::dateChanged, this, [this] { requery(0); });
    connect(grid_, &ui::DataGrid::currentRecordChanged, this,
            [this] { rowNavigator_->updateButtons(); });
    connect(grid_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { rowMenu_->popup(grid_->viewport()->mapToGlobal(at)); });
    connect(grid_, &ui::DataGrid::activatedRow, this, [this] { EditTransactionClick(); });
    connect(edit, &QAction::triggered, this, [this] { EditTransactionClick(); });
    connect(exitButton_, &QPushButton::clicked, this, [this] { accept(); });
}

TQVBankTransViewForm::~TQVBankTransViewForm() {
    grid_->unbind();
    connection_.disconnect();
}

void TQVBankTransViewForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TQVBankTransViewForm::FormShow() {
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        auto accounts = banking::companyBankAccounts(connection_, coyCode);
        int index = accounts.empty() ? -1 : 0;
        if (const auto current = banking::defaultBankAccount(connection_, coyCode))
            for (size_t i = 0; i < accounts.size(); ++i)
                if (accounts[i].bankLink == current->bankLink) index = int(i);
        heading_->setAccounts(std::move(accounts), index);
        showAccount();
    });
    grid_->setFocus();
}

void TQVBankTransViewForm::showAccount() {
    heading_->updateButtons();
    if (const banking::BankAccount* a = heading_->current())
        heading_->showHeading(banking::accountHeading(connection_, *a));
    requery(0);
}

void TQVBankTransViewForm::requery(int keepRow) {
    const banking::BankAccount* a = heading_->current();
    if (!a || !connection_.isConnected()) return;
    ui::guarded(this, [&] {
        grid_->bindQuery(
            connection_, banking::transactionViewSql().join(QLatin1Char('\n')),
            banking::transactionViewParams(coyCode, a->bankLink, fromDate_->dateValue(),
                                           toDate_->dateValue()),
            {{QStringLiteral("TRANNUM"), QStringLiteral("Transaction No."), viewNumber,
              Qt::AlignRight | Qt::AlignVCenter},
             {QStringLiteral("REASON"), QStringLiteral("Description")},
             ui::moneyColumn(QStringLiteral("AMOUNT"), QStringLiteral("Amount")),
             {QStringLiteral("TRANDATE"), QStringLiteral("Date"), viewDate},
             {QStringLiteral("TRANTYPE"), QStringLiteral("Type")},
             {QStringLiteral("RECONCILED"), QStringLiteral("Reconciled"), viewReconciled}});
        grid_->horizontalHeader()->setStretchLastSection(true);
        rowNavigator_->setTarget(ui::gridTarget(*grid_));
        const int rows = grid_->lazyModel()->rowCount();
        if (rows > 0) grid_->setCurrentRow(std::min(std::max(keepRow, 0), rows - 1));
        rowNavigator_->updateButtons();
    });
}

void TQVBankTransViewForm::EditTransactionClick() {
    const banking::BankAccount* a = heading_->current();
    const int row = grid_->currentRow();
    if (!a || !grid_->lazyModel() || row < 0) {
        ui::beep();
        return;
    }
    const qint64 tranNum = grid_->lazyModel()->valueAt(row, QStringLiteral("TRANNUM")).toLongLong();
    const QString type = grid_->lazyModel()->valueAt(row, QStringLiteral("TRANTYPE")).toString();
    // Edits and deletions made there show at once, at the remembered position.
    if (banking::editBankRow(this, coyCode, a->bankCode, a->acctNo, tranNum, type)) requery(row);
}
