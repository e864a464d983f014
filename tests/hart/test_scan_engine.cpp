#include "hart/scan_engine.h"
#include "lang/string_table.h"

#include <QTest>

using hart::Scan_Engine;
using hart::Scan_Step;

namespace {

/// An engine whose requests, status texts and end are recorded.
struct Engine_Probe {
    lang::String_Table texts;
    Scan_Engine engine{texts};
    QList<QByteArray> sent;
    QStringList statuses;
    QList<bool> finished;

    Engine_Probe() {
        engine.Send = [this](const QByteArray& request) { sent << request; };
        engine.Show_Status = [this](const QString& text) { statuses << text; };
        engine.Finished = [this](bool success) { finished << success; };
    }

    /// Ticks until the engine waits in @p step (or gives up after @p limit ticks).
    bool Tick_Until(Scan_Step step, int limit = 1000) {
        for (int i = 0; i < limit && engine.Step() != step; ++i)
            engine.Tick();
        return engine.Step() == step;
    }
    /// Takes @p reply while waiting, then ticks until the engine rests in @p step.
    bool Reply(const QByteArray& reply, Scan_Step step) {
        engine.Datagram(reply);
        engine.Tick();
        return Tick_Until(step);
    }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i)
            engine.Tick();
    }
    QString Text(int id) const { return texts.Text(id); }
};

QByteArray Record_Reply(int index, int body_size, char fill = '\x5A') {
    return hart::Record_Header(index) + QByteArray(body_size, fill);
}

/// Drives a probe through search start and a finished status with @p count devices.
void Reach_Record_Phase(Engine_Probe& probe, int count, const QString& num_devs = "64") {
    probe.engine.HART_Discovery(num_devs);
    QVERIFY(probe.Tick_Until(Scan_Step::Wait_Search_Started));
    QVERIFY(probe.Reply("FULL DEVICES SEARCH STARTED", Scan_Step::Wait_Status));
    QVERIFY(probe.Reply("SEARCH STATUS=00 now " + QByteArray::number(count) + " devices",
                        Scan_Step::Wait_Record));
}

} // namespace

class Test_Scan_Engine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void Requests_And_Headers_data();
    void Requests_And_Headers();
    void Status_Reply_Parsing_data();
    void Status_Reply_Parsing();
    void Full_Scan_Hands_Over_Records();
    void Running_Search_Polls_After_The_Pause();
    void Silent_Converter_Gets_Three_Searches();
    void Wrong_Record_Header_Shares_One_Budget();
    void Timeout_In_Status_Retries_The_Query();
    void Count_Zero_Requests_One_Record();
    void Count_Above_Table_Ends_With_Read_Error();
    void Datagrams_Outside_Waits_Are_Dropped();
    void Short_Record_Is_Zero_Filled();
};

void Test_Scan_Engine::Requests_And_Headers_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("header");
    QTest::newRow("0") << 0 << QByteArray("F_READ00") << QByteArray("DEV 0=");
    QTest::newRow("7") << 7 << QByteArray("F_READ07") << QByteArray("DEV 7=");
    QTest::newRow("12") << 12 << QByteArray("F_READ12") << QByteArray("DEV12=");
    QTest::newRow("99") << 99 << QByteArray("F_READ99") << QByteArray("DEV99=");
}

void Test_Scan_Engine::Requests_And_Headers() {
    QFETCH(int, index);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, header);
    QCOMPARE(hart::Record_Request(index), request);
    QCOMPARE(hart::Record_Header(index), header);
    QCOMPARE(hart::Search_Request(QStringLiteral("05")), QByteArray("F_FULL_05"));
}

void Test_Scan_Engine::Status_Reply_Parsing_data() {
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("count");
    QTest::newRow("running") << QByteArray("SEARCH STATUS=01 now 3 devices") << true << 1 << 3;
    QTest::newRow("finished") << QByteArray("SEARCH STATUS=00 now 12 found") << true << 0 << 12;
    QTest::newRow("padded status") << QByteArray("SEARCH STATUS= 2 now 4 x") << true << 2 << 4;
    QTest::newRow("count needs a blank after it")
        << QByteArray("SEARCH STATUS=00 now 3") << true << 0 << 0;
    QTest::newRow("unparsable fields")
        << QByteArray("SEARCH STATUS=xy now ab cd") << true << 0 << 0;
    QTest::newRow("no now") << QByteArray("SEARCH STATUS=01 found 3 devices") << true << 1 << 0;
    QTest::newRow("other text") << QByteArray("SEARCH STATE=00 now 3 devices") << false << 0 << 0;
}

