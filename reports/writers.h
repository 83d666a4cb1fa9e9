#pragma once
// Saving a report: plain text and comma-separated values from the report's data, and PDF
// through the renderer. Every file is written to a temporary name and renamed into place.

#include "reports/report.h"

#include <QString>

namespace reports {

// The report as plain text: titles, headings and rows in fixed-width columns, no page breaks.
QString reportText(const ReportDocument& doc);
// The report as CSV: one record per band, one field per column; quotes doubled, fields with
// commas, quotes or line breaks quoted.
QString reportCsv(const ReportDocument& doc);

// Each throws store::StoreError with the file's name when the file cannot be written.
void saveText(const ReportDocument& doc, const QString& path);
void saveCsv(const ReportDocument& doc, const QString& path);
void savePdf(const ReportDocument& doc, const QString& path);

}  // namespace reports
