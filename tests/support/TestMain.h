#ifndef TESTMAIN_H
#define TESTMAIN_H

#include <QApplication>
#include <QtTest>

// The test classes of one folder share one program, so the folder compiles and links once.
// Each class is still run alone, in a process of its own: the program's first argument names
// it by its source file ("tst_wslider"), the rest go to Qt Test as usual.
namespace TestMain {
using Runner = int (*)(int argc, char *argv[]);
// Files the runner under the name of the source file that calls it.
bool add(const char *sourceFile, Runner runner);
}

// The same set-up as Qt Test's own main macros, run when the program is asked for this file.
#define VVB_TEST_RUNNER(TestObject, ...) \
    static int vvbRun##TestObject(int argc, char *argv[]) \
    { \
        QT_PREPEND_NAMESPACE(QTest::Internal::callInitMain)<TestObject>(); \
        __VA_ARGS__ \
        TestObject tc; \
        QTEST_SET_MAIN_SOURCE_PATH \
        return QTest::qExec(&tc, argc, argv); \
    } \
    static const bool vvbAdded##TestObject = TestMain::add(__FILE__, &vvbRun##TestObject);

#define VVB_TEST_MAIN(TestObject) \
    VVB_TEST_RUNNER(TestObject, QApplication app(argc, argv); \
                    app.setAttribute(Qt::AA_Use96Dpi, true);)
#define VVB_TEST_GUILESS_MAIN(TestObject) \
    VVB_TEST_RUNNER(TestObject, QCoreApplication app(argc, argv); \
                    app.setAttribute(Qt::AA_Use96Dpi, true);)
#define VVB_TEST_APPLESS_MAIN(TestObject) VVB_TEST_RUNNER(TestObject)

#endif // TESTMAIN_H
