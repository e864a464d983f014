#include "bacnet/bacnet_object_types.h"

#include <algorithm>

namespace bacnet {

namespace {

constexpr auto Types = std::to_array<BACnet_Object_Type>({
    {"ANALOG INPUT", 0},
    {"ANALOG OUT", 1},
    {"BINARY INPUT", 3},
    {"BINARY OUT", 4},
    {"LARGE ANALOG VALUE", 46},
    {"DATETIME VALUE", 44},
    {"POSITIVE INTEGER VALUE", 48},
    {"CHARACTERSTRING VALUE", 40},
    {"INTEGER VALUE", 45},
    {"MULTI STATE INPUT", 13},
    {"MULTI STATE OUTPUT", 14},
    {"MULTI STATE VALUE", 19},
    {"ANALOG VALUE", 2},
    {"BINARY VALUE", 5},
    {"LIFE SAFETY POINT", 21},
    {"LIFE SAFETY ZONE", 22},
    {"ACCESS DOOR", 30},
    {"ACCUMULATOR", 23},
    {"OCTET STRING", 47},
});
static_assert(Types.size() == Object_Type_Count);

bool Same_Type_Name(const QString& data_type, const char* name) {
    qsizetype i = 0;
    for (; i < data_type.size() && name[i]; ++i) {
        char16_t c = data_type[i].unicode();
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
        if (c != static_cast<unsigned char>(name[i]))
            return false;
    }
    return i == data_type.size() && name[i] == '\0';
}

void Number_Table(const QList<QString>& types, Access_Table table, Object_Numbering& numbering) {
    for (qsizetype row = 0; row < types.size(); ++row) {
        const int index = Object_Type_Index(types[row]);
        if (index < 0)
            continue;
        int& count = numbering.counts[static_cast<size_t>(index)];
        numbering.objects.append({table, static_cast<int>(row), index, count++});
    }
}

} // namespace

std::span<const BACnet_Object_Type> BACnet_Object_Types() {
    return Types;
}

int Object_Type_Index(const QString& data_type) {
    for (size_t i = 0; i < Types.size(); ++i)
        if (Same_Type_Name(data_type, Types[i].name))
            return static_cast<int>(i);
    return -1;
}

QList<Numbered_Object> Object_Numbering::Record_Order() const {
    QList<Numbered_Object> ordered = objects;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const Numbered_Object& a, const Numbered_Object& b) {
                         return a.type_index < b.type_index;
                     });
    return ordered;
}

Object_Numbering Number_Objects(const QList<QString>& read_types,
                                const QList<QString>& write_types) {
    Object_Numbering numbering;
    Number_Table(read_types, Access_Table::Read, numbering);
    Number_Table(write_types, Access_Table::Write, numbering);
    return numbering;
}

QString Check_Image_Capacity(const QString& file, qsizetype objects, bool long_names) {
    const size_t capacity = Image_Object_Capacity(long_names);
    if (static_cast<size_t>(objects) <= capacity)
        return {};
    return QStringLiteral("%1: %2 BACnet objects, the converter takes at most %3 %4")
        .arg(file)
        .arg(objects)
        .arg(capacity)
        .arg(long_names ? QStringLiteral("with 32-character descriptions")
                        : QStringLiteral("with 16-character descriptions"));
}

} // namespace bacnet
