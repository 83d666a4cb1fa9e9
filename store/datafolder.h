#pragma once
// What is wrong, if anything, with a data folder before it is opened, decided from the file
// system and the store file alone: a folder on a drive that is not connected, an emptied or
// damaged store, or a name the program cannot read must never quietly become a new, empty book.

#include <QString>

namespace store {

enum class FolderState {
    Ready,         // holds a data store of this release or an earlier one
    FirstStart,    // the default data folder, not made yet or empty: made without asking
    Missing,       // the folder does not exist
    NotAFolder,    // the path names a file
    Unreadable,    // the folder or its store may not be read or written
    NoStore,       // the folder exists but holds no data store
    EmptyStore,    // the store file is empty: zero bytes, or a database without tables
    Damaged,       // the store file is not a data store the engine can read
    LaterRelease,  // written by a later release
    NameNotText,   // the folder's name on disk is not UTF-8 text, so it cannot be opened
};

struct FolderVerdict {
    FolderState state = FolderState::Ready;
    QString detail;  // the engine's own text, or the later data version
};

// The store file of a data folder.
QString storeFileOf(const QString& folder);

// Examines a data folder without changing anything in it. `isDefault`: the folder is the
// default data folder, which alone may be made without asking.
FolderVerdict examineDataFolder(const QString& folder, bool isDefault);

// True for the states the program opens at once (Ready, FirstStart).
bool canOpen(FolderState state);
// True when a new, empty book may be started in the folder on the user's explicit answer.
bool canStartNewBook(FolderState state);

// What the user is told about a folder that cannot be opened.
QString folderProblemText(const FolderVerdict& verdict, const QString& folder);

// Starts a new, empty book in the folder: makes the folder, sets an empty or damaged store (and
// its log files) aside under a new name, never deleting it, and creates the store. Returns the
// name the old store was set aside as, empty when there was none. Throws StoreError.
QString startNewBook(const QString& folder);

}  // namespace store
