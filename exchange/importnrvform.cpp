#include "exchange/importnrvform.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include "exchange/export_writers.h"
#include "exchange/import_nrv.h"
#include "exchange/import_records.h"
#include "store/query.h"
#include "ui/apptitle.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"
#include "ui/opener.h"

namespace {

QPushButton* importButton(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

}  // namespace

TImportNRVForm::TImportNRVForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("ImportNRVForm"), 1230) {
    setWindowTitle(QStringLiteral("Importing Quorvel Transaction Files"));
    chooseFile = [](QWidget* parent, const QString& title, const QString& filter) {
        return QFileDialog::getOpenFileName(parent, title, QString(), filter);
    };
    CompanyLabel = new QLabel(this);
    CompanyLabel->setObjectName(QStringLiteral("CompanyLabel"));
    CompanyNavigator = new ui::Navigator(this);
    CompanyNavigator->setObjectName(QStringLiteral("CompanyNavigator"));
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setValue(0);
    ImportButton = importButton(this, "ImportButton", QStringLiteral("&Import"));
    CancelButton = importButton(this, "CancelButton", QStringLiteral("&Cancel"));
    CancelButton->setEnabled(false);
    ErrorLogButton = importButton(this, "ErrorLogButton", QStringLiteral("Error &Log"));
    ErrorLogButton->setToolTip(QStringLiteral("View the import error log"));
    ExitButton = importButton(this, "ExitButton", QStringLiteral("E&xit"));

    auto* company = new QHBoxLayout;
    company->addWidget(CompanyLabel, 1);
    company->addWidget(CompanyNavigator);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(QStringLiteral("F1 - Help"), this));
    buttons->addStretch();
    for (QPushButton* b : {ImportButton, CancelButton, ErrorLogButton, ExitButton})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(company);
    layout->addWidget(ProgressBar);
    layout->addLayout(buttons);

    connect(CompanyNavigator, &ui::Navigator::moved, this, &TImportNRVForm::ShowCompany);
    connect(ImportButton, &QPushButton::clicked, this, &TImportNRVForm::ImportButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, [this] { cancelRequested_ = true; });
    connect(ErrorLogButton, &QPushButton::clicked, this, &TImportNRVForm::ErrorLogButtonClick);
    connect(ExitButton, &QPushButton::clicked, this, &QDialog::close);
    resize(520, 150);
}

TImportNRVForm::~TImportNRVForm() = default;

int TImportNRVForm::chosenCompany() const {
    return companies_.empty() ? 1 : companies_[size_t(companyIndex_)].coy;
}

void TImportNRVForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TImportNRVForm::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) {
        CompanyNavigator->setTarget(nullptr);
        connection_.disconnect();
    }
    ui::FormBase::hideEvent(event);
}

void TImportNRVForm::FormShow() {
    ui::guarded(this, [&] {
        connection_.connect();
        store::Query q(connection_);
        q.setSql(QStringLiteral("SELECT COYCODE, BUSCODE, BUSNAME FROM QVCNTRL ORDER BY COYCODE"));
        q.open();
        companies_.clear();
        for (q.first(); !q.eof(); q.next())
            companies_.push_back({int(q.integer(QStringLiteral("COYCODE"))),
                                  q.text(QStringLiteral("BUSCODE")) + QLatin1Char(' ') +
                                      q.text(QStringLiteral("BUSNAME"))});
    });
    companyIndex_ = 0;
    CompanyNavigator->setTarget(ui::indexTarget(companies_, companyIndex_));
    ShowCompany();
}

void TImportNRVForm::ShowCompany() {
    CompanyLabel->setText(
        QStringLiteral("Company : ") +
        (companies_.empty() ? QString() : companies_[size_t(companyIndex_)].text));
    ImportButton->setEnabled(!companies_.empty());
}

QString TImportNRVForm::acceptedFile(const QString& kind, const QString& name,
                                     const QString& refusal, bool* cancelled) {
    const QString chosen = chooseFile(
        this,
        QStringLiteral("Open ") + kind + QStringLiteral("  ") + name + QStringLiteral(" File"),
        QStringLiteral("Text files (*.txt *.TXT)"));
    *cancelled = chosen.isEmpty();
    if (chosen.isEmpty()) return {};
    if (QFileInfo(chosen).fileName() != name) {
        ui::error(this, refusal + name);
        return {};
    }
    return chosen;
}

bool TImportNRVForm::readRecords(const QString& path, std::vector<QStringList>* records) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ui::error(this, QStringLiteral("File I/O error."));
        return false;
    }
    *records = exchange::splitRecords(QString::fromUtf8(file.readAll()));
    return true;
}

