#include "exchange/statement_memory.h"

#include <QFile>

#include "exchange/statement_formats.h"
#include "store/format.h"
#include "store/inifile.h"
#include "store/paths.h"

namespace exchange {

namespace {

const QString kLastDateSection = QStringLiteral("Last Date");
const QString kMemoryDateKey = QStringLiteral("Date");
const QString kMemoryCodeKey = QStringLiteral("Code");
const QString kMemorySourceKey = QStringLiteral("Source");
const QString kMemoryTypeKey = QStringLiteral("Type");

// Printable ASCII the INI layout keeps as it is; "%" is the escape itself.
bool keptInMemoryFile(QChar c) {
    if (c.unicode() < 0x20 || c.unicode() > 0x7E) return false;
    return !QStringLiteral("%[]=;#\"").contains(c);
}

QString memoryEscaped(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (keptInMemoryFile(c)) {
            out += c;
            continue;
        }
        // A surrogate pair is one character: its UTF-8 bytes are written together.
        const qsizetype length = (c.isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        for (char byte : text.mid(i, length).toUtf8())
            out += QStringLiteral("%%1").arg(uint(uchar(byte)), 2, 16, QLatin1Char('0')).toUpper();
        i += length - 1;
    }
    return out;
}

QString memoryUnescaped(const QString& text) {
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('%') && i + 2 < text.size()) {
            bool ok = false;
            const int byte = text.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                bytes += char(byte);
                i += 2;
                continue;
            }
        }
        bytes += text.mid(i, 1).toUtf8();
    }
    return QString::fromUtf8(bytes);
}

}  // namespace

QString narrativeSection(const QString& narrative) {
    QString quoted = narrative;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + memoryEscaped(quoted) + QLatin1Char('\'');
}

QString quotedMemoryValue(const QString& value) {
    return QLatin1Char('\'') + memoryEscaped(value) + QLatin1Char('\'');
}

QString unquotedMemoryValue(const QString& stored) {
    QString v = stored;
    if (v.size() >= 2 && v.startsWith(QLatin1Char('\'')) && v.endsWith(QLatin1Char('\'')))
        v = v.mid(1, v.size() - 2);
    return memoryUnescaped(v);
}

NarrativeMemory::NarrativeMemory()
    : path_(store::paths::programFolder() + QStringLiteral("ImpNarr.ini")) {}

NarrativeMemory::NarrativeMemory(const QString& path) : path_(path) {}

void NarrativeMemory::ensureExists() const {
    if (QFile::exists(path_)) return;
    QFile f(path_);
    f.open(QIODevice::WriteOnly);
}

std::optional<RememberedNarrative> NarrativeMemory::recall(const QString& narrative) const {
    const store::IniFile ini(path_);
    const QString section = narrativeSection(narrative);
    if (!ini.sectionExists(section)) return std::nullopt;
    RememberedNarrative r;
    r.code = unquotedMemoryValue(ini.readString(section, kMemoryCodeKey));
    r.source = unquotedMemoryValue(ini.readString(section, kMemorySourceKey));
    if (ini.keys(section).contains(kMemoryTypeKey, Qt::CaseInsensitive))
        r.type = ini.readInteger(section, kMemoryTypeKey, 0);
    return r;
}

void NarrativeMemory::remember(const QString& narrative, const RememberedNarrative& values) {
    store::IniFile ini(path_);
    QList<std::pair<QString, QString>> keys{{kMemoryCodeKey, quotedMemoryValue(values.code)},
                                            {kMemorySourceKey, quotedMemoryValue(values.source)}};
    if (values.type) keys.append({kMemoryTypeKey, QString::number(*values.type)});
    ini.writeStrings(narrativeSection(narrative), keys);
}

QString NarrativeMemory::lastDateText() const {
    return store::IniFile(path_).readString(kLastDateSection, kMemoryDateKey);
}

QDate NarrativeMemory::lastDate() const {
    const QString text = lastDateText();
    if (text.isEmpty()) return {};
    const QDate d = dayMonthYearDate(text);
    return d.isValid() ? d : store::fmt::parseShortDate(text);
}

void NarrativeMemory::writeLastDate(const QString& text) {
    store::IniFile(path_).writeString(kLastDateSection, kMemoryDateKey, text);
}

void NarrativeMemory::advanceLastDate(const QDate& date) {
    if (!date.isValid()) return;
    const QDate last = lastDate();
    if (last.isValid() && last >= date) return;
    writeLastDate(date.toString(QStringLiteral("dd/MM/yyyy")));
}

}  // namespace exchange
