#include "store/paths.h"

#include "store/error.h"
#include "store/inifile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace store::paths {

namespace {

QString withSlash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    return folder;
}

// An XDG base folder: the variable when it holds an absolute path, else the home fallback.
QString xdgFolder(const char* variable, const QString& fallbackUnderHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value)) return QDir::cleanPath(value);
    return QDir::cleanPath(QDir::homePath() + QLatin1Char('/') + fallbackUnderHome);
}

QString created(const QString& folder)
{
    if (!QDir().mkpath(folder))
        throw StoreError(QStringLiteral("Cannot create the folder %1.")
                             .arg(QDir::toNativeSeparators(folder)));
    return folder;
}

QString executableFolder()
{
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
}

QString expandHome(const QString& path)
{
    if (path == QLatin1String("~")) return QDir::homePath();
    if (path.startsWith(QLatin1String("~/"))) return QDir::homePath() + path.mid(1);
    return path;
}

}  // namespace

QString configFolder()
{
    return created(withSlash(xdgFolder("XDG_CONFIG_HOME", QStringLiteral(".config"))
                             + QStringLiteral("/quorvel")));
}

QString programFolder() { return configFolder(); }

QString bareIniFolder() { return created(configFolder() + QStringLiteral("system/")); }

QString shareFolder()
{
    const QString exe = executableFolder();
    const QString candidates[] = {
        exe + QStringLiteral("/share/"),
        exe + QStringLiteral("/../share/quorvel/"),
        QStringLiteral("/usr/share/quorvel/"),
        // The build tree's test programs live one folder below the program.
        exe + QStringLiteral("/../share/"),
    };
    for (const QString& folder : candidates) {
        if (QFileInfo(folder).isDir()) return withSlash(QDir::cleanPath(folder));
    }
    return withSlash(QDir::cleanPath(candidates[0]));
}

QString defaultDataFolder()
{
    return withSlash(xdgFolder("XDG_DATA_HOME", QStringLiteral(".local/share"))
                     + QStringLiteral("/quorvel/data"));
}

QString aliasFile() { return configFolder() + QStringLiteral("aliases.ini"); }

QString resolveAlias(const QString& alias)
{
    const QString file = aliasFile();
    const QString configured = IniFile(file).readString(alias, QStringLiteral("Path"));
    if (configured.isEmpty()) {
        if (alias.trimmed().compare(QLatin1String("NRV"), Qt::CaseInsensitive) == 0)
            return defaultDataFolder();
        throw StoreError(QStringLiteral("Alias ") + alias + QStringLiteral(" is not defined in ")
                         + file);
    }
    // Relative to the alias file, so the folder does not depend on where the program started.
    const QString absolute = QDir(QFileInfo(file).absolutePath()).absoluteFilePath(
        expandHome(configured));
    return withSlash(QDir::cleanPath(absolute));
}

AliasFolder aliasFolder(const QString& alias)
{
    AliasFolder result;
    result.folder = resolveAlias(alias);
    result.isDefault = result.folder == defaultDataFolder();
    return result;
}

void setAliasFolder(const QString& alias, const QString& folder)
{
    IniFile(aliasFile()).writeString(
        alias.trimmed(), QStringLiteral("Path"),
        withSlash(QDir::cleanPath(QFileInfo(folder).absoluteFilePath())));
}

QString folderOfConnectionPath(const QString& path)
{
    QString p = path.trimmed();
    if (!p.contains(QLatin1Char('/'))) return QStringLiteral("./");
    if (p.endsWith(QLatin1String(".ADD"), Qt::CaseInsensitive))
        p = p.left(p.lastIndexOf(QLatin1Char('/')) + 1);
    return withSlash(p);
}

}  // namespace store::paths
