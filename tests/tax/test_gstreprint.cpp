// The reprint of stored returns: each stored return reprints on its own page with the payment
// due date of the original return, period end + 28 days, on the form and on the slip.
#include <gtest/gtest.h>

#include "banking/sample_company.h"
#include "support/temp_folder.h"
#include "tax/finalise.h"
#include "tax/gstreprint.h"

namespace {

bool pageShows(const reports::FormPage& page, const QString& text) {
    for (const reports::FormField& f : page.fields)
        if (f.text == text) return true;
    return false;
}

struct DueCase {
    const char* story;
    QDate start;
    int months;
    QString dueLong, dueShort;
};

TEST(GstReprint, eachStoredReturnReprintsWithItsEndPlusTwentyEightDays) {
    TempDataFolder folder;
    banking::sample::setCompany(folder.connection, "Harbour Cafe", "HC", true, 15.0);
    const DueCase cases[] = {
        {"six months to 30 September", QDate(2026, 4, 1), 6, "28 October 2026", "28 Oct 2026"},
        {"two months to 31 December", QDate(2026, 11, 1), 2, "28 January 2027", "28 Jan 2027"},
        {"to 29 February of a leap year", QDate(2028, 2, 1), 1, "28 March 2028", "28 Mar 2028"}};
    for (const DueCase& c : cases) {
        const tax::TaxPeriod p{c.start, tax::periodEnd(c.start, c.months)};
        ASSERT_TRUE(tax::finaliseNzReturn(folder.connection, 1, p, 2500).ok()) << c.story;
    }
    for (const DueCase& c : cases) {
        const tax::TaxPeriod p{c.start, tax::periodEnd(c.start, c.months)};
        const reports::ReportDocument doc = tax::gstReprintDocument(folder.connection, 1, p);
        ASSERT_EQ(doc.formPages.size(), 1u) << c.story;
        const reports::FormPage& page = doc.formPages.front();
        EXPECT_TRUE(pageShows(page, c.dueLong)) << c.story;
        EXPECT_TRUE(pageShows(page, c.dueShort)) << c.story;
        // Box 9 typed as 25.00 is box 15 and box 16 of an otherwise empty period: tax to pay.
        EXPECT_TRUE(pageShows(page, "$25.00")) << c.story;
    }
    // A period holding the starts of two stored returns reprints both.
    EXPECT_EQ(
        tax::gstReprintDocument(folder.connection, 1, {QDate(2026, 1, 1), QDate(2026, 12, 31)})
            .formPages.size(),
        2u);
}

}  // namespace
