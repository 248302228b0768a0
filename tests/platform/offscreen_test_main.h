// main() of a Qt Test program: without a display given, the tests run on
// Qt's offscreen platform, so they need no X server.
#ifndef ZENKAR_TESTS_PLATFORM_OFFSCREEN_TEST_MAIN_H_
#define ZENKAR_TESTS_PLATFORM_OFFSCREEN_TEST_MAIN_H_

#include <QApplication>
#include <QtTest>

#define ZENKAR_OFFSCREEN_TEST_MAIN(TestClass)             \
  int main(int argc, char** argv) {                       \
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) { \
      qputenv("QT_QPA_PLATFORM", "offscreen");            \
    }                                                     \
    QApplication app(argc, argv);                         \
    TestClass test;                                       \
    return QTest::qExec(&test, argc, argv);               \
  }

#endif  // ZENKAR_TESTS_PLATFORM_OFFSCREEN_TEST_MAIN_H_
