#pragma once
// Demo suppliers for the sample data and the gallery, added through the supplier rules.

#include "store/connection.h"

namespace payments::sample {

// Adds up to `count` (at most 12) demo suppliers to the company, skipping codes it already
// has, in one transaction; some are not registered for sales tax. Returns how many were added.
int addDemoSuppliers(store::Connection& c, int coy, int count = 12);

}  // namespace payments::sample
