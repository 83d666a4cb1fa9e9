#pragma once
// Where a save dialog opens: the folder the user last saved a file to (kept in "NRVRpts.ini"
// for the next run), or the user's documents folder the first time and when that folder has
// gone.

#include <QString>

namespace ui {

QString saveFolder();
// Remembers the folder of a file just saved; a settings file that cannot be written only
// loses the memory.
void rememberSaveFolder(const QString& savedFile);

}  // namespace ui
