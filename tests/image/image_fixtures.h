#pragma once

#include "image/compile_image.h"
#include "image/image_files.h"
#include "support/temp_files.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <utility>

// Small project files for the compile tests. Elements and attributes are given as written in
// the file, so a fixture shows exactly what the compile reads.

inline QByteArray Par_Gen(const QList<std::pair<QString, QString>>& elements) {
    QString xml = QStringLiteral("<Par_Gen>");
    for (const auto& [name, value] : elements)
        xml += QStringLiteral("<%1>%2</%1>").arg(name, value);
    return (xml + QStringLiteral("</Par_Gen>")).toUtf8();
}

/// Each row is the attribute text of one `row` element, e.g. `Enable="Y" Position="3"`.
inline QByteArray Hart_Variables(const QStringList& rows) {
    QString xml = QStringLiteral("<HART><HART_Variables>");
    for (const QString& row : rows)
        xml += QStringLiteral("<row %1/>").arg(row);
    return (xml + QStringLiteral("</HART_Variables></HART>")).toUtf8();
}

inline QString Table_Rows(const QString& table, const QStringList& rows) {
    QString xml = QStringLiteral("<%1>").arg(table);
    for (const QString& row : rows)
        xml += QStringLiteral("<row %1/>").arg(row);
    return xml + QStringLiteral("</%1>").arg(table);
}

inline QByteArray BACnet_Slave(const QStringList& read_rows, const QStringList& write_rows) {
    return (QStringLiteral("<BACnet_to_Modbus>") + Table_Rows("BACnet_in_Read", read_rows) +
            Table_Rows("BACnet_in_Write", write_rows) + QStringLiteral("</BACnet_to_Modbus>"))
        .toUtf8();
}

/// A BACnet row with every attribute the compile needs; @p extra adds or repeats none.
inline QString Object_Row(const QString& type, const QString& mnemonic = QString(),
                          const QString& extra = QString()) {
    return QStringLiteral(R"(Data_Type="%1" Eng_Unit="62" Position="10" Bit="0" Length="4" )"
                          R"(Mnemonic="%2" %3)")
        .arg(type, mnemonic, extra);
}

struct Project_Fixture {
    QByteArray par_gen; // empty: no ParGen.xml
    QByteArray hart;    // empty: no HART_Variables.xml
    QByteArray bacnet;  // empty: no BACnet_Slave.xml

    void Write_To(const QString& folder) const {
        const QDir dir(folder);
        if (!par_gen.isEmpty())
            QVERIFY(Write_Test_File(dir.filePath("ParGen.xml"), par_gen));
        if (!hart.isEmpty())
            QVERIFY(Write_Test_File(dir.filePath("HART_Variables.xml"), hart));
        if (!bacnet.isEmpty())
            QVERIFY(Write_Test_File(dir.filePath("BACnet_Slave.xml"), bacnet));
    }
};

struct Compiled {
    QString error;
    QByteArray bank1;
    QByteArray bank2;
};

/// Compiles the fixture in memory, the way the update step does.
inline Compiled Compile(const Project_Fixture& fixture) {
    QTemporaryDir dir;
    fixture.Write_To(dir.path());
    const auto state = std::make_unique<image::Image_State>();
    Compiled result;
    result.error = image::Compile_Image(project::Project_Paths::In_Folder(dir.path()), *state);
    const auto bytes = [](std::span<const uint8_t> span) {
        return QByteArray(reinterpret_cast<const char*>(span.data()), qsizetype(span.size()));
    };
    result.bank1 = bytes(state->Bank1_Bytes());
    result.bank2 = bytes(state->Bank2_Bytes());
    return result;
}

/// Little-endian unsigned value of @p width bytes at @p offset.
inline quint64 Le(const QByteArray& bytes, qsizetype offset, int width) {
    quint64 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(bytes.at(offset + i));
    return value;
}

/// Checks "1@0x028=0a000007 2@0x10800=02000000": bank, offset, expected bytes in hex.
inline void Verify_Bytes(const Compiled& compiled, const QString& checks) {
    for (const QString& check : checks.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList bank_rest = check.split(u'@');
        const QStringList offset_hex = bank_rest.at(1).split(u'=');
        const QByteArray& bank = bank_rest.at(0) == "1" ? compiled.bank1 : compiled.bank2;
        bool ok = false;
        const qsizetype offset = offset_hex.at(0).toLongLong(&ok, 0);
        QVERIFY2(ok, qPrintable(check));
        const QByteArray expected = QByteArray::fromHex(offset_hex.at(1).toLatin1());
        QVERIFY2(offset + expected.size() <= bank.size(), qPrintable(check));
        QVERIFY2(bank.mid(offset, expected.size()) == expected,
                 qPrintable(check + " got " + bank.mid(offset, expected.size()).toHex()));
    }
}
