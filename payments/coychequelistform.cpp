#include "payments/coychequelistform.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "reports/company.h"
#include "store/format.h"
#include "ui/datagrid.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"

namespace {

QString chequeListNumber(const QVariant& v) { return QString::number(v.toLongLong()); }
QString chequeListDate(const QVariant& v) {
    const QDate d =
        v.toDate().isValid() ? v.toDate() : QDate::fromString(v.toString(), Qt::ISODate);
    return d.isValid() ? store::fmt::longDate2(d) : QString();
}

}  // namespace

TCoyChequeListForm::TCoyChequeListForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("CoyChequeListForm"), 1340, ui::PlacementFile::Bare),
      grid_(new ui::DataGrid(this)),
      navigator_(new ui::Navigator(this)),
      numberEdit_(new QLineEdit(this)),
      goToButton_(new QPushButton(QStringLiteral("&Go to"), this)),
      selectButton_(new QPushButton(QStringLiteral("&Select"), this)),
      exitButton_(new QPushButton(QStringLiteral("E&xit"), this)) {
    setObjectName(QStringLiteral("CoyChequeListForm"));
    setWindowTitle(QStringLiteral("Cheques/payments issued by : "));
    grid_->setObjectName(QStringLiteral("ChequeListGrid"));
    navigator_->setObjectName(QStringLiteral("ChequeListNavigator"));
    numberEdit_->setObjectName(QStringLiteral("NumberEdit"));
    goToButton_->setObjectName(QStringLiteral("GoToButton"));
    selectButton_->setObjectName(QStringLiteral("SelectButton"));
    exitButton_->setObjectName(QStringLiteral("ExitButton"));
    goToButton_->setAutoDefault(false);
    exitButton_->setAutoDefault(false);
    selectButton_->setDefault(true);

    auto* search = new QGroupBox(QStringLiteral(" Search Cheques/Payments "), this);
    auto* searchRow = new QHBoxLayout(search);
    auto* numberLabel = new QLabel(QStringLiteral("&Number : "), search);
    numberLabel->setBuddy(numberEdit_);
    searchRow->addWidget(numberLabel);
    searchRow->addWidget(numberEdit_);
    searchRow->addWidget(goToButton_);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(navigator_);
    bottom->addWidget(search);
    bottom->addStretch();
    bottom->addWidget(selectButton_);
    bottom->addWidget(exitButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(bottom);
    resize(760, 420);

    connect(grid_, &ui::DataGrid::currentRecordChanged, this,
            [this] { navigator_->updateButtons(); });
    connect(grid_, &ui::DataGrid::activatedRow, this, [this] {
        if (selectButton_->isEnabled()) SelectButtonClick();
    });
    connect(goToButton_, &QPushButton::clicked, this, [this] { GoToButtonClick(); });
    // Enter in the number box goes to the number rather than selecting the current row.
    connect(numberEdit_, &QLineEdit::returnPressed, this, [this] { GoToButtonClick(); });
    connect(selectButton_, &QPushButton::clicked, this, [this] { SelectButtonClick(); });
    connect(exitButton_, &QPushButton::clicked, this, [this] { reject(); });
}

TCoyChequeListForm::~TCoyChequeListForm() {
    grid_->unbind();
    connection_.disconnect();
}

void TCoyChequeListForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TCoyChequeListForm::FormShow() {
    selectButton_->setEnabled(selectEnabled);
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        setWindowTitle(QStringLiteral("Cheques/payments issued by : ") +
                       reports::companyName(connection_, coyCode).trimmed());
        // The bank account column joins the bank code and the account number.
        QStringList sql{
            QStringLiteral("SELECT *, TRIM(BANKCODE) || '-' || TRIM(ACCTCODE) AS BANKACCOUNT"),
            QStringLiteral("FROM QVCHHDR WHERE COYCODE =:iCoyCode")};
        QVariantMap params{{QStringLiteral("iCoyCode"), QString::number(coyCode)}};
        if (!suppCode.trimmed().isEmpty()) {
            sql << QStringLiteral("AND SUPPLIER =:sSuppCode");
            params.insert(QStringLiteral("sSuppCode"), suppCode.trimmed());
        }
        sql << QStringLiteral("ORDER BY CHQDATE");
        grid_->bindQuery(
            connection_, sql.join(QLatin1Char('\n')), params,
            {{QStringLiteral("TRANNUM"), QStringLiteral("Cheque No/Payment"), chequeListNumber,
              Qt::AlignRight | Qt::AlignVCenter},
             {QStringLiteral("BANKACCOUNT"), QStringLiteral("Bank Account")},
             {QStringLiteral("SUPPLIER"), QStringLiteral("Supplier")},
             {QStringLiteral("CHQDATE"), QStringLiteral("Date"), chequeListDate},
             ui::moneyColumn(QStringLiteral("AMOUNT"), QStringLiteral("Cheque Amount")),
             ui::moneyColumn(QStringLiteral("GSTAMT"), QStringLiteral("Tax"))});
        grid_->horizontalHeader()->setStretchLastSection(true);
        navigator_->setTarget(ui::gridTarget(*grid_));
        if (grid_->lazyModel()->rowCount() > 0) grid_->setCurrentRow(0);
        navigator_->updateButtons();
    });
    grid_->setFocus();
}

void TCoyChequeListForm::GoToButtonClick() {
    bool ok = false;
    const qint64 number = numberEdit_->text().trimmed().toLongLong(&ok);
    if (numberEdit_->text().trimmed().isEmpty()) return;
    if (!ok) {
        ui::beep();
        ui::error(this, QStringLiteral("'") + numberEdit_->text().trimmed() +
                            QStringLiteral("' is not a valid integer value"));
        return;
    }
    ui::LazyTableModel* model = grid_->lazyModel();
    if (number == 0 || !model) return;
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->valueAt(row, QStringLiteral("TRANNUM")).toLongLong() == number) {
            grid_->setCurrentRow(row);
            grid_->setFocus();
            return;
        }
    }
    // No such payment: the position stays.
}

void TCoyChequeListForm::SelectButtonClick() {
    const int row = grid_->currentRow();
    if (!grid_->lazyModel() || row < 0) {
        ui::beep();
        return;
    }
    tranNum =
        QString::number(grid_->lazyModel()->valueAt(row, QStringLiteral("TRANNUM")).toLongLong());
    accept();
}
