// Test entry point: a QApplication exists for every test, since control models
// emit signals and widget tests need one. Offscreen platform is set by CTest.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