void TImportNRVForm::ImportButtonClick() {
    const QString errorPath = connection_.path() + QString::fromLatin1(exchange::kErrorFile);
    QFile(errorPath).open(QIODevice::WriteOnly);  // emptied before anything is read
    bool journalCancelled = false, bankCancelled = false;
    const QString journalPath =
        acceptedFile(QStringLiteral("journal"), QString::fromLatin1(exchange::kOwnJournalFile),
                     QStringLiteral("Journal import file must be named "), &journalCancelled);
    const QString bankPath =
        acceptedFile(QStringLiteral("bank"), QString::fromLatin1(exchange::kOwnBankFile),
                     QStringLiteral("Bank import file must be named "), &bankCancelled);
    if (bankPath.isEmpty() && !(bankCancelled && !journalPath.isEmpty())) {
        ui::error(this, QStringLiteral("Import failed."));
        return;
    }
    std::vector<QStringList> journal, bank;
    const bool haveJournal = !journalPath.isEmpty() && readRecords(journalPath, &journal);
    const bool haveBank = !bankPath.isEmpty() && readRecords(bankPath, &bank);
    if (!haveJournal && !haveBank) {
        ui::error(this, QStringLiteral("Import failed."));
        return;
    }
    runImport(haveJournal ? &journal : nullptr, haveBank ? &bank : nullptr);
}

void TImportNRVForm::runImport(const std::vector<QStringList>* journal,
                               const std::vector<QStringList>* bank) {
    for (QPushButton* b : {ImportButton, ErrorLogButton, ExitButton}) b->setEnabled(false);
    CancelButton->setEnabled(true);
    cancelRequested_ = false;
    ProgressBar->setRange(0, 1000);
    ProgressBar->setValue(0);
    exchange::ImportOutcome out;
    // A line dated in a filed tax period is asked about once, before anything is written.
    const auto confirm = [this](const banking::Confirmation& q) {
        return ui::confirm(this, q.text);
    };
    const auto progress = [this](qint64 done, qint64 total) {
        if (done % 64 == 0 || done == total) {
            ProgressBar->setValue(total > 0 ? int(done * 1000 / total) : 1000);
            QApplication::processEvents();  // the Cancel button is read between lines
        }
        return !cancelRequested_;
    };
    const bool ran = ui::guarded(this, [&] {
        out = exchange::importNrvFiles(connection_, chosenCompany(), journal, bank, confirm,
                                       progress);
    });
    CancelButton->setEnabled(false);
    for (QPushButton* b : {ImportButton, ErrorLogButton, ExitButton}) b->setEnabled(true);
    if (ran && out.declined) return;
    if (!exchange::writeImportErrors(connection_.path() + QString::fromLatin1(exchange::kErrorFile),
                                     out))
        ui::error(this, QStringLiteral("File I/O error."));
    ui::information(this, exchange::importMessage(out));
}

void TImportNRVForm::ErrorLogButtonClick() {
    const QString path = connection_.path() + QString::fromLatin1(exchange::kErrorFile);
    ui::openWindow<TErrorLogForm>(this, [&](TErrorLogForm& w) { w.errorFile = path; });
}

TErrorLogForm::TErrorLogForm(QWidget* owner) : ui::FormBase(owner, QStringLiteral("ErrorLogForm")) {
    setWindowTitle(ui::applicationTitle() + QStringLiteral(" - system import error log."));
    ErrorGrid = new QTableWidget(0, 2, this);
    ErrorGrid->setObjectName(QStringLiteral("ErrorGrid"));
    ErrorGrid->setHorizontalHeaderLabels({QString(), QStringLiteral("Error message.")});
    ErrorGrid->verticalHeader()->hide();
    ErrorGrid->horizontalHeader()->setStretchLastSection(true);
    ErrorGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* exit = importButton(this, "ExitButton", QStringLiteral("E&xit"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ErrorGrid);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(exit);
    layout->addLayout(buttons);
    connect(exit, &QPushButton::clicked, this, &QDialog::close);
    resize(560, 360);
}

void TErrorLogForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (event->spontaneous()) return;
    QFile file(errorFile);
    QStringList lines;
    if (file.open(QIODevice::ReadOnly))
        lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ErrorGrid->setRowCount(int(lines.size()));
    for (int i = 0; i < lines.size(); ++i) {
        ErrorGrid->setItem(i, 0, new QTableWidgetItem(QString::number(i + 1)));
        ErrorGrid->setItem(i, 1, new QTableWidgetItem(lines.at(i)));
    }
    ErrorGrid->resizeColumnToContents(0);
}
