#include "exchange/csvmappingform.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>

#include "exchange/csv_statement.h"
#include "store/format.h"
#include "ui/messages.h"

namespace {

// The records the preview shows.
constexpr int kPreviewRecords = 8;

const std::pair<const char*, char16_t> kCsvDelimiters[] = {
    {"Comma  ,", u','}, {"Semicolon  ;", u';'}, {"Tab", u'\t'}, {"Bar  |", u'|'}};

QLabel* mappingLabel(QWidget* parent, const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

QTableWidget* previewGrid(QWidget* parent, const char* name) {
    auto* t = new QTableWidget(parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setStretchLastSection(true);
    t->setMinimumHeight(150);
    return t;
}

void setPreviewCell(QTableWidget* t, int row, int column, const QString& text) {
    t->setItem(row, column, new QTableWidgetItem(QString(text).replace(u'\n', u' ')));
}

}  // namespace

TCsvMappingForm::TCsvMappingForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("CsvMappingForm")) {
    setWindowTitle(QStringLiteral("CSV statement layout"));
    auto* layout = new QVBoxLayout(this);
    buildFields();
    buildPreviews();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* save = new QPushButton(QStringLiteral("&Save"), this);
    save->setObjectName(QStringLiteral("SaveButton"));
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    for (QPushButton* b : {save, cancel}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &TCsvMappingForm::SaveButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connectPreview();
    setMapping({});
    resize(900, 640);
}

QSpinBox* TCsvMappingForm::columnBox(const char* name, int minimum) {
    auto* box = new QSpinBox(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(minimum, exchange::kLastCsvColumn);
    return box;
}

// The boxes in reading order, which is also their tab order.
void TCsvMappingForm::buildFields() {
    auto* g = new QGridLayout;
    delimiterCombo_ = new QComboBox(this);
    delimiterCombo_->setObjectName(QStringLiteral("DelimiterCombo"));
    for (const auto& [caption, c] : kCsvDelimiters)
        delimiterCombo_->addItem(QString::fromLatin1(caption), QVariant(int(c)));
    skipBox_ = new QSpinBox(this);
    skipBox_->setObjectName(QStringLiteral("SkipBox"));
    skipBox_->setRange(0, 1000);
    g->addWidget(mappingLabel(this, QStringLiteral("&Delimiter :"), delimiterCombo_), 0, 0);
    g->addWidget(delimiterCombo_, 0, 1);
    g->addWidget(mappingLabel(this, QStringLiteral("Header lines to s&kip :"), skipBox_), 0, 2);
    g->addWidget(skipBox_, 0, 3);
    dateColumnBox_ = columnBox("DateColumnBox", 1);
    dateFormatCombo_ = new QComboBox(this);
    dateFormatCombo_->setObjectName(QStringLiteral("DateFormatCombo"));
    dateFormatCombo_->setEditable(true);
    dateFormatCombo_->addItems(
        {QStringLiteral("dd/MM/yyyy"), QStringLiteral("d/M/yy"), QStringLiteral("yyyy-MM-dd"),
         QStringLiteral("dd-MM-yyyy"), QStringLiteral("dd.MM.yyyy"), QStringLiteral("yyyyMMdd"),
         QStringLiteral("d MMM yyyy"), QStringLiteral("dd-MMM-yy"), QStringLiteral("MM/dd/yyyy")});
    g->addWidget(mappingLabel(this, QStringLiteral("D&ate column :"), dateColumnBox_), 1, 0);
    g->addWidget(dateColumnBox_, 1, 1);
    g->addWidget(mappingLabel(this, QStringLiteral("Date &format :"), dateFormatCombo_), 1, 2);
    g->addWidget(dateFormatCombo_, 1, 3);
    signedRadio_ = new QRadioButton(QStringLiteral("&One amount column, money out negative"), this);
    signedRadio_->setObjectName(QStringLiteral("SignedRadio"));
    amountColumnBox_ = columnBox("AmountColumnBox", 1);
    g->addWidget(signedRadio_, 2, 0, 1, 2);
    g->addWidget(mappingLabel(this, QStringLiteral("Amo&unt column :"), amountColumnBox_), 2, 2);
    g->addWidget(amountColumnBox_, 2, 3);
    debitCreditRadio_ =
        new QRadioButton(QStringLiteral("Separate de&bit and credit columns"), this);
    debitCreditRadio_->setObjectName(QStringLiteral("DebitCreditRadio"));
    debitColumnBox_ = columnBox("DebitColumnBox", 1);
    creditColumnBox_ = columnBox("CreditColumnBox", 1);
    auto* debitCredit = new QHBoxLayout;
    debitCredit->addWidget(debitColumnBox_);
    debitCredit->addWidget(
        mappingLabel(this, QStringLiteral("C&redit column :"), creditColumnBox_));
    debitCredit->addWidget(creditColumnBox_);
    g->addWidget(debitCreditRadio_, 3, 0, 1, 2);
    g->addWidget(mappingLabel(this, QStringLiteral("Debi&t column :"), debitColumnBox_), 3, 2);
    g->addLayout(debitCredit, 3, 3);
    decimalCommaBox_ = new QCheckBox(QStringLiteral("Decimal co&mma (1.234,56)"), this);
    decimalCommaBox_->setObjectName(QStringLiteral("DecimalCommaBox"));
    g->addWidget(decimalCommaBox_, 4, 0, 1, 2);
    descriptionEdit_ = new QLineEdit(this);
    descriptionEdit_->setObjectName(QStringLiteral("DescriptionEdit"));
    descriptionEdit_->setToolTip(QStringLiteral("Column numbers, such as 3 or 3 4"));
    referenceColumnBox_ = columnBox("ReferenceColumnBox", 0);
    referenceColumnBox_->setSpecialValueText(QStringLiteral("(none)"));
    g->addWidget(mappingLabel(this, QStringLiteral("Descri&ption columns :"), descriptionEdit_), 5,
                 0);
    g->addWidget(descriptionEdit_, 5, 1);
    g->addWidget(mappingLabel(this, QStringLiteral("Refere&nce column :"), referenceColumnBox_), 5,
                 2);
    g->addWidget(referenceColumnBox_, 5, 3);
    g->setColumnStretch(4, 1);
    static_cast<QVBoxLayout*>(layout())->addLayout(g);
}

void TCsvMappingForm::buildPreviews() {
    auto* v = static_cast<QVBoxLayout*>(layout());
    recordsTable_ = previewGrid(this, "RecordsTable");
    previewTable_ = previewGrid(this, "PreviewTable");
    previewTable_->setColumnCount(5);
    previewTable_->setHorizontalHeaderLabels({QStringLiteral("Record"), QStringLiteral("Date"),
                                              QStringLiteral("Amount"), QStringLiteral("Narrative"),
                                              QStringLiteral("Reference")});
    v->addWidget(mappingLabel(this, QStringLiteral("The f&ile's first records, by column :"),
                              recordsTable_));
    v->addWidget(recordsTable_, 1);
    v->addWidget(
        mappingLabel(this, QStringLiteral("Pre&view of the lines as read :"), previewTable_));
    v->addWidget(previewTable_, 1);
}

void TCsvMappingForm::connectPreview() {
    const auto refresh = [this] { refreshPreview(); };
    connect(delimiterCombo_, &QComboBox::currentIndexChanged, this, refresh);
    connect(dateFormatCombo_, &QComboBox::currentTextChanged, this, refresh);
    for (QSpinBox* b : {skipBox_, dateColumnBox_, amountColumnBox_, debitColumnBox_,
                        creditColumnBox_, referenceColumnBox_})
        connect(b, &QSpinBox::valueChanged, this, refresh);
    for (QAbstractButton* b :
         std::initializer_list<QAbstractButton*>{signedRadio_, debitCreditRadio_, decimalCommaBox_})
        connect(b, &QAbstractButton::toggled, this, refresh);
    connect(descriptionEdit_, &QLineEdit::textChanged, this, refresh);
}

void TCsvMappingForm::setSample(const QString& text) {
    sample_ = text;
    refreshPreview();
}

void TCsvMappingForm::setMapping(const exchange::CsvMapping& m) {
    filling_ = true;
    const int delimiter = delimiterCombo_->findData(QVariant(int(m.delimiter.unicode())));
    if (delimiter >= 0) {
        delimiterCombo_->setCurrentIndex(delimiter);
    } else {
        delimiterCombo_->addItem(QString(m.delimiter), QVariant(int(m.delimiter.unicode())));
        delimiterCombo_->setCurrentIndex(delimiterCombo_->count() - 1);
    }
    skipBox_->setValue(m.skipLines);
    dateColumnBox_->setValue(m.dateColumn);
    dateFormatCombo_->setEditText(m.dateFormat);
    signedRadio_->setChecked(m.amounts == exchange::CsvAmounts::Signed);
    debitCreditRadio_->setChecked(m.amounts == exchange::CsvAmounts::DebitCredit);
    amountColumnBox_->setValue(m.amountColumn);
    debitColumnBox_->setValue(std::max(1, m.debitColumn));
    creditColumnBox_->setValue(std::max(1, m.creditColumn));
    decimalCommaBox_->setChecked(m.decimalComma);
    descriptionEdit_->setText(exchange::csvColumnList(m.descriptionColumns));
    referenceColumnBox_->setValue(m.referenceColumn);
    filling_ = false;
    refreshPreview();
}

exchange::CsvMapping TCsvMappingForm::mapping() const {
    exchange::CsvMapping m;
    m.delimiter = QChar(char16_t(delimiterCombo_->currentData().toInt()));
    m.skipLines = skipBox_->value();
    m.dateColumn = dateColumnBox_->value();
    m.dateFormat = dateFormatCombo_->currentText().trimmed();
    const bool signedAmounts = !debitCreditRadio_->isChecked();
    m.amounts = signedAmounts ? exchange::CsvAmounts::Signed : exchange::CsvAmounts::DebitCredit;
    m.amountColumn = amountColumnBox_->value();
    m.debitColumn = signedAmounts ? 0 : debitColumnBox_->value();
    m.creditColumn = signedAmounts ? 0 : creditColumnBox_->value();
    m.decimalComma = decimalCommaBox_->isChecked();
    m.descriptionColumns = exchange::csvColumnsOf(descriptionEdit_->text());
    m.referenceColumn = referenceColumnBox_->value();
    return m;
}

void TCsvMappingForm::refreshPreview() {
    if (filling_) return;
    const bool signedAmounts = !debitCreditRadio_->isChecked();
    amountColumnBox_->setEnabled(signedAmounts);
    debitColumnBox_->setEnabled(!signedAmounts);
    creditColumnBox_->setEnabled(!signedAmounts);
    const exchange::CsvMapping m = mapping();
    showRecords(m);
    showReadLines(m);
}

// The records as the delimiter splits them, under their column numbers.
void TCsvMappingForm::showRecords(const exchange::CsvMapping& m) {
    const auto records = exchange::csvRecords(sample_, m.delimiter, m.skipLines + kPreviewRecords);
    int columns = 0;
    for (const QStringList& r : records) columns = std::max(columns, int(r.size()));
    recordsTable_->clear();
    recordsTable_->setRowCount(int(records.size()));
    recordsTable_->setColumnCount(std::min(columns, exchange::kLastCsvColumn));
    QStringList numbers;
    for (int c = 1; c <= recordsTable_->columnCount(); ++c) numbers << QString::number(c);
    recordsTable_->setHorizontalHeaderLabels(numbers);
    for (int r = 0; r < int(records.size()); ++r)
        for (int c = 0; c < std::min(int(records[r].size()), recordsTable_->columnCount()); ++c)
            setPreviewCell(recordsTable_, r, c, records[r][c]);
}

// The first records after the header lines as the layout reads them, or why it cannot.
void TCsvMappingForm::showReadLines(const exchange::CsvMapping& m) {
    const auto rows = exchange::readCsvStatement(sample_, m, kPreviewRecords);
    previewTable_->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const exchange::CsvRow& row = rows[std::size_t(r)];
        setPreviewCell(previewTable_, r, 0, QString::number(row.record));
        setPreviewCell(
            previewTable_, r, 1,
            row.line ? row.line->date.toString(QStringLiteral("dd/MM/yyyy")) : QString());
        setPreviewCell(previewTable_, r, 2,
                       row.line ? store::fmt::money(row.line->amount()) : QString());
        setPreviewCell(previewTable_, r, 3,
                       row.line ? row.line->narrative : QStringLiteral("Not read: ") + row.problem);
        setPreviewCell(previewTable_, r, 4, row.line ? row.line->reference : QString());
    }
}

void TCsvMappingForm::SaveButtonClick() {
    const QString problem = exchange::csvMappingProblem(mapping());
    if (!problem.isEmpty()) {
        ui::beep();
        ui::warning(this, problem);
        return;
    }
    accept();
}
