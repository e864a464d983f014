#include "lang/lng_template.h"
#include "lang/string_table.h"

#include <QTest>

class Test_Lng_Template : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void line_survives_the_loader_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << "Begin";
        QTest::newRow("trailing blank") << "Error row ";
        QTest::newRow("blanks at both ends") << " / ";
        QTest::newRow("single blank") << " ";
        QTest::newRow("empty") << "";
        QTest::newRow("equals and quotes") << "a = \"b\"";
        QTest::newRow("accents") << "Già è così";
    }

    void line_survives_the_loader() {
        QFETCH(QString, text);
        lang::String_Table table;
        table.Apply_Lng_Lines({lang::Lng_Line(42, text)});
        QCOMPARE(table[42], text);
    }
};

QTEST_GUILESS_MAIN(Test_Lng_Template)
#include "test_lng_template.moc"
