#include "cli/commands.h"
#include "hart/scan_records.h"
#include "hart/scan_worker.h"
#include "lang/string_table.h"

#include <QCoreApplication>
#include <QHostAddress>

namespace cli {

namespace {

constexpr int Max_Num_Devs = 64;

QString Usage() {
    return QStringLiteral("Usage: quillon-cli scan IP [--devices N] [--port P]\n"
                          "  N: devices to search for, 1 to %1 (default %1)\n"
                          "  P: the converter's UDP port (default %2)\n")
        .arg(Max_Num_Devs)
        .arg(hart::Converter_Scan_Port);
}

struct Scan_Arguments {
    QString ip_address;
    int devices = Max_Num_Devs;
    int port = hart::Converter_Scan_Port;
};

bool Read_Number(const QStringList& arguments, qsizetype& i, int low, int high, int& value) {
    if (++i >= arguments.size())
        return false;
    bool ok = false;
    value = arguments[i].toInt(&ok);
    return ok && value >= low && value <= high;
}

bool Parse_Arguments(const QStringList& arguments, Scan_Arguments& parsed) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--devices")) {
            if (!Read_Number(arguments, i, 1, Max_Num_Devs, parsed.devices))
                return false;
        } else if (argument == QLatin1String("--port")) {
            if (!Read_Number(arguments, i, 1, 65535, parsed.port))
                return false;
        } else if (parsed.ip_address.isEmpty() && !argument.startsWith(u'-')) {
            parsed.ip_address = argument;
        } else {
            return false;
        }
    }
    QHostAddress address;
    return address.setAddress(parsed.ip_address) &&
           address.protocol() == QAbstractSocket::IPv4Protocol;
}

/// One line per listed variable, fields separated by tabs.
void Print_Variables(const QList<hart::Scan_Variable>& variables) {
    for (const hart::Scan_Variable& variable : variables)
        Print_Out(QStringList{variable.Device_Address, variable.Preamble_Count,
                              // Padding of the fixed-size name is no part of it.
                              variable.Device_Name.trimmed(), variable.Var_Code,
                              variable.Var_Classification, variable.Var_Unit}
                      .join(u'\t') +
                  u'\n');
}

} // namespace

int Run_Scan(const QStringList& arguments) {
    Scan_Arguments parsed;
    if (!Parse_Arguments(arguments, parsed)) {
        Print_Err(Usage());
        return Exit_Usage;
    }
    lang::String_Table texts;
    hart::Scan_Options options;
    options.port = quint16(parsed.port);
    hart::Scan_Thread scan(texts, options);
    int exit_code = Exit_Failed;
    QString last_status;
    QObject::connect(&scan, &hart::Scan_Thread::Status_Changed, [&](const QString& text) {
        last_status = text;
        Print_Err(text + u'\n');
    });
    QObject::connect(&scan, &hart::Scan_Thread::Scan_Succeeded,
                     [&](const QList<hart::Device_Record>& records, int num_devices) {
                         Print_Variables(hart::Decode_Scan_Records(records, num_devices));
                         exit_code = Exit_Ok;
                         QCoreApplication::exit();
                     });
    QObject::connect(&scan, &hart::Scan_Thread::Scan_Failed, [] { QCoreApplication::exit(); });
    scan.HART_Discovery(parsed.ip_address, QString::number(parsed.devices).rightJustified(2, u'0'));
    QCoreApplication::exec();
    return exit_code;
}

} // namespace cli
