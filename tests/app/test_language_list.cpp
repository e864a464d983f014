#include "app/language_list.h"
#include "support/temp_files.h"

#include <QTemporaryDir>
#include <QTest>

class Test_Language_List : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void plain_lng_files_sorted_without_case() {
        QTemporaryDir dir;
        for (const char* name : {"italiano.lng", "English.lng", "Deutsch.lng", "notes.txt",
                                 "English.bmp", "Français.lng"})
            QVERIFY(Write_Test_File(dir.filePath(name), "STR0 = x\n"));
        QVERIFY(QDir(dir.path()).mkdir("Folder.lng"));
        QVERIFY(QFile::link(dir.filePath("English.lng"), dir.filePath("Link.lng")));
        QVERIFY(Write_Test_File(dir.filePath("Locked.lng"), "STR0 = x\n"));
        QVERIFY(QFile::setPermissions(dir.filePath("Locked.lng"), QFileDevice::ReadOwner));
        QCOMPARE(app::Create_Lang_List(dir.path()),
                 QStringList({"Deutsch.lng", "English.lng", "Français.lng", "italiano.lng"}));
        QCOMPARE(app::Create_Lang_List(dir.filePath("missing")), QStringList());
    }

    void paging_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("shown");
        QTest::newRow("seven, first page") << 7 << 1 << 2 << 6;
        QTest::newRow("seven, second page") << 7 << 2 << 2 << 1;
        QTest::newRow("six") << 6 << 1 << 1 << 6;
        QTest::newRow("one") << 1 << 1 << 1 << 1;
        QTest::newRow("none") << 0 << 1 << 0 << 0;
        QTest::newRow("twelve, second page") << 12 << 2 << 2 << 6;
        QTest::newRow("thirteen, third page") << 13 << 3 << 3 << 1;
    }

    void paging() {
        QFETCH(int, count);
        QFETCH(int, page);
        QFETCH(int, pages);
        QFETCH(int, shown);
        QCOMPARE(app::Lang_Pages(count), pages);
        QCOMPARE(app::Langs_On_Page(count, page), shown);
    }

    void slot_index_and_name() {
        QCOMPARE(app::Lang_Index(1, 1), 0);
        QCOMPARE(app::Lang_Index(2, 1), 6);
        QCOMPARE(app::Lang_Index(2, 6), 11);
        QCOMPARE(app::Lang_Name("Italiano.lng"), QStringLiteral("Italiano"));
        QCOMPARE(app::Lang_Name("Italiano.LNG"), QStringLiteral("Italiano"));
    }

    void flag_falls_back_to_the_default() {
        QTemporaryDir dir;
        QCOMPARE(app::Flag_Files(dir.path(), "Italiano"), QStringList());
        QVERIFY(Write_Test_File(dir.filePath("DefaultFlag.bmp"), "BM"));
        QCOMPARE(app::Flag_Files(dir.path(), "Italiano"),
                 QStringList({dir.filePath("DefaultFlag.bmp")}));
        QVERIFY(Write_Test_File(dir.filePath("Italiano.bmp"), "BM"));
        QCOMPARE(app::Flag_Files(dir.path(), "Italiano"),
                 QStringList({dir.filePath("Italiano.bmp"), dir.filePath("DefaultFlag.bmp")}));
    }
};

QTEST_GUILESS_MAIN(Test_Language_List)
#include "test_language_list.moc"
