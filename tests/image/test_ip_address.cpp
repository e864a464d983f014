#include "image/ip_address.h"

#include <QTest>

using image::IP_Parts;

class Test_IP_Address : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void split_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("parts"); // the boxes afterwards

        const QStringList untouched{"a", "b", "c", "d"};
        QTest::newRow("plain") << "192.168.2.205" << true << QStringList{"192", "168", "2", "205"};
        QTest::newRow("blanks around parts")
            << "  10 . 0 .1. 7  " << true << QStringList{"10", "0", "1", "7"};
        QTest::newRow("bounds") << "0.0.255.255" << true << QStringList{"0", "0", "255", "255"};
        QTest::newRow("leading zeros kept as typed")
            << "010.1.1.1" << true << QStringList{"010", "1", "1", "1"};
        QTest::newRow("three parts") << "192.168.2" << false << untouched;
        QTest::newRow("five parts") << "1.2.3.4.5" << false << untouched;
        QTest::newRow("256") << "192.168.2.256" << false << untouched;
        QTest::newRow("negative") << "192.-1.2.3" << false << untouched;
        QTest::newRow("blank part") << "192..2.3" << false << untouched;
        QTest::newRow("only blanks in a part") << "192. .2.3" << false << untouched;
        QTest::newRow("not a number") << "192.168.x.1" << false << untouched;
        QTest::newRow("hex") << "0x10.1.1.1" << false << untouched;
        QTest::newRow("no dot") << "192168" << false << untouched;
        QTest::newRow("empty") << "" << false << untouched;
    }

    void split() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(QStringList, parts);
        IP_Parts boxes{"a", "b", "c", "d"};
        QCOMPARE(image::Split_IP_Address(text, boxes), ok);
        QCOMPARE(QStringList(boxes.begin(), boxes.end()), parts);
    }

    void join_keeps_the_texts_as_typed() {
        QCOMPARE(image::Join_IP_Address({"192", " 168", "", "x"}), QStringLiteral("192. 168..x"));
    }
};

QTEST_GUILESS_MAIN(Test_IP_Address)
#include "test_ip_address.moc"
