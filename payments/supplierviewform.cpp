#include "payments/supplierviewform.h"

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

QList<ui::ColumnSpec> supplierViewColumns() {
    const std::pair<const char*, const char*> list[] = {{"SUPPCODE", "Code"},
                                                        {"BUSNAME", "Supplier name"},
                                                        {"DESCR", "Description"},
                                                        {"FULLNAME", "Contact"},
                                                        {"PHY_ADDR1", "Street"},
                                                        {"PHY_ADDR2", "Suburb"},
                                                        {"PHY_ADDR3", "Town/City"},
                                                        {"PHONENO", "Phone"},
                                                        {"MOBNO", "Mobile"},
                                                        {"EMAIL", "E-Mail"},
                                                        {"FAXNO", "Fax"}};
    QList<ui::ColumnSpec> columns;
    for (const auto& [field, heading] : list)
        columns.append(ui::ColumnSpec{QLatin1String(field), QLatin1String(heading)});
    return columns;
}

}  // namespace

TSupplierViewForm::TSupplierViewForm(QWidget* owner)
    : ui::PickerForm(owner, QStringLiteral("SupplierViewForm"), 0, QStringLiteral("SuppGrid"),
                     QStringLiteral("SuppNavigator")) {
    setObjectName(QStringLiteral("SupplierViewForm"));
    setWindowTitle(QStringLiteral("View/Select Suppliers"));
    resize(760, 380);

    auto* search = new QHBoxLayout;
    suppCodeEdit_ = new QLineEdit(this);
    suppCodeEdit_->setObjectName(QStringLiteral("SuppCodeEdit"));
    suppCodeEdit_->setMaxLength(payments::kSupplierCodeWidth);
    suppCodeEdit_->setMaximumWidth(110);
    ui::makeCodeBox(suppCodeEdit_);
    auto* codeLabel = new QLabel(QStringLiteral("Search by Co&de :"), this);
    codeLabel->setBuddy(suppCodeEdit_);
    busNameEdit_ = new QLineEdit(this);
    busNameEdit_->setObjectName(QStringLiteral("BusNameEdit"));
    busNameEdit_->setMaxLength(50);
    auto* nameLabel = new QLabel(QStringLiteral("Search by Coy &Name : "), this);
    nameLabel->setBuddy(busNameEdit_);
    displayAllButton_ = new QPushButton(QStringLiteral("Display &all"), this);
    displayAllButton_->setObjectName(QStringLiteral("DisplayAllButton"));
    displayAllButton_->setAutoDefault(false);
    search->addWidget(codeLabel);
    search->addWidget(suppCodeEdit_);
    search->addWidget(nameLabel);
    search->addWidget(busNameEdit_, 1);
    search->addWidget(displayAllButton_);
    static_cast<QVBoxLayout*>(layout())->insertLayout(0, search);
    setTabOrder(suppCodeEdit_, busNameEdit_);
    setTabOrder(busNameEdit_, displayAllButton_);
    setTabOrder(displayAllButton_, grid_);

    navigator_->setTarget(ui::gridTarget(*grid_));
    connect(suppCodeEdit_, &QLineEdit::textEdited, this,
            [this](const QString& t) { SuppCodeEditChange(t); });
    connect(busNameEdit_, &QLineEdit::textEdited, this,
            [this](const QString& t) { BusNameEditChange(t); });
    connect(displayAllButton_, &QPushButton::clicked, this, [this] { DisplayAllButtonClick(); });
}

TSupplierViewForm::~TSupplierViewForm() { closeTables(); }

void TSupplierViewForm::FormShow() {
    suppCode.clear();
    selectButton_->setVisible(selectEnabled);
    selectButton_->setEnabled(selectEnabled);
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        listAll();
    });
    grid_->setFocus();
}

void TSupplierViewForm::runQuery(const QStringList& lines, const QVariantMap& params) {
    grid_->bindQuery(connection_, lines.join(QLatin1Char('\n')), params, supplierViewColumns());
    grid_->horizontalHeader()->setStretchLastSection(true);
    if (rowCount() > 0) grid_->setCurrentRow(0);
    navigator_->updateButtons();
}

void TSupplierViewForm::listAll() {
    runQuery({QStringLiteral("SELECT * FROM QVSupp WHERE COYNO =:iCoyNo"),
              QStringLiteral("ORDER BY SUPPCODE")},
             {{QStringLiteral("iCoyNo"), coyNo}});
}

void TSupplierViewForm::DisplayAllButtonClick() {
    suppCodeEdit_->clear();
    busNameEdit_->clear();
    ui::guarded(this, [this] { listAll(); });
}

void TSupplierViewForm::SuppCodeEditChange(const QString& text) {
    ui::guarded(this, [&] {
        runQuery({QStringLiteral("SELECT * FROM QVSupp WHERE SUPPCODE LIKE :SuppCode"),
                  QStringLiteral("AND COYNO =:iCoyNo")},
                 {{QStringLiteral("SuppCode"), text.trimmed() + QLatin1Char('%')},
                  {QStringLiteral("iCoyNo"), coyNo}});
    });
}

void TSupplierViewForm::BusNameEditChange(const QString& text) {
    ui::guarded(this, [&] {
        runQuery({QStringLiteral("SELECT * FROM QVSupp WHERE BUSNAME LIKE :busname"),
                  QStringLiteral("AND COYNO =:iCoyNo")},
                 {{QStringLiteral("busname"), text.trimmed() + QLatin1Char('%')},
                  {QStringLiteral("iCoyNo"), coyNo}});
    });
}

int TSupplierViewForm::rowCount() const {
    return grid_->lazyModel() ? grid_->lazyModel()->rowCount() : 0;
}

QString TSupplierViewForm::currentSuppCode() const {
    const int row = grid_->currentRow();
    if (!grid_->lazyModel() || row < 0) return {};
    return grid_->lazyModel()->valueAt(row, QStringLiteral("SUPPCODE")).toString().trimmed();
}

void TSupplierViewForm::SelectButtonClick() {
    if (!selectEnabled || rowCount() == 0 || grid_->currentRow() < 0) {
        ui::beep();
        return;
    }
    suppCode = currentSuppCode();
    accept();
}

void TSupplierViewForm::done(int result) {
    closeTables();
    ui::FormBase::done(result);
}

void TSupplierViewForm::closeTables() {
    grid_->unbind();
    connection_.disconnect();
}
