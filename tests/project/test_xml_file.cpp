#include "project/xml_file.h"
#include "support/temp_files.h"

#include <QTemporaryDir>
#include <QTest>

class Test_Xml_File : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void record_values_with_defaults() {
        pugi::xml_document doc;
        QString error;
        QCOMPARE(project::Parse_Xml("<Par_Gen><B>7</B><A></A><C>x1</C><F>true</F><G>1</G>"
                                    "<B>9</B></Par_Gen>",
                                    "ParGen.xml", doc, error),
                 project::Load_Status::Loaded);
        const pugi::xml_node root = project::Root_Node(doc);
        QCOMPARE(project::Child_Text(root, "A", "def"), QString());
        QCOMPARE(project::Child_Text(root, "Missing", "def"), QStringLiteral("def"));
        QCOMPARE(project::Child_Int(root, "B", 3), 7); // first match counts
        QCOMPARE(project::Child_Int(root, "A", 3), 3);
        QCOMPARE(project::Child_Int(root, "C", 3), 3);
        QCOMPARE(project::Child_Flag(root, "F"), false);
        QCOMPARE(project::Child_Flag(root, "G"), true);
        QCOMPARE(project::Child_Flag(root, "Missing"), false);
    }

    void table_rows_by_position() {
        pugi::xml_document doc;
        QString error;
        QCOMPARE(project::Parse_Xml("<HART><HART_Variables><row a=\"1\"/><row/></HART_Variables>"
                                    "</HART>",
                                    "HART_Variables.xml", doc, error),
                 project::Load_Status::Loaded);
        const pugi::xml_node table = project::Child(project::Root_Node(doc), "HART_Variables");
        QStringList values;
        for (pugi::xml_node row : table.children("row"))
            values << project::Attr_Text(row, "a", "none");
        QCOMPARE(values, QStringList({"1", "none"}));
    }

    void parse_error_names_file_and_position() {
        pugi::xml_document doc;
        QString error;
        QCOMPARE(project::Parse_Xml("<Par_Gen>\n<A>1</B>", "ParGen.xml", doc, error),
                 project::Load_Status::Failed);
        QVERIFY2(error.startsWith("ParGen.xml: line 2"), qPrintable(error));
    }

    void missing_file_is_not_an_error() {
        QTemporaryDir dir;
        pugi::xml_document doc;
        QString error;
        QCOMPARE(project::Load_Xml_File(dir.filePath("none.xml"), doc, error),
                 project::Load_Status::Missing);
        QVERIFY(error.isEmpty());
    }

    void write_root_then_comment_without_declaration() {
        QTemporaryDir dir;
        const QString path = dir.filePath("ParGen.xml");
        pugi::xml_document doc;
        pugi::xml_node root = project::New_Document(doc, "Par_Gen");
        project::Add_Text_Child(root, "Name", QStringLiteral("caf\u00E9"));
        QCOMPARE(project::Save_Xml_File(doc, path), QString());
        const QByteArray bytes = Read_Test_File(path);
        QVERIFY2(bytes.startsWith("<Par_Gen>"), bytes.constData());
        QVERIFY(bytes.indexOf("</Par_Gen>") < bytes.indexOf("<!--SW_VERSION = 1.002-->"));

        pugi::xml_document again;
        QString error;
        QCOMPARE(project::Load_Xml_File(path, again, error), project::Load_Status::Loaded);
        QCOMPARE(project::Child_Text(project::Root_Node(again), "Name", {}),
                 QStringLiteral("caf\u00E9"));
        // Saving the same content twice gives the same bytes.
        QCOMPARE(project::Save_Xml_File(again, path), QString());
        QCOMPARE(Read_Test_File(path), bytes);
    }

    void refused_text_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("message");
        QTest::newRow("byte not UTF-8, no declaration")
            << QByteArray("<P>\n<M>Temp \xB0"
                          "C</M></P>")
            << QStringList{"line 2, column 9", "B0", "UTF-8"};
        QTest::newRow("UTF-8 cut short at the end")
            << QByteArray("<P><M>\xC3") << QStringList{"line 1, column 7", "C3"};
        QTest::newRow("byte windows-1252 leaves unassigned")
            << QByteArray("<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<P>\x81</P>")
            << QStringList{"line 2, column 4", "81", "windows-1252"};
        QTest::newRow("byte beyond US-ASCII")
            << QByteArray("<?xml version='1.0' encoding='US-ASCII'?><P>\xE9</P>")
            << QStringList{"column 45", "E9", "US-ASCII"};
        QTest::newRow("encoding we cannot read")
            << QByteArray("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><P/>")
            << QStringList{"\"Shift_JIS\" is not supported"};
        QTest::newRow("UTF-16 declared without its mark")
            << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-16\"?><P/>")
            << QStringList{"declares UTF-16"};
        QTest::newRow("UTF-16 lone surrogate")
            << QByteArray("\xFF\xFE<\0P\0>\0\x00\xD8<\0/\0P\0>\0", 18)
            << QStringList{"line 1, column 4", "UTF-16"};
        QTest::newRow("UTF-16 ends inside a character")
            << QByteArray("\xFE\xFF\0<\0P\0/\0>\0", 11) << QStringList{"ends inside"};
        QTest::newRow("two root elements")
            << QByteArray("<P/>\n<Q/>") << QStringList{"line 2, column 1", "second root"};
        QTest::newRow("text beside the root") << QByteArray("<P/>junk") << QStringList{"text"};
        QTest::newRow("only a comment")
            << QByteArray("<!-- c -->") << QStringList{"column 11", "No document element"};
        QTest::newRow("raw ampersand")
            << QByteArray("<P><M>a & b</M></P>") << QStringList{"line 1, column 9", "&amp;"};
        QTest::newRow("unknown entity")
            << QByteArray("<P><M a=\"&foo;\"/></P>") << QStringList{"column 10"};
        QTest::newRow("character reference to nothing")
            << QByteArray("<P>&#0;</P>") << QStringList{"column 4"};
        QTest::newRow("control character")
            << QByteArray("<P>a\x01</P>") << QStringList{"column 5", "control character 01"};
        QTest::newRow("nul cutting the file short")
            << QByteArray("<P/>\0<Q/>", 9) << QStringList{"column 5", "control character 00"};
    }

    void refused_text() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, message);
        pugi::xml_document doc;
        QString error;
        QCOMPARE(project::Parse_Xml(bytes, "ParGen.xml", doc, error), project::Load_Status::Failed);
        QVERIFY2(error.startsWith("ParGen.xml: "), qPrintable(error));
        for (const QString& part : message)
            QVERIFY2(error.contains(part), qPrintable(error));
        QVERIFY(!project::Root_Node(doc));
    }

    void declared_encodings_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        const QString temp = QStringLiteral("Temp \u00B0C");
        QTest::newRow("windows-1252")
            << QByteArray("<?xml version=\"1.0\" encoding=\"windows-1252\"?><P><M>\x80 Temp \xB0"
                          "C</M></P>")
            << QStringLiteral("\u20AC ") + temp;
        QTest::newRow("ISO-8859-1, single quotes, any case")
            << QByteArray("<?xml version='1.0' encoding='iso-8859-1' ?><P><M>\x80 Temp \xB0"
                          "C</M></P>")
            << QStringLiteral("\u0080 ") + temp;
        QTest::newRow("UTF-8 declared")
            << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?><P><M>Temp \xC2\xB0"
                          "C</M></P>")
            << temp;
        QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF<P><M>Temp \xC2\xB0"
                                                  "C</M></P>")
                                    << temp;
        const QString xml = QStringLiteral("<P><M>Temp \u00B0C \U0001F600</M></P>");
        const auto utf16 = [&](bool big, bool mark) {
            QByteArray bytes = mark ? QByteArray(big ? "\xFE\xFF" : "\xFF\xFE") : QByteArray();
            for (const QChar c : xml) {
                const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xFF);
                bytes += big ? QByteArray(1, high) + low : QByteArray(1, low) + high;
            }
            return bytes;
        };
        QTest::newRow("UTF-16LE mark") << utf16(false, true) << xml.mid(6, 10);
        QTest::newRow("UTF-16BE without mark") << utf16(true, false) << xml.mid(6, 10);
        QByteArray utf32("\xFF\xFE\0\0", 4);
        for (const char32_t c : xml.toUcs4())
            for (int i = 0; i < 4; ++i)
                utf32 += char((c >> (8 * i)) & 0xFF);
        QTest::newRow("UTF-32LE mark") << utf32 << xml.mid(6, 10);
    }

    void declared_encodings() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        pugi::xml_document doc;
        QString error;
        QCOMPARE(project::Parse_Xml(bytes, "ParGen.xml", doc, error), project::Load_Status::Loaded);
        QCOMPARE(project::Child_Text(project::Root_Node(doc), "M", {}), text);
    }

    void latin1_file_saved_back_as_utf8() {
        QTemporaryDir dir;
        const QString path = dir.filePath("ParGen.xml");
        QVERIFY(Write_Test_File(path,
                                "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"
                                "<Par_Gen><Eth_Conn_Device_Name>Caf\xE9</Eth_Conn_Device_Name>"
                                "</Par_Gen>"));
        pugi::xml_document doc;
        QString error;
        QCOMPARE(project::Load_Xml_File(path, doc, error), project::Load_Status::Loaded);
        QCOMPARE(project::Save_Xml_File(doc, path), QString());
        QVERIFY(Read_Test_File(path).contains("Caf\xC3\xA9<"));
        QCOMPARE(project::Load_Xml_File(path, doc, error), project::Load_Status::Loaded);
        QCOMPARE(project::Child_Text(project::Root_Node(doc), "Eth_Conn_Device_Name", {}),
                 QStringLiteral("Caf\u00E9"));
    }

    void element_text_is_all_its_pieces() {
        pugi::xml_document doc;
        QString error;
        QCOMPARE(project::Parse_Xml("<Par_Gen><BACnet_PORT>47<!-- x -->808</BACnet_PORT>"
                                    "<BACnet_NAME_STA>AB<![CDATA[C<D]]>EF</BACnet_NAME_STA>"
                                    "<F><!-- on -->1</F></Par_Gen>",
                                    "ParGen.xml", doc, error),
                 project::Load_Status::Loaded);
        const pugi::xml_node root = project::Root_Node(doc);
        QCOMPARE(project::Child_Int(root, "BACnet_PORT", 0), 47808);
        QCOMPARE(project::Child_Text(root, "BACnet_NAME_STA", {}), QStringLiteral("ABC<DEF"));
        QCOMPARE(project::Child_Flag(root, "F"), true);
    }

    void files_that_are_not_read_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("larger than 64 MB") << "sparse"
                                           << "larger than 64 MB";
        QTest::newRow("link to a device") << "device"
                                          << "not a regular file";
        QTest::newRow("folder") << "folder"
                                << "not a regular file";
        QTest::newRow("link to nothing") << "dangling"
                                         << "does not exist";
    }

    void files_that_are_not_read() {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath("HART_Variables.xml");
        if (kind == "sparse") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(65 * 1024 * 1024));
        } else if (kind == "device") {
            QVERIFY(QFile::link("/dev/zero", path));
        } else if (kind == "folder") {
            QVERIFY(QDir().mkdir(path));
        } else {
            QVERIFY(QFile::link(dir.filePath("gone.xml"), path));
        }
        pugi::xml_document doc;
        QString error;
        QCOMPARE(project::Load_Xml_File(path, doc, error), project::Load_Status::Failed);
        QVERIFY2(error.startsWith(QDir::toNativeSeparators(path)), qPrintable(error));
        QVERIFY2(error.contains(message), qPrintable(error));
    }

    void millions_of_empty_rows_are_refused() {
        // 50 MB of empty rows would take gigabytes as a document.
        QTemporaryDir dir;
        const QString path = dir.filePath("HART_Variables.xml");
        QByteArray rows("<row/>");
        rows = rows.repeated(1024 * 1024);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<HART><HART_Variables>");
        for (int i = 0; i < 8; ++i)
            file.write(rows);
        file.write("</HART_Variables></HART>");
        file.close();
        pugi::xml_document doc;
        QString error;
        QCOMPARE(project::Load_Xml_File(path, doc, error), project::Load_Status::Failed);
        QVERIFY2(error.contains("more than 64 MB of memory"), qPrintable(error));
        // A smaller budget shows the same at any size.
        QCOMPARE(project::Parse_Xml("<HART>" + QByteArray("<row/>").repeated(20000) + "</HART>",
                                    "HART_Variables.xml", doc, error, {1024 * 1024, 64 * 1024}),
                 project::Load_Status::Failed);
        QVERIFY2(error.contains("more than 64 KB of memory"), qPrintable(error));
    }

    void save_into_missing_folder_reports_error() {
        QTemporaryDir dir;
        const QString path = dir.filePath("sub/ParGen.xml"); // folder missing: cannot write
        pugi::xml_document doc;
        project::New_Document(doc, "Par_Gen");
        QVERIFY(!project::Save_Xml_File(doc, path).isEmpty());
    }
};

QTEST_GUILESS_MAIN(Test_Xml_File)
#include "test_xml_file.moc"
