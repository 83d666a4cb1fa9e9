#include "store/connection.h"
#include "store/error.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    try {
        store::Connection c;
        c.connect();
        std::printf("Data folder: %s\n", qPrintable(c.path()));
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    return 0;
}
