#include "app/version_check.h"
#include "support/http_test_server.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

class Test_Version_Check : public QObject {
    Q_OBJECT

    // Runs one check against @p server and returns its verdict; fails the test on no report.
    static bool Check(const QUrl& server, int time_limit_ms = 5000) {
        app::Version_Checker checker;
        checker.Set_Server(server);
        checker.Set_Time_Limit(time_limit_ms);
        app::Version_Request* request = checker.Check_Version();
        QSignalSpy finished(request, &app::Version_Request::Finished);
        if (!finished.wait(time_limit_ms + 5000) || finished.size() != 1)
            qFatal("the version check did not report");
        return finished.first().first().toBool();
    }

private Q_SLOTS:
    void conv_version_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("server answer") << "VER. 1.003" << 1003;
        QTest::newRow("own version") << "1.002" << 1002;
        QTest::newRow("none known") << "VER. 0.000" << 0;
        QTest::newRow("any decimal mark") << "VER. 2,510" << 2510;
        QTest::newRow("blanks around the version") << "VER.   1.004  " << 1004;
        QTest::newRow("extra characters after") << "VER. 1.0051" << 1005;
        QTest::newRow("two digits before the point") << "VER. 12.003" << -1;
        QTest::newRow("short") << "VER. 1.00" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("only a word") << "VER." << -1;
        QTest::newRow("letters") << "VER. a.bcd" << -1;
        QTest::newRow("sign") << "VER. +.002" << -1;
        QTest::newRow("html page") << "<html><body>Not found</body></html>" << -1;
    }

    void conv_version() {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(app::Conv_Version(text), expected);
    }

    void newer_version_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("newer");
        QTest::newRow("newer") << "VER. 1.003" << true;
        QTest::newRow("newer, lower case, line end") << "ver. 2.000\r\n" << true;
        QTest::newRow("same") << "VER. 1.002" << false;
        QTest::newRow("older") << "VER. 1.001" << false;
        QTest::newRow("none known") << "VER. 0.000" << false;
        QTest::newRow("none known, lower case") << "  ver. 0.000 " << false;
        QTest::newRow("two digits before the point") << "VER. 10.000" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("garbage") << "Service unavailable" << false;
    }

    void newer_version() {
        QFETCH(QString, answer);
        QFETCH(bool, newer);
        QCOMPARE(app::Is_Newer_Version(answer), newer);
    }

    void links() {
        QCOMPARE(app::Version_Query_Url().toString(),
                 QStringLiteral("https://www.tolmex.com/home/download/GetversionSW.asp"
                                "?nomesw=VX20417"));
        QCOMPARE(app::Download_Page_Url().toString(),
                 QStringLiteral("https://www.tolmex.com/Home/download/download.asp#VD20417"));
        QCOMPARE(app::Home_Page_Url().toString(),
                 QStringLiteral("https://www.tolmex.com/HOME/default.asp?frompg=VX20417"));
    }

    void check_against_a_server() {
        Http_Test_Server server;
        server.body = "VER. 1.003";
        QVERIFY(Check(server.Url()));
        QVERIFY(server.last_request.startsWith(
            "GET /home/download/GetversionSW.asp?nomesw=VX20417 HTTP/1."));
        QVERIFY(!server.last_request.contains("Cookie"));

        server.body = "VER. 1.002";
        QVERIFY(!Check(server.Url()));

        // An error page that happens to hold a newer version still counts as no answer.
        server.status = 500;
        server.body = "VER. 9.999";
        QVERIFY(!Check(server.Url()));
    }

    void refused_connection() {
        QUrl url;
        {
            Http_Test_Server closed;
            url = closed.Url();
        }
        QVERIFY(!Check(url));
    }

    void silent_server_hits_the_time_limit() {
        Http_Test_Server server;
        server.silent = true;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!Check(server.Url(), 300));
        QVERIFY(clock.elapsed() >= 250);
        QVERIFY(!server.last_request.isEmpty());
    }

    void several_checks_at_once() {
        Http_Test_Server server;
        server.body = "VER. 1.003";
        app::Version_Checker checker;
        checker.Set_Server(server.Url());
        QSignalSpy first(checker.Check_Version(), &app::Version_Request::Finished);
        QSignalSpy second(checker.Check_Version(), &app::Version_Request::Finished);
        QTRY_COMPARE(first.size() + second.size(), 2);
        QVERIFY(first.first().first().toBool() && second.first().first().toBool());
    }
};

QTEST_GUILESS_MAIN(Test_Version_Check)
#include "test_version_check.moc"
