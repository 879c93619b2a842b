#include <QGuiApplication>

#include <gtest/gtest.h>

// OpenGL through Qt needs an application object; the tests run on whatever
// display RunWithDisplay.sh found or made.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
