#include "banking/bankrecform.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include "banking/accountheadingpanel.h"
#include "banking/editbankrow.h"
#include "banking/rectransform.h"
#include "ledger/company.h"
#include "store/format.h"
#include "ui/datagrid.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"
#include "ui/opener.h"

namespace fmt = store::fmt;

namespace {

QLineEdit* recFigureBox(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(QStringLiteral("0.00"), parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    e->setAlignment(Qt::AlignRight);
    e->setMaximumWidth(130);
    return e;
}

QPushButton* recButton(QWidget* parent, const char* name, const QString& caption,
                       const QString& hint = {}) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(hint);
    b->setAutoDefault(false);
    return b;
}

QString presentedMark(const QVariant& v) {
    return v.toInt() == 1 ? QStringLiteral("Yes") : QString();
}

QString wholeNumberText(const QVariant& v) { return QString::number(v.toLongLong()); }

}  // namespace

TQVBankRecForm::TQVBankRecForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("QVBankRecForm")),
      heading_(new banking::AccountHeadingPanel(this)),
      statBalEdit_(new QLineEdit(QStringLiteral("0.00"), this)),
      openBalEdit_(recFigureBox(this, "OpenBalEdit")),
      recAmountEdit_(recFigureBox(this, "RecAmountEdit")),
      recBalEdit_(recFigureBox(this, "RecBalEdit")),
      grid_(new ui::DataGrid(this)),
      rowNavigator_(new ui::Navigator(this)),
      presentButton_(recButton(this, "PresentButton", QStringLiteral("&Present"))),
      upDateButton_(recButton(this, "UpDateButton", QStringLiteral("&Up Date"),
                              QStringLiteral("Updates ledger record"))),
      refreshButton_(recButton(this, "RefreshButton", QStringLiteral("&Refresh"),
                               QStringLiteral("If you have entered new transactions, or altered "
                                              "amounts, click this to update display"))),
      recTransButton_(recButton(this, "RecTransButton", QStringLiteral("Rec. &Trans"),
                                QStringLiteral("Run manual recurring transactions"))),
      exitButton_(recButton(this, "ExitButton", QStringLiteral("E&xit"))),
      rowMenu_(new QMenu(this)) {
    setObjectName(QStringLiteral("QVBankRecForm"));
    setWindowTitle(QStringLiteral("Bank reconciliation"));
    statBalEdit_->setObjectName(QStringLiteral("StatBalEdit"));
    statBalEdit_->setToolTip(QStringLiteral("Enter the closing balance from the bank statement"));
    statBalEdit_->setAlignment(Qt::AlignRight);
    statBalEdit_->setMaximumWidth(130);
    grid_->setObjectName(QStringLiteral("RecGrid"));
    rowNavigator_->setObjectName(QStringLiteral("RecNavigator"));

    auto* figures = new QGridLayout;
    auto* statLabel = new QLabel(QStringLiteral("&Statement Balance :"), this);
    statLabel->setBuddy(statBalEdit_);
    figures->addWidget(statLabel, 0, 0);
    figures->addWidget(statBalEdit_, 0, 1);
    figures->addWidget(new QLabel(QStringLiteral("Opening Balance :"), this), 0, 2);
    figures->addWidget(openBalEdit_, 0, 3);
    figures->addWidget(new QLabel(QStringLiteral("Reconciled Amount:"), this), 1, 2);
    figures->addWidget(recAmountEdit_, 1, 3);
    figures->addWidget(new QLabel(QStringLiteral("Reconciled Balance"), this), 2, 2);
    figures->addWidget(recBalEdit_, 2, 3);
    figures->setColumnStretch(4, 1);

    // Six rows visible.
    grid_->setMinimumHeight(grid_->horizontalHeader()->sizeHint().height() +
                            6 * grid_->verticalHeader()->defaultSectionSize() + 4);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    QAction* edit = rowMenu_->addAction(QStringLiteral("Edit selected Transaction"));

    auto* navRow = new QHBoxLayout;
    navRow->addWidget(rowNavigator_);
    navRow->addStretch();
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {presentButton_, upDateButton_, refreshButton_, recTransButton_})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(exitButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addLayout(figures);
    layout->addWidget(grid_, 1);
    layout->addLayout(navRow);
    layout->addLayout(buttons);
    resize(720, 440);

    connect(heading_, &banking::AccountHeadingPanel::accountChanged, this,
            [this](int previous) { accountChanged(previous); });
    connect(grid_, &ui::DataGrid::currentRecordChanged, this, [this] { rowChanged(); });
    connect(rowNavigator_, &ui::Navigator::moved, this, [this] { rowChanged(); });
    connect(grid_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { rowMenu_->popup(grid_->viewport()->mapToGlobal(at)); });
    connect(edit, &QAction::triggered, this, [this] { EditTransactionClick(); });
    connect(presentButton_, &QPushButton::clicked, this, [this] { PresentButtonClick(); });
    connect(upDateButton_, &QPushButton::clicked, this, [this] { UpDateButtonClick(); });
    connect(refreshButton_, &QPushButton::clicked, this, [this] { RefreshButtonClick(); });
    connect(exitButton_, &QPushButton::clicked, this, [this] { accept(); });
    connect(recTransButton_, &QPushButton::clicked, this, [this] { RecTransButtonClick(); });
}

