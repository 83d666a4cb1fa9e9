#pragma once
// A settings file in the usual INI layout: "[Section]" lines, each followed by "Key=Value" lines.
//
// Section and key names are matched without regard to case. A missing file, section or key
// gives the caller's default. Every read re-reads the file, since another window may have
// written it since. A write keeps every other line of the file as it was (order, blank lines,
// ";" and "#" comments) and replaces the file in one step, so a crash never leaves half a file.

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

namespace store {

class IniFile {
public:
    explicit IniFile(const QString& path);

    const QString& path() const { return path_; }
    bool exists() const;

    // The value without surrounding blanks; the value is plain text, nothing is unescaped.
    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue = QString()) const;
    // A decimal integer; a value that is not one gives the default.
    int readInteger(const QString& section, const QString& key, int defaultValue = 0) const;

    // Writing creates the file (and its folder), the section or the key as needed. An existing
    // key keeps its line and takes the caller's spelling. Throws StoreError when the file
    // cannot be written or a name or value cannot be stored in the layout.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    // Several keys of one section in one write.
    void writeStrings(const QString& section, const QList<std::pair<QString, QString>>& values);

    bool sectionExists(const QString& section) const;
    // Names as spelled in the file, in file order, each once.
    QStringList sections() const;
    QStringList keys(const QString& section) const;

    // Remove the section with all its lines / one key; nothing happens when absent.
    void eraseSection(const QString& section);
    void deleteKey(const QString& section, const QString& key);

private:
    struct Content;
    Content load() const;
    void save(const Content& content) const;

    QString path_;
};

}  // namespace store
