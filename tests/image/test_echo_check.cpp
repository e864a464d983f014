#include "image/echo_check.h"
#include "scripted_echo.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

using image::Echo_Check;
using image::Echo_Result;

namespace {

constexpr image::Echo_Timing Short_Budget{50, 300};

/// Runs one check to its end; returns the time it took.
qint64 Run(Echo_Check& check, const QString& address, bool& answered) {
    QSignalSpy finished(&check, &Echo_Check::Finished);
    QElapsedTimer clock;
    clock.start();
    check.Send_Ping(address);
    if (!finished.wait(15000))
        qFatal("the echo check did not finish");
    answered = finished.first().first().toBool();
    return clock.elapsed();
}

} // namespace

class Test_Echo_Check : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void converter_that_answers_every_echo() {
        Scripted_Echo_Sender sender;
        Echo_Check check(sender); // product bounds: 400 ms per try, 5 s budget
        bool answered = false;
        const qint64 took = Run(check, "127.0.0.1", answered);
        QVERIFY(answered);
        QCOMPARE(check.Tries(), 2); // stops after two successes
        QCOMPARE(check.Ping_Res(), int(image::Ping_Reply));
        QVERIFY2(took < 1000, qPrintable(QString::number(took)));
    }

    void silent_address_fails_after_the_budget() {
        Scripted_Echo_Sender sender;
        sender.then = Echo_Result::No_Reply;
        Echo_Check check(sender, Short_Budget);
        bool answered = true;
        const qint64 took = Run(check, "127.0.0.1", answered);
        QVERIFY(!answered);
        QCOMPARE(check.Ping_Res(), int(image::Ping_No_Reply));
        QVERIFY(took > Short_Budget.Budget_Ms);
        QVERIFY(check.Tries() >= Short_Budget.Budget_Ms / Short_Budget.Try_Timeout_Ms);
    }

    void the_last_echo_decides_data() {
        QTest::addColumn<QList<int>>("script");
        QTest::addColumn<int>("then");
        QTest::addColumn<bool>("answered");
        const int reply = int(Echo_Result::Reply);
        const int silent = int(Echo_Result::No_Reply);
        QTest::newRow("answers once, then silent") << QList<int>{reply} << silent << false;
        QTest::newRow("silent, then answers twice") << QList<int>{silent, silent} << reply << true;
        QTest::newRow("answers, silent, answers") << QList<int>{reply, silent} << reply << true;
    }

    void the_last_echo_decides() {
        QFETCH(QList<int>, script);
        QFETCH(int, then);
        QFETCH(bool, answered);
        Scripted_Echo_Sender sender;
        for (int result : script)
            sender.script << Echo_Result(result);
        sender.then = Echo_Result(then);
        Echo_Check check(sender, Short_Budget);
        bool result = !answered;
        Run(check, "127.0.0.1", result);
        QCOMPARE(result, answered);
    }

    void no_echo_result_at_all_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("requests");
        QTest::newRow("not an address") << "192.168.1.x" << 0;
        QTest::newRow("three parts") << "192.168.1" << 0;
        QTest::newRow("request cannot be sent") << "127.0.0.1" << 1;
    }

    void no_echo_result_at_all() {
        QFETCH(QString, address);
        QFETCH(int, requests);
        Scripted_Echo_Sender sender;
        sender.then = Echo_Result::Unusable;
        Echo_Check check(sender, Short_Budget);
        bool answered = true;
        Run(check, address, answered);
        QVERIFY(!answered);
        QCOMPARE(check.Ping_Res(), int(image::Ping_None));
        QCOMPARE(sender.addresses.size(), requests);
    }

    void blanks_in_the_boxes_reach_the_echo_trimmed() {
        Scripted_Echo_Sender sender;
        Echo_Check check(sender, Short_Budget);
        bool answered = false;
        Run(check, " 127. 0.0 .1", answered);
        QCOMPARE(sender.addresses.first(), QStringLiteral("127.0.0.1"));
    }

    void real_echo_of_loopback() {
        // The only real echo of the tests, and only ever to 127.0.0.1.
        const auto sender = image::Make_System_Echo_Sender();
        Echo_Check check(*sender);
        bool answered = false;
        const qint64 took = Run(check, "127.0.0.1", answered);
        if (!answered && check.Ping_Res() == image::Ping_None)
            QSKIP("this system allows no ICMP socket to the test user");
        QVERIFY(answered);
        QCOMPARE(check.Tries(), 2);
        QVERIFY2(took < 1000, qPrintable(QString::number(took)));
    }
};

QTEST_GUILESS_MAIN(Test_Echo_Check)
#include "test_echo_check.moc"
