#pragma once

#include "bacnet/bacnet_access.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

/// A `row` element with the given attributes text.
inline QString Access_Row(const QString& type, const QString& position = QStringLiteral("0"),
                          const QString& length = QStringLiteral("4"),
                          const QString& mnemonic = QString(),
                          const QString& eng_unit = QStringLiteral("62")) {
    return QStringLiteral(R"(<row Data_Type="%1" Eng_Unit="%2" Position="%3" Bit="0" )"
                          R"(Length="%4" Swap="N" SwapWord="N" Mnemonic="%5"/>)")
        .arg(type, eng_unit, position, length, mnemonic);
}

/// BACnet_Slave.xml holding @p read and @p write rows (each a whole `row` element).
inline QByteArray Access_File(const QStringList& read, const QStringList& write) {
    return (QStringLiteral("<BACnet_to_Modbus><BACnet_in_Read>") + read.join(QString()) +
            QStringLiteral("</BACnet_in_Read><BACnet_in_Write>") + write.join(QString()) +
            QStringLiteral("</BACnet_in_Write></BACnet_to_Modbus>"))
        .toUtf8();
}

/// ParGen.xml with the given elements text.
inline QByteArray Par_Gen_File(const QString& elements) {
    return (QStringLiteral("<Par_Gen>") + elements + QStringLiteral("</Par_Gen>")).toUtf8();
}

/// A table row as the grid holds it.
inline bacnet::BACnet_Access_Row Grid_Row(const QString& type, const QString& position = "0",
                                          const QString& length = "4",
                                          const QString& eng_unit = "62",
                                          const QString& bit = "0") {
    bacnet::BACnet_Access_Row row;
    row.Data_Type = type;
    row.Eng_Unit = eng_unit;
    row.Position = position;
    row.Bit = bit;
    row.Length = length;
    row.Swap = QStringLiteral("N");
    row.SwapWord = QStringLiteral("N");
    return row;
}

inline QList<bacnet::BACnet_Access_Row> Grid_Rows(int count, const QString& type = "Analog Input") {
    return QList<bacnet::BACnet_Access_Row>(count, Grid_Row(type));
}
