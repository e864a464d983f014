#include "bacnet/eng_units.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

using bacnet::Desc_Unit;
using bacnet::Unit_Categories;

class Test_Eng_Units : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void names_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << 0 << "square-meters";
        QTest::newRow("no units") << 95 << "no-units";
        QTest::newRow("percent") << 98 << "percent";
        QTest::newRow("acceleration") << 166 << "meters-per-second-per-second";
        QTest::newRow("Celsius") << 62 << "degrees-Celsius";
        QTest::newRow("delta Kelvin") << 121 << "delta-degrees-Kelvin";
        QTest::newRow("Fahrenheit inside") << 102 << "psi-per-degree-Fahrenheit";
        QTest::newRow("141 keeps kelvin") << 141 << "watts-per-square-meter-degree-kelvin";
        QTest::newRow("236 keeps kelvin") << 236 << "minutes-per-degree-kelvin";
        QTest::newRow("Newton") << 185 << "square-meters-per-Newton";
        QTest::newRow("ph lower case") << 234 << "ph";
        QTest::newRow("per mille") << 207 << "per-mille";
        QTest::newRow("negative") << -1 << "unknown";
        QTest::newRow("past the catalogue") << 237 << "unknown";
        QTest::newRow("accepted but unnamed") << 1000 << "unknown";
    }

    void names() {
        QFETCH(int, number);
        QFETCH(QString, name);
        QCOMPARE(Desc_Unit(number), name);
    }

    void names_follow_the_capital_letter_rule() {
        const QRegularExpression capital_words(QStringLiteral("Celsius|Kelvin|Fahrenheit|Newton"));
        for (int number = 0; number < bacnet::Unit_Catalogue_Size; ++number) {
            QString rest = Desc_Unit(number);
            rest.remove(capital_words);
            QVERIFY2(rest == rest.toLower(), qPrintable(Desc_Unit(number)));
            QVERIFY2(!rest.contains(u' '), qPrintable(Desc_Unit(number)));
        }
    }

    void categories_in_order_with_their_counts() {
        const QStringList names{
            "Acceleration", "Area",      "Currency",  "Electrical",      "Energy",      "Enthalpy",
            "Entropy",      "Force",     "Frequency", "Humidity",        "Length",      "Light",
            "Mass",         "Mass Flow", "Power",     "Pressure",        "Temperature", "Time",
            "Torque",       "Velocity",  "Volume",    "Volumetric Flow", "Other"};
        const QList<int> counts{1, 4, 10, 35, 15, 5, 4, 1, 6, 2,  7, 7,
                                5, 9, 8,  12, 9,  9, 1, 9, 6, 13, 59};
        QCOMPARE(Unit_Categories().size(), size_t(23));
        QSet<int> seen;
        for (size_t i = 0; i < Unit_Categories().size(); ++i) {
            QCOMPARE(QString::fromLatin1(Unit_Categories()[i].name), names[int(i)]);
            QCOMPARE(int(Unit_Categories()[i].units.size()), counts[int(i)]);
            for (const int unit : Unit_Categories()[i].units)
                QVERIFY2(!seen.contains(unit), qPrintable(QString::number(unit)));
            seen.unite(
                QSet<int>(Unit_Categories()[i].units.begin(), Unit_Categories()[i].units.end()));
        }
        QCOMPARE(seen.size(), bacnet::Unit_Catalogue_Size);
    }

    void list_orders_of_the_examples() {
        const auto area = Unit_Categories()[1].units;
        QCOMPARE(QList<int>(area.begin(), area.end()), (QList<int>{0, 116, 1, 115}));
        const auto other = Unit_Categories()[22].units;
        QCOMPARE(other[29], 207);
        QCOMPARE(other.back(), 236);
        QCOMPARE(Unit_Categories()[16].units[0], 62);
    }

    void unit_number_of_a_cell() {
        QCOMPARE(bacnet::Unit_Number("62"), 62);
        QCOMPARE(bacnet::Unit_Number(""), -1);
        QCOMPARE(bacnet::Unit_Number("6 2"), -1);
        QCOMPARE(bacnet::Unit_Number("abc"), -1);
        QCOMPARE(Desc_Unit(bacnet::Unit_Number("1000")), QStringLiteral("unknown"));
    }
};

QTEST_GUILESS_MAIN(Test_Eng_Units)
#include "test_eng_units.moc"
