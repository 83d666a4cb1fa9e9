#pragma once
// The business name of a company, as report titles and selection captions show it.

#include "store/connection.h"

#include <QString>

namespace reports {

// BUSNAME of the company's control record; empty when there is none.
QString companyName(store::Connection& connection, int coy);

}  // namespace reports
