#include "cli/cli_runner.h"
#include "lang/default_strings.h"
#include "lang/string_table.h"
#include "support/temp_files.h"

#include <QTemporaryDir>
#include <QTest>

class Test_Lang_Template : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void file_and_standard_output_agree() {
        QTemporaryDir dir;
        const QString path = dir.filePath("English.lng");
        Cli_Result to_file = Run_Cli({"lang-template", path});
        QCOMPARE(to_file.exit_code, 0);
        QVERIFY(to_file.out.isEmpty());
        Cli_Result to_out = Run_Cli({"lang-template"});
        QCOMPARE(to_out.exit_code, 0);
        QCOMPARE(Read_Test_File(path), to_out.out);
        QVERIFY(to_out.out.startsWith("\xEF\xBB\xBF"));
        QVERIFY(to_out.out.contains("\r\nSTR0 = Begin\r\n"));
        QVERIFY(to_out.out.contains("\r\nSTR9 = None Configuration Opened \xC2\xB6\r\n"));
        QVERIFY(to_out.out.contains("\r\nSTR317 = \xC2\xB6 to \xC2\xB6\r\n"));
    }

    void read_back_gives_the_built_in_texts() {
        QTemporaryDir dir;
        const QString path = dir.filePath("English.lng");
        QCOMPARE(Run_Cli({"lang-template", path}).exit_code, 0);

        // Over a table of other texts, the file restores every built-in text and nothing else.
        lang::String_Table table;
        for (int id = 0; id < table.Count(); ++id)
            table.Set(id, "#");
        QVERIFY(table.Load_Lng_File(path));
        lang::String_Table defaults;
        QList<int> named;
        for (const lang::Default_String& entry : lang::Default_Strings())
            named << entry.id;
        for (int id = 0; id < table.Count(); ++id)
            QCOMPARE(table[id], named.contains(id) ? defaults[id] : QStringLiteral("#"));
    }

    void failures() {
        QCOMPARE(Run_Cli({"lang-template", "a.lng", "b.lng"}).exit_code, 2);
        QTemporaryDir dir;
        Cli_Result unwritable = Run_Cli({"lang-template", dir.filePath("missing/English.lng")});
        QCOMPARE(unwritable.exit_code, 1);
        QVERIFY(unwritable.err.contains("English.lng"));
    }
};

QTEST_GUILESS_MAIN(Test_Lang_Template)
#include "test_lang_template.moc"
