// Test main for the tests that need Qt's application object.
#include <gtest/gtest.h>

#include <QtGlobal>

#ifdef RESERVIUM_TEST_WIDGETS
#  include <QApplication>
using TestApplication = QApplication;
#else
#  include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    TestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
