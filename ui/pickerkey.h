#pragma once
// The small "..." button beside a code box opens a list to pick from. From the keyboard the list
// opens with Alt+Down in the box, so the button is no Tab stop: typing a code, Tab and the next
// box's text never lands on the button (a space would open the list, digits would be lost).

class QAbstractButton;
class QWidget;

namespace ui {

// Takes `button` out of the Tab order and lets Alt+Down in `box` (or in any box inside it)
// press it while it is enabled.
void openPickerWithAltDown(QWidget* box, QAbstractButton* button);

}  // namespace ui
