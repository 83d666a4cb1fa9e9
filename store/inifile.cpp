#include "store/inifile.h"

#include "store/error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace store {

struct IniFile::Content {
    QStringList lines;
    bool crlf = false;      // written back with the line ends it was read with
    bool bom = false;
    bool finalNewline = true;
};

namespace {

bool isComment(const QString& trimmed)
{
    return trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#'));
}

// True when the line is a "[Section]" line; its name goes to *name.
bool sectionOf(const QString& line, QString* name = nullptr)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('['))) return false;
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close < 0) return false;
    if (name) *name = t.mid(1, close - 1).trimmed();
    return true;
}

bool isSectionLine(const QString& line) { return sectionOf(line); }

// Splits "key = value"; false for blank lines, comments and lines without '='.
bool splitEntry(const QString& line, QString* key, QString* value)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || isComment(t) || isSectionLine(line)) return false;
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq < 0) return false;
    if (key) *key = t.left(eq).trimmed();
    if (value) *value = t.mid(eq + 1).trimmed();
    return true;
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Line index range [begin, end) of the body of the first section named `section`, where begin
// is the header line; {-1, -1} when absent.
std::pair<qsizetype, qsizetype> findSection(const QStringList& lines, const QString& section)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString name;
        if (!sectionOf(lines[i], &name) || !sameName(name, section.trimmed())) continue;
        qsizetype end = i + 1;
        while (end < lines.size() && !isSectionLine(lines[end])) ++end;
        return {i, end};
    }
    return {-1, -1};
}

qsizetype findKey(const QStringList& lines, std::pair<qsizetype, qsizetype> range,
                  const QString& key)
{
    for (qsizetype i = range.first + 1; i < range.second; ++i) {
        QString k;
        if (splitEntry(lines[i], &k, nullptr) && sameName(k, key.trimmed())) return i;
    }
    return -1;
}

bool hasLineBreak(const QString& s)
{
    return s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r'));
}

void checkSectionName(const QString& section)
{
    if (section.trimmed().isEmpty() || hasLineBreak(section) || section.contains(QLatin1Char(']')))
        throw StoreError(QStringLiteral("\"%1\" cannot be used as a settings section name.")
                             .arg(section));
}

void checkEntry(const QString& key, const QString& value)
{
    const QString k = key.trimmed();
    if (k.isEmpty() || hasLineBreak(key) || key.contains(QLatin1Char('=')) || isComment(k)
        || k.startsWith(QLatin1Char('[')))
        throw StoreError(QStringLiteral("\"%1\" cannot be used as a settings key.").arg(key));
    if (hasLineBreak(value))
        throw StoreError(
            QStringLiteral("The value of setting %1 cannot span several lines.").arg(key));
}

}  // namespace

IniFile::IniFile(const QString& path) : path_(path) {}

bool IniFile::exists() const { return QFileInfo(path_).isFile(); }

IniFile::Content IniFile::load() const
{
    Content c;
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) return c;  // a missing or unreadable file reads empty
    QByteArray data = file.readAll();
    if (data.startsWith("\xEF\xBB\xBF")) {
        c.bom = true;
        data.remove(0, 3);
    }
    if (data.isEmpty()) return c;
    c.crlf = data.contains("\r\n");
    // A file that is not UTF-8 was written in an 8-bit Western encoding (as settings files of
    // older installations are); reading it as UTF-8 would turn its accented letters into U+FFFD
    // and a folder name in it into the name of another folder.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(data);
    if (utf8.hasError()) text = QString::fromLatin1(data);
    c.finalNewline = text.endsWith(QLatin1Char('\n'));
    if (c.finalNewline) text.chop(1);
    c.lines = text.split(QLatin1Char('\n'));
    for (QString& line : c.lines) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    }
    return c;
}

