// Test entry point for tests that need real widgets: a QApplication on the
// offscreen platform, so that no display is needed.
#include <QApplication>
#include <gtest/gtest.h>

#ifdef KB_RUSSIAN_INTERFACE
#include "frame/language/language.h"
#endif

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
#ifdef KB_RUSSIAN_INTERFACE
    // What the editor shows by default: the tests of its texts see them as a
    // user does.
    if (!kb::SetInterfaceLanguage(kb::TLanguage::Russian)) return 1;
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
