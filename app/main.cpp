// Quorvel: the main window is the only window created at start-up; the program ends with it.
#include "app/mainform.h"
#include "ui/apptitle.h"
#include "ui/errorhandler.h"

int main(int argc, char** argv)
{
    ui::QuorvelApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    ui::setApplicationTitle(QStringLiteral("Quorvel Version 4.1"));

    TQVMainForm mainForm;
    mainForm.show();
    return app.exec();
}
