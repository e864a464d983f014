#include "app/projects.h"
#include "app/settings.h"

#include <QTemporaryDir>
#include <QTest>

class Test_Projects : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    app::Session_State state_;

private Q_SLOTS:
    void init() {
        QVERIFY(dir_.isValid());
        app::Init_Folders(state_, dir_.path());
        QDir(state_.Projects_Folder).removeRecursively();
        QDir().mkdir(state_.Projects_Folder);
        app::Open_Chosen_Project(state_, {});
    }

    void create_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("message");
        QTest::newRow("plain") << "Plant A" << 0;
        QTest::newRow("empty") << "" << 107;
        QTest::newRow("exists") << "Existing" << 106;
        QTest::newRow("slash") << "Outer/Inner" << 105;
        QTest::newRow("backslash") << "Outer\\Inner" << 105;
        QTest::newRow("dot") << "." << 105;
        QTest::newRow("dot dot") << ".." << 105;
        QTest::newRow("escape") << "../Elsewhere" << 105;
        QTest::newRow("one blank") << " " << 105;
        QTest::newRow("blanks and a tab") << "  \t " << 105;
        QTest::newRow("blanks around a name") << " Plant B " << 0;
    }

    void create() {
        QFETCH(QString, name);
        QFETCH(int, message);
        QVERIFY(QDir().mkpath(state_.Projects_Folder + "/Existing/keep"));
        QVERIFY(QDir().mkpath(state_.Projects_Folder + "/Outer"));
        QCOMPARE(app::Create_Project(state_, name), message);
        if (message == 0) {
            QVERIFY(QFileInfo(state_.Projects_Folder + "/" + name + "/bin").isDir());
            QCOMPARE(state_.Project_Name, name);
            QVERIFY(state_.Project_Active());
            QCOMPARE(state_.ParGen_File, state_.Project_Folder + "/ParGen.xml");
        } else {
            QVERIFY(!state_.Project_Active());
            QVERIFY(QFileInfo(state_.Projects_Folder + "/Existing/keep").isDir());
            QVERIFY(!QFileInfo::exists(state_.Projects_Folder + "/Outer/Inner"));
            QVERIFY(!QFileInfo::exists(dir_.filePath("Elsewhere")));
            QCOMPARE(app::Load_Existing_Configuration(state_.Projects_Folder).size(), 2);
        }
    }

    void search_ignores_case_of_a_to_z_only() {
        const QStringList names{"Zeta", "Plant A", "\u00C9cole"};
        QCOMPARE(app::Search_Open_Conf(names, "plant a"), 1);
        QCOMPARE(app::Search_Open_Conf(names, "PLANT A"), 1);
        QCOMPARE(app::Search_Open_Conf(names, "\u00E9cole"), -1);
        QCOMPARE(app::Search_Open_Conf(names, ""), -1);
    }

    void list_holds_folders_only() {
        QVERIFY(QDir().mkpath(state_.Projects_Folder + "/One"));
        QVERIFY(QDir().mkpath(state_.Projects_Folder + "/Two"));
        QFile file(state_.Projects_Folder + "/note.txt");
        QVERIFY(file.open(QIODevice::WriteOnly));
        QStringList names = app::Load_Existing_Configuration(state_.Projects_Folder);
        names.sort();
        QCOMPARE(names, QStringList({"One", "Two"}));
    }

    void open_empty_name_leaves_no_project() {
        app::Open_Chosen_Project(state_, "Plant A");
        QVERIFY(state_.Project_Active());
        QCOMPARE(app::Active_Project_Folder_Name(state_), QStringLiteral("Plant A"));
        app::Open_Chosen_Project(state_, {});
        QVERIFY(!state_.Project_Active());
    }
};

QTEST_GUILESS_MAIN(Test_Projects)
#include "test_projects.moc"
