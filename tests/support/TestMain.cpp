// Shared main of the test programs: the windows' tests need a QApplication,
// the core's tests run on a QCoreApplication, without a display.
#ifdef PAGERBENCH_TEST_WINDOWS
#include <QApplication>
#else
#include <QCoreApplication>
#endif
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
#ifdef PAGERBENCH_TEST_WINDOWS
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