void IniFile::save(const Content& c) const
{
    const QFileInfo info(path_);
    if (!QDir().mkpath(info.absolutePath()))
        throw StoreError(QStringLiteral("Cannot create the folder %1 for the settings file %2.")
                             .arg(QDir::toNativeSeparators(info.absolutePath()),
                                  QDir::toNativeSeparators(path_)));
    const QString eol = c.crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString text = c.lines.join(eol);
    if (!c.lines.isEmpty() && c.finalNewline) text += eol;
    QByteArray data = text.toUtf8();
    if (c.bom) data.prepend("\xEF\xBB\xBF");

    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        throw StoreError(QStringLiteral("Cannot write the settings file %1: %2")
                             .arg(QDir::toNativeSeparators(path_), file.errorString()));
}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& defaultValue) const
{
    const Content c = load();
    const auto range = findSection(c.lines, section);
    if (range.first < 0) return defaultValue;
    const qsizetype at = findKey(c.lines, range, key);
    if (at < 0) return defaultValue;
    QString value;
    splitEntry(c.lines[at], nullptr, &value);
    return value;
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const
{
    const QString text = readString(section, key);
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : defaultValue;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    writeStrings(section, {{key, value}});
}

void IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    writeStrings(section, {{key, QString::number(value)}});
}

void IniFile::writeStrings(const QString& section,
                           const QList<std::pair<QString, QString>>& values)
{
    checkSectionName(section);
    for (const auto& [key, value] : values) checkEntry(key, value);

    Content c = load();
    auto range = findSection(c.lines, section);
    if (range.first < 0) {
        if (!c.lines.isEmpty() && !c.lines.last().trimmed().isEmpty())
            c.lines.append(QString());
        c.lines.append(QLatin1Char('[') + section.trimmed() + QLatin1Char(']'));
        c.finalNewline = true;
        range = {c.lines.size() - 1, c.lines.size()};
    }
    for (const auto& [key, value] : values) {
        const QString line = key.trimmed() + QLatin1Char('=') + value.trimmed();
        const qsizetype at = findKey(c.lines, range, key);
        if (at >= 0) {
            c.lines[at] = line;
            continue;
        }
        // New keys go after the section's last non-blank line, so the blank line that
        // separates it from the next section stays where it was.
        qsizetype insertAt = range.second;
        while (insertAt - 1 > range.first && c.lines[insertAt - 1].trimmed().isEmpty())
            --insertAt;
        c.lines.insert(insertAt, line);
        ++range.second;
    }
    save(c);
}

bool IniFile::sectionExists(const QString& section) const
{
    return findSection(load().lines, section).first >= 0;
}

QStringList IniFile::sections() const
{
    QStringList names;
    for (const QString& line : load().lines) {
        QString name;
        if (sectionOf(line, &name) && !names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    }
    return names;
}

QStringList IniFile::keys(const QString& section) const
{
    const Content c = load();
    const auto range = findSection(c.lines, section);
    QStringList names;
    if (range.first < 0) return names;
    for (qsizetype i = range.first + 1; i < range.second; ++i) {
        QString k;
        if (splitEntry(c.lines[i], &k, nullptr) && !names.contains(k, Qt::CaseInsensitive))
            names.append(k);
    }
    return names;
}

void IniFile::eraseSection(const QString& section)
{
    Content c = load();
    bool changed = false;
    for (auto range = findSection(c.lines, section); range.first >= 0;
         range = findSection(c.lines, section)) {
        c.lines.remove(range.first, range.second - range.first);
        changed = true;
    }
    if (changed) save(c);
}

void IniFile::deleteKey(const QString& section, const QString& key)
{
    Content c = load();
    auto range = findSection(c.lines, section);
    if (range.first < 0) return;
    // Every copy goes, or a second one would show through.
    bool changed = false;
    for (qsizetype at = findKey(c.lines, range, key); at >= 0; at = findKey(c.lines, range, key)) {
        c.lines.removeAt(at);
        --range.second;
        changed = true;
    }
    if (changed) save(c);
}

}  // namespace store
