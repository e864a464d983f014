#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace sim {

/// One device variable the converter found: slot, classification and unit codes.
struct Plant_Variable {
    quint8 code = 0;
    quint8 classification = 0;
    quint8 unit = 0;
};

/// One HART field device of the simulated network.
struct Plant_Device {
    quint64 long_address = 0; // 40 bits
    quint8 preamble = 5;
    QString name;
    QList<Plant_Variable> variables;
};

/// A temperature, a pressure and a flow transmitter.
QList<Plant_Device> Built_In_Plant();

/// @brief Reads devices from a text file, one per line:
///   LONG_ADDRESS_HEX|PREAMBLE|NAME|CODE:CLASS:UNIT CODE:CLASS:UNIT ...
/// Blank lines and lines starting with '#' are skipped. False with @p error on a bad line.
bool Read_Plant_File(const QString& path, QList<Plant_Device>& devices, QString& error);

/// The 1000-byte information record the converter keeps for @p device.
QByteArray Device_Record(const Plant_Device& device);

} // namespace sim
