#include "hart/scan_records.h"
#include "hart/scan_worker.h"
#include "support/converter_sim.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>

namespace {

/// What one scan against the simulator showed and handed over.
struct Scan_Outcome {
    bool ended = false;
    bool success = false;
    QStringList statuses;
    QList<QPair<int, int>> progress;
    QList<hart::Scan_Variable> variables;
    int num_devices = -1;
};

Scan_Outcome Run_Scan(const Converter_Sim& sim, int tick_ms = 2,
                      const QString& num_devs = QStringLiteral("64")) {
    lang::String_Table texts;
    hart::Scan_Options options;
    options.port = sim.Port();
    options.tick_ms = tick_ms;
    hart::Scan_Thread scan(texts, options);
    Scan_Outcome outcome;
    QEventLoop loop;
    QObject::connect(&scan, &hart::Scan_Thread::Status_Changed,
                     [&](const QString& text) { outcome.statuses << text; });
    QObject::connect(&scan, &hart::Scan_Thread::Record_Progress,
                     [&](int index, int count) { outcome.progress << qMakePair(index, count); });
    QObject::connect(&scan, &hart::Scan_Thread::Scan_Succeeded,
                     [&](const QList<hart::Device_Record>& records, int num_devices) {
                         outcome.ended = outcome.success = true;
                         outcome.num_devices = num_devices;
                         outcome.variables = hart::Decode_Scan_Records(records, num_devices);
                         loop.quit();
                     });
    QObject::connect(&scan, &hart::Scan_Thread::Scan_Failed, [&] {
        outcome.ended = true;
        loop.quit();
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    scan.HART_Discovery(QStringLiteral("127.0.0.1"), num_devs);
    loop.exec();
    return outcome;
}

QStringList Last_Two(const QStringList& statuses) {
    return statuses.mid(statuses.size() - 2);
}

} // namespace

class Test_Scan_Worker : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void Full_Scan_Of_The_Plant();
    void Slow_Search_Reports_Progress();
    void Silent_Converter_Ends_With_Search_Error();
    void Wrong_Header_Uses_Up_The_Budget();
    void Lost_Reply_Is_Retried();
    void Count_Zero_Reads_One_Record();
    void Stray_Datagram_In_The_Pause_Is_Ignored();
    void Datagrams_From_Another_Address_Are_Ignored();
};

void Test_Scan_Worker::Full_Scan_Of_The_Plant() {
    Converter_Sim sim;
    QVERIFY(sim.Start());
    const Scan_Outcome outcome = Run_Scan(sim, 2, QStringLiteral("05"));
    QVERIFY(outcome.success);
    QCOMPARE(outcome.num_devices, 3);
    QCOMPARE(outcome.variables.size(), 9);
    QCOMPARE(outcome.variables[0].Device_Address, "0x261A0012AB");
    QCOMPARE(outcome.variables[0].Var_Code, "Primary Variable");
    QCOMPARE(outcome.variables[0].Var_Unit, "°C (degrees Celsius)");
    QCOMPARE(outcome.variables[8].Var_Code, "Quaternary Variable");
    QCOMPARE(outcome.variables[8].Preamble_Count, "7");
    QCOMPARE(outcome.statuses.last(), "Search Finish");
    const QStringList expected{"F_FULL_05", "F_TEST", "F_TEST", "F_READ00", "F_READ01", "F_READ02"};
    QCOMPARE(sim.Requests(), expected);
}

void Test_Scan_Worker::Slow_Search_Reports_Progress() {
    Converter_Sim sim;
    QVERIFY(sim.Start({"--polls", "3"}));
    const Scan_Outcome outcome = Run_Scan(sim);
    QVERIFY(outcome.success);
    QVERIFY(outcome.statuses.contains("Devices Search Started - Devices Found 1 - Waiting..."));
    QVERIFY(outcome.statuses.contains("Devices Search Started - Devices Found 2 - Waiting..."));
    QVERIFY(outcome.statuses.contains("Search Finish - Devices Found 3 - Waiting..."));
    const QList<QPair<int, int>> expected{{0, 3}, {1, 3}, {2, 3}};
    QCOMPARE(outcome.progress, expected);
    QCOMPARE(sim.Requests().count("F_TEST"), 4);
}

void Test_Scan_Worker::Silent_Converter_Ends_With_Search_Error() {
    Converter_Sim sim;
    QVERIFY(sim.Start({"--silent"}));
    const Scan_Outcome outcome = Run_Scan(sim, 1);
    QVERIFY(outcome.ended && !outcome.success);
    QCOMPARE(Last_Two(outcome.statuses),
             (QStringList{"Devices Search Finished - Error in Devices Search Started",
                          "Search Finish with Errors"}));
    QCOMPARE(sim.Requests(), QStringList(3, "F_FULL_64"));
}

void Test_Scan_Worker::Wrong_Header_Uses_Up_The_Budget() {
    Converter_Sim sim;
    QVERIFY(sim.Start({"--wrong-header"}));
    const Scan_Outcome outcome = Run_Scan(sim);
    QVERIFY(outcome.ended && !outcome.success);
    QCOMPARE(Last_Two(outcome.statuses), (QStringList{"Devices Search Finished - Error in Read "
                                                      "Device",
                                                      "Search Finish with Errors"}));
    QCOMPARE(sim.Requests().count("F_READ00"), 3);
}

void Test_Scan_Worker::Lost_Reply_Is_Retried() {
    Converter_Sim sim;
    QVERIFY(sim.Start({"--lose", "F_READ01", "--lose", "F_FULL_64"}));
    const Scan_Outcome outcome = Run_Scan(sim);
    QVERIFY(outcome.success);
    QCOMPARE(outcome.variables.size(), 9);
    QCOMPARE(sim.Requests().count("F_FULL_64"), 2);
    QCOMPARE(sim.Requests().count("F_READ01"), 2);
}

void Test_Scan_Worker::Count_Zero_Reads_One_Record() {
    Converter_Sim sim;
    QVERIFY(sim.Start({"--count", "0"}));
    const Scan_Outcome outcome = Run_Scan(sim);
    QVERIFY(outcome.success);
    QCOMPARE(outcome.num_devices, 0);
    QVERIFY(outcome.variables.isEmpty());
    QCOMPARE(sim.Requests().count("F_READ00"), 1);
    QVERIFY(!sim.Requests().contains("F_READ01"));
}

void Test_Scan_Worker::Stray_Datagram_In_The_Pause_Is_Ignored() {
    Converter_Sim sim;
    // Pause of 100 ticks of 5 ms: the stray status arrives well inside it.
    QVERIFY(sim.Start({"--stray-after", "150"}));
    const Scan_Outcome outcome = Run_Scan(sim, 5);
    QVERIFY(outcome.success);
    QCOMPARE(outcome.num_devices, 3);
}

void Test_Scan_Worker::Datagrams_From_Another_Address_Are_Ignored() {
    Converter_Sim sim;
    // A second peer on another loopback address answers every request first, wrongly.
    QVERIFY(sim.Start({"--impostor", "127.0.0.2", "--reply-delay", "40"}));
    const Scan_Outcome outcome = Run_Scan(sim);
    QVERIFY(outcome.success);
    QCOMPARE(outcome.num_devices, 3);
    QCOMPARE(sim.Requests().count("F_FULL_64"), 1);
}

QTEST_GUILESS_MAIN(Test_Scan_Worker)
#include "test_scan_worker.moc"