void Test_Scan_Engine::Status_Reply_Parsing() {
    QFETCH(QByteArray, datagram);
    const hart::Scan_Status_Reply reply = hart::Parse_Status_Reply(datagram);
    QTEST(reply.valid, "valid");
    QTEST(reply.status, "status");
    QTEST(reply.count, "count");
}

void Test_Scan_Engine::Full_Scan_Hands_Over_Records() {
    Engine_Probe probe;
    Reach_Record_Phase(probe, 2, QStringLiteral("05"));
    QVERIFY(probe.Reply(Record_Reply(0, 1000, 'A'), Scan_Step::Wait_Record));
    QVERIFY(probe.Reply(Record_Reply(1, 1000, 'B'), Scan_Step::Idle));
    QCOMPARE(probe.finished, QList<bool>{true});
    QCOMPARE(probe.engine.Num_Devices(), 2);
    QCOMPARE(probe.engine.Devices()[0][999], quint8('A'));
    QCOMPARE(probe.engine.Devices()[1][0], quint8('B'));
    const QList<QByteArray> expected_sent{"F_FULL_05", "F_TEST", "F_READ00", "F_READ01"};
    QCOMPARE(probe.sent, expected_sent);
    const QStringList expected_statuses{"Init Scan - Waiting...",
                                        "Devices Search Started - Devices Found 0 - Waiting...",
                                        "Search Finish - Devices Found 2 - Waiting...",
                                        "Search Finish - Read Information Device 0 - Waiting...",
                                        "Search Finish - Read Information Device 1 - Waiting...",
                                        "Search Finish"};
    QCOMPARE(probe.statuses, expected_statuses);
}

void Test_Scan_Engine::Running_Search_Polls_After_The_Pause() {
    Engine_Probe probe;
    probe.engine.HART_Discovery(QStringLiteral("64"));
    QVERIFY(probe.Tick_Until(Scan_Step::Wait_Search_Started));
    probe.engine.Datagram("FULL DEVICES SEARCH STARTED");
    probe.engine.Tick();
    QCOMPARE(probe.engine.Step(), Scan_Step::Pause);
    // The status query goes out only after the whole pause.
    probe.Ticks(hart::Scan_Pause_Ticks - 1);
    QCOMPARE(probe.engine.Step(), Scan_Step::Pause);
    probe.Ticks(2);
    QCOMPARE(probe.engine.Step(), Scan_Step::Wait_Status);
    probe.engine.Datagram("SEARCH STATUS=01 now 3 devices");
    probe.engine.Tick();
    QCOMPARE(probe.engine.Step(), Scan_Step::Pause);
    QCOMPARE(probe.statuses.last(), "Devices Search Started - Devices Found 3 - Waiting...");
    QVERIFY(probe.Tick_Until(Scan_Step::Wait_Status));
    QCOMPARE(probe.sent.count("F_TEST"), 2);
}

void Test_Scan_Engine::Silent_Converter_Gets_Three_Searches() {
    Engine_Probe probe;
    probe.engine.HART_Discovery(QStringLiteral("64"));
    QVERIFY(probe.Tick_Until(Scan_Step::Idle, 2000));
    QCOMPARE(probe.sent, QList<QByteArray>(3, "F_FULL_64"));
    QCOMPARE(probe.finished, QList<bool>{false});
    QCOMPARE(probe.statuses.mid(probe.statuses.size() - 2),
             (QStringList{probe.Text(1626), probe.Text(1641)}));
}

void Test_Scan_Engine::Wrong_Record_Header_Shares_One_Budget() {
    Engine_Probe probe;
    Reach_Record_Phase(probe, 3);
    // One bad header on record 0, then record 0 arrives; two more bad headers use up the
    // budget while record 1 is read: the budget covers the whole record phase.
    QVERIFY(probe.Reply(Record_Reply(1, 1000), Scan_Step::Wait_Record));
    QVERIFY(probe.Reply(Record_Reply(0, 1000), Scan_Step::Wait_Record));
    for (int i = 0; i < 2; ++i) {
        probe.engine.Datagram(Record_Reply(3, 1000));
        probe.engine.Tick();
        probe.Tick_Until(Scan_Step::Wait_Record, 2);
    }
    QVERIFY(probe.Tick_Until(Scan_Step::Idle));
    QCOMPARE(probe.finished, QList<bool>{false});
    QCOMPARE(probe.statuses.mid(probe.statuses.size() - 2),
             (QStringList{probe.Text(1639), probe.Text(1641)}));
    QCOMPARE(probe.sent.count("F_READ01"), 2);
}

