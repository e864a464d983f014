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
