#ifndef TAMIRATESTAPP_H
#define TAMIRATESTAPP_H

// main() for tests that build windows: the application, the built-in resources and the English
// catalogue installed exactly as the program does it.

#include "tamiraresources.h"

#include <QApplication>
#include <QTranslator>
#include <QtTest>

#define TAMIRA_GUI_TEST_MAIN(TestObject)                                                        \
    int main(int argc, char *argv[])                                                            \
    {                                                                                           \
        QApplication app(argc, argv);                                                           \
        QTranslator translator;                                                                 \
        if (!installEnglishCatalogue(translator))                                               \
            qFatal("the English catalogue is missing from the resources");                     \
        TestObject tc;                                                                          \
        QTEST_SET_MAIN_SOURCE_PATH                                                              \
        return QTest::qExec(&tc, argc, argv);                                                   \
    }

#endif
