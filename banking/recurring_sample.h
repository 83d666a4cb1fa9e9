#pragma once
// Recurring definitions for the demo company and the tests, saved as the set-up page and the
// schedule window save them.

#include <QDate>
#include <QString>

#include "banking/recurring_definitions.h"
#include "store/connection.h"

namespace banking::sample {

// Saves the definition and then its schedule (new-schedule mode); returns its TRANLINK. Throws
// store::StoreError with the page's message when the save is refused.
QString addDefinition(store::Connection& c, const DefinitionInput& input,
                      const ScheduleChoice& schedule);

// The demo company's definitions on its cheque account: monthly rent on the 1st, fortnightly
// wages and a monthly loan repayment (adding the RENT, WAGES and LOAN accounts when missing),
// rent and wages due by `today` so the run window has work.
void addDemoDefinitions(store::Connection& c, const QDate& today);

}  // namespace banking::sample
