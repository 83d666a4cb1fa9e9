#pragma once
// A report whose bands are appended while it is prepared, so that the preview can show its first
// pages while the rest is still being read.

#include "reports/preparation.h"
#include "reports/report.h"

namespace reports {

class StreamedReport : public Preparation {
public:
    // The report so far: its titles and headings once the first step ran, then the bands of
    // every step done; the whole report once step() returned false. Bands already there never
    // change, so pages laid out from them stay as they are.
    virtual const ReportDocument& document() const = 0;
};

}  // namespace reports
