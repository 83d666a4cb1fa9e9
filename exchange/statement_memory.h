#pragma once
// The narrative memory of statement import ("ImpNarr.ini" in the program's folder): per
// narrative of a statement line, the ledger account, source and type last accepted with it, and
// the "Last Date" the overlap question compares with. Any narrative, with brackets, "=", quotes,
// line breaks or text in any script, is kept under a section name that cannot break the file and
// reads back as itself. No widgets.

#include <QDate>
#include <QString>
#include <optional>

namespace exchange {

struct RememberedNarrative {
    QString code;             // "Code": the ledger account
    QString source;           // "Source"
    std::optional<int> type;  // "Type": the import type's index
};

class NarrativeMemory {
public:
    // The program folder's "ImpNarr.ini".
    NarrativeMemory();
    explicit NarrativeMemory(const QString& path);
    const QString& path() const { return path_; }

    // Creates the file empty when it is missing.
    void ensureExists() const;
    // What was remembered for the narrative; nothing for a narrative never accepted.
    std::optional<RememberedNarrative> recall(const QString& narrative) const;
    void remember(const QString& narrative, const RememberedNarrative& values);

    // "Last Date" as written ("15/03/2011"), empty when there is none.
    QString lastDateText() const;
    QDate lastDate() const;
    void writeLastDate(const QString& text);
    // Moves "Last Date" on to `date` when it is later (or none is stored).
    void advanceLastDate(const QDate& date);

private:
    QString path_;
};

// The section a narrative is kept under: quoted as the file has always quoted it, with every
// character the layout cannot hold written as %XX of its UTF-8 bytes.
QString narrativeSection(const QString& narrative);
// A value written enclosed in single quotes, with the same escapes, and read back.
QString quotedMemoryValue(const QString& value);
QString unquotedMemoryValue(const QString& stored);

}  // namespace exchange
