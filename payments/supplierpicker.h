#pragma once
// The one way other windows pick a supplier of a company.

#include <QString>
#include <optional>

class QWidget;

namespace payments {

// Opens the supplier picker over `owner` for company `coyNo`, captioned "View/Select Suppliers
// for : " + the company's name when selecting, else "View Suppliers for : " + the name with
// "Select" hidden. Returns the chosen SUPPCODE, or nothing when the picker was closed.
std::optional<QString> pickSupplier(QWidget* owner, int coyNo, bool selecting);

}  // namespace payments
