#pragma once
// Where the program's files live: settings, read-only program files, and the data folder named
// by an alias. Every folder is returned with a trailing '/'.

#include <QString>

namespace store::paths {

// $XDG_CONFIG_HOME/quorvel/ (~/.config/quorvel/ when unset); created when missing.
QString configFolder();
// The program's writable folder: "NRVCash.ini", "NRVRpts.ini" and the files that belong in the
// fixed "C:\MRG\" folder. The same as configFolder().
QString programFolder();
// Where an INI file opened by its bare name lives: configFolder() + "system/"; created.
QString bareIniFolder();
// Read-only program files (licence, help): the first existing of <executable dir>/share/,
// <executable dir>/../share/quorvel/, /usr/share/quorvel/ and <executable dir>/../share/; the
// first when none exists.
QString shareFolder();
// $XDG_DATA_HOME/quorvel/data/ (~/.local/share/quorvel/data/ when unset); not created.
QString defaultDataFolder();
// The alias configuration: configFolder() + "aliases.ini", one section per alias with a Path.
QString aliasFile();

// The data folder of an alias. A configured Path has "~" expanded and, when relative, is taken
// from the alias file's folder. Without a configuration the alias NRV names
// defaultDataFolder(); any other alias throws StoreError. The folder is not created.
QString resolveAlias(const QString& alias);

// The data folder an alias names, and whether it is the default data folder (no Path configured,
// or the configured Path is that folder), the one folder made without asking on a first start.
struct AliasFolder {
    QString folder;
    bool isDefault = false;
};
AliasFolder aliasFolder(const QString& alias);

// Makes the alias name a folder from now on: writes its Path in the alias file.
void setAliasFolder(const QString& alias, const QString& folder);

// The folder a connection path names: a path to a data dictionary (".ADD") is reduced to the
// folder that holds it, and a path without any '/' becomes "./".
QString folderOfConnectionPath(const QString& path);

}  // namespace store::paths
