#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

// OpenGL through Qt needs an application object; the tests run on whatever
// display RunWithDisplay.sh found or made.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Whatever a test leaves in the user's folders goes to test folders.
    QStandardPaths::setTestModeEnabled(true);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
