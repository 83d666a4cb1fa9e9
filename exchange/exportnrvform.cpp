#include "exchange/exportnrvform.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "exchange/export_writers.h"
#include "ledger/company.h"
#include "store/error.h"
#include "store/format.h"
#include "store/inifile.h"
#include "store/storecopy.h"
#include "ui/codebox.h"
#include "ui/datebox.h"
#include "ui/errorhandler.h"
#include "ui/folderchooser.h"
#include "ui/mediafolders.h"
#include "ui/messages.h"

namespace {

QPushButton* exportButton(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

// Copies a file of the data folder over a file of that name in `folder` (written beside it and
// renamed into place, so a failed copy never leaves half a file there).
bool copyExportFile(const QString& from, const QString& folder) {
    try {
        store::copyFileSafely(from, QDir(folder).filePath(QFileInfo(from).fileName()));
        return true;
    } catch (const store::StoreError&) {
        return false;
    }
}

}  // namespace

TExportNRVForm::TExportNRVForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("ExportNRVForm"), 930) {
    setWindowTitle(QStringLiteral("Export for the accountant"));
    TitleLabel = new QLabel(this);
    TitleLabel->setObjectName(QStringLiteral("TitleLabel"));
    StartDateEdit = new ui::DateBox(this);
    StartDateEdit->setObjectName(QStringLiteral("StartDateEdit"));
    EndDateEdit = new ui::DateBox(this);
    EndDateEdit->setObjectName(QStringLiteral("EndDateEdit"));
    FormatList = new QComboBox(this);
    FormatList->setObjectName(QStringLiteral("FormatList"));
    FormatList->addItems(exchange::exportFormatNames());

    CodeGroup = new QGroupBox(this);
    CodeGroup->setObjectName(QStringLiteral("CodeGroup"));
    BalanceCheck = new QCheckBox(QStringLiteral("Balance Bank and &G.S.T."), CodeGroup);
    BalanceCheck->setObjectName(QStringLiteral("BalanceCheck"));
    CodeLabel1 = new QLabel(CodeGroup);
    CodeLabel2 = new QLabel(CodeGroup);
    CodeEdit1 = new QLineEdit(CodeGroup);
    CodeEdit1->setObjectName(QStringLiteral("CodeEdit1"));
    CodeEdit1->setMaxLength(6);
    CodeEdit2 = new QLineEdit(CodeGroup);
    CodeEdit2->setObjectName(QStringLiteral("CodeEdit2"));
    ui::makeCodeBox(CodeEdit1);
    ui::makeCodeBox(CodeEdit2);
    CodeLabel1->setBuddy(CodeEdit1);
    CodeLabel2->setBuddy(CodeEdit2);
    auto* codes = new QFormLayout(CodeGroup);
    codes->addRow(BalanceCheck);
    codes->addRow(CodeLabel1, CodeEdit1);
    codes->addRow(CodeLabel2, CodeEdit2);

    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setValue(0);
    ExportButton = exportButton(this, "ExportButton", QStringLiteral("&Export"));
    ExitButton = exportButton(this, "ExitButton", QStringLiteral("E&xit"));

    CopyPanel = new QGroupBox(QStringLiteral("Copy export file to :"), this);
    CopyPanel->setObjectName(QStringLiteral("CopyPanel"));
    CopyFilesLabel = new QLabel(CopyPanel);
    CopyFilesLabel->setObjectName(QStringLiteral("CopyFilesLabel"));
    CopyChooser =
        new ui::MediaFolderChooser(QStringLiteral("Select a &drive to copy to"),
                                   QStringLiteral("Select a f&older to copy to."), CopyPanel);
    CopyButton = exportButton(CopyPanel, "CopyButton", QStringLiteral("&Copy"));
    CancelCopyButton = exportButton(CopyPanel, "CancelCopyButton", QStringLiteral("Ca&ncel"));
    auto* copyButtons = new QHBoxLayout;
    copyButtons->addStretch();
    copyButtons->addWidget(CopyButton);
    copyButtons->addWidget(CancelCopyButton);
    auto* copyLayout = new QVBoxLayout(CopyPanel);
    copyLayout->addWidget(CopyFilesLabel);
    copyLayout->addWidget(CopyChooser);
    copyLayout->addLayout(copyButtons);

    auto* dates = new QFormLayout;
    auto* startLabel = new QLabel(QStringLiteral("Transactions &between"), this);
    startLabel->setBuddy(StartDateEdit);
    auto* endLabel = new QLabel(QStringLiteral("&and :"), this);
    endLabel->setBuddy(EndDateEdit);
    auto* formatLabel = new QLabel(QStringLiteral("Define &format :"), this);
    formatLabel->setBuddy(FormatList);
    dates->addRow(startLabel, StartDateEdit);
    dates->addRow(endLabel, EndDateEdit);
    dates->addRow(formatLabel, FormatList);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(QStringLiteral("F1 - Help"), this));
    buttons->addStretch();
    buttons->addWidget(ExportButton);
    buttons->addWidget(ExitButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TitleLabel);
    layout->addLayout(dates);
    layout->addWidget(CodeGroup);
    layout->addWidget(ProgressBar);
    layout->addLayout(buttons);
    layout->addWidget(CopyPanel);

    connect(StartDateEdit, &QDateEdit::dateChanged, this, &TExportNRVForm::StartDateEditChange);
    connect(FormatList, &QComboBox::currentIndexChanged, this, &TExportNRVForm::FormatListChange);
    connect(BalanceCheck, &QCheckBox::toggled, this, &TExportNRVForm::BalanceCheckClick);
    connect(CodeEdit1, &QLineEdit::editingFinished, this, &TExportNRVForm::CodeEdit1Exit);
    connect(ExportButton, &QPushButton::clicked, this, &TExportNRVForm::ExportButtonClick);
    connect(ExitButton, &QPushButton::clicked, this, &QDialog::close);
    connect(CopyButton, &QPushButton::clicked, this, &TExportNRVForm::CopyButtonClick);
    connect(CancelCopyButton, &QPushButton::clicked, CopyPanel, &QWidget::hide);
    resize(520, 300);
}

void TExportNRVForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TExportNRVForm::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) connection_.disconnect();
    ui::FormBase::hideEvent(event);
}

void TExportNRVForm::FormShow() {
    ui::guarded(this, [&] {
        connection_.connect();
        dataFolder_ = connection_.path();
        TitleLabel->setText(QStringLiteral("Exporting text file of transactions for  ") +
                            ledger::companyName(connection_, coyCode));
    });
    StartDateEdit->setDateValue(store::fmt::financialYearStart(today));
    EndDateEdit->setDateValue(today);
    FormatList->setCurrentIndex(-1);
    CodeGroup->hide();
    CopyPanel->hide();
    const QStringList places = ui::backupPlaces(dataFolder_);
    CopyChooser->setPlaces(places);
    // A removable drive, when one is mounted, is offered first.
    if (!places.isEmpty()) CopyChooser->setFolder(places.front());
}

void TExportNRVForm::StartDateEditChange() {
    EndDateEdit->setDateValue(store::fmt::financialYearEnd(StartDateEdit->dateValue()));
}

QString TExportNRVForm::myobCodeFile() const {
    return dataFolder_ + QString::fromLatin1(exchange::kMyobCodeFile);
}

void TExportNRVForm::FormatListChange(int index) {
    const auto format = exchange::ExportFormat(index);
    const bool myob = format == exchange::ExportFormat::Myob;
    if (!myob && format != exchange::ExportFormat::Accomplish) {
        CodeGroup->hide();
        return;
    }
    CodeGroup->setTitle(myob ? QStringLiteral(" MYOB Account Codes ")
                             : QStringLiteral(" Accomplish Cash Manager "));
    CodeLabel1->setText(myob ? QStringLiteral("Cheque account code.")
                             : QStringLiteral("General Ledger a/c for GST receipts."));
    CodeLabel2->setText(myob ? QStringLiteral("Bank account code.")
                             : QStringLiteral("General Ledger a/c for GST payments."));
    BalanceCheck->setVisible(!myob);
    const bool codesShown = myob || BalanceCheck->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(CodeLabel1), static_cast<QWidget*>(CodeLabel2),
                       static_cast<QWidget*>(CodeEdit1), static_cast<QWidget*>(CodeEdit2)})
        w->setVisible(codesShown);
    CodeGroup->show();
    ui::guarded(this, [&] {
        store::IniFile ini(myobCodeFile());
        if (!ini.exists()) {
            QFile empty(myobCodeFile());
            empty.open(QIODevice::WriteOnly);
            return;
        }
        const QString section =
            myob ? QStringLiteral("MYOB Cheque Code") : QStringLiteral("Accomplish");
        CodeEdit1->setText(ini.readString(
            section, myob ? QStringLiteral("Code") : QStringLiteral("GST receipts")));
        CodeEdit2->setText(
            myob ? ini.readString(QStringLiteral("MYOB Bank Code"), QStringLiteral("Code"))
                 : ini.readString(section, QStringLiteral("GST payments")));
    });
}

