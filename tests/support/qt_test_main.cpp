// Entry point of the integration tests: a real QApplication (offscreen unless a display is
// given), then every test on the user-interface thread.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
