#include "project/xml_file.h"

#include "project/numbers.h"
#include "project/save_file.h"
#include "project/xml_encoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdlib>
#include <cstring>
#include <new>
#include <sstream>

namespace project {

namespace {

// Every document the program parses is built from one allocator, so that a parse can be given
// a budget: a file of millions of empty rows then fails as "too large" instead of taking
// gigabytes or ending the program.
struct Parse_Budget {
    bool active = false;
    size_t remaining = 0;
};
thread_local Parse_Budget Budget;

void* Budget_Allocate(size_t size) {
    if (Budget.active) {
        if (size > Budget.remaining)
            return nullptr;
        Budget.remaining -= size;
    }
    return std::malloc(size);
}

void Budget_Free(void* block) {
    std::free(block);
}

void Install_Budget_Allocator() {
    static const bool installed = [] {
        pugi::set_memory_management_functions(Budget_Allocate, Budget_Free);
        return true;
    }();
    (void)installed;
}

class Budget_Scope {
public:
    explicit Budget_Scope(size_t bytes) { Budget = {true, bytes}; }
    ~Budget_Scope() { Budget = {}; }
    Budget_Scope(const Budget_Scope&) = delete;
    Budget_Scope& operator=(const Budget_Scope&) = delete;
};

QString Megabytes(qint64 bytes) {
    if (bytes < 1024 * 1024)
        return QStringLiteral("%1 KB").arg(bytes / 1024);
    return QStringLiteral("%1 MB").arg(bytes / (1024 * 1024));
}

QString Out_Of_Memory(const QString& source_name) {
    return QStringLiteral("%1: not enough memory to read the file").arg(source_name);
}

// Whatever the parser accepts although XML does not: a second root element, text beside it.
QString Document_Level_Fault(const pugi::xml_document& doc, const QByteArray& utf8) {
    const auto at = [&](pugi::xml_node node, const QString& what) {
        return QStringLiteral("%1: %2").arg(Utf8_Position(utf8, node.offset_debug() - 1), what);
    };
    int elements = 0;
    for (const pugi::xml_node node : doc.children()) {
        if (node.type() == pugi::node_element && ++elements > 1)
            return at(node, QStringLiteral("a second root element <%1>; a file has only one")
                                .arg(To_QString(node.name())));
        const bool text = node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
        if (text && !QByteArray(node.value()).trimmed().isEmpty())
            return at(node, QStringLiteral("text outside the root element"));
    }
    if (elements == 0)
        return QStringLiteral("%1: No document element found")
            .arg(Utf8_Position(utf8, utf8.size()));
    return {};
}

Load_Status Parse_Utf8(const QByteArray& utf8, const QString& source_name, pugi::xml_document& doc,
                       QString& error, size_t budget) {
    Install_Budget_Allocator();
    const auto size = static_cast<size_t>(utf8.size());
    void* buffer = pugi::get_memory_allocation_function()(size + 1); // never 0 bytes
    if (!buffer) {
        error = Out_Of_Memory(source_name);
        return Load_Status::Failed;
    }
    std::memcpy(buffer, utf8.constData(), size);
    pugi::xml_parse_result result;
    {
        const Budget_Scope scope(budget);
        // A field whose text is only blanks is still a value typed by the user: keep it. As a
        // fragment, the parser keeps what stands beside the root, which is then refused.
        result =
            doc.load_buffer_inplace_own(buffer, size,
                                        pugi::parse_default | pugi::parse_comments |
                                            pugi::parse_ws_pcdata_single | pugi::parse_fragment,
                                        pugi::encoding_utf8);
    }
    if (result.status == pugi::status_out_of_memory) {
        error = QStringLiteral("%1: the document needs more than %2 of memory; a project file "
                               "never does")
                    .arg(source_name, Megabytes(static_cast<qint64>(budget)));
        return Load_Status::Failed;
    }
    if (!result) {
        error = QStringLiteral("%1: %2: %3")
                    .arg(source_name, Utf8_Position(utf8, result.offset),
                         QString::fromUtf8(result.description()));
        return Load_Status::Failed;
    }
    const QString fault = Document_Level_Fault(doc, utf8);
    if (!fault.isEmpty()) {
        error = QStringLiteral("%1: %2").arg(source_name, fault);
        return Load_Status::Failed;
    }
    return Load_Status::Loaded;
}

Load_Status Parse_Checked(const QByteArray& bytes, const QString& source_name,
                          pugi::xml_document& doc, QString& error, const Xml_Limits& limits) {
    if (bytes.size() > limits.Max_File_Bytes) {
        error = QStringLiteral("%1: the file is larger than %2; a project file never is")
                    .arg(source_name, Megabytes(limits.Max_File_Bytes));
        return Load_Status::Failed;
    }
    const Xml_Text text = Decode_Xml_Bytes(bytes);
    QString fault = text.error.isEmpty() ? Check_Xml_Characters(text.utf8) : text.error;
    if (!fault.isEmpty()) {
        error = QStringLiteral("%1: %2").arg(source_name, fault);
        return Load_Status::Failed;
    }
    return Parse_Utf8(text.utf8, source_name, doc, error, limits.Max_Document_Bytes);
}

// Reads at most the limit; a device or a pipe named like a project file is never read.
QString Read_File(const QString& path, qint64 limit, QByteArray& bytes) {
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists())
        return QStringLiteral("the file is a link to %1, which does not exist")
            .arg(QDir::toNativeSeparators(info.symLinkTarget()));
    if (!info.isFile())
        return QStringLiteral("not a regular file");
    if (info.size() > limit)
        return QStringLiteral("the file is larger than %1; a project file never is")
            .arg(Megabytes(limit));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    // The size may change while reading: stop one byte past the limit whatever happens.
    bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    if (bytes.size() > limit)
        return QStringLiteral("the file is larger than %1; a project file never is")
            .arg(Megabytes(limit));
    return {};
}

} // namespace

