// Hostile project files through every reader the user reaches: the dialogs' load paths, the
// project check, the compile and the EDE export of quillon-cli. Each gets a message or its
// defaults, never a crash or a hang, and no file of the project changes.

#include "../cli/cli_runner.h"
#include "app/session_state.h"
#include "app/settings.h"
#include "comm/pargen_dialog.h"
#include "hart/hart_variables_dialog.h"
#include "hostile_files.h"
#include "support/scripted_prompt.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

/// Marks a case whose "file" is a folder of that name.
const QByteArray Folder_Instead = "<a folder stands here>";

const QStringList Project_File_Names{QStringLiteral("ParGen.xml"),
                                     QStringLiteral("HART_Variables.xml"),
                                     QStringLiteral("BACnet_Slave.xml")};

/// A text field of each file, to fill with hostile text.
QByteArray With_Text(const QString& file, const QByteArray& text) {
    if (file == QLatin1String("ParGen.xml"))
        return "<Par_Gen><Eth_Conn_Device_Name>" + text +
               "</Eth_Conn_Device_Name><BACnet_NAME_STA>" + text + "</BACnet_NAME_STA></Par_Gen>";
    if (file == QLatin1String("HART_Variables.xml"))
        return R"(<HART><HART_Variables><row Enable="Y" Device_Address="1" Preamble_Count="5" )"
               R"(Var_Cmd_Type="Command" Var_Cmd_Number="3" Cmd_Params=")" +
               text + R"(" Position="0" TimeOut="10" Mnemonic=")" + text +
               R"("/></HART_Variables></HART>)";
    return R"(<BACnet_to_Modbus><BACnet_in_Read><row Data_Type="Analog Input" Eng_Unit="62" )"
           R"(Position="0" Bit="0" Length="4" Swap="N" SwapWord="N" Mnemonic=")" +
           text + R"("/></BACnet_in_Read><BACnet_in_Write/></BACnet_to_Modbus>)";
}

QByteArray Control_Characters() {
    QByteArray text;
    for (char c = 1; c < 32; ++c)
        if (c != '\t' && c != '\n' && c != '\r')
            text += c;
    return text + "\x7f";
}

QByteArray All_Bytes() {
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i)
        bytes += char((i * 7) & 0xff);
    return bytes;
}

QByteArray Deeply_Nested(const QByteArray& root, int depth) {
    return "<" + root + ">" + QByteArray("<a>").repeated(depth) +
           QByteArray("</a>").repeated(depth) + "</" + root + ">";
}

QByteArray Root_Of(const QString& file) {
    if (file == QLatin1String("ParGen.xml"))
        return "Par_Gen";
    if (file == QLatin1String("HART_Variables.xml"))
        return "HART";
    return "BACnet_to_Modbus";
}

/// Many rows: more than any table of the program holds.
QByteArray Too_Many_Rows(const QString& file) {
    if (file == QLatin1String("ParGen.xml"))
        return "<Par_Gen>" + QByteArray("<BACnet_Type>1</BACnet_Type>").repeated(5000) +
               "</Par_Gen>";
    const QByteArray row = With_Text(file, "m");
    const qsizetype open = row.indexOf("<row");
    const qsizetype close = row.indexOf("/>", open) + 2;
    return row.left(open) + row.mid(open, close - open).repeated(3000) + row.mid(close);
}

} // namespace

class Test_Malformed_Files : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void Hostile_Project_File_data();
    void Hostile_Project_File();
    void Read_Only_Project();
    void Hostile_Settings_File_data();
    void Hostile_Settings_File();

private:
    /// Runs the dialogs' load paths on the project in @p folder.
    void Load_In_Dialogs(const QString& folder);
    static void Verify_Cli_Result(const Cli_Result& result, const char* command);

    app::Session_State state_;
    Scripted_Prompt prompt_;
    std::unique_ptr<comm::TFParGen> pargen_;
    std::unique_ptr<hart::TFHARTVariables> hart_;
};

void Test_Malformed_Files::initTestCase() {
    state_.SW_Code = QStringLiteral("VX20417");
    pargen_ = std::make_unique<comm::TFParGen>(state_, prompt_);
    hart_ = std::make_unique<hart::TFHARTVariables>(state_, prompt_);
}

void Test_Malformed_Files::Hostile_Project_File_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    for (const QString& file : Project_File_Names) {
        const QByteArray demo = Demo_File(file);
        const auto add = [&](const char* name, const QByteArray& bytes) {
            QTest::addRow("%s %s", qPrintable(file), name) << file << bytes;
        };
        add("empty", QByteArray());
        add("blanks only", " \r\n\t ");
        add("truncated", demo.left(demo.size() / 2));
        add("cut inside a tag", demo.left(demo.indexOf("=\"") + 3));
        add("wrong root", "<Conf_Settings><BACnet_in_Read/></Conf_Settings>");
        add("not xml", "this is not a project file\n");
        add("binary", All_Bytes());
        add("utf-8 with bom", "\xEF\xBB\xBF" + demo);
        add("utf-16le with bom", To_Utf16(demo, QStringEncoder::Utf16LE));
        add("utf-16be with bom", To_Utf16(demo, QStringEncoder::Utf16BE));
        add("utf-16le without bom", To_Utf16(demo, QStringEncoder::Utf16LE).mid(2));
        add("control characters", With_Text(file, Control_Characters()));
        add("nul inside", With_Text(file, QByteArray("ab\0cd", 5)));
        add("non-ascii", With_Text(file, "R\xC3\xA9"
                                         "acteur \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x94\xA5"));
        add("invalid utf-8", With_Text(file, "\xC3\x28\xA0\xA1\xFF\xFE"));
        add("100000-character text", With_Text(file, QByteArray(100000, 'x')));
        add("100000 blanks", With_Text(file, QByteArray(100000, ' ')));
        add("deep nesting", Deeply_Nested(Root_Of(file), 100000));
        add("too many rows", Too_Many_Rows(file));
        add("folder instead of file", Folder_Instead);
        QDir corpus(QDir(Corpus_Folder()).filePath(file));
        for (const QString& name : corpus.entryList(QDir::Files))
            QTest::addRow("%s corpus %s", qPrintable(file), qPrintable(name))
                << file << Read_Test_File(corpus.filePath(name));
    }
}

