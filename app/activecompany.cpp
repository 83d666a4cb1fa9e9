#include "app/activecompany.h"

#include "store/connection.h"
#include "store/table.h"

namespace app {

bool needsSetupWizard(const QString& busName) { return busName == QLatin1String("Name"); }

ActiveCompany activeCompanyFrom(const store::Table& control)
{
    ActiveCompany company;
    company.codeNumber = int(control.integer(QStringLiteral("COYCODE")));
    company.code = QString::number(company.codeNumber);
    company.name = control.text(QStringLiteral("BUSNAME"));
    company.recAuto = int(control.integer(QStringLiteral("RECAUTO")));
    company.active = true;
    return company;
}

QString activeCompanyStatus(const QString& busName)
{
    return QStringLiteral("Active company is : ") + busName;
}

namespace captions {

QString operationsFor(const QString& name) { return QStringLiteral("Operations for : ") + name; }
QString operationsMenuFor(const QString& name)
{
    return QStringLiteral("Operations menu for :  ") + name;
}
QString bankOperationsFor(const QString& name)
{
    return QStringLiteral("Bank Operations for : ") + name;
}
QString setupFor(const QString& name) { return QStringLiteral("Setup for : ") + name; }
QString reportsFor(const QString& name)
{
    return QStringLiteral("Reports for active company : ") + name;
}
QString cashTransactionsOf(const QString& name)
{
    return QStringLiteral("Cash transactions of :  ") + name;
}
QString recurringFor(const QString& name)
{
    return QStringLiteral("Run recurring transactions for : ") + name;
}
QString bankReconciliationFor(const QString& name)
{
    return QStringLiteral("Bank reconciliation for :  ") + name;
}
QString bankTransactionsViewFor(const QString& name)
{
    return QStringLiteral("Bank transactions view for  ") + name;
}
QString maintainBank(bool companyActive)
{
    return companyActive ? QStringLiteral("Maintain Bank.")
                         : QStringLiteral("Maintain Bank : No active company.");
}

}  // namespace captions

}  // namespace app

namespace app {

CompanyNameLookup::CompanyNameLookup() = default;
CompanyNameLookup::~CompanyNameLookup() { close(); }

QString CompanyNameLookup::nameOf(int coy)
{
    if (!connection_) {
        auto connection = std::make_unique<store::Connection>();
        connection->connect(QStringLiteral("NRV"));
        auto control = std::make_unique<store::Table>(*connection, QStringLiteral("QVCntrl.DBF"));
        control->setIndexName(QStringLiteral("COYCODE"));
        control->open();
        connection_ = std::move(connection);
        control_ = std::move(control);
    }
    // A name from another company's record would be wrong in a caption; none is better.
    if (!control_->findKey(coy)) return QString();
    return control_->text(QStringLiteral("BUSNAME"));
}

void CompanyNameLookup::close()
{
    control_.reset();
    if (connection_) connection_->disconnect();
    connection_.reset();
}

}  // namespace app
