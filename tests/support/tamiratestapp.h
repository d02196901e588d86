#ifndef TESTS_SUPPORT_TAMIRATESTAPP_H
#define TESTS_SUPPORT_TAMIRATESTAPP_H

// main() for tests that build windows: the application, the built-in resources and the English
// catalogue installed exactly as the program does it, and an empty fake USB bus in place of the
// machine's, for the bootloader check that each window starts two seconds after it is built.

#include "dialogs/highdpi.h"
#include "resources/tamiraresources.h"
#include "tests/support/cmyfakeusb.h"

#include <QApplication>
#include <QTranslator>
#include <QtTest>

#define TAMIRA_GUI_TEST_MAIN(TestObject)                                                                               \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        enableHighDpiScaling();                                                                                        \
        QApplication app(argc, argv);                                                                                  \
        QTranslator translator;                                                                                        \
        if (!installEnglishCatalogue(translator))                                                                      \
            qFatal("the English catalogue is missing from the resources");                                             \
        cMyFakeUsb usb;                                                                                                \
        cMyUsb::install(&usb);                                                                                         \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        const int failures = QTest::qExec(&tc, argc, argv);                                                            \
        cMyUsb::install(nullptr);                                                                                      \
        return failures;                                                                                               \
    }

#endif
