// The main of the widget tests: a QApplication on the offscreen platform (unless the
// environment names another), then every test.

#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");  // as the program does
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
