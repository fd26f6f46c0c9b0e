// Another program holding a serial port: opens the device named on the
// command line as a serial port, says "held" on its output, and keeps the
// port until its input closes. Tests start it to make a port busy.
#include <QCoreApplication>
#include <QSerialPort>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DEVICE\n", argv[0]);
        return 2;
    }
    QSerialPort port;
    port.setPortName(QString::fromLocal8Bit(argv[1]));
    if (!port.open(QIODevice::ReadWrite)) {
        std::fprintf(stderr, "cannot open %s: %s\n", argv[1], qPrintable(port.errorString()));
        return 1;
    }
    std::puts("held");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}
