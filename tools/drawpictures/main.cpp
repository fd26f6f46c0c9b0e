// Writes the guide's three step pictures and the About logo as JPEG files
// into the folder given on the command line (default: the current folder),
// and, when a second folder is given, the program's icon there as
// pagerbench.png and, at every size Windows uses, as pagerbench.ico:
//   pagerbench-drawpictures src/ui/assets packaging
#include "Enclosure.h"
#include "IconFile.h"
#include "Logo.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>

namespace {

constexpr int kIconSize = 128;

bool save(const QImage& image, const QDir& folder, const QString& name, const char* format = "JPG",
          int quality = 90)
{
    const QString path = folder.filePath(name);
    if (!image.save(path, format, quality)) {
        QTextStream(stderr) << "cannot write " << path << '\n';
        return false;
    }
    QTextStream(stdout) << path << '\n';
    return true;
}

bool saveIconFile(const QDir& folder)
{
    QList<QImage> images;
    for (int size : pbdraw::iconFileSizes())
        images << pbdraw::drawIcon(size);
    const QByteArray bytes = pbdraw::iconFile(images);
    const QString path = folder.filePath(QStringLiteral("pagerbench.ico"));
    QFile file(path);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        QTextStream(stderr) << "cannot write " << path << '\n';
        return false;
    }
    QTextStream(stdout) << path << '\n';
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    // Text needs fonts, fonts need a GUI application; no screen is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = QGuiApplication::arguments();
    const QDir folder(args.size() > 1 ? args.at(1) : QStringLiteral("."));
    const QDir iconFolder(args.size() > 2 ? args.at(2) : QString());
    for (const QDir& d : {folder, iconFolder}) {
        if (!d.exists()) {
            QTextStream(stderr) << "no such folder: " << d.path() << '\n';
            return 2;
        }
    }

    bool ok = save(pbdraw::drawStep1(), folder, QStringLiteral("step1.jpg"));
    ok = save(pbdraw::drawStep2(), folder, QStringLiteral("step2.jpg")) && ok;
    ok = save(pbdraw::drawStep3(), folder, QStringLiteral("step3.jpg")) && ok;
    ok = save(pbdraw::drawLogo(), folder, QStringLiteral("logo.jpg")) && ok;
    if (args.size() > 2) {
        ok = save(pbdraw::drawIcon(kIconSize), iconFolder, QStringLiteral("pagerbench.png"), "PNG", -1)
             && ok;
        ok = saveIconFile(iconFolder) && ok;
    }
    return ok ? 0 : 1;
}
