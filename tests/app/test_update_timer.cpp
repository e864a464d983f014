#include "app/about_dialog.h"
#include "app/main_window.h"
#include "app/options_dialog.h"
#include "app/settings.h"
#include "app/version_check.h"
#include "support/http_test_server.h"
#include "support/modal.h"
#include "support/scripted_prompt.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

/// Stands in for the default browser: records the addresses handed to it.
class Browser : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;
    Browser() {
        QDesktopServices::setUrlHandler("https", this, "Open");
        QDesktopServices::setUrlHandler("http", this, "Open");
    }
    ~Browser() override {
        QDesktopServices::unsetUrlHandler("https");
        QDesktopServices::unsetUrlHandler("http");
    }
    Q_INVOKABLE void Open(const QUrl& url) { opened << url; }
};

class Test_Update_Timer : public QObject {
    Q_OBJECT

    struct Program {
        QTemporaryDir dir;
        app::Session_State state;
        Scripted_Prompt prompt;

        Program(bool internet, bool update) {
            app::Start_Session(state, dir.path());
            state.Enable_Internet = internet;
            state.Enable_Update = update;
        }
    };

private Q_SLOTS:
    void timer_runs_only_with_both_flags_data() {
        QTest::addColumn<bool>("internet");
        QTest::addColumn<bool>("update");
        QTest::newRow("both") << true << true;
        QTest::newRow("internet only") << true << false;
        QTest::newRow("update only") << false << true;
    }

    void timer_runs_only_with_both_flags() {
        QFETCH(bool, internet);
        QFETCH(bool, update);
        Program program(internet, update);
        app::TFQuillonFirmWare window(program.state, program.prompt);
        window.Checker().Set_Server(QUrl("http://127.0.0.1:9"));
        QCOMPARE(window.Timer_Update->isActive(), internet && update);
        QCOMPARE(window.Timer_Update->interval(), 60000);
    }

    void periodic_checks_show_and_hide_the_link() {
        Http_Test_Server server;
        server.body = "VER. 1.003";
        Program program(true, true);
        app::TFQuillonFirmWare window(program.state, program.prompt);
        window.Checker().Set_Server(server.Url());
        window.Set_Update_Periods(50, 400);
        QVERIFY(window.LL_Update->isHidden());

        // The first check comes after the first period, the next ones after the second.
        QTRY_VERIFY(!window.LL_Update->isHidden());
        QCOMPARE(window.Timer_Update->interval(), 400);
        QVERIFY(window.Timer_Update->isActive());
        QCOMPARE(window.LL_Update->text(),
                 app::Link_Html(app::Download_Page_Url(),
                                "New Version Available. Click Here for more Details"));

        server.body = "VER. 1.002";
        QTRY_VERIFY(window.LL_Update->isHidden());
        QCOMPARE(window.Timer_Update->interval(), 400);

        // Disabled and enabled again, the timer waits the long period, not the first one.
        program.state.Enable_Update = false;
        window.Set_Update_Timer();
        QVERIFY(!window.Timer_Update->isActive());
        program.state.Enable_Update = true;
        window.Set_Update_Timer();
        QCOMPARE(window.Timer_Update->interval(), 400);
    }

    void enabling_a_running_timer_keeps_its_period() {
        Program program(true, true);
        app::TFQuillonFirmWare window(program.state, program.prompt);
        window.Checker().Set_Server(QUrl("http://127.0.0.1:9"));
        window.Set_Update_Periods(3000, 20000);
        QTest::qWait(1000);
        window.Set_Update_Timer();
        // A restart would leave about 3000 ms; the timer's own slack stays well below 500 ms.
        QVERIFY(window.Timer_Update->remainingTime() <= 2500);
    }

    void options_ok_starts_the_timer() {
        Program program(false, false);
        app::TFQuillonFirmWare window(program.state, program.prompt);
        window.Checker().Set_Server(QUrl("http://127.0.0.1:9"));
        When_Modal_Shows([](QWidget* modal) {
            auto* dialog = qobject_cast<app::TFSoftOptions*>(modal);
            QVERIFY(dialog);
            dialog->CB_En_Con->click();
            dialog->CB_Update->click();
            dialog->Btn_OK->click();
        });
        window.Btn_Opz->click();
        QVERIFY(window.Timer_Update->isActive());
        QCOMPARE(window.Timer_Update->interval(), 60000);
        QVERIFY(QFileInfo::exists(app::Settings_File(program.state)));
        QVERIFY(program.prompt.errors.isEmpty());
    }

    void links_open_in_the_browser() {
        Browser browser;
        Program program(false, false);
        app::TFQuillonFirmWare window(program.state, program.prompt);
        window.LL_UpdateLinkClick(app::Download_Page_Url().toString());
        QCOMPARE(browser.opened,
                 QList<QUrl>({QUrl("https://www.tolmex.com/Home/download/download.asp#VD20417")}));

        // The Information button shows the about box; its address and logo open the home page.
        When_Modal_Shows([](QWidget* modal) {
            auto* about = qobject_cast<app::TFAbout*>(modal);
            QVERIFY(about);
            QCOMPARE(about->windowTitle(), QStringLiteral("About..."));
            QCOMPARE(about->Label2->text(),
                     QStringLiteral("BACnet Slave / HART Master - Converter"));
            QCOMPARE(about->Label9->text(), QStringLiteral("VX20417"));
            QCOMPARE(about->Label10->text(), QStringLiteral("1.002"));
            QCOMPARE(about->Label12->text(), QStringLiteral("VM20417"));
            QTest::mouseClick(about->Label4, Qt::LeftButton);
            QTest::mouseClick(about->Image2, Qt::LeftButton);
            about->Btn_OK->click();
        });
        window.Btn_Info->click();
        const QUrl home("https://www.tolmex.com/HOME/default.asp?frompg=VX20417");
        QCOMPARE(browser.opened.mid(1), QList<QUrl>({home, home}));
    }
};

QTEST_MAIN(Test_Update_Timer)
#include "test_update_timer.moc"
