#pragma once

#include <QList>
#include <QString>

#include <array>
#include <span>

namespace bacnet {

/// @brief One BACnet object type the converter serves: the upper-cased `Data_Type` text that
/// selects it and its number in the standard's BACnetObjectType enumeration.
struct BACnet_Object_Type {
    const char* name;
    int object_type;
};

/// Number of object types the converter knows.
inline constexpr size_t Object_Type_Count = 19;

/// @brief The object types in the order the converter keeps their records: the configuration
/// image groups its objects by type in this order.
std::span<const BACnet_Object_Type> BACnet_Object_Types();

/// @brief The index in BACnet_Object_Types() of the type a `Data_Type` text selects, or -1.
/// The text is upper-cased letter by letter (ASCII only) and compared as it stands: blanks
/// around it match nothing, as in the converter's own tables.
int Object_Type_Index(const QString& data_type);

/// Which of the two access tables a row belongs to.
enum class Access_Table { Read, Write };

/// One object of the access tables: where its row is and which instance of its type it is.
struct Numbered_Object {
    Access_Table table = Access_Table::Read;
    int row = 0;        // position in its table, counting from 0
    int type_index = 0; // index in BACnet_Object_Types()
    int instance = 0;   // 0, 1, 2 ... within its type
};

/// @brief The objects of both tables with their instance numbers.
/// Within each type the instances run 0, 1, 2 ... over the read rows, then the write rows,
/// each in table order; rows whose `Data_Type` selects no type are no object.
struct Object_Numbering {
    QList<Numbered_Object> objects; // read rows, then write rows, in table order
    std::array<int, Object_Type_Count> counts{};

    /// The objects grouped by type in catalogue order, each type in instance order: the
    /// order of the records in the configuration image.
    QList<Numbered_Object> Record_Order() const;
};

Object_Numbering Number_Objects(const QList<QString>& read_types,
                                const QList<QString>& write_types);

/// Objects the converter's image holds: fewer when the names may hold 32 characters.
inline constexpr size_t Image_Object_Capacity(bool long_names) {
    return long_names ? 1023 : 2047;
}

/// @brief The refusal of more objects than the image holds, naming @p file and the count; empty
/// when they fit. The compile and the EDE export both ask it, so an EDE file never lists
/// objects the converter does not serve.
QString Check_Image_Capacity(const QString& file, qsizetype objects, bool long_names);

} // namespace bacnet
