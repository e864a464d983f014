#include "project/xml_file.h"

#include "project/numbers.h"
#include "project/save_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sstream>

namespace project {

namespace {

// pugixml reports a byte offset; users want line and column.
void Line_And_Column(const QByteArray& bytes, std::ptrdiff_t offset, int& line, int& column) {
    line = 1;
    column = 1;
    const qsizetype end = std::min<qsizetype>(offset, bytes.size());
    for (qsizetype i = 0; i < end; ++i) {
        if (bytes[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
}

} // namespace

Load_Status Parse_Xml(const QByteArray& bytes, const QString& source_name, pugi::xml_document& doc,
                      QString& error) {
    doc.reset();
    // A field whose text is only blanks is still a value typed by the user: keep it.
    const pugi::xml_parse_result result =
        doc.load_buffer(bytes.constData(), static_cast<size_t>(bytes.size()),
                        pugi::parse_default | pugi::parse_comments | pugi::parse_ws_pcdata_single);
    if (result)
        return Load_Status::Loaded;
    int line = 0;
    int column = 0;
    Line_And_Column(bytes, result.offset, line, column);
    error = QStringLiteral("%1: line %2, column %3: %4")
                .arg(source_name)
                .arg(line)
                .arg(column)
                .arg(QString::fromUtf8(result.description()));
    doc.reset();
    return Load_Status::Failed;
}

Load_Status Load_Xml_File(const QString& path, pugi::xml_document& doc, QString& error) {
    doc.reset();
    const QFileInfo info(path);
    if (!info.exists())
        return Load_Status::Missing;
    QFile file(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: %2").arg(shown, file.errorString());
        return Load_Status::Failed;
    }
    return Parse_Xml(file.readAll(), shown, doc, error);
}

pugi::xml_node Root_Node(const pugi::xml_document& doc) {
    return doc.document_element();
}

pugi::xml_node Child(pugi::xml_node parent, const char* name) {
    return parent ? parent.child(name) : pugi::xml_node();
}

QString To_QString(const char* utf8) {
    return QString::fromUtf8(utf8);
}

std::string To_Utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

QString Child_Text(pugi::xml_node parent, const char* name, const QString& fallback) {
    const pugi::xml_node node = Child(parent, name);
    if (!node)
        return fallback;
    return To_QString(node.child_value());
}

qint64 Child_Int(pugi::xml_node parent, const char* name, qint64 fallback) {
    const pugi::xml_node node = Child(parent, name);
    if (!node)
        return fallback;
    return Parse_Decimal(To_QString(node.child_value())).value_or(fallback);
}

bool Child_Flag(pugi::xml_node parent, const char* name) {
    const pugi::xml_node node = Child(parent, name);
    return node && std::string_view(node.child_value()) == "1";
}

std::optional<QString> Attr(pugi::xml_node row, const char* name) {
    const pugi::xml_attribute attribute = row.attribute(name);
    if (!attribute)
        return std::nullopt;
    return To_QString(attribute.value());
}

QString Attr_Text(pugi::xml_node row, const char* name, const QString& fallback) {
    return Attr(row, name).value_or(fallback);
}

pugi::xml_node New_Document(pugi::xml_document& doc, const char* root_name) {
    doc.reset();
    pugi::xml_node root = doc.append_child(root_name);
    doc.append_child(pugi::node_comment).set_value(SW_Version_Comment);
    return root;
}

void Add_Text_Child(pugi::xml_node parent, const char* name, const QString& text) {
    parent.append_child(name).text().set(To_Utf8(text).c_str());
}

void Set_Attr(pugi::xml_node row, const char* name, const QString& text) {
    row.append_attribute(name).set_value(To_Utf8(text).c_str());
}

QByteArray Serialise_Xml(const pugi::xml_document& doc) {
    std::ostringstream out;
    doc.save(out, "  ", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
    const std::string text = out.str();
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

QString Save_Xml_File(const pugi::xml_document& doc, const QString& path) {
    return Save_File_Atomically(path, Serialise_Xml(doc));
}

} // namespace project
