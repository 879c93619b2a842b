#include <QApplication>

#include <gtest/gtest.h>

// Widgets need an application; tests run on the offscreen platform and never
// wait for a person.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
