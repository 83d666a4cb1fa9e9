#pragma once
// The line edits windows build their forms from: a named box of a field's width, and a
// read-only figure (a balance or total) shown right-aligned and skipped by Tab.

class QLineEdit;
class QWidget;

namespace ui {

// A box named `name` taking at most `maxLength` characters; `width` > 0 fixes its width.
QLineEdit* textBox(QWidget* parent, const char* name, int maxLength, int width = 0);

// A read-only money figure of fixed `width`.
QLineEdit* figureBox(QWidget* parent, const char* name, int width);

}  // namespace ui
