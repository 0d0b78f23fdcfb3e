#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QTest>

#include <ctime>

// Engine tests run in a real time zone with daylight saving, whatever the
// machine's own zone is, so calendar edge cases are the same everywhere.
#define VELORINTH_TEST_MAIN_IN_PARIS(TestClass)                                                    \
    VELORINTH_TEST_APP_MAIN_IN_PARIS(QCoreApplication, TestClass)

// The same for tests that need another application class, such as QApplication.
#define VELORINTH_TEST_APP_MAIN_IN_PARIS(Application, TestClass)                                   \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        qputenv("TZ", "Europe/Paris");                                                             \
        tzset();                                                                                   \
        Application app(argc, argv);                                                               \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

namespace velorinth {

// "2026-03-29T01:00:00" read as Paris wall-clock time; an explicit offset
// ("…+02:00") picks one side of a repeated hour.
inline QDateTime paris(const QString &text)
{
    return QDateTime::fromString(text, Qt::ISODateWithMs).toLocalTime();
}

} // namespace velorinth
