#pragma once
// The picture gallery: every window registers how to open it with sensible inputs.

#include "store/connection.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

namespace gallery {

struct Context {
    store::Connection& connection;  // connected to the gallery's data folder
    QString dataFolder;
    int coy = 1;
    QString coyName;
};

// Makes the window, ready to show (not shown); the gallery shows, paints, saves and deletes it.
using Make = std::function<QWidget*(Context&)>;

struct Entry {
    QString name;  // the window's class name, the picture's file name
    Make make;
};

std::vector<Entry>& entries();
inline void add(const QString& name, Make make) { entries().push_back({name, std::move(make)}); }

// Each subsystem registers its windows in its own gallery_<subsystem>.cpp; the gallery
// program calls every one of these.
void registerAppWindows();
void registerLedgerWindows();
void registerReportsWindows();
void registerBankingWindows();
void registerBankEntryWindows();
void registerSupplierWindows();
void registerPaymentEntryWindows();
void registerReconciliationWindows();
void registerCashWindows();
void registerChequeWindows();
void registerTaxWindows();
void registerTaxSettingsAndAuditWindows();
void registerBudgetWindows();
void registerStatementWindows();
void registerExchangeWindows();

}  // namespace gallery
