// The table catalogue: every table of a data folder with its fields and index tags,
// in catalogue order. Widths of key fields follow the key conventions of the store, widened
// where a key built from the longest codes the boxes accept would not fit (widths are only
// where the store cuts texts, so older data folders open unchanged); amounts are numeric with
// two decimals, bank balances as wide as the amounts that move them.

#include "store/catalogue.h"

namespace store {

namespace {

std::vector<TableDef> buildCatalogue()
{
    std::vector<TableDef> t;

    // Company control records, one per company.
    t.push_back({"QVCntrl.DBF",
                 {
                     {"COYCODE", FieldKind::SmallInt},
                     {"BUSNAME", FieldKind::Char, 45},
                     {"BUSCODE", FieldKind::Char, 10},
                     {"COYDESC", FieldKind::Char, 100},
                     {"ADDRESS1", FieldKind::Char, 25},
                     {"ADDRESS2", FieldKind::Char, 25},
                     {"ADDRESS3", FieldKind::Char, 25},
                     {"PHONENO", FieldKind::Char, 25},
                     {"FAXNO", FieldKind::Char, 25},
                     {"SIGNAME", FieldKind::Char, 45},
                     {"GSTENABLED", FieldKind::SmallInt},
                     {"GSTPERCENT", FieldKind::Numeric, 6, 2},
                     {"GSTNUMBER", FieldKind::Char, 18},
                     {"GSTTYPE", FieldKind::Char, 1},
                     {"GSTPERIOD", FieldKind::SmallInt},
                     {"GSTEXCL", FieldKind::SmallInt},
                     {"COUNTRY", FieldKind::Char, 4},
                     {"RECAUTO", FieldKind::SmallInt},
                     {"LASTINV", FieldKind::Numeric, 10, 0},  // width not given
                     // Carried by the record, neither read nor written; kinds and widths not given.
                     {"PAYMENT", FieldKind::Numeric, 10, 0},
                     {"INVOICE", FieldKind::Numeric, 10, 0},
                     {"LSTTRANNO", FieldKind::Numeric, 11, 0},
                     {"SPLITNO", FieldKind::Numeric, 15, 0},
                     {"LINKDEPTS", FieldKind::SmallInt},
                     {"CLIENTAUTO", FieldKind::SmallInt},
                     {"MINCLIENTB", FieldKind::Numeric, 14, 2},
                     {"PAYDUEDAY", FieldKind::SmallInt},
                     {"SCHEDULER", FieldKind::SmallInt},
                     {"SCHEDTABNO", FieldKind::SmallInt},
                     {"MINBUDGET", FieldKind::Numeric, 14, 2},
                     {"MAXBUDGET", FieldKind::Numeric, 14, 2},
                     {"BUDGETON", FieldKind::SmallInt},
                     {"WARNON", FieldKind::SmallInt},
                     {"WARNLEVEL", FieldKind::Numeric, 6, 2},
                     {"USETABLE1", FieldKind::SmallInt},
                     {"USETABLE2", FieldKind::SmallInt},
                     {"USEDITBL1", FieldKind::SmallInt},
                     {"USEDITBL2", FieldKind::SmallInt},
                     {"USEMAT1", FieldKind::SmallInt},
                     {"USEMAT2", FieldKind::SmallInt},
                     {"NOMINUTES", FieldKind::SmallInt},
                     {"INPUTTAX", FieldKind::Numeric, 6, 2},
                 },
                 {},
                 {"COYCODE", "BUSCODE"},
                 false});

    // Departments of a company.
    t.push_back({"QVCoy.DBF",
                 {
                     {"COYCODE", FieldKind::Numeric, 3, 0},  // width not given
                     {"BRANCH", FieldKind::Numeric, 5, 0},   // width not given
                     {"LINKCODE", FieldKind::Char, 9},
                     {"DEPTCODE", FieldKind::Char, 10},
                     {"BUSCODE", FieldKind::Char, 10},
                     {"BUSNAME", FieldKind::Char, 45},
                     {"COYDESC", FieldKind::Char, 100},
                     {"MANFNAME", FieldKind::Char, 15},
                     {"MANINIT", FieldKind::Char, 4},
                     {"MANLNAME", FieldKind::Char, 25},
                     {"POST_ADDR1", FieldKind::Char, 25},
                     {"POST_ADDR2", FieldKind::Char, 25},
                     {"POST_ADDR3", FieldKind::Char, 25},
                     {"POSTZONE", FieldKind::Char, 8},
                     {"ADDRESS1", FieldKind::Char, 25},
                     {"ADDRESS2", FieldKind::Char, 25},
                     {"ADDRESS3", FieldKind::Char, 25},
                     {"PHONENO", FieldKind::Char, 25},
                     {"FAXNO", FieldKind::Char, 25},
                     {"EMAIL", FieldKind::Char, 25},
                     {"MOBILE", FieldKind::Char, 25},
                     {"SIGNAME", FieldKind::Char, 45},
                     {"GSTENABLED", FieldKind::Numeric, 1, 0},  // width not given
                     // Carried, neither read nor written.
                     {"RECAUTO", FieldKind::SmallInt},
                     {"GSTPERCENT", FieldKind::Numeric, 6, 2},
                     {"GSTNUMBER", FieldKind::Char, 18},
                     {"GSTTYPE", FieldKind::Char, 1},
                     {"GSTEXCL", FieldKind::SmallInt},
                     {"GSTPERIOD", FieldKind::SmallInt},
                 },
                 {"BRANCH", "BUSCODE", "BUSNAME", "COYCODE", "DEPTCODE", "LINKCODE", "MANLNAME"},
                 {}});

    // Department control: the company's loan account.
    t.push_back({"QVDepCntr.DBF",
                 {
                     {"COYCODE", FieldKind::Numeric, 3, 0},  // width not given
                     {"CAPCODE3", FieldKind::Char, 25},
                 },
                 {},
                 {"COYCODE"},
                 false});

    // Ledger accounts.
    t.push_back({"QVAccDet.DBF",
                 {
                     {"COYCODE", FieldKind::Char, 3},
                     {"BRANCH", FieldKind::Char, 5},
                     {"LINKCODE", FieldKind::Char, 9},
                     {"ACCTCODE", FieldKind::Char, 15},
                     {"FULLCODE", FieldKind::Char, 25},
                     {"COYACCT", FieldKind::SmallInt},
                     {"TYPECODE", FieldKind::Char, 10},
                     {"RPTCAT", FieldKind::Char, 1},
                     {"DESCR", FieldKind::Char, 250},
                     {"INCLPL", FieldKind::Integer},
                     {"GSTAPPLIES", FieldKind::Integer},
                     {"ACTACTIVE", FieldKind::Integer},
                     {"EXPCODE", FieldKind::Char, 15},
                     {"BALCODE", FieldKind::Char, 15},
                     {"ACTRANNO", FieldKind::Numeric, 10, 0},  // width not given
                     {"HASBUDGET", FieldKind::Integer},
                     {"BUDGLINK", FieldKind::Char, 31},  // width not given
                     {"LASTBNO", FieldKind::Integer},
                     {"DOMESTIC", FieldKind::Integer},
                     {"ALLOCPER", FieldKind::Integer},
                     {"DOMLINK", FieldKind::Char, 33},
                     {"DOMACCT", FieldKind::Char, 15},
                     {"DOMDEPT", FieldKind::Char, 5},
                     {"DOMFULLCOD", FieldKind::Char, 55},
                     {"ACTTODATE", FieldKind::Numeric, 14, 2},
                     {"GSTTODATE", FieldKind::Numeric, 14, 2},
                     {"DEFBALACCT", FieldKind::Char, 15},
                     {"TAXTYPE", FieldKind::Char, 1},
                 },
                 {"ACCTCODE", "BRANCH", "BUDGLINK", "COYCODE", "DOMACCT", "COYACCT", "DOMDEPT",
                  "DOMFULLCOD", "DOMLINK", "FULLCODE", "LINKCODE"},
                 {}});

    // Banks.
    t.push_back({"QVBkHdr.DBF",
                 {
                     {"BANKCODE", FieldKind::Char, 6},
                     {"NAME", FieldKind::Char, 50},
                     {"BRANCH", FieldKind::Char, 25},
                     {"POST_ADDR1", FieldKind::Char, 35},  // width not given
                     {"POST_ADDR2", FieldKind::Char, 35},  // width not given
                     {"POST_ADDR3", FieldKind::Char, 35},  // width not given
                     {"POSTCODE", FieldKind::Char, 8},     // width not given
                     {"PHY_ADDR1", FieldKind::Char, 35},   // width not given
                     {"PHY_ADDR2", FieldKind::Char, 35},   // width not given
                     {"PHY_ADDR3", FieldKind::Char, 35},   // width not given
                     {"PHONENO", FieldKind::Char, 25},     // width not given
                     {"FAXNO", FieldKind::Char, 25},       // width not given
                     {"EMAIL", FieldKind::Char, 40},       // width not given
                     {"CONTACT", FieldKind::Char, 40},
                     {"DEFAULTACC", FieldKind::Char, 20},  // width not given
                 },
                 {"BANKCODE", "BRANCH"},
                 {}});

    // Bank accounts of a company.
    t.push_back({"QVBnkAct.DBF",
                 {
                     {"COYCODE", FieldKind::Char, 3},
                     {"BUSCODE", FieldKind::Char, 10},
                     {"BANKCODE", FieldKind::Char, 6},
                     {"ACCTNO", FieldKind::Char, 20},
                     {"BANKLINK", FieldKind::Char, 31},  // 27 before; fits 3-6-20
                     {"DESC", FieldKind::Char, 50},
                     {"DEFAULT", FieldKind::SmallInt, 1},
                     {"BRALLOC", FieldKind::SmallInt, 1},
                     {"BRANCH", FieldKind::Char, 5},
                     {"LINKCODE", FieldKind::Char, 9},
                     {"ALLOWOD", FieldKind::SmallInt, 1},
                     {"ODAMOUNT", FieldKind::Numeric, 14, 2},
                     {"OPENBAL", FieldKind::Numeric, 14, 2},
                     {"INITBAL", FieldKind::Numeric, 14, 2},
                     {"CURRBAL", FieldKind::Numeric, 14, 2},
                     {"RUNBAL", FieldKind::Numeric, 14, 2},
                     {"STARTDATE", FieldKind::Date},
                     {"REC_DATE", FieldKind::Date},
                     {"RECAMOUNT", FieldKind::Numeric, 14, 2},
                     {"PREVBAL", FieldKind::Numeric, 14, 2},
                     {"RECOK", FieldKind::SmallInt, 1},
                     {"LASTREFNO", FieldKind::Numeric, 16, 0},
                     {"LASTCHQ", FieldKind::Numeric, 10, 0},
                     {"LASTEFTNO", FieldKind::Numeric, 10, 0},
                     {"LASTDEPNO", FieldKind::Numeric, 10, 0},
                 },
                 {"ACCTNO", "BANKCODE", "BANKLINK", "BRANCH", "BUSCODE", "COYCODE", "LINKCODE",
                  "STARTDATE"},
                 {}});

    // Bank transactions.
    t.push_back({"QVBnkTr.DBF",
                 {
                     {"COYCODE", FieldKind::SmallInt, 3},
                     {"BRANCH", FieldKind::Numeric, 5, 0},
                     {"BANKCODE", FieldKind::Char, 10},
                     {"BANKACCT", FieldKind::Char, 30},
                     {"BANKLINK", FieldKind::Char, 31},  // 30 before
                     {"LINKCODE", FieldKind::Char, 9},
                     {"FULLCODE", FieldKind::Char, 25},
                     {"FULLLINK", FieldKind::Char, 37},  // 30 before
                     {"BNKTRNLNK", FieldKind::Char, 50},
                     {"TRANNUM", FieldKind::Numeric, 11, 0},
                     {"TRANDATE", FieldKind::Date},
                     {"TRANTYPE", FieldKind::Char, 10},
                     {"AMOUNT", FieldKind::Numeric, 14, 2},
                     {"PURPOSE", FieldKind::Char, 50},
                     {"REASON", FieldKind::Char, 200},
                     {"SOURCE", FieldKind::Char, 20},
                     {"DESTBANK", FieldKind::Char, 10},
                     {"DESTACCT", FieldKind::Char, 30},
                     {"SOURCEBANK", FieldKind::Char, 10},
                     {"SOURCEACCT", FieldKind::Char, 30},
                     {"TRANREF", FieldKind::Char, 41},
                     {"CSHACCDET", FieldKind::SmallInt, 1},
                     {"RECONCILED", FieldKind::SmallInt, 1},
                     {"CONFIRMED", FieldKind::SmallInt, 1},
                     {"DETCODE", FieldKind::Numeric, 10, 0},
                 },
                 {"BANKACCT", "BANKCODE", "BANKLINK", "BNKTRNLNK", "BRANCH", "COYCODE", "DESTBANK",
                  "DETCODE", "FULLCODE", "FULLLINK", "LINKCODE", "SOURCEACCT", "SOURCEBANK",
                  "TRANDATE", "TRANNUM"},
                 {}});

    // Journal lines.
    t.push_back({"QVActTr.DBF",
                 {
                     {"COYCODE", FieldKind::Char, 3},
                     {"BRANCH", FieldKind::Numeric, 5, 0},
                     {"LINKCODE", FieldKind::Char, 9},
                     {"ACCTCODE", FieldKind::Char, 30},
                     {"FULLCODE", FieldKind::Char, 40},
                     {"TRANNUM", FieldKind::Numeric, 11, 0},
                     {"REF", FieldKind::Char, 20},
                     {"LINENO", FieldKind::Numeric, 3, 0},
                     {"TRANDATE", FieldKind::Date},
                     {"DESC", FieldKind::Char, 250},
                     {"AMOUNT", FieldKind::Numeric, 14, 2},
                     {"BUSAMT", FieldKind::Numeric, 14, 2},
                     {"GSTAMT", FieldKind::Numeric, 14, 2},
                     {"HASGST", FieldKind::SmallInt, 1},
                     {"GSTTYPE", FieldKind::Char, 1},
                     {"ZERORATED", FieldKind::SmallInt, 1},
                     {"GSTCALC", FieldKind::SmallInt, 1},
                     {"GSTDATE", FieldKind::Date},
                     {"TRANTYPE", FieldKind::Char, 25},
                     {"REASON", FieldKind::Char, 5},
                     {"SRCHCODE", FieldKind::Char, 50},
                     {"BNKTRNLNK", FieldKind::Char, 50},
                     {"BNKLINKNO", FieldKind::Char, 50},
                     {"HASBNKACCT", FieldKind::SmallInt, 1},
                     {"BANKACCT", FieldKind::Char, 30},
                     {"SUPPCODE", FieldKind::Char, 20},
                     {"CLIENTCODE", FieldKind::Char, 20},
                     {"CLIJOBNO", FieldKind::Char, 25},
                     {"SPLITDEST", FieldKind::Char, 30},
                     {"SPLITSOURC", FieldKind::Char, 30},
                     {"SPLITLINK", FieldKind::Char, 37},  // 33 before
                     {"SPLITNO", FieldKind::Numeric, 15, 0},
                     {"PERIODNO", FieldKind::SmallInt, 2},
                 },
                 {"ACCTCODE", "BANKACCT", "BNKLINKNO", "BNKTRNLNK", "BRANCH", "CLIENTCODE",
                  "CLIJOBNO", "COYCODE", "FULLCODE", "LINKCODE", "SPLITLINK", "SRCHCODE",
                  "SUPPCODE", "TRANNUM"},
                 {}});

    // Receipts journal kept outside the system; only unlinked here.
    t.push_back({"Tranjou.DBF",
                 {
                     {"COYCODE", FieldKind::Char, 3},    // width not given; kind as on journal lines
                     {"REF", FieldKind::Char, 50},       // width not given; matched against SRCHCODE
                     {"BNKTRNLNK", FieldKind::Char, 50}, // width not given
                     {"BANKLINK", FieldKind::Char, 31},  // width not given
                     {"DEPOSITED", FieldKind::SmallInt},
                 },
                 {},
                 {"COYCODE"},
                 false});

    // Recurring transaction definitions.
    t.push_back({"QVRecTr.DBF",
                 {
                     {"HASGST", FieldKind::SmallInt},
                     {"TRANCODE", FieldKind::Char, 20},
                     {"COYNO", FieldKind::SmallInt},
                     {"BRANCH", FieldKind::Numeric, 5, 0},
                     {"LINKCODE", FieldKind::Char, 9},
                     {"ACCTCODE", FieldKind::Char, 20},
                     {"BANK", FieldKind::Char, 10},
                     {"BANKCODE", FieldKind::Char, 27},  // 25 before; bank code + account
                     {"BANKACCT", FieldKind::Char, 20},
                     {"TRANLINK", FieldKind::Char, 37},  // 30 before
                     {"TRACTIVE", FieldKind::SmallInt},
                     {"AMOUNT", FieldKind::Numeric, 14, 2},
                     {"ACTAMT", FieldKind::Numeric, 14, 2},
                     {"DOMAMT", FieldKind::Numeric, 14, 2},
                     {"BUSAMT", FieldKind::Numeric, 14, 2},
                     {"GSTAMT", FieldKind::Numeric, 14, 2},
                     {"FREQ", FieldKind::Char, 2},
                     {"DEPOSIT", FieldKind::SmallInt},
                     {"WHO", FieldKind::Char, 250},
                     {"DESCR", FieldKind::Char, 250},
                     {"NEXTRUN", FieldKind::Date},
                     {"RUNDATE", FieldKind::Date},
                     {"FINDATE", FieldKind::Date},
                     {"TYPE", FieldKind::Char, 5},
                     {"TRANTYPE", FieldKind::Char, 1},
                     {"NUMTRANS", FieldKind::SmallInt},
                     {"TRANSNO", FieldKind::SmallInt},
                     {"RUNON", FieldKind::SmallInt},
                     {"RUNDAY", FieldKind::SmallInt},
                     {"RUNMTH", FieldKind::SmallInt},
                     {"WEEKLY", FieldKind::SmallInt},
                     {"HASSPLIT", FieldKind::SmallInt},
                     {"DOMLINK", FieldKind::Char, 33},
                     {"DOMACCT", FieldKind::Char, 15},
                     {"DOMDEPT", FieldKind::Char, 5},
                     {"DOMFULLCOD", FieldKind::Char, 55},
                     {"AUTORUN", FieldKind::SmallInt},
                 },
                 {"ACCTCODE", "BANK", "BANKACCT", "BANKCODE", "BRANCH", "COYNO", "DOMACCT",
                  "DOMDEPT", "DOMFULLCOD", "DOMLINK", "LINKCODE", "TRANCODE", "TRANLINK"},
                 {}});

    // Recurring-transaction accounts: declared, read and written by no window.
    t.push_back({"QVRecAcct.DBF",
                 {
                     {"COYNO", FieldKind::SmallInt},
                     {"BRANCH", FieldKind::Numeric, 5, 0},
                     {"LINKCODE", FieldKind::Char, 9},   // width not given
                     {"ACCTCODE", FieldKind::Char, 20},  // width not given
                 },
                 {},
                 {},
                 false});

    // Clients of a company; only the tag fields are used.
    t.push_back({"Clients.DBF",
                 {
                     {"COYCODE", FieldKind::SmallInt},
                     {"CLICODE", FieldKind::Char, 20},    // width not given; as on payment headers
                     {"CLIENTCOY", FieldKind::Char, 25},  // width not given; coy + "-" + CLICODE
                     {"BUSNAME", FieldKind::Char, 50},    // width not given
                     {"PHONENO", FieldKind::Char, 40},    // width not given
                     {"EMAIL", FieldKind::Char, 40},      // width not given
                 },
                 {"CLICODE", "CLIENTCOY", "COYCODE"},
                 {}});

    // Suppliers.
    t.push_back({"QVSupp.DBF",
                 {
                     {"SUPPCODE", FieldKind::Char, 10},
                     {"COYNO", FieldKind::SmallInt},
                     {"SUPPCOY", FieldKind::Char, 16},
                     {"SUPTRNO", FieldKind::Char, 10},
                     {"BANKACCT", FieldKind::Char, 19},
                     {"GSTREG", FieldKind::SmallInt},
                     {"CONFNAME", FieldKind::Char, 25},
                     {"CONINITIAL", FieldKind::Char, 10},
                     {"CONLNAME", FieldKind::Char, 40},
                     {"FULLNAME", FieldKind::Char, 75},
                     {"BUSNAME", FieldKind::Char, 50},
                     {"DESCR", FieldKind::Char, 250},
                     {"PHY_ADDR1", FieldKind::Char, 35},
                     {"PHY_ADDR2", FieldKind::Char, 35},
                     {"PHY_ADDR3", FieldKind::Char, 35},
                     {"POST_ADDR1", FieldKind::Char, 35},
                     {"POST_ADDR2", FieldKind::Char, 35},
                     {"POST_ADDR3", FieldKind::Char, 35},
                     {"POSTCODE", FieldKind::Char, 5},
                     {"PHONENO", FieldKind::Char, 40},
                     {"MOBNO", FieldKind::Char, 40},
                     {"FAXNO", FieldKind::Char, 40},
                     {"EMAIL", FieldKind::Char, 40},
                     // Carried, neither read nor written.
                     {"LINKCODE", FieldKind::Char, 9},
                     {"SUPPLINK", FieldKind::Char, 20},
                     {"BRANCH", FieldKind::Numeric, 5, 0},
                 },
                 {"COYNO", "FULLNAME", "SUPPCODE", "SUPPCOY"},
                 {}});

    // Supplier invoices kept outside the system; only asked whether a SUPPCOY occurs.
    t.push_back({"Creditors.DBF",
                 {
                     {"COYNO", FieldKind::SmallInt},
                     {"SUPPCODE", FieldKind::Char, 10},   // width not given; as in the supplier table
                     {"SUPPCOY", FieldKind::Char, 16},    // width not given; as in the supplier table
                     {"INVOICENO", FieldKind::Char, 20},  // width not given
                     {"INVDATE", FieldKind::Date},
                     {"AMOUNT", FieldKind::Numeric, 14, 2},
                     {"GSTAMT", FieldKind::Numeric, 14, 2},
                 },
                 {},
                 {"SUPPCOY"},
                 false});

    // Payment headers.
    t.push_back({"QVChHdr.DBF",
                 {
                     {"COYCODE", FieldKind::Char, 3},
                     {"TRANNUM", FieldKind::Numeric, 11, 0},
                     {"CHEQUENO", FieldKind::Char, 11},
                     {"PAYTYPE", FieldKind::Char, 3},
                     {"TRANTYPE", FieldKind::Char, 3},
                     {"BANKCODE", FieldKind::Char, 10},
                     {"ACCTCODE", FieldKind::Char, 25},
                     {"FULLCODE", FieldKind::Char, 40},
                     {"CHQBNKCOY", FieldKind::Char, 60},
                     {"SUPPTYPE", FieldKind::Char, 4},
                     {"SUPPLIER", FieldKind::Char, 50},
                     {"SUPPCOY", FieldKind::Char, 20},
                     {"CHQSUPLNK", FieldKind::Char, 50},
                     {"CLIREFUND", FieldKind::SmallInt},
                     {"CLICODE", FieldKind::Char, 20},
                     {"CHQDATE", FieldKind::Date},
                     {"AMOUNT", FieldKind::Numeric, 14, 2},
                     {"GSTAMT", FieldKind::Numeric, 14, 2},
                     {"BUSAMT", FieldKind::Numeric, 14, 2},
                     {"NUMLINES", FieldKind::SmallInt},
                     {"CONFIRMED", FieldKind::SmallInt},
                     {"GSTCALC", FieldKind::SmallInt},
                     {"LINKCODE", FieldKind::Char, 9},
                     {"PERIODNO", FieldKind::SmallInt},
                     {"VALIDATED", FieldKind::Char, 1},
                     {"PRINTED", FieldKind::SmallInt},
                     {"GSTDATE", FieldKind::Date},
                 },
                 {"ACCTCODE", "BANKCODE", "CHEQUENO", "CHQBNKCOY", "CHQDATE", "CHQSUPLNK", "CLICODE",
                  "COYCODE", "FULLCODE", "LINKCODE", "SUPPCOY", "SUPPLIER"},
                 {}});

    // Payment lines.
    t.push_back({"QVChqDet.DBF",
                 {
                     {"CHQBNKCOY", FieldKind::Char, 60},
                     {"COYCODE", FieldKind::SmallInt},
                     {"CHEQUENO", FieldKind::Char, 11},
                     {"LINENO", FieldKind::SmallInt},
                     {"LINKCODE", FieldKind::Char, 9},
                     {"ACCTNO", FieldKind::Char, 20},
                     {"BANKACCT", FieldKind::Char, 30},
                     {"CHQDATE", FieldKind::Date},
                     {"NARRATIVE", FieldKind::Char, 250},
                     {"TOT_AMT", FieldKind::Numeric, 14, 2},
                     {"GSTAMT", FieldKind::Numeric, 14, 2},
                     {"DOM_AMT", FieldKind::Numeric, 14, 2},
                     {"BUS_AMT", FieldKind::Numeric, 14, 2},
                     {"HASGST", FieldKind::SmallInt},
                     {"GSTCALC", FieldKind::SmallInt},
                     {"STATUS", FieldKind::Char, 1},
                     {"SUPPCODE", FieldKind::Char, 10},
                     {"SUPPCOY", FieldKind::Char, 20},
                     {"CHQSUPLNK", FieldKind::Char, 55},
                     {"INVSUPCOY", FieldKind::Char, 55},
                     {"INVSUPLINE", FieldKind::Char, 25},
                     // Carried, not written by payment entry; kinds and widths not given.
                     {"CLICODE", FieldKind::Char, 20},    // width not given
                     {"JOBNO", FieldKind::Char, 25},      // width not given
                     {"CHARDATE", FieldKind::Date},
                     {"CHAR_AMT", FieldKind::Numeric, 14, 2},
                     {"UNITS", FieldKind::Numeric, 10, 2},
                     {"DUE_DATE", FieldKind::Date},
                     {"CRAMT", FieldKind::Numeric, 14, 2},
                     {"DRAMT", FieldKind::Numeric, 14, 2},
                     {"GST_DATE", FieldKind::Date},
                     {"SUPTRNO", FieldKind::Char, 10},    // width not given
                     {"SPLITNO", FieldKind::Numeric, 15, 0},
                     {"SPLITDEST", FieldKind::Char, 30},  // width not given
                     {"SPLITSOURC", FieldKind::Char, 30}, // width not given
                     {"SUPTRNCOY", FieldKind::Char, 25},  // width not given
                     {"INVOICENO", FieldKind::Char, 20},  // width not given
                 },
                 {"ACCTNO", "BANKACCT", "CHARDATE", "CHEQUENO", "CHQBNKCOY", "CHQDATE", "CHQSUPLNK",
                  "CLICODE", "COYCODE", "INVOICENO", "INVSUPCOY", "INVSUPLINE", "JOBNO", "LINKCODE",
                  "SUPPCODE", "SUPPCOY", "SUPTRNCOY", "SUPTRNO"},
                 {}});

    // Stored sales-tax returns.
    t.push_back({"QVGst.DBF",
                 {
                     {"LINKCODE", FieldKind::Char, 9},
                     {"COYNO", FieldKind::SmallInt},
                     {"BRANCH", FieldKind::SmallInt},
                     {"GSTBEGDATE", FieldKind::Date},
                     {"GSTENDDATE", FieldKind::Date},
                     {"INCOME", FieldKind::Numeric, 14, 2},
                     {"ZERORATED", FieldKind::Numeric, 14, 2},
                     {"TOTSALES", FieldKind::Numeric, 14, 2},
                     {"INCOMEGST", FieldKind::Numeric, 14, 2},
                     {"SALEADJGST", FieldKind::Numeric, 14, 2},
                     {"GSTCOLLECT", FieldKind::Numeric, 14, 2},
                     {"PUREXP", FieldKind::Numeric, 14, 2},
                     {"EXPGST", FieldKind::Numeric, 14, 2},
                     {"CREDADJ", FieldKind::Numeric, 14, 2},
                     {"GSTCREDIT", FieldKind::Numeric, 14, 2},
                     {"GSTAMOUNT", FieldKind::Numeric, 14, 2},
                     {"REFUND", FieldKind::Integer},
                     {"CURRYEAR", FieldKind::Char, 11},
                     {"PERIOD", FieldKind::Numeric, 5, 0},
                     {"ELINKREFNO", FieldKind::Char, 30},
                 },
                 {"BRANCH", "COYNO", "CURRYEAR", "LINKCODE"},
                 {}});

    // Budget headers.
    t.push_back({"QVBudCntr.DBF",
                 {
                     {"BUDGCOY", FieldKind::Char, 14},
                     {"BUDGCODE", FieldKind::Char, 10},
                     {"LINKCODE", FieldKind::Char, 10},
                     {"COYCODE", FieldKind::Char, 3},
                     {"ACCTCODE", FieldKind::Char, 15},
                     {"FULLCODE", FieldKind::Char, 25},  // width not given; the account's FULLCODE
                     {"DESCR", FieldKind::Char, 250},
                     {"STATUS", FieldKind::Char, 1},
                     {"BUDG_YR", FieldKind::Char, 10},
                     {"BUD_START", FieldKind::Date},
                     {"BUD_FIN", FieldKind::Date},
                     {"TOTAMOUNT", FieldKind::Numeric, 14, 2},
                     {"BUSAMOUNT", FieldKind::Numeric, 14, 2},
                     {"PERCENT1", FieldKind::Numeric, 14, 2},
                     {"PER1START", FieldKind::Date},
                     {"PER1END", FieldKind::Date},
                     {"PERCENT2", FieldKind::Numeric, 14, 2},
                     {"PER2START", FieldKind::Date},
                     {"PER2END", FieldKind::Date},
                     {"BUDGLINK", FieldKind::Char, 31},  // 22 before
                     {"CURRYR", FieldKind::SmallInt},
                     {"MINMAX", FieldKind::SmallInt},
                     {"PERIODBRK", FieldKind::Char, 1},
                     {"BCRITERIA1", FieldKind::Char, 2},
                     {"BCRITERIA2", FieldKind::Char, 2},
                     {"BCRITERIA3", FieldKind::Char, 2},
                     {"BCRITERIA4", FieldKind::Char, 2},
                     {"BCRITERIA5", FieldKind::Char, 2},
                     {"BCRITERIA6", FieldKind::Char, 2},
                 },
                 {"ACCTCODE", "BUDGCODE", "BUDGCOY", "BUDGLINK", "COYCODE", "FULLCODE", "LINKCODE"},
                 {}});

    // Budget periods.
    t.push_back({"QVAccBud.DBF",
                 {
                     {"BUDGCODE", FieldKind::Char, 10},
                     {"BUDGLINK", FieldKind::Char, 31},  // 22 before
                     {"LINKCODE", FieldKind::Char, 10},
                     {"COYCODE", FieldKind::Char, 3},
                     {"ACCTCODE", FieldKind::Char, 15},
                     {"FULLCODE", FieldKind::Char, 25},  // width not given; the account's FULLCODE
                     {"BMONTH", FieldKind::SmallInt},
                     {"PERIOD_BEG", FieldKind::Date},
                     {"PERIOD_END", FieldKind::Date},
                     {"BAMOUNT", FieldKind::Numeric, 14, 2},
                     {"DAMOUNT", FieldKind::Numeric, 14, 2},
                     {"TAMOUNT", FieldKind::Numeric, 14, 2},
                     {"EXP_MAX", FieldKind::Numeric, 14, 2},
                     {"EXP_MIN", FieldKind::Numeric, 14, 2},
                 },
                 {"ACCTCODE", "BUDGCODE", "BUDGLINK", "COYCODE", "FULLCODE", "LINKCODE"},
                 {}});

    // Report headers of the actuals-vs-budget reports.
    t.push_back({"QVRptHdr.DBF",
                 {
                     {"KEYCODE", FieldKind::Char, 5},
                     {"BUSNAME", FieldKind::Char, 200},
                     {"FROMTO", FieldKind::Char, 150},
                     {"CURRENT", FieldKind::Char, 150},
                     {"TODATE", FieldKind::Char, 150},
                     {"COLHDR1", FieldKind::Char, 150},
                     {"COLHDR2", FieldKind::Char, 150},
                     {"COLHDR3", FieldKind::Char, 150},
                     {"COLHDR4", FieldKind::Char, 150},
                     {"COLHDR5", FieldKind::Char, 150},
                     {"COLHDR6", FieldKind::Char, 150},
                     {"COLHDR7", FieldKind::Char, 150},
                     {"COLHDR8", FieldKind::Char, 150},
                     {"COLHDR9", FieldKind::Char, 150},
                     {"COLHDR10", FieldKind::Char, 150},
                     {"COLHDR11", FieldKind::Char, 150},
                     {"COLHDR12", FieldKind::Char, 150},
                 },
                 {"KEYCODE"},
                 {}});

    // Report headers of the actuals-to-date report.
    t.push_back({"QVHdrAct.DBF",
                 {
                     {"KEYCODE", FieldKind::Char, 5},
                     {"BUSNAME", FieldKind::Char, 200},
                     {"FROMTO", FieldKind::Char, 150},
                     {"CURRENT", FieldKind::Char, 150},
                     {"TODATE", FieldKind::Char, 150},
                     {"COLHDR1", FieldKind::Char, 150},
                     {"COLHDR2", FieldKind::Char, 150},
                     {"COLHDR3", FieldKind::Char, 150},
                     {"COLHDR4", FieldKind::Char, 150},
                     {"COLHDR5", FieldKind::Char, 150},
                     {"COLHDR6", FieldKind::Char, 150},
                     {"COLHDR7", FieldKind::Char, 150},
                     {"COLHDR8", FieldKind::Char, 150},
                     {"COLHDR9", FieldKind::Char, 150},
                     {"COLHDR10", FieldKind::Char, 150},
                     {"COLHDR11", FieldKind::Char, 150},
                     {"COLHDR12", FieldKind::Char, 150},
                 },
                 {"KEYCODE"},
                 {}});

    // Actuals-to-date rows.
    t.push_back({"XTabAct1.DBF",
                 {
                     {"KEYCODE", FieldKind::Char, 5},
                     {"LINENO", FieldKind::SmallInt},
                     {"ACCTKEY", FieldKind::Char, 21},  // width not given; KEYCODE + "-" + ACCTCODE
                     {"ACCTCODE", FieldKind::Char, 15},
                     {"RPTCAT", FieldKind::Char, 1},
                     {"COL0", FieldKind::Char, 200},
                     {"ACT1", FieldKind::Numeric, 14, 2},
                     {"ACT2", FieldKind::Numeric, 14, 2},
                     {"ACT3", FieldKind::Numeric, 14, 2},
                     {"ACT4", FieldKind::Numeric, 14, 2},
                     {"ACT5", FieldKind::Numeric, 14, 2},
                     {"ACT6", FieldKind::Numeric, 14, 2},
                     {"ACT7", FieldKind::Numeric, 14, 2},
                     {"ACT8", FieldKind::Numeric, 14, 2},
                     {"ACT9", FieldKind::Numeric, 14, 2},
                     {"ACT10", FieldKind::Numeric, 14, 2},
                     {"ACT11", FieldKind::Numeric, 14, 2},
                     {"ACT12", FieldKind::Numeric, 14, 2},
                     {"TOTAL", FieldKind::Numeric, 14, 2},
                 },
                 {"KEYCODE", "ACCTCODE", "ACCTKEY"},
                 {}});

    // Actuals-vs-budget rows, one month.
    t.push_back({"XTab1mth.DBF",
                 {
                     {"KEYCODE", FieldKind::Char, 5},
                     {"LINENO", FieldKind::SmallInt},
                     {"ACCTKEY", FieldKind::Char, 21},  // width not given; KEYCODE + "-" + ACCTCODE
                     {"ACCTCODE", FieldKind::Char, 15},
                     {"RPTCAT", FieldKind::Char, 1},
                     {"COL0", FieldKind::Char, 200},
                     {"ACT1", FieldKind::Numeric, 14, 2},
                     {"BUD1", FieldKind::Numeric, 14, 2},
                     {"DIFF1", FieldKind::Numeric, 14, 2},
                     {"TACT", FieldKind::Numeric, 14, 2},
                     {"TBUD", FieldKind::Numeric, 14, 2},
                     {"TDIFF", FieldKind::Numeric, 14, 2},
                     {"REMAINDER", FieldKind::Numeric, 14, 2},
                 },
                 {"ACCTCODE", "ACCTKEY", "KEYCODE"},
                 {}});

    // Actuals-vs-budget rows, two months.
    t.push_back({"XTab2mth.DBF",
                 {
                     {"KEYCODE", FieldKind::Char, 5},
                     {"LINENO", FieldKind::SmallInt},
                     {"ACCTKEY", FieldKind::Char, 21},  // width not given; KEYCODE + "-" + ACCTCODE
                     {"ACCTCODE", FieldKind::Char, 15},
                     {"RPTCAT", FieldKind::Char, 1},
                     {"COL0", FieldKind::Char, 200},
                     {"ACT1", FieldKind::Numeric, 14, 2},
                     {"BUD1", FieldKind::Numeric, 14, 2},
                     {"DIFF1", FieldKind::Numeric, 14, 2},
                     {"ACT2", FieldKind::Numeric, 14, 2},
                     {"BUD2", FieldKind::Numeric, 14, 2},
                     {"DIFF2", FieldKind::Numeric, 14, 2},
                     {"TACT", FieldKind::Numeric, 14, 2},
                     {"TBUD", FieldKind::Numeric, 14, 2},
                     {"TDIFF", FieldKind::Numeric, 14, 2},
                     {"REMAINDER", FieldKind::Numeric, 14, 2},
                 },
                 {"ACCTKEY", "KEYCODE"},
                 {}});

    // Three-month rows: no window fills the table; laid out like the two-month one.
    t.push_back({"XTab3mth.DBF",
                 {
                     {"KEYCODE", FieldKind::Char, 5},
                     {"LINENO", FieldKind::SmallInt},
                     {"ACCTKEY", FieldKind::Char, 21},  // width not given; KEYCODE + "-" + ACCTCODE
                     {"ACCTCODE", FieldKind::Char, 15},
                     {"RPTCAT", FieldKind::Char, 1},
                     {"COL0", FieldKind::Char, 200},
                     {"ACT1", FieldKind::Numeric, 14, 2},
                     {"BUD1", FieldKind::Numeric, 14, 2},
                     {"DIFF1", FieldKind::Numeric, 14, 2},
                     {"ACT2", FieldKind::Numeric, 14, 2},
                     {"BUD2", FieldKind::Numeric, 14, 2},
                     {"DIFF2", FieldKind::Numeric, 14, 2},
                     {"ACT3", FieldKind::Numeric, 14, 2},
                     {"BUD3", FieldKind::Numeric, 14, 2},
                     {"DIFF3", FieldKind::Numeric, 14, 2},
                     {"TACT", FieldKind::Numeric, 14, 2},
                     {"TBUD", FieldKind::Numeric, 14, 2},
                     {"TDIFF", FieldKind::Numeric, 14, 2},
                     {"REMAINDER", FieldKind::Numeric, 14, 2},
                 },
                 {},
                 {},
                 false});

    // Cross-tab report formats: no window reads or writes them; fields are our own.
    t.push_back({"QVXTabCol.DBF",
                 {
                     {"FORMCODE", FieldKind::Char, 10},  // width not given
                     {"COLNO", FieldKind::SmallInt},
                     {"COLHDR", FieldKind::Char, 150},   // width not given
                     {"COLTYPE", FieldKind::Char, 1},    // width not given
                 },
                 {},
                 {},
                 false});
    t.push_back({"QVXTabFm.DBF",
                 {
                     {"FORMCODE", FieldKind::Char, 10},  // width not given
                     {"DESCR", FieldKind::Char, 250},    // width not given
                     {"NUMCOLS", FieldKind::SmallInt},
                 },
                 {},
                 {},
                 false});
    t.push_back({"QVXTabHD.DBF",
                 {
                     {"FORMCODE", FieldKind::Char, 10},  // width not given
                     {"TITLE", FieldKind::Char, 200},    // width not given
                     {"SUBTITLE", FieldKind::Char, 150}, // width not given
                 },
                 {},
                 {},
                 false});

    // Export table for the accountant; its widths come with the supplied table.
    t.push_back({"CASHMAN.DBF",
                 {
                     {"DATE", FieldKind::Date},
                     {"REF", FieldKind::Char, 20},       // width not given; the journal line's REF
                     {"ACCOUNT", FieldKind::Char, 15},   // width not given; the account's EXPCODE
                     {"AMOUNT", FieldKind::Numeric, 14, 2},
                     {"GSTAMOUNT", FieldKind::Numeric, 14, 2},
                     {"QUANTITY", FieldKind::Numeric, 10, 2},
                     {"DETAILS", FieldKind::Char, 250},  // width not given; the line's DESC
                     {"SOURCE", FieldKind::Char, 1},     // width not given; a one-letter code
                 },
                 {},
                 {},
                 false});

    // Statement lines imported into a bank account: the bank's own transaction id (FITID) when
    // the file gives one and the line as the file gave it, with the bank row it became, so a
    // statement loaded again is known line by line.
    t.push_back({"QVStmtLn.DBF",
                 {
                     {"COYCODE", FieldKind::SmallInt, 3},
                     {"BANKLINK", FieldKind::Char, 31},
                     {"BNKTRNLNK", FieldKind::Char, 50},
                     {"FITID", FieldKind::Char, 255},
                     {"TRANDATE", FieldKind::Date},
                     {"CENTS", FieldKind::Numeric, 16, 0},
                     {"NARRATIVE", FieldKind::Memo},
                 },
                 {},
                 {"BANKLINK", "BNKTRNLNK"},
                 false});

    return t;
}

}  // namespace

const std::vector<TableDef>& catalogue()
{
    static const std::vector<TableDef> tables = buildCatalogue();
    return tables;
}

}  // namespace store
