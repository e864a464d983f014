#include "comm/pargen_record.h"

#include "project/numbers.h"

#include <QDir>

namespace comm {

namespace {

QString Flag_Text(const QString& text) {
    return text == u'1' ? QStringLiteral("1") : QStringLiteral("0");
}

// Index fields: the stored position when it is a number inside the list, else the default.
QString Index_Text(const QString& text, const QStringList& items, const QString& fallback) {
    const std::optional<qint64> index = project::Parse_Decimal(text);
    if (!index || *index < 0 || *index >= items.size())
        return fallback;
    return QString::number(*index);
}

} // namespace

const QStringList& Master_Address_Items() {
    static const QStringList items{"Primary Master", "Secondary Master"};
    return items;
}

const QStringList& Retry_Limit_Items() {
    static const QStringList items{"2", "3", "4", "5"};
    return items;
}

const QStringList& BACnet_Type_Items() {
    static const QStringList items{"BACnet/IP", "BACnet MS/TP"};
    return items;
}

const QStringList& Baudrate_Items() {
    static const QStringList items{"9600", "19200", "38400", "57600", "76800", "115200"};
    return items;
}

const QStringList& Parity_Items() {
    static const QStringList items{"NONE", "ODD", "EVEN"};
    return items;
}

int Get_Master_Address(const QString& text) {
    return text.trimmed().toUpper() == QLatin1String("SECONDARY MASTER") ? 1 : 0;
}

int Get_Retry_Limit(const QString& text) {
    const QString value = text.trimmed().toUpper();
    if (value == u'5')
        return 3;
    if (value == u'4')
        return 2;
    if (value == u'3')
        return 1;
    return 0;
}

QStringList ParGen_Element_Names() {
    QStringList names;
    const ParGen_Record record;
    Visit_ParGen_Elements(record, [&](const std::string& name, const QString&) {
        names << QString::fromStdString(name);
    });
    return names;
}

ParGen_Record Read_ParGen_Texts(pugi::xml_node root, const ParGen_Record& defaults) {
    ParGen_Record record = defaults;
    Visit_ParGen_Elements(record, [&](const std::string& name, QString& text) {
        text = project::Child_Text(root, name.c_str(), text);
    });
    return record;
}

ParGen_Record Normalise_For_Dialog(const ParGen_Record& texts) {
    const ParGen_Record defaults;
    ParGen_Record record = texts;
    for (QString* flag : {&record.Eth_Conn_DHCP_Cable, &record.Eth_Conn_Enable_DNS,
                          &record.HART_Master_Enable_Diagnostic, &record.Ethernet_EN_GAT,
                          &record.BACnet_EN_GAT, &record.BACnet_Desc_Chars_Limit})
        *flag = Flag_Text(*flag);
    record.Eth_Conn_DHCP_WiFi = QStringLiteral("0"); // this model has no Wi-Fi
    record.HART_Master_Address =
        Master_Address_Items()[Get_Master_Address(texts.HART_Master_Address)];
    record.HART_Master_Retry_Limit =
        Retry_Limit_Items()[Get_Retry_Limit(texts.HART_Master_Retry_Limit)];
    record.BACnet_Type = Index_Text(texts.BACnet_Type, BACnet_Type_Items(), defaults.BACnet_Type);
    record.BACnet_Ser_Baudrate =
        Index_Text(texts.BACnet_Ser_Baudrate, Baudrate_Items(), defaults.BACnet_Ser_Baudrate);
    record.BACnet_Ser_Parity =
        Index_Text(texts.BACnet_Ser_Parity, Parity_Items(), defaults.BACnet_Ser_Parity);
    return record;
}

project::Load_Status Load_ParGen_Texts(const QString& path, const ParGen_Record& defaults,
                                       ParGen_Record& texts, QString& error) {
    pugi::xml_document doc;
    const project::Load_Status status = project::Load_Xml_File(path, doc, error);
    if (status == project::Load_Status::Missing)
        texts = defaults;
    else if (status == project::Load_Status::Loaded)
        texts = Read_ParGen_Texts(project::Root_Node(doc), defaults);
    return status;
}

QString Check_Choice_Positions(const ParGen_Record& texts, const QString& path) {
    const auto refuse = [&path](const char* element, const QString& value) {
        return QStringLiteral("%1: %2 \"%3\" is not one of the converter's choices")
            .arg(QDir::toNativeSeparators(path), QLatin1String(element), value);
    };
    const auto outside = [](const QString& text, qint64 count) {
        const std::optional<qint64> position = project::Parse_Decimal(text);
        return position && (*position < 0 || *position >= count);
    };
    if (outside(texts.BACnet_Type, BACnet_Type_Items().size()))
        return refuse("BACnet_Type", texts.BACnet_Type);
    if (outside(texts.BACnet_Ser_Parity, Parity_Items().size()))
        return refuse("BACnet_Ser_Parity", texts.BACnet_Ser_Parity);
    return {};
}

project::Load_Status Load_ParGen(const QString& path, ParGen_Record& record, QString& error) {
    ParGen_Record texts;
    const project::Load_Status status = Load_ParGen_Texts(path, ParGen_Record(), texts, error);
    if (status != project::Load_Status::Failed)
        record = Normalise_For_Dialog(texts);
    return status;
}

QString Save_ParGen(const ParGen_Record& record, const QString& path) {
    ParGen_Record written = record;
    written.Eth_Conn_DHCP_WiFi = QStringLiteral("0");
    pugi::xml_document doc;
    const pugi::xml_node root = project::New_Document(doc, ParGen_Root);
    Visit_ParGen_Elements(written, [&](const std::string& name, const QString& text) {
        project::Add_Text_Child(root, name.c_str(), text);
    });
    return project::Save_Xml_File(doc, path);
}

bool Is_BACnet_MSTP(const ParGen_Record& record) {
    return record.BACnet_Type == u'1';
}

} // namespace comm
