#pragma once
// Account, department and supplier codes are kept in upper case: a code box turns what is typed
// into capitals as it is typed, so "rent" cannot be stored beside "RENT" and typing "motor"
// finds MOTOR.

class QLineEdit;

namespace ui {

// Makes `box` a code box; its textEdited signal then carries the capitals.
void makeCodeBox(QLineEdit* box);

}  // namespace ui
