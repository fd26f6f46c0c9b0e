// Pagerbench: a thin main over the program library.
#include "app/AppState.h"
#include "ui/FrmHoofdscherm.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pagerbench"));
    QApplication::setApplicationVersion(QStringLiteral("2.6"));

    pb::AppState state;
    state.folder = pb::ProgramFolder::locate(QCoreApplication::applicationDirPath());
    state.commandLine = QCoreApplication::arguments().mid(1).join(u' ');

    pb::FrmHoofdscherm window(state);
    window.Form_Load();
    window.show();
    return app.exec();
}