void TExportNRVForm::BalanceCheckClick(bool checked) {
    for (QWidget* w : {static_cast<QWidget*>(CodeLabel1), static_cast<QWidget*>(CodeLabel2),
                       static_cast<QWidget*>(CodeEdit1), static_cast<QWidget*>(CodeEdit2)})
        w->setVisible(checked);
}

void TExportNRVForm::CodeEdit1Exit() { CodeEdit2->setText(CodeEdit1->text()); }

bool TExportNRVForm::codesAccepted(int format) {
    const bool myob = format == int(exchange::ExportFormat::Myob);
    const bool accomplish =
        format == int(exchange::ExportFormat::Accomplish) && BalanceCheck->isChecked();
    if (!myob && !accomplish) return true;
    if (CodeEdit1->text().trimmed().isEmpty()) {
        ui::beep();
        ui::error(this,
                  myob ? QStringLiteral("You must enter Cheque and Bank account codes.")
                       : QStringLiteral("You must enter Receipts and Payments account codes."));
        return false;
    }
    return ui::guarded(this, [&] {
        store::IniFile ini(myobCodeFile());
        if (myob) {
            ini.writeString(QStringLiteral("MYOB Cheque Code"), QStringLiteral("Code"),
                            CodeEdit1->text());
            ini.writeString(QStringLiteral("MYOB Bank Code"), QStringLiteral("Code"),
                            CodeEdit2->text());
        } else {
            ini.writeStrings(QStringLiteral("Accomplish"),
                             {{QStringLiteral("GST receipts"), CodeEdit1->text()},
                              {QStringLiteral("GST payments"), CodeEdit2->text()}});
        }
    });
}

void TExportNRVForm::ExportButtonClick() {
    const int format = FormatList->currentIndex();
    if (format < 0) {
        ui::beep();
        ui::error(this, QStringLiteral("Please select an export format."));
        return;
    }
    if (!codesAccepted(format)) return;
    ExitButton->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    exchange::ExportRequest request;
    request.range = {coyCode, StartDateEdit->dateValue(), EndDateEdit->dateValue()};
    request.folder = dataFolder_;
    request.firstCode = CodeEdit1->text();
    request.secondCode = CodeEdit2->text();
    request.today = QDate::currentDate();
    qint64 steps = 0;
    request.setMaximum = [&](qint64 n) {
        steps = 0;
        ProgressBar->setRange(0, int(qMin<qint64>(n, INT_MAX)));
        ProgressBar->setValue(0);
    };
    request.step = [&] {
        // Repainted now and then: a year's journal is many rows.
        if (++steps % 512 == 0) {
            ProgressBar->setValue(int(steps));
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    };
    const exchange::ExportOutcome out =
        exchange::runExport(connection_, exchange::ExportFormat(format), request);
    ProgressBar->setValue(ProgressBar->maximum());
    QApplication::restoreOverrideCursor();
    ExitButton->setEnabled(true);
    ExportButton->setEnabled(false);  // one run per opening of the window
    if (!out.ok) {
        if (!out.problem.isEmpty()) {
            ui::beep();
            ui::error(this, out.problem);
        }
        ui::beep();
        ui::error(this, QStringLiteral("Export failed."));
        return;
    }
    files_ = out.files;
    CopyFilesLabel->setText(QStringLiteral("Copying ") + files_.join(QStringLiteral(" and ")));
    CopyPanel->show();
    ui::information(this, QStringLiteral("Export is complete."));
}

void TExportNRVForm::CopyButtonClick() {
    const QString folder = CopyChooser->folder();
    bool ok = !folder.isEmpty() && QFileInfo(folder).isDir();
    for (int i = 0; ok && i < files_.size(); ++i)
        ok = copyExportFile(dataFolder_ + files_.at(i), folder);
    if (ok) {
        CopyPanel->hide();
        return;
    }
    ui::beep();
    ui::error(
        this,
        QStringLiteral(
            "Copy failed.. is there enough space on the disk?  Is there a disk in the drive?"));
    ui::beep();
    ui::error(this, QStringLiteral("Copy did not complete.  Note file location to use Explorer to "
                                   "copy, or change destination."));
}
