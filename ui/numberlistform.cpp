#include "ui/numberlistform.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "store/format.h"
#include "ui/datagrid.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"

namespace ui {

QString numberListNumber(const QVariant& v) { return QString::number(v.toLongLong()); }

QString numberListDate(const QVariant& v) {
    const QDate d =
        v.toDate().isValid() ? v.toDate() : QDate::fromString(v.toString(), Qt::ISODate);
    return d.isValid() ? store::fmt::longDate2(d) : QString();
}

NumberListForm::NumberListForm(QWidget* owner, const Parts& parts)
    : FormBase(owner, parts.section, parts.helpContext, PlacementFile::Bare),
      grid_(new DataGrid(this)),
      numberEdit_(new QLineEdit(this)),
      navigator_(new Navigator(this)),
      goToButton_(new QPushButton(QStringLiteral("&Go to"), this)),
      selectButton_(new QPushButton(QStringLiteral("&Select"), this)),
      exitButton_(new QPushButton(QStringLiteral("E&xit"), this)) {
    setObjectName(parts.section);
    setWindowTitle(parts.title);
    grid_->setObjectName(parts.gridName);
    navigator_->setObjectName(parts.navigatorName);
    numberEdit_->setObjectName(QStringLiteral("NumberEdit"));
    goToButton_->setObjectName(QStringLiteral("GoToButton"));
    selectButton_->setObjectName(QStringLiteral("SelectButton"));
    exitButton_->setObjectName(QStringLiteral("ExitButton"));
    goToButton_->setAutoDefault(false);
    exitButton_->setAutoDefault(false);
    selectButton_->setDefault(true);

    auto* search = new QGroupBox(parts.searchCaption, this);
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
    resize(parts.size);

    connect(grid_, &DataGrid::currentRecordChanged, this, [this] { navigator_->updateButtons(); });
    connect(grid_, &DataGrid::activatedRow, this, [this] {
        if (selectButton_->isEnabled()) SelectButtonClick();
    });
    connect(goToButton_, &QPushButton::clicked, this, [this] { GoToButtonClick(); });
    // Enter in the number box goes to the number rather than selecting the current row.
    connect(numberEdit_, &QLineEdit::returnPressed, this, [this] { GoToButtonClick(); });
    connect(selectButton_, &QPushButton::clicked, this, [this] { SelectButtonClick(); });
    connect(exitButton_, &QPushButton::clicked, this, [this] { reject(); });
}

NumberListForm::~NumberListForm() {
    grid_->unbind();
    connection_.disconnect();
}

void NumberListForm::showEvent(QShowEvent* event) {
    FormBase::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void NumberListForm::FormShow() {
    selectButton_->setEnabled(selectEnabled);
    guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        bindRows();
        grid_->horizontalHeader()->setStretchLastSection(true);
        navigator_->setTarget(gridTarget(*grid_));
        if (grid_->lazyModel()->rowCount() > 0) grid_->setCurrentRow(0);
        navigator_->updateButtons();
    });
    grid_->setFocus();
}

void NumberListForm::GoToButtonClick() {
    const std::optional<qint64> number = typedNumber();
    LazyTableModel* model = grid_->lazyModel();
    if (!number || !model) return;
    int row = -1;
    guarded(this, [&] {
        row = model->findRow(QStringLiteral("TRANNUM"),
                             [&](const QVariant& v) { return v.toLongLong() == *number; });
    });
    // No such number: the position stays.
    if (row < 0) return;
    grid_->setCurrentRow(row);
    grid_->setFocus();
}

void NumberListForm::SelectButtonClick() {
    const int row = grid_->currentRow();
    if (!grid_->lazyModel() || row < 0) {
        beep();
        return;
    }
    tranNum =
        QString::number(grid_->lazyModel()->valueAt(row, QStringLiteral("TRANNUM")).toLongLong());
    accept();
}

}  // namespace ui
