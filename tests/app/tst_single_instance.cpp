// One running app per user: later launches hand over to it, also after one crashed.
#include "app/single_instance.h"

#include <QFile>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <atomic>

#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace velorinth;

namespace {

// What a killed instance leaves behind: a lock naming a process that is gone, and the
// socket it listened on.
void leaveCrashedInstance(const QString &directory)
{
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    QFile lock(directory + "/velorinth.lock");
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(gone) + "\nvelorinth\n\n");
    lock.close();

    const QByteArray path = QFile::encodeName(directory + "/velorinth.socket");
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    QVERIFY(size_t(path.size()) < sizeof(address.sun_path));
    qstrcpy(address.sun_path, path.constData());
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QCOMPARE(::bind(socket, reinterpret_cast<const sockaddr *>(&address), sizeof(address)), 0);
    ::close(socket); // without unlinking, as a crash does
    QVERIFY(QFile::exists(directory + "/velorinth.socket"));
}

// The running app, on a thread of its own as in a process of its own: a later launch
// blocks while it waits for the answer.
class RunningInstance : public QThread
{
public:
    explicit RunningInstance(const QString &directory)
        : m_directory(directory)
    {
    }

    std::atomic<bool> claimed = false;
    std::atomic<int> reopened = 0;
    QSemaphore listening;

protected:
    void run() override
    {
        SingleInstance instance(m_directory);
        claimed = instance.claim();
        QObject::connect(&instance, &SingleInstance::reopenRequested, &instance,
                         [this] { ++reopened; });
        listening.release();
        exec();
    }

private:
    QString m_directory;
};

} // namespace

class tst_SingleInstance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void laterLaunchBringsTheWindowBack_data();
    void laterLaunchBringsTheWindowBack();
};

void tst_SingleInstance::laterLaunchBringsTheWindowBack_data()
{
    QTest::addColumn<bool>("crashed"); // the first launch, else it quit
    QTest::newRow("after a quit") << false;
    QTest::newRow("after a crash") << true;
}

void tst_SingleInstance::laterLaunchBringsTheWindowBack()
{
    QFETCH(bool, crashed);
    QTemporaryDir directory;
    if (crashed) {
        leaveCrashedInstance(directory.path());
    } else {
        SingleInstance first(directory.path());
        QVERIFY(first.claim());
    }
    RunningInstance second(directory.path());
    second.start();
    second.listening.acquire();
    QVERIFY(second.claimed);

    SingleInstance third(directory.path());
    const bool claimed = third.claim();
    const bool handedOver = !claimed && third.handOver();
    second.quit();
    second.wait();
    QVERIFY(!claimed);
    QVERIFY(handedOver);
    QCOMPARE(second.reopened.load(), 1);
}

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "tst_single_instance.moc"
