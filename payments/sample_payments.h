#pragma once
// Payments of the demo company, entered through the payment rules as the payment window enters
// them: cheques, electronic transfers and cash, of one to four lines, some on the partly
// private motor account, to the company's suppliers and to payees who are none.

#include <QDate>

#include "store/connection.h"

namespace payments::sample {

// Enters `count` payments over the three years before `today` from the demo company's cheque
// and savings accounts (catering lines from the catering account), giving the company a few
// suppliers first when it has none. Returns the number of payments entered.
int postDemoPayments(store::Connection& c, int count, const QDate& today, quint32 seed = 1);

}  // namespace payments::sample
