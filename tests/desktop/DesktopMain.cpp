// Main of the real-desktop tests: where no X display can be had the toolkit
// falls back to the offscreen platform and the tests skip, rather than the
// program ending at start-up.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty() || qgetenv("QT_QPA_PLATFORM") == "xcb")
        qputenv("QT_QPA_PLATFORM", "xcb;offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
