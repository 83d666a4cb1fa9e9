#pragma once
// Before the main window opens: makes sure the alias NRV names a data folder that holds books.
// The default data folder is made without asking on a first start; for any other folder that
// cannot be opened the user is told what is wrong and chooses another folder, starts a new book
// there (only on that explicit answer) or ends the program.

#include <QString>
#include <functional>

class QWidget;

namespace app {

// Asks for a folder, starting at `start`; an empty result means the user cancelled.
using FolderChooser = std::function<QString(QWidget* parent, const QString& start)>;

// The folder dialog (object name "DataFolderDialog").
QString chooseDataFolder(QWidget* parent, const QString& start);

// The question for a folder that cannot be opened: the problem, then the answers offered.
QString dataFolderQuestion(const QString& problem, const QString& folder, bool canStartNewBook);

// Returns true once the alias names a folder the program can open (a folder chosen by the user
// is written to the alias file), false when the user ends the program.
bool settleDataFolder(QWidget* parent = nullptr, const FolderChooser& choose = chooseDataFolder);

}  // namespace app
