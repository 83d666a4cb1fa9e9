#include "ui/codebox.h"

#include <QLineEdit>
#include <QValidator>

namespace ui {

namespace {

class UpperCase : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

}  // namespace

void makeCodeBox(QLineEdit* box) { box->setValidator(new UpperCase(box)); }

}  // namespace ui
