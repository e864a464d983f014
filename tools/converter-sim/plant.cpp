#include "plant.h"

#include <QFile>
#include <QStringList>

namespace sim {

namespace {

constexpr int Record_Size = 1000;
constexpr int Name_Offset = 61;
constexpr int Name_Size = 32;
constexpr int Entry_Count_Offset = 115;
constexpr int First_Entry_Offset = 119;

void Put(QByteArray& record, int offset, quint8 value) {
    record[offset] = char(value);
}

bool Parse_Variable(const QString& text, Plant_Variable& variable) {
    const QStringList codes = text.split(u':');
    if (codes.size() != 3)
        return false;
    bool ok[3] = {};
    const uint code = codes[0].toUInt(&ok[0]);
    const uint classification = codes[1].toUInt(&ok[1]);
    const uint unit = codes[2].toUInt(&ok[2]);
    if (!ok[0] || !ok[1] || !ok[2] || code > 255 || classification > 255 || unit > 255)
        return false;
    variable = {quint8(code), quint8(classification), quint8(unit)};
    return true;
}

bool Parse_Device(const QString& line, Plant_Device& device) {
    const QStringList fields = line.split(u'|');
    if (fields.size() != 4)
        return false;
    bool address_ok = false;
    bool preamble_ok = false;
    device.long_address = fields[0].trimmed().toULongLong(&address_ok, 16);
    const uint preamble = fields[1].trimmed().toUInt(&preamble_ok);
    if (!address_ok || device.long_address > 0xFFFFFFFFFFULL || !preamble_ok || preamble > 255)
        return false;
    device.preamble = quint8(preamble);
    device.name = fields[2];
    for (const QString& text : fields[3].split(u' ', Qt::SkipEmptyParts)) {
        Plant_Variable variable;
        if (!Parse_Variable(text, variable))
            return false;
        device.variables << variable;
    }
    return true;
}

} // namespace

QList<Plant_Device> Built_In_Plant() {
    // Slot codes 246..249 are listed by the configurator; 0 and 1 are plain device
    // variables, which it passes over. Classification 64 temperature, 65 pressure,
    // 66 volumetric flow, 84 current; units 32 degC, 7 bar, 12 kPa, 19 m3/h, 39 mA.
    return {
        {0x261A0012ABULL,
         5,
         QStringLiteral("TT-101 REACTOR INLET TEMP"),
         {{0, 64, 32}, {246, 64, 32}, {247, 64, 32}, {245, 84, 39}}},
        {0x2605004C1DULL,
         5,
         QStringLiteral("PT-201 STEAM HEADER PRESS"),
         {{246, 65, 7}, {1, 64, 32}, {247, 65, 12}, {248, 64, 32}}},
        {0x11C8A0B311ULL,
         7,
         QStringLiteral("FT-301 COOLING WATER FLOW"),
         {{246, 66, 19}, {247, 64, 32}, {249, 0, 57}}},
    };
}

bool Read_Plant_File(const QString& path, QList<Plant_Device>& devices, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    devices.clear();
    int line_number = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        ++line_number;
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        Plant_Device device;
        if (!Parse_Device(line, device)) {
            error = QStringLiteral("%1:%2: expected ADDRESS_HEX|PREAMBLE|NAME|CODE:CLASS:UNIT ...")
                        .arg(path)
                        .arg(line_number);
            return false;
        }
        devices << device;
    }
    return true;
}

QByteArray Device_Record(const Plant_Device& device) {
    QByteArray record(Record_Size, '\0');
    // Bytes 0..11 as the device answers HART command 0.
    Put(record, 0, 254);
    Put(record, 1, quint8(device.long_address >> 32));
    Put(record, 2, quint8(device.long_address >> 24));
    Put(record, 3, device.preamble);
    Put(record, 4, 7); // HART revision
    Put(record, 9, quint8(device.long_address >> 16));
    Put(record, 10, quint8(device.long_address >> 8));
    Put(record, 11, quint8(device.long_address));
    const QByteArray name = device.name.toLatin1().left(Name_Size);
    for (int i = 0; i < name.size(); ++i)
        record[Name_Offset + i] = name[i];
    const int room = (Record_Size - First_Entry_Offset) / 3;
    const int count = std::min<int>(int(device.variables.size()), room);
    for (int i = 0; i < 4; ++i)
        Put(record, Entry_Count_Offset + i, quint8(quint32(count) >> (8 * i)));
    for (int k = 0; k < count; ++k) {
        const Plant_Variable& variable = device.variables[k];
        Put(record, First_Entry_Offset + 3 * k, variable.code);
        Put(record, First_Entry_Offset + 3 * k + 1, variable.classification);
        Put(record, First_Entry_Offset + 3 * k + 2, variable.unit);
    }
    return record;
}

} // namespace sim