void Test_Malformed_Files::Hostile_Project_File() {
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Project"));
    // The other two files are sound, so every reader reaches the hostile one.
    QVERIFY(Copy_Demo_Plant(folder));
    const QString path = QDir(folder).filePath(file);
    QVERIFY(QFile::remove(path));
    if (bytes == Folder_Instead)
        QVERIFY(QDir().mkpath(QDir(path).filePath(QStringLiteral("inside"))));
    else
        QVERIFY(Write_Test_File(path, bytes));
    const Folder_Snapshot before = Snapshot(folder, QStringLiteral("bin"));

    Load_In_Dialogs(folder);
    const Cli_Result check = Run_Cli({QStringLiteral("check"), folder});
    Verify_Cli_Result(check, "check");
    if (check.exit_code == 1)
        QVERIFY2(!check.out.trimmed().isEmpty(), "check failed without a message");
    const Cli_Result compile = Run_Cli({QStringLiteral("compile"), folder});
    Verify_Cli_Result(compile, "compile");
    if (compile.exit_code == 1)
        QVERIFY2(compile.err.contains("compile failed: "), compile.err.constData());

    const Cli_Result ede =
        Run_Cli({QStringLiteral("ede"), folder, dir.filePath(QStringLiteral("Demo.csv"))});
    Verify_Cli_Result(ede, "ede");
    if (ede.exit_code == 1)
        QVERIFY2(!ede.err.trimmed().isEmpty(), "ede failed without a message");

    QVERIFY2(Snapshot(folder, QStringLiteral("bin")) == before, "a project file changed");
}

void Test_Malformed_Files::Read_Only_Project() {
    QTemporaryDir dir;
    if (!Permissions_Enforced(dir.path()))
        QSKIP("file permissions are not enforced for this user");
    const QString folder = dir.filePath(QStringLiteral("Project"));
    QVERIFY(Copy_Demo_Plant(folder));
    const auto read_only = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    for (const QString& name : Project_File_Names)
        QVERIFY(QFile::setPermissions(QDir(folder).filePath(name), QFileDevice::ReadOwner));
    QVERIFY(QFile::setPermissions(folder, read_only));
    const Folder_Snapshot before = Snapshot(folder);

    Load_In_Dialogs(folder);
    const Cli_Result check = Run_Cli({QStringLiteral("check"), folder});
    QCOMPARE(check.exit_code, 0);
    const Cli_Result compile = Run_Cli({QStringLiteral("compile"), folder});
    QCOMPARE(compile.exit_code, 1);
    QVERIFY2(compile.err.contains("compile failed: "), compile.err.constData());
    QVERIFY(Snapshot(folder) == before);
    QFile::setPermissions(folder, read_only | QFileDevice::WriteOwner);
}

void Test_Malformed_Files::Load_In_Dialogs(const QString& folder) {
    state_.Project_Folder = folder;
    app::Set_Files(state_);
    prompt_.Clear();
    QString error;
    if (!pargen_->FormShow(error))
        QVERIFY2(error.contains(QStringLiteral("ParGen.xml")), qPrintable(error));
    if (!hart_->FormShow())
        QVERIFY(prompt_.errors.size() == 1 &&
                prompt_.errors.first().contains(QStringLiteral("HART_Variables.xml")));
}

void Test_Malformed_Files::Verify_Cli_Result(const Cli_Result& result, const char* command) {
    QVERIFY2(result.exit_code == 0 || result.exit_code == 1,
             qPrintable(QStringLiteral("%1 crashed or hung").arg(QLatin1String(command))));
    QVERIFY2(!result.err.contains("Sanitizer") && !result.err.contains("runtime error"),
             result.err.constData());
}

void Test_Malformed_Files::Hostile_Settings_File_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("binary") << All_Bytes();
    QTest::newRow("utf-16le with bom")
        << To_Utf16("<Conf_Settings><lastlang><language>Italiano</language></lastlang>"
                    "</Conf_Settings>",
                    QStringEncoder::Utf16LE);
    QTest::newRow("100000-character language") << "<Conf_Settings><lastlang><language>" +
                                                      QByteArray(100000, 'x') +
                                                      "</language></lastlang></Conf_Settings>";
    QTest::newRow("deep nesting") << Deeply_Nested("Conf_Settings", 100000);
    QDir corpus(QDir(Corpus_Folder()).filePath(QStringLiteral("Quillon.xml")));
    for (const QString& name : corpus.entryList(QDir::Files))
        QTest::addRow("corpus %s", qPrintable(name)) << Read_Test_File(corpus.filePath(name));
}

void Test_Malformed_Files::Hostile_Settings_File() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    app::Session_State state;
    app::Init_Folders(state, dir.path());
    QVERIFY(Write_Test_File(app::Settings_File(state), bytes));
    const QString warning = app::Load_Settings(state);
    if (!warning.isEmpty())
        QVERIFY2(warning.contains(QStringLiteral("Quillon.xml")), qPrintable(warning));
    QCOMPARE(Read_Test_File(app::Settings_File(state)), bytes);
}

QTEST_MAIN(Test_Malformed_Files)
#include "test_malformed_files.moc"
