#include "store/keys.h"

#include <QTextBoundaryFinder>

namespace store::keys {

namespace {

QString num(int n) { return QString::number(n); }

QString supplierOrMisc(const QString& suppCode)
{
    const QString code = suppCode.trimmed();
    return code.isEmpty() ? QString::fromLatin1(kMiscSupplier) : code;
}

}  // namespace

QString joinParts(const QStringList& parts)
{
    QString key;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0) key += QLatin1Char('-');
        key += parts[i].trimmed();
    }
    return key;
}

QString cutToWidth(const QString& key, int width)
{
    if (width < 0 || key.size() <= width) return key;
    // Back off to the last character boundary at or before the width, so an emoji, a surrogate
    // pair or a letter with its combining accent is kept whole or dropped whole.
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, key);
    graphemes.setPosition(width);
    if (!graphemes.isAtBoundary() && graphemes.toPreviousBoundary() < 0) return QString();
    return key.left(graphemes.position());
}

QString linkCode(int coy, int branch) { return joinParts({num(coy), num(branch)}); }

QString accountLinkCode(int coy, int branch)
{
    return branch == 0 ? QString::fromLatin1(kCompanyLevelLinkCode) : linkCode(coy, branch);
}

QString accountFullCode(int coy, int branch, const QString& acctCode)
{
    if (branch == 0) return joinParts({num(coy), acctCode});
    return joinParts({num(coy), num(branch), acctCode});
}

QString journalLinkCode(const QString& accountLinkCode, int coy)
{
    const QString link = accountLinkCode.trimmed();
    // A blank LINKCODE can only come from a damaged row; it is treated as company level.
    if (link.isEmpty() || link == QLatin1String(kCompanyLevelLinkCode)) return num(coy);
    return link;
}

QString fullCodeFromLink(const QString& journalLinkCode, const QString& acctCode)
{
    return joinParts({journalLinkCode, acctCode});
}

QString bankLink(int coy, const QString& bankCode, const QString& acctNo)
{
    return joinParts({num(coy), bankCode, acctNo});
}

QString bankAccountLink(int coy, const QString& bankCode, const QString& acctNo)
{
    return cutToWidth(bankLink(coy, bankCode, acctNo), kBankAccountLinkWidth);
}

QString bankRowLink(int coy, const QString& bankCode, const QString& acctNo)
{
    return cutToWidth(bankLink(coy, bankCode, acctNo), kBankRowLinkWidth);
}

QString bankAccountText(const QString& bankCode, const QString& acctNo)
{
    return joinParts({bankCode, acctNo});
}

QString recurringBankLink(int coy, const QString& definitionBankAccount)
{
    return joinParts({num(coy), definitionBankAccount});
}

QString bankEntryKey(const QString& bankCode, const QString& acctNo, const QString& reference)
{
    return joinParts({bankCode, acctNo, reference});
}

QString journalBankEntryKey(const QString& bankCode, const QString& acctNo,
                            const QString& reference, int coy)
{
    return joinParts({bankCode, acctNo, reference, num(coy)});
}

QString journalBankEntryKey(const QString& bankRowKey, int coy)
{
    return joinParts({bankRowKey, num(coy)});
}

QString recurringBankEntryKey(const QString& definitionBankAccount, int runNumber,
                              const QString& linkCode)
{
    return joinParts({definitionBankAccount, num(runNumber), linkCode});
}

QString bnkLinkNo(const QString& bankCode, const QString& acctNo, const QString& reference)
{
    return joinParts({bankCode, acctNo, reference});
}

QString recurringBnkLinkNo(const QString& definitionBankAccount, int runNumber)
{
    return joinParts({definitionBankAccount, num(runNumber)});
}

QString fullLink(const QString& bankCode, const QString& acctNo, const QString& journalLinkCode)
{
    return joinParts({bankCode, acctNo, journalLinkCode});
}

QString transferFullLink(const QString& bankCode, const QString& acctNo, int coy)
{
    return joinParts({bankCode, acctNo, num(coy)});
}

QString recurringFullLink(const QString& definitionBankAccount, const QString& linkCode)
{
    return joinParts({definitionBankAccount, linkCode});
}

QString tranRef(const QString& reference, const QString& acctNo)
{
    return joinParts({reference, acctNo});
}

QString journalSearchCode(const QString& journalLinkCode, const QString& acctCode,
                          const QString& reference)
{
    return joinParts({journalLinkCode, acctCode, reference});
}

QString paymentLineSearchCode(const QString& journalLinkCode, const QString& acctCode,
                              const QString& paymentNumber, int lineNo)
{
    return joinParts({journalLinkCode, acctCode, paymentNumber, num(lineNo)});
}

QString cashSearchCode(const QString& acctCode, const QString& number, int coy)
{
    return joinParts({acctCode, number, num(coy)});
}

QString splitLink(const QString& sourceLinkCode, const QString& acctCode,
                  const QString& reference)
{
    return joinParts({sourceLinkCode, acctCode, reference});
}

QString recurringSplitLink(const QString& linkCode, const QString& acctCode, int runNumber)
{
    return joinParts({linkCode, acctCode, num(runNumber)});
}

QString tranCode(const QString& deptCode, const QString& acctCode, const QString& who)
{
    return joinParts({deptCode, acctCode, who});
}

QString tranLink(const QString& tranCode, int number) { return joinParts({tranCode, num(number)}); }

QString supplierKey(int coy, const QString& suppCode) { return joinParts({num(coy), suppCode}); }

QString paymentSupplierCoy(int coy, const QString& suppCode)
{
    return joinParts({num(coy), supplierOrMisc(suppCode)});
}

QString paymentKey(const QString& paymentNumber, const QString& acctNo, int coy)
{
    return joinParts({paymentNumber, acctNo, num(coy)});
}

QString paymentSupplierKey(const QString& paymentNumber, const QString& suppCode, int coy)
{
    return joinParts({paymentNumber, supplierOrMisc(suppCode), num(coy)});
}

QString budgetCompanyKey(const QString& budgetCode, int coy)
{
    return joinParts({budgetCode, num(coy)});
}

QString budgetLink(const QString& budgetCode, const QString& linkCode, int sequence)
{
    return joinParts({budgetCode, linkCode, num(sequence)});
}

QString reportAccountKey(const QString& keyCode, const QString& acctCode)
{
    return joinParts({keyCode, acctCode});
}

}  // namespace store::keys
