#pragma once
// The one way the payment window picks one of the company's payments: the payment list.

#include <QtGlobal>
#include <optional>

class QWidget;

namespace payments {

// Opens the payment list over `owner` for company `coy`; the chosen payment's TRANNUM, or
// nothing when the list was closed.
std::optional<qint64> pickPayment(QWidget* owner, int coy);

}  // namespace payments
