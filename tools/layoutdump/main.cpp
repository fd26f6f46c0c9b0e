// Builds the main window as the program does, in a folder of its own with a
// configuration of the given language and unit type, shows it on the given
// tab and prints the places of its named controls as JSON; or those of one
// of the secondary windows, opened over it as its menu or button opens it.
#include "ui/MainTabs.h"
#include "WidgetLayout.h"

#include "app/Program.h"
#include "files/ConfigFile.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>

namespace {

struct Options {
    int16_t language = 0;
    int16_t unitType = 1;
    int tab = 0;
    QString window = QStringLiteral("main");
    QString out; // empty: standard output
};

std::optional<Options> parse(const QStringList& args)
{
    Options options;
    for (qsizetype i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return std::nullopt;
        const QString& value = args.at(i + 1);
        bool number = true;
        if (args.at(i) == QLatin1String("--language"))
            options.language = int16_t(value.toInt(&number));
        else if (args.at(i) == QLatin1String("--type"))
            options.unitType = int16_t(value.toInt(&number));
        else if (args.at(i) == QLatin1String("--tab"))
            options.tab = value.toInt(&number);
        else if (args.at(i) == QLatin1String("--window"))
            options.window = value;
        else if (args.at(i) == QLatin1String("--out"))
            options.out = value;
        else
            return std::nullopt;
        if (!number)
            return std::nullopt;
    }
    return options;
}

// Lets the window's timers run: the delayed load of the default settings,
// the message window, the grid's colouring.
void pump(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void showAndWait(QWidget& window)
{
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    pump(500);
}

// The main window, or the secondary window that opens over it.
QWidget* open(pb::Program& program, const QString& which)
{
    const std::map<QString, std::function<void()>> openers{
        {QStringLiteral("main"), [] {}},
        {QStringLiteral("settings"), [&] { program.ShowSettingsDialog(); }},
        {QStringLiteral("guide"), [&] { program.ShowGuide(); }},
        {QStringLiteral("about"), [&] { program.ShowAbout(); }},
    };
    const auto opener = openers.find(which);
    if (opener == openers.end())
        return nullptr;
    const QWidgetList before = QApplication::topLevelWidgets();
    opener->second();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && !before.contains(window))
            return window;
    return &program.window;
}

bool write(const QByteArray& json, const QString& path)
{
    if (path.isEmpty())
        return std::fwrite(json.constData(), 1, size_t(json.size()), stdout) == size_t(json.size());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(json) == json.size();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const std::optional<Options> options = parse(QApplication::arguments());
    if (!options || options->tab < 0 || options->tab >= pb::kTabCount) {
        std::fputs("usage: pagerbench-layoutdump [--language 0..3] [--type 0..6] [--tab 0..4]\n"
                   "                             [--window main|settings|guide|about] [--out FILE]\n",
                   stderr);
        return 2;
    }
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fputs("no temporary folder for the configuration\n", stderr);
        return 1;
    }

    pb::ProgramConfig config;
    config.portIndex = 98; // a port no machine has: the window opens as without its unit
    config.unitType = options->unitType;
    config.language = options->language;
    config.hideHousingGuide = 1; // no housing-opening guide over the window
    pb::AppState state;
    state.folder = {folder.path(), QString(), folder.path()};
    if (!pb::WriteConfig(config, state.folder.configFile())) {
        std::fputs("cannot write the configuration\n", stderr);
        return 1;
    }

    pb::Program program(state);
    program.load();
    program.window.SSTab1->setCurrentIndex(options->tab);
    showAndWait(program.window);
    QWidget* window = open(program, options->window);
    if (!window) {
        std::fputs("--window takes main, settings, guide or about\n", stderr);
        return 2;
    }
    if (window != &program.window)
        showAndWait(*window);

    const QByteArray json = QJsonDocument(pb::layoutdump::WidgetLayout(*window)).toJson();
    if (!write(json, options->out)) {
        std::fputs("cannot write the layout\n", stderr);
        return 1;
    }
    return 0;
}
