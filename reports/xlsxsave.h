#pragma once
// Saving a report as a spreadsheet (.xlsx): one worksheet with the report's titles, its column
// headings in bold and its rows; the figures of right-aligned columns as numbers with two
// decimals, everything else as text.

#include <QString>

#include "reports/report.h"

namespace reports {

// Throws store::StoreError with the file's name when the file cannot be written. The sheet is
// written to a temporary name beside the file and renamed into place only when complete, so a
// failed save leaves any earlier file as it was.
void saveXlsx(const ReportDocument& doc, const QString& path);

}  // namespace reports
