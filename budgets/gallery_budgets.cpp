// The budget windows and the first pages of their reports in the gallery, over the demo
// company with its budgets.
#include "budgets/budget_report.h"
#include "budgets/budgetscalcform.h"
#include "budgets/budgetsreportdialogform.h"
#include "budgets/business_plan.h"
#include "budgets/businessplanform.h"
#include "budgets/sample_budgets.h"
#include "reports/reportpreview.h"
#include "store/format.h"
#include "ui/gallery.h"

namespace gallery {
namespace {

void withDemoBudgets(Context& ctx) {
    budgets::sample::addDemoBudgets(ctx.connection, ctx.coy, QDate::currentDate());
}

QWidget* budgetPreview(const reports::ReportDocument& doc, const QString& title) {
    auto* w = new reports::TReportPreviewForm;
    w->setWindowTitle(title);
    w->document = doc;
    return w;
}

}  // namespace

void registerBudgetWindows() {
    add("TBudgetsCalcForm", [](Context& ctx) -> QWidget* {
        withDemoBudgets(ctx);
        auto* w = new TBudgetsCalcForm;
        w->coyCode = ctx.coy;
        return w;
    });
    add("TBudgetsReportDialogForm", [](Context& ctx) -> QWidget* {
        withDemoBudgets(ctx);
        auto* w = new TBudgetsReportDialogForm;
        w->coyCode = ctx.coy;
        return w;
    });
    add("TBusinessPlanForm", [](Context& ctx) -> QWidget* {
        auto* w = new TBusinessPlanForm;
        w->coyCode = ctx.coy;
        return w;
    });
    add("TQVBudgetRptForm", [](Context& ctx) -> QWidget* {
        withDemoBudgets(ctx);
        budgets::TQVBudgetRptForm report(ctx.connection, QString::number(ctx.coy), {},
                                         budgets::BudgetSelection::ActiveOnly);
        return budgetPreview(report.document(), "Budgets");
    });
    add("TBusinessPlanReportForm", [](Context& ctx) -> QWidget* {
        withDemoBudgets(ctx);
        budgets::BusinessPlanOptions o;
        o.from = store::fmt::financialYearStart(QDate::currentDate());
        o.to = o.from.addDays(364);
        budgets::TBusinessPlanReportForm report(ctx.connection, QString::number(ctx.coy), {}, o);
        return budgetPreview(report.document(), "Business plan");
    });
}

}  // namespace gallery
