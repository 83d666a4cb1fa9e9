#pragma once
// How the export files write their values: numbers, money, dates and text fields, and the one
// way every export file reaches the disk (a temporary name renamed into place on success).
//
// Text fields, by file, so that a description holding a comma, a quote or a line break reads
// back as itself or at least never shifts or splits a record:
//   own format ("NRVExp.txt", "NRVBnk.txt")  quoted, inner quotes doubled, line breaks kept
//                                             inside the quotes (the import reads them so);
//   "MRGExcel.csv"                           RFC 4180: quoted when needed, quotes doubled;
//   MYOB files                               line breaks become blanks, then RFC 4180 quoting
//                                             (the MYOB import reads quoted fields);
//   "CashMan.txt"                            unquoted: line breaks become blanks, commas ";",
//                                             double quotes "'" (its reader knows no quoting);
//   "NRVQuik.qif"                            one value per line: line breaks become blanks.
#include <QDate>
#include <QHash>
#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <string>

namespace exchange {

// The shortest general decimal form with up to 15 significant digits: 12.5, 100, -3.75.
QString numberText(double value);
void appendNumberText(std::string& out, double value);  // the same, as bytes
// MYOB money: "$" + "0.00", enclosed in double quotes when that text is 8 characters or longer.
QString myobMoney(double value);
// The short date of the system; an invalid date is day zero of the date system (30/12/1899).
QString exportDate(const QDate& date);

QString ownField(const QString& text);    // "text", inner quotes doubled
QString csvField(const QString& text);    // RFC 4180
QString oneLine(const QString& text);     // line breaks (CR LF, CR, LF) as one blank each
QString plainField(const QString& text);  // CashMan: one line, "," as ";", '"' as "'"

// Short dates of a run, converted once per distinct date.
class DateTexts {
public:
    const QString& operator()(const QDate& date);

private:
    QHash<qint64, QString> texts_;
};

// Short dates as UTF-8 bytes from the stored "yyyy-MM-dd" texts of a run, converted once per
// distinct date; any other stored text is an invalid date, as the readers take it.
class DateBytes {
public:
    const QByteArray& operator()(QByteArrayView stored);

private:
    QHash<int, QByteArray> texts_;
};

// One export file: lines ended by CR LF, written under a temporary name and renamed into place
// by commit(). A file never committed leaves the old file (if any) as it was.
class ExportFile {
public:
    explicit ExportFile(const QString& path);
    bool isOpen() const { return open_; }
    void line(const QString& text);
    void line(const QStringList& fields) { line(fields.join(QLatin1Char(','))); }
    void lineBytes(QByteArrayView utf8);
    bool commit();  // false when anything could not be written
    QString path() const { return file_.fileName(); }

private:
    QSaveFile file_;
    QByteArray buffer_;
    bool open_ = false;
    bool failed_ = false;
};

}  // namespace exchange
