// Pagerbench: a thin main over the program library.
#include "app/Program.h"

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

    pb::Program program(state);
    program.Form_Load();
    program.window.show();
    return app.exec();
}