// The recurring run for the company; whatever it posted shows at once.
void TQVBankRecForm::RecTransButtonClick() {
    QString coyName;
    ui::guarded(this, [&] { coyName = ledger::companyName(connection_, coyCode); });
    const bool ran = ui::openWindow<TRecTransForm>(
        this,
        [&](TRecTransForm& w) {
            w.posted = false;
            w.coyCode = QString::number(coyCode);
            w.coyName = coyName;
            w.setWindowTitle(QStringLiteral("Run recurring transactions for : ") + windowTitle());
        },
        [](TRecTransForm& w, int) { return w.posted; });
    if (ran) RefreshButtonClick();
}

TQVBankRecForm::~TQVBankRecForm() {
    grid_->unbind();
    connection_.disconnect();
}

void TQVBankRecForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TQVBankRecForm::FormShow() {
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        auto accounts = banking::companyBankAccounts(connection_, coyCode);
        const int first = accounts.empty() ? -1 : 0;
        heading_->setAccounts(std::move(accounts), first);
        showAccount();
    });
    grid_->setFocus();
}

void TQVBankRecForm::done(int result) {
    if (const banking::BankAccount* a = heading_->current(); a && connection_.isConnected())
        rememberStatement(*a);
    ui::FormBase::done(result);
}

void TQVBankRecForm::rememberStatement(const banking::BankAccount& account) {
    ui::guarded(this, [&] {
        banking::rememberStatementBalance(connection_, coyCode, account.bankCode, account.acctNo,
                                          statBalEdit_->text());
    });
}

// --- The account -----------------------------------------------------------------------------

void TQVBankRecForm::accountChanged(int previous) {
    if (const banking::BankAccount* left = heading_->accountAt(previous)) rememberStatement(*left);
    ui::guarded(this, [this] { showAccount(); });
}

void TQVBankRecForm::showAccount() {
    const banking::BankAccount* a = heading_->current();
    heading_->updateButtons();
    if (!a) return;
    heading_->showHeading(banking::accountHeading(connection_, *a));
    figures_ = banking::reconciliationFigures(connection_, coyCode, a->bankCode, a->acctNo);
    statBalEdit_->setText(fmt::money(figures_ ? double(figures_->prevBal) / 100.0 : 0.0));
    requeryRows(0);
}

void TQVBankRecForm::requeryRows(int keepRow) {
    const banking::BankAccount* a = heading_->current();
    if (!a) return;
    if (grid_->lazyModel() && boundLink_ == a->bankLink) {
        grid_->refresh();
    } else {
        boundLink_ = a->bankLink;
        grid_->bindQuery(connection_, banking::unreconciledRowsSql().join(QLatin1Char('\n')),
                         banking::unreconciledRowsParams(a->bankLink),
                         {{QStringLiteral("REASON"), QStringLiteral("Description")},
                          ui::moneyColumn(QStringLiteral("AMOUNT"), QStringLiteral("Amount")),
                          ui::dateColumn(QStringLiteral("TRANDATE"), QStringLiteral("Date")),
                          {QStringLiteral("TRANNUM"), QStringLiteral("Cheque/ Tran. No."),
                           wholeNumberText, Qt::AlignRight | Qt::AlignVCenter},
                          {QStringLiteral("CONFIRMED"), QStringLiteral("Presented"), presentedMark,
                           Qt::AlignCenter}});
        grid_->horizontalHeader()->setStretchLastSection(true);
        rowNavigator_->setTarget(ui::gridTarget(*grid_));
    }
    const int rows = grid_->lazyModel()->rowCount();
    if (rows > 0) grid_->setCurrentRow(std::min(std::max(keepRow, 0), rows - 1));
    showFigures();
    rowChanged();
}

