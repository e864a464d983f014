#include "lang/default_strings.h"
#include "lang/string_table.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTest>

namespace {

const QDir Shipped(QStringLiteral(QUILLON_LANGUAGE_FOLDER));

QList<int> Built_In_Ids() {
    QList<int> ids;
    for (const lang::Default_String& entry : lang::Default_Strings())
        ids << entry.id;
    return ids;
}

QString Id_List(const QList<int>& ids) {
    QStringList texts;
    for (int id : ids)
        texts << QString::number(id);
    return texts.join(QStringLiteral(", "));
}

// The pieces a dialog fills in or joins: placeholders, and blanks at either end.
QString Joints(const QString& text) {
    static const QRegularExpression placeholders(QStringLiteral("%[0-9d]"));
    QStringList found;
    for (const QRegularExpressionMatch& match : placeholders.globalMatch(text))
        found << match.captured();
    found.sort();
    return found.join(u',') + (text.startsWith(u' ') ? "|lead" : "") +
           (text.endsWith(u' ') ? "|trail" : "");
}

} // namespace

class Test_Shipped_Languages : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void english_file_is_the_built_in_table() {
        lang::String_Table english;
        QVERIFY(english.Load_Lng_File(Shipped.filePath("English.lng")));
        const lang::String_Table built_in;
        for (int id = 0; id < built_in.Count(); ++id)
            QCOMPARE(english[id], built_in[id]);
    }

    void italian_translates_every_text() {
        // Over an empty table, whatever the file does not name stays empty.
        lang::String_Table italian;
        for (int id = 0; id < italian.Count(); ++id)
            italian.Set(id, QString());
        QVERIFY(italian.Load_Lng_File(Shipped.filePath("Italiano.lng")));
        const lang::String_Table english;
        QList<int> missing;
        QList<int> joined_differently;
        for (int id : Built_In_Ids()) {
            if (italian[id].trimmed().isEmpty())
                missing << id;
            else if (Joints(italian[id]) != Joints(english[id]))
                joined_differently << id;
        }
        QVERIFY2(missing.isEmpty(), qPrintable("Italiano.lng lacks the texts " + Id_List(missing)));
        QVERIFY2(joined_differently.isEmpty(),
                 qPrintable("Italiano.lng changes placeholders or end blanks of the texts " +
                            Id_List(joined_differently)));
    }

    void flags_are_pictures() {
        for (const char* name : {"English.bmp", "Italiano.bmp", "DefaultFlag.bmp"}) {
            const QImage flag(Shipped.filePath(QString::fromLatin1(name)));
            QVERIFY2(!flag.isNull(), name);
            QCOMPARE(flag.size(), QSize(48, 32));
        }
    }
};

QTEST_MAIN(Test_Shipped_Languages)
#include "test_shipped_languages.moc"
