#include "payments/supplierlistform.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "payments/suppliers.h"
#include "ui/codebox.h"
#include "ui/datagrid.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"

namespace {

// Every supplier row carries the business name of its company, for the "Company" column.
const QString kSupplierWithCompany = QStringLiteral(
    "SELECT S.*, (SELECT C.BUSNAME FROM QVCntrl C WHERE C.COYCODE = S.COYNO) AS COYNAME "
    "FROM QVSupp S");

QList<ui::ColumnSpec> supplierListColumns() {
    return {ui::ColumnSpec{QStringLiteral("FULLNAME"), QStringLiteral("Name")},
            ui::ColumnSpec{QStringLiteral("BUSNAME"), QStringLiteral("Business name")},
            ui::ColumnSpec{QStringLiteral("DESCR"), QStringLiteral("Description")},
            ui::ColumnSpec{QStringLiteral("COYNAME"), QStringLiteral("Company")}};
}

}  // namespace

namespace payments {

QString SupplierChoice::suppCoy() const { return supplierCoy(coyNo, suppCode); }

}  // namespace payments

TSupplierListForm::TSupplierListForm(QWidget* owner)
    : ui::PickerForm(owner, QStringLiteral("SupplierListForm"), 0, QStringLiteral("SuppListGrid"),
                     QStringLiteral("SuppListNavigator")) {
    setObjectName(QStringLiteral("SupplierListForm"));
    setWindowTitle(QStringLiteral("View/Select Suppliers"));
    resize(700, 380);

    auto* search = new QHBoxLayout;
    codeEdit_ = new QLineEdit(this);
    codeEdit_->setObjectName(QStringLiteral("CodeEdit"));
    codeEdit_->setMaxLength(payments::kSupplierCodeWidth);
    codeEdit_->setMaximumWidth(110);
    ui::makeCodeBox(codeEdit_);
    auto* codeLabel = new QLabel(QStringLiteral("C&ode : "), this);
    codeLabel->setBuddy(codeEdit_);
    busNameEdit_ = new QLineEdit(this);
    busNameEdit_->setObjectName(QStringLiteral("BusNameEdit"));
    busNameEdit_->setMaxLength(50);
    auto* nameLabel = new QLabel(QStringLiteral("&Business Name :"), this);
    nameLabel->setBuddy(busNameEdit_);
    displayAllButton_ = new QPushButton(QStringLiteral("Display &all"), this);
    displayAllButton_->setObjectName(QStringLiteral("DisplayAllButton"));
    displayAllButton_->setAutoDefault(false);
    search->addWidget(codeLabel);
    search->addWidget(codeEdit_);
    search->addWidget(nameLabel);
    search->addWidget(busNameEdit_, 1);
    search->addWidget(displayAllButton_);
    auto* selected = new QHBoxLayout;
    selectedCodeEdit_ = new QLineEdit(this);
    selectedCodeEdit_->setObjectName(QStringLiteral("SelectedCodeEdit"));
    selectedCodeEdit_->setReadOnly(true);
    selectedCodeEdit_->setFocusPolicy(Qt::NoFocus);
    selectedCodeEdit_->setMaximumWidth(110);
    selected->addWidget(new QLabel(QStringLiteral("Selected Code : "), this));
    selected->addWidget(selectedCodeEdit_);
    selected->addStretch();
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    layout->insertLayout(0, search);
    layout->insertLayout(2, selected);
    setTabOrder(codeEdit_, busNameEdit_);
    setTabOrder(busNameEdit_, displayAllButton_);
    setTabOrder(displayAllButton_, grid_);
    if (auto* cancel = findChild<QPushButton*>(QStringLiteral("CloseButton")))
        cancel->setText(QStringLiteral("&Cancel"));

    navigator_->setTarget(ui::gridTarget(*grid_));
    connect(codeEdit_, &QLineEdit::textEdited, this,
            [this](const QString& t) { CodeEditChange(t); });
    connect(busNameEdit_, &QLineEdit::textEdited, this,
            [this](const QString& t) { BusNameEditChange(t); });
    connect(displayAllButton_, &QPushButton::clicked, this, [this] { DisplayAllButtonClick(); });
    connect(grid_, &ui::DataGrid::currentRecordChanged, this, [this] { showSelectedCode(); });
}

TSupplierListForm::~TSupplierListForm() { closeTables(); }

void TSupplierListForm::FormShow() {
    suppCode.clear();
    choice_.reset();
    codeEdit_->setText(typedCode.trimmed());
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        listAll();
    });
    grid_->setFocus();
}

void TSupplierListForm::runQuery(const QStringList& lines, const QVariantMap& params) {
    grid_->bindQuery(connection_, lines.join(QLatin1Char('\n')), params, supplierListColumns());
    grid_->horizontalHeader()->setStretchLastSection(true);
    if (rowCount() > 0) grid_->setCurrentRow(0);
    navigator_->updateButtons();
    showSelectedCode();
}

void TSupplierListForm::listAll() {
    runQuery({kSupplierWithCompany, QStringLiteral("WHERE COYNO =:iCoyCode"),
              QStringLiteral("ORDER BY SUPPCODE")},
             {{QStringLiteral("iCoyCode"), coyNo}});
}

void TSupplierListForm::DisplayAllButtonClick() {
    ui::guarded(this, [this] { listAll(); });
}

void TSupplierListForm::CodeEditChange(const QString& text) {
    ui::guarded(this, [&] {
        runQuery({kSupplierWithCompany, QStringLiteral("WHERE SUPPCODE LIKE :SuppCode"),
                  QStringLiteral("AND COYNO =:iCoyCode"), QStringLiteral("ORDER BY BUSNAME")},
                 {{QStringLiteral("SuppCode"), text.trimmed() + QLatin1Char('%')},
                  {QStringLiteral("iCoyCode"), coyNo}});
    });
}

void TSupplierListForm::BusNameEditChange(const QString& text) {
    ui::guarded(this, [&] {
        runQuery({kSupplierWithCompany, QStringLiteral("WHERE BUSNAME LIKE :busname"),
                  QStringLiteral("ORDER BY BUSNAME")},
                 {{QStringLiteral("busname"), text.trimmed() + QLatin1Char('%')}});
    });
}

int TSupplierListForm::rowCount() const {
    return grid_->lazyModel() ? grid_->lazyModel()->rowCount() : 0;
}

void TSupplierListForm::showSelectedCode() {
    const int row = grid_->currentRow();
    selectedCodeEdit_->setText(
        grid_->lazyModel() && row >= 0
            ? grid_->lazyModel()->valueAt(row, QStringLiteral("SUPPCODE")).toString()
            : QString());
}

void TSupplierListForm::SelectButtonClick() {
    const int row = grid_->currentRow();
    if (rowCount() == 0 || row < 0) {
        ui::beep();
        return;
    }
    const ui::LazyTableModel* model = grid_->lazyModel();
    choice_ = payments::SupplierChoice{model->valueAt(row, QStringLiteral("COYNO")).toInt(),
                                       model->valueAt(row, QStringLiteral("SUPPCODE")).toString()};
    suppCode = choice_->suppCode;
    accept();
}

void TSupplierListForm::done(int result) {
    closeTables();
    ui::FormBase::done(result);
}

void TSupplierListForm::closeTables() {
    grid_->unbind();
    connection_.disconnect();
}