void TQVBankRecForm::showFigures() {
    const qint64 opening = figures_ ? figures_->opening : 0;
    const qint64 reconciled = figures_ ? figures_->reconciled : 0;
    openBalEdit_->setText(fmt::money(double(opening) / 100.0));
    recAmountEdit_->setText(fmt::money(double(reconciled) / 100.0));
    recBalEdit_->setText(fmt::money(double(opening + reconciled) / 100.0));
}

void TQVBankRecForm::rowChanged() {
    rowNavigator_->updateButtons();
    const int row = grid_->currentRow();
    const bool presented =
        grid_->lazyModel() && row >= 0 &&
        grid_->lazyModel()->valueAt(row, QStringLiteral("CONFIRMED")).toInt() == 1;
    presentButton_->setText(presented ? QStringLiteral("&Cancel") : QStringLiteral("&Present"));
}

// --- Commands --------------------------------------------------------------------------------

void TQVBankRecForm::PresentButtonClick() {
    const int row = grid_->currentRow();
    if (!grid_->lazyModel() || row < 0 || !heading_->current()) {
        ui::beep();
        return;
    }
    ui::guarded(this, [&] {
        const qint64 rowId = grid_->lazyModel()->valueAt(row, QStringLiteral("rowid")).toLongLong();
        const auto result =
            banking::togglePresented(connection_, coyCode, rowId, statBalEdit_->text());
        if (result.outcome != banking::ReconcileOutcome::Done) {
            ui::beep();
            ui::warning(this, banking::reconcileMessage(result.outcome));
            return;
        }
        const qint64 cents =
            fmt::cents(grid_->lazyModel()->valueAt(row, QStringLiteral("AMOUNT")).toDouble());
        if (figures_) figures_->reconciled += result.presented ? cents : -cents;
        requeryRows(row);
    });
}

void TQVBankRecForm::UpDateButtonClick() {
    const banking::BankAccount* a = heading_->current();
    if (!a) {
        ui::beep();
        return;
    }
    ui::guarded(this, [&] {
        QProgressDialog progress(QStringLiteral("Closing the presented transactions..."), QString(),
                                 0, 0, this);
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(400);
        const auto outcome = banking::completeReconciliation(
            connection_, coyCode, a->bankCode, a->acctNo, statBalEdit_->text(),
            QDate::currentDate(), [&](int done, int total) {
                progress.setMaximum(total);
                progress.setValue(done);
            });
        progress.reset();
        if (outcome != banking::ReconcileOutcome::Done) {
            ui::beep();
            ui::warning(this, banking::reconcileMessage(outcome));
            return;
        }
        showAccount();
    });
}

void TQVBankRecForm::RefreshButtonClick() {
    const banking::BankAccount* a = heading_->current();
    if (!a) return;
    ui::guarded(this, [&] {
        // The statement balance box keeps what was typed.
        figures_ = banking::reconciliationFigures(connection_, coyCode, a->bankCode, a->acctNo);
        requeryRows(grid_->currentRow());
    });
}

void TQVBankRecForm::EditTransactionClick() {
    const banking::BankAccount* a = heading_->current();
    const int row = grid_->currentRow();
    if (!a || !grid_->lazyModel() || row < 0) {
        ui::beep();
        return;
    }
    const qint64 tranNum = grid_->lazyModel()->valueAt(row, QStringLiteral("TRANNUM")).toLongLong();
    const QString type = grid_->lazyModel()->valueAt(row, QStringLiteral("TRANTYPE")).toString();
    if (banking::editBankRow(this, coyCode, a->bankCode, a->acctNo, tranNum, type))
        RefreshButtonClick();
}