void Test_Scan_Engine::Timeout_In_Status_Retries_The_Query() {
    Engine_Probe probe;
    probe.engine.HART_Discovery(QStringLiteral("64"));
    QVERIFY(probe.Tick_Until(Scan_Step::Wait_Search_Started));
    QVERIFY(probe.Reply("FULL DEVICES SEARCH STARTED", Scan_Step::Wait_Status));
    // No reply: the query is repeated (no new search); a wrong reply starts a new search.
    probe.Ticks(hart::Scan_Reply_Timeout_Ticks + 2);
    QCOMPARE(probe.engine.Step(), Scan_Step::Wait_Status);
    QCOMPARE(probe.sent.count("F_TEST"), 2);
    probe.engine.Datagram("GARBAGE");
    probe.engine.Tick();
    QCOMPARE(probe.engine.Step(), Scan_Step::Send_Search);
}

void Test_Scan_Engine::Count_Zero_Requests_One_Record() {
    Engine_Probe probe;
    Reach_Record_Phase(probe, 0);
    QCOMPARE(probe.sent.last(), QByteArray("F_READ00"));
    QVERIFY(probe.Reply(Record_Reply(0, 1000), Scan_Step::Idle));
    QCOMPARE(probe.finished, QList<bool>{true});
    QCOMPARE(probe.engine.Num_Devices(), 0);
    QCOMPARE(probe.sent.count("F_READ00"), 1);
}

void Test_Scan_Engine::Count_Above_Table_Ends_With_Read_Error() {
    Engine_Probe probe;
    probe.engine.HART_Discovery(QStringLiteral("64"));
    QVERIFY(probe.Tick_Until(Scan_Step::Wait_Search_Started));
    QVERIFY(probe.Reply("FULL DEVICES SEARCH STARTED", Scan_Step::Wait_Status));
    QVERIFY(probe.Reply("SEARCH STATUS=00 now 101 devices", Scan_Step::Idle));
    QCOMPARE(probe.finished, QList<bool>{false});
    QVERIFY(!probe.sent.contains("F_READ00"));
    QCOMPARE(probe.statuses.mid(probe.statuses.size() - 2),
             (QStringList{probe.Text(1639), probe.Text(1641)}));
}

void Test_Scan_Engine::Datagrams_Outside_Waits_Are_Dropped() {
    Engine_Probe probe;
    probe.engine.HART_Discovery(QStringLiteral("64"));
    QVERIFY(probe.Tick_Until(Scan_Step::Wait_Search_Started));
    probe.engine.Datagram("FULL DEVICES SEARCH STARTED");
    probe.engine.Tick();
    QCOMPARE(probe.engine.Step(), Scan_Step::Pause);
    // A stray status in the pause would end the search at once if it were taken.
    QVERIFY(probe.Reply("SEARCH STATUS=00 now 0 devices", Scan_Step::Wait_Status));
    probe.Ticks(5);
    QCOMPARE(probe.engine.Step(), Scan_Step::Wait_Status);
}

void Test_Scan_Engine::Short_Record_Is_Zero_Filled() {
    Engine_Probe probe;
    Reach_Record_Phase(probe, 2);
    QVERIFY(probe.Reply(Record_Reply(0, 1000, 'X'), Scan_Step::Wait_Record));
    QVERIFY(probe.Reply(Record_Reply(1, 500, 'Y'), Scan_Step::Idle));
    const hart::Device_Record& record = probe.engine.Devices()[1];
    QCOMPARE(record[499], quint8('Y'));
    QCOMPARE(record[500], quint8(0));
    QCOMPARE(record[999], quint8(0));
    // Bytes beyond the record are ignored.
    QCOMPARE(probe.engine.Devices()[0][999], quint8('X'));
}

QTEST_GUILESS_MAIN(Test_Scan_Engine)
#include "test_scan_engine.moc"
