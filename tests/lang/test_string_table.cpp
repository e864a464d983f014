#include "lang/string_table.h"
#include "support/temp_files.h"

#include <QTemporaryDir>
#include <QTest>

class Test_String_Table : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void defaults() {
        lang::String_Table table;
        QCOMPARE(table.Count(), 2900);
        QCOMPARE(table[9], QStringLiteral("None Configuration Opened "));
        QCOMPARE(table[18], QStringLiteral("Error! Project not Valid"));
        QCOMPARE(table[57], QStringLiteral(" "));
        QCOMPARE(table[2899], QStringLiteral(" "));
        QCOMPARE(table[2900], QString());
    }

    void language_lines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("expected");
        const QString pilcrow(QChar(0x00B6));
        QTest::newRow("plain") << "STR15 = Nuova" << 15 << "Nuova";
        QTest::newRow("surrounding blanks trimmed") << "  STR15 =   Nuova  \t" << 15 << "Nuova";
        QTest::newRow("comment cut") << "STR15 = Nuova /#/ note" << 15 << "Nuova";
        QTest::newRow("empty before comment ignored") << "STR15 = /#/ note" << 15 << "New Configuration";
        QTest::newRow("trailing blank kept by pilcrow") << "STR15 = Nuova " + pilcrow << 15 << "Nuova ";
        QTest::newRow("both pilcrows") << "STR15 = " + pilcrow + " x " + pilcrow << 15 << " x ";
        QTest::newRow("lone pilcrow empties") << "STR15 = " + pilcrow << 15 << "";
        QTest::newRow("lower-case prefix ignored") << "str15 = Nuova" << 15 << "New Configuration";
        QTest::newRow("prefix not first ignored") << "xSTR15 = Nuova" << 15 << "New Configuration";
        QTest::newRow("second equals kept") << "STR15 = a=b" << 15 << "a=b";
        QTest::newRow("no blank before equals loses a digit") << "STR12=Uno" << 1 << "Uno";
        QTest::newRow("no blank: entry 12 untouched") << "STR12=Uno" << 12 << "Information";
        QTest::newRow("no equals") << "STR15 Nuova" << 15 << "New Configuration";
        QTest::newRow("id not a number") << "STR1x = Nuova" << 1 << "Step 1";
        QTest::newRow("empty text ignored") << "STR15 =   " << 15 << "New Configuration";
        QTest::newRow("id 2899 accepted") << "STR2899 = last" << 2899 << "last";
        QTest::newRow("id 2900 ignored") << "STR2900 = x" << 2899 << " ";
        QTest::newRow("negative id ignored") << "STR-1 = x" << 0 << "Begin";
    }

    void language_lines() {
        QFETCH(QString, line);
        QFETCH(int, id);
        QFETCH(QString, expected);
        lang::String_Table table;
        table.Apply_Lng_Lines({line});
        QCOMPARE(table[id], expected);
        QCOMPARE(table.Count(), 2900);
    }

    void later_line_wins_and_others_keep_defaults() {
        lang::String_Table table;
        table.Apply_Lng_Lines({"STR15 = A", "heading", "STR15 = B"});
        QCOMPARE(table[15], QStringLiteral("B"));
        QCOMPARE(table[16], QStringLiteral("Open Configuration"));
    }

    void encodings_and_line_ends_data() {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray utf16le("\xFF\xFE", 2);
        for (QChar c : QStringLiteral("STR15 = \u00C0b\r\nSTR16 = c"))
            utf16le += char(c.unicode() & 0xFF), utf16le += char(c.unicode() >> 8);
        QByteArray utf16be("\xFE\xFF", 2);
        for (QChar c : QStringLiteral("STR15 = \u00C0b\rSTR16 = c"))
            utf16be += char(c.unicode() >> 8), utf16be += char(c.unicode() & 0xFF);
        QTest::newRow("utf-8 bom, lf") << QByteArray("\xEF\xBB\xBFSTR15 = \xC3\x80" "b\nSTR16 = c");
        QTest::newRow("8-bit, cr") << QByteArray("STR15 = \xC0" "b\rSTR16 = c");
        QTest::newRow("utf-16le, crlf") << utf16le;
        QTest::newRow("utf-16be, cr") << utf16be;
    }

    void encodings_and_line_ends() {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath("Test.lng");
        QVERIFY(Write_Test_File(path, bytes));
        lang::String_Table table;
        QVERIFY(table.Load_Lng_File(path));
        QCOMPARE(table[15], QStringLiteral("\u00C0b"));
        QCOMPARE(table[16], QStringLiteral("c"));
    }

    void load_language_fallbacks() {
        QTemporaryDir dir;
        lang::String_Table table;
        QString name = QStringLiteral("Italiano");
        lang::Load_Language(table, dir.path(), name);
        QCOMPARE(name, QStringLiteral("English"));
        QCOMPARE(table[15], QStringLiteral("New Configuration"));

        QVERIFY(Write_Test_File(dir.filePath("Italiano.lng"), "STR15 = Nuova\nSTR16 = Apri"));
        QVERIFY(Write_Test_File(dir.filePath("Deutsch.lng"), "STR16 = Offnen"));
        name = QStringLiteral("Italiano");
        lang::Load_Language(table, dir.path(), name);
        QCOMPARE(table[15], QStringLiteral("Nuova"));
        // A file lacking an entry shows English there, never the previous language.
        name = QStringLiteral("Deutsch");
        lang::Load_Language(table, dir.path(), name);
        QCOMPARE(name, QStringLiteral("Deutsch"));
        QCOMPARE(table[15], QStringLiteral("New Configuration"));
        QCOMPARE(table[16], QStringLiteral("Offnen"));
    }

    void unreadable_file_leaves_table_and_name() {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("Broken.lng"))); // a folder cannot be read as a file
        lang::String_Table table;
        QString name = QStringLiteral("Broken");
        lang::Load_Language(table, dir.path(), name);
        QCOMPARE(name, QStringLiteral("Broken"));
        QCOMPARE(table[15], QStringLiteral("New Configuration"));
    }
};

QTEST_GUILESS_MAIN(Test_String_Table)
#include "test_string_table.moc"
