#include "cli/commands.h"

#include <QCoreApplication>

#include <array>

namespace cli {

namespace {

constexpr auto Commands = std::to_array<Command>({
    {"strings", "strings [LANGUAGE_FILE]",
     "print the 2900 texts (built-in, then the language file) as <id><TAB><text>", Run_Strings},
    {"compile", "compile PROJECT_FOLDER",
     "compile ParGen.xml, HART_Variables.xml and BACnet_Slave.xml into bin/bank1.bin and "
     "bin/bank2.bin",
     Run_Compile},
    {"check", "check PROJECT_FOLDER",
     "run the OK validations of the project's files (communication settings, HART variables, "
     "BACnet access); print the first failing message and exit 1, or nothing and exit 0",
     Run_Check},
    {"update", "update PROJECT_FOLDER IP [--option both|firmware|configuration] [--no-read-back]",
     "compile the project, check that the converter at IP answers, write Ethernet_Update.xml "
     "and run Ethernet_Update.exe from the program folder (MASTER holds the firmware); exit 0 "
     "only when the updater ended with status 0",
     Run_Update},
    {"lang-template", "lang-template [FILE]",
     "write a complete language file of the built-in English texts to FILE or standard output, "
     "as the start of a translation",
     Run_Lang_Template},
    {"scan", "scan IP [--devices N] [--port P]",
     "have the converter at IP search its HART network (N devices, 1 to 64, default 64; UDP "
     "port P, default 10000) and print each variable found as address<TAB>preamble<TAB>device "
     "name<TAB>variable<TAB>classification<TAB>unit; progress and errors on stderr",
     Run_Scan},
    {"ede", "ede PROJECT_FOLDER OUTPUT_FILE [--full-layout]",
     "write the project's BACnet objects as an EDE file (compact layout unless --full-layout)",
     Run_Ede},
});

QString Usage() {
    QString text = QStringLiteral("Usage: quillon-cli COMMAND [ARGUMENTS]\n"
                                  "       quillon-cli --help | --version\n\nCommands:\n");
    for (const Command& command : Commands)
        text +=
            QStringLiteral("  %1\n      %2\n")
                .arg(QString::fromLatin1(command.synopsis), QString::fromLatin1(command.summary));
    return text;
}

} // namespace

void Print_Out(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
}

void Print_Err(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
}

int Dispatch(const QStringList& arguments) {
    if (arguments.isEmpty()) {
        Print_Err(Usage());
        return Exit_Usage;
    }
    const QString& first = arguments.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        Print_Out(Usage());
        return Exit_Ok;
    }
    if (first == QLatin1String("--version")) {
        Print_Out(QStringLiteral("1.002\n"));
        return Exit_Ok;
    }
    for (const Command& command : Commands)
        if (first == QLatin1String(command.name))
            return command.run(arguments.mid(1));
    Print_Err(QStringLiteral("quillon-cli: unknown command '%1'\n\n").arg(first) + Usage());
    return Exit_Usage;
}

} // namespace cli

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    return cli::Dispatch(QCoreApplication::arguments().mid(1));
}
