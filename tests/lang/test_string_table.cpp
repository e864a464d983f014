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

    void default_texts_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("expected");
        QTest::newRow("main window, trailing blank") << 9 << "None Configuration Opened ";
        QTest::newRow("main window, joined label")
            << 11 << "Opened Configuration of the Converter : ";
        QTest::newRow("main window hint") << 28 << "Set The HART Variables Access";
        QTest::newRow("new configuration message")
            << 106 << "Error! Name project is not valid because directory already exists";
        QTest::newRow("open configuration label") << 202 << "List of Avaliable Configurations";
        QTest::newRow("options, blanks both ends") << 317 << " to ";
        QTest::newRow("options page separator") << 306 << " / ";
        QTest::newRow("options check box")
            << 320 << "Jump into next field in the tables by pressing the Enter Key";
        QTest::newRow("communication title") << 400 << "Set Communication";
        QTest::newRow("communication hint")
            << 980 << "Insert teh Position in Data Array where save the HART Diagnostic";
        QTest::newRow("communication octet hint") << 932 << "Insert Fourth byte of Primary DNS";
        QTest::newRow("communication message, apostrophes")
            << 790
            << "Error BACnet!! BACnet Device Name is not correct (allowed characters are 'a'..'z' "
               "and '0'..'1')";
        QTest::newRow("communication message, trailing blank")
            << 981 << "Error HART Master!! Diagnostic Position must be between 0 and ";
        QTest::newRow("row paste message")
            << 1101 << "Error in the Copy values!!! Copy a valid row before Paste it";
        QTest::newRow("export overwrite question")
            << 1105 << "File already exists. Do you want to overwrite?";
        QTest::newRow("HART variables row prefix") << 1237 << "Error row ";
        QTest::newRow("HART variables header") << 1250 << "TimeOut";
        QTest::newRow("HART variables message") << 1246 << "!! Position Must be Between 0 and ";
        QTest::newRow("BACnet access, embedded quotes")
            << 1335
            << "!! [BACnet in Read] Length with variable \"Analog Input\" must be between 1 and 4";
        QTest::newRow("BACnet access write header") << 1362 << "Swap Word";
        QTest::newRow("BACnet access limit") << 1359 << "Error!! Too many Requests. Max requests ";
        QTest::newRow("engineering unit button") << 1408 << "Select Engineering Unit";
        QTest::newRow("device update check box") << 1518 << "Read Back";
        QTest::newRow("device update warning") << 1536 << "Device Not Found!";
        QTest::newRow("HART scan doubled ampersand") << 1601 << "Scan && Decode HART Network";
        QTest::newRow("HART scan status, placeholder")
            << 1625 << "Devices Search Started - Devices Found %d - Waiting...";
        QTest::newRow("HART scan label") << 1642 << "Num Devices";
        QTest::newRow("hint without text") << 1208 << " ";
        QTest::newRow("other model") << 1800 << " ";
    }

    void default_texts() {
        QFETCH(int, id);
        QFETCH(QString, expected);
        const lang::String_Table table;
        QCOMPARE(table[id], expected);
    }

    void language_lines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("expected");
        const QString pilcrow(QChar(0x00B6));
        QTest::newRow("plain") << "STR15 = Nuova" << 15 << "Nuova";
        QTest::newRow("surrounding blanks trimmed") << "  STR15 =   Nuova  \t" << 15 << "Nuova";
        QTest::newRow("comment cut") << "STR15 = Nuova /#/ note" << 15 << "Nuova";
        QTest::newRow("empty before comment ignored")
            << "STR15 = /#/ note" << 15 << "New Configuration";
        QTest::newRow("trailing blank kept by pilcrow")
            << "STR15 = Nuova " + pilcrow << 15 << "Nuova ";
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
        QTest::newRow("utf-8 bom, lf") << QByteArray("\xEF\xBB\xBFSTR15 = \xC3\x80"
                                                     "b\nSTR16 = c");
        QTest::newRow("8-bit, cr") << QByteArray("STR15 = \xC0"
                                                 "b\rSTR16 = c");
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

    void language_names_are_plain_names_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent folder") << "../Outside";
        QTest::newRow("absolute") << "OUTSIDE_ABSOLUTE";
        QTest::newRow("backslash") << "..\\Outside";
    }

    void language_names_are_plain_names() {
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString language = dir.filePath("LANGUAGE");
        QVERIFY(Write_Test_File(dir.filePath("Outside.lng"), "STR15 = Outside"));
        QVERIFY(Write_Test_File(QDir(language).filePath("English.lng"), "STR15 = English file"));
        if (name == "OUTSIDE_ABSOLUTE")
            name = dir.filePath("Outside");
        lang::String_Table table;
        lang::Load_Language(table, language, name);
        QCOMPARE(name, QStringLiteral("English"));
        QCOMPARE(table[15], QStringLiteral("English file"));
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

    void endless_or_oversized_files_are_not_read() {
        // A link to a device that never ends would be read until memory runs out.
        QTemporaryDir dir;
        lang::String_Table table;
        QVERIFY(QFile::link("/dev/zero", dir.filePath("Zero.lng")));
        QVERIFY(!table.Load_Lng_File(dir.filePath("Zero.lng")));
        QByteArray big = "STR15 = Big\r\n";
        big.append(QByteArray(lang::String_Table::Max_Lng_File_Size, ' '));
        QVERIFY(Write_Test_File(dir.filePath("Big.lng"), big));
        QVERIFY(!table.Load_Lng_File(dir.filePath("Big.lng")));
        QCOMPARE(table[15], QStringLiteral("New Configuration"));
    }
};

QTEST_GUILESS_MAIN(Test_String_Table)
#include "test_string_table.moc"