Load_Status Parse_Xml(const QByteArray& bytes, const QString& source_name, pugi::xml_document& doc,
                      QString& error, const Xml_Limits& limits) {
    doc.reset();
    try {
        const Load_Status status = Parse_Checked(bytes, source_name, doc, error, limits);
        if (status != Load_Status::Loaded)
            doc.reset();
        return status;
    } catch (const std::bad_alloc&) {
        doc.reset();
        error = Out_Of_Memory(source_name);
        return Load_Status::Failed;
    }
}

Load_Status Load_Xml_File(const QString& path, pugi::xml_document& doc, QString& error,
                          const Xml_Limits& limits) {
    doc.reset();
    const QFileInfo info(path);
    // A link that points nowhere is a broken file, not a missing one.
    if (!info.exists() && !info.isSymLink())
        return Load_Status::Missing;
    const QString shown = QDir::toNativeSeparators(path);
    try {
        QByteArray bytes;
        const QString reason = Read_File(path, limits.Max_File_Bytes, bytes);
        if (!reason.isEmpty()) {
            error = QStringLiteral("%1: %2").arg(shown, reason);
            return Load_Status::Failed;
        }
        return Parse_Xml(bytes, shown, doc, error, limits);
    } catch (const std::bad_alloc&) {
        error = Out_Of_Memory(shown);
        return Load_Status::Failed;
    }
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

QString Element_Text(pugi::xml_node element) {
    std::string text;
    for (const pugi::xml_node piece : element.children())
        if (piece.type() == pugi::node_pcdata || piece.type() == pugi::node_cdata)
            text += piece.value();
    return QString::fromStdString(text);
}

QString Child_Text(pugi::xml_node parent, const char* name, const QString& fallback) {
    const pugi::xml_node node = Child(parent, name);
    if (!node)
        return fallback;
    return Element_Text(node);
}

qint64 Child_Int(pugi::xml_node parent, const char* name, qint64 fallback) {
    const pugi::xml_node node = Child(parent, name);
    if (!node)
        return fallback;
    return Parse_Decimal(Element_Text(node)).value_or(fallback);
}

bool Child_Flag(pugi::xml_node parent, const char* name) {
    const pugi::xml_node node = Child(parent, name);
    return node && Element_Text(node) == QLatin1String("1");
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
