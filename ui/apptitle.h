#pragma once
// The application's title, "Quorvel Version 4.1": the caption of message boxes that give none.
//
// Kept here rather than as Qt's application display name, which Qt appends to every window
// title on X11 and Wayland; window titles are exactly their captions.

#include <QString>

namespace ui {

QString applicationTitle();
void setApplicationTitle(const QString& title);

}  // namespace ui
