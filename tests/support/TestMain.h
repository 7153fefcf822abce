#pragma once
// Core tests are built without the widgets: they run on a plain
// application object.
#if __has_include(<QApplication>)
#include <QApplication>
using TestApplication = QApplication;
inline void nameTestApplication() { QApplication::setApplicationDisplayName(QStringLiteral("Vantiq")); }
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
inline void nameTestApplication() { QCoreApplication::setApplicationName(QStringLiteral("Vantiq")); }
#endif
#include <QTest>
#include <functional>
#include <vector>

// Several test classes in one executable: each file registers its class
// with VANTIQ_TEST, and the folder's main runs them all.
using TestRunner = std::function<int(int, char **)>;
inline std::vector<TestRunner> &registeredTests()
{
    static std::vector<TestRunner> tests;
    return tests;
}
inline bool registerTest(TestRunner runner)
{
    registeredTests().push_back(std::move(runner));
    return true;
}
#define VANTIQ_TEST(Class)                                                                                   \
    static const bool Class##Registered = registerTest([](int argc, char **argv) {                           \
        Class test;                                                                                          \
        return QTest::qExec(&test, argc, argv);                                                              \
    });

// Drops Qt's harmless offscreen-plugin notice so test output stays readable.
inline void quietOffscreenNotice()
{
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &ctx, const QString &msg) {
        if (msg.contains(QLatin1String("propagateSizeHints")))
            return;
        if (previous)
            previous(type, ctx, msg);
    });
}

#define VANTIQ_TEST_MAIN                                                                                     \
    int main(int argc, char *argv[])                                                                         \
    {                                                                                                        \
        TestApplication app(argc, argv);                                                                     \
        nameTestApplication();                                                                               \
        quietOffscreenNotice();                                                                              \
        int failed = 0;                                                                                      \
        for (const TestRunner &run : registeredTests())                                                      \
            failed += run(argc, argv);                                                                       \
        return failed == 0 ? 0 : 1;                                                                          \
    }
