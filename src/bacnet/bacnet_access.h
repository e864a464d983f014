#pragma once

#include "bacnet/bacnet_object_types.h"
#include "project/data_area.h"
#include "project/xml_file.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <bitset>
#include <initializer_list>
#include <optional>

namespace lang {
class String_Table;
}

namespace bacnet {

/// Size of the converter's data area: objects lie within bytes 0 .. Data_Area_Bytes - 1.
inline constexpr int Data_Area_Bytes = project::Data_Area_Size;

/// @brief Rows of each table, and the most objects both tables may hold together: 1000 with
/// 32-character object names (@p desc_lenght), 2000 otherwise.
inline constexpr int Table_Rows(bool desc_lenght) {
    return desc_lenght ? 1000 : 2000;
}

/// One row of an access table, every field the text as it stands in the grid.
/// Swap and SwapWord hold "Y", "N" or the empty text (never set, shown unchecked).
struct BACnet_Access_Row {
    QString Data_Type;
    QString Eng_Unit;
    QString Position;
    QString Bit;
    QString Length;
    QString Swap;
    QString SwapWord;
    QString Mnemonic;

    /// A row is in use when its Data Type, trimmed, is not empty; the first row that is not
    /// in use ends its table.
    bool In_Use() const { return !Data_Type.trimmed().isEmpty(); }

    bool operator==(const BACnet_Access_Row&) const = default;
};

/// The attributes of a `row` element, in the order they are written.
enum Row_Attribute {
    Attr_Data_Type,
    Attr_Eng_Unit,
    Attr_Position,
    Attr_Bit,
    Attr_Length,
    Attr_Swap,
    Attr_SwapWord,
    Attr_Mnemonic,
    Row_Attribute_Count
};

const char* Attribute_Name(Row_Attribute attribute);
/// `BACnet_in_Read` or `BACnet_in_Write`.
const char* Table_Element(Access_Table table);

/// A row as the file holds it: its attribute texts (empty when missing) and which were there.
struct Stored_Row {
    BACnet_Access_Row fields;
    std::bitset<Row_Attribute_Count> present;

    bool Has(Row_Attribute attribute) const { return present.test(attribute); }
    const QString& Text(Row_Attribute attribute) const;
};

/// @brief `BACnet_Slave.xml` as stored: the `row` elements of both tables, by position.
/// The one reader of the file; the dialog, the compile and the EDE export each apply their
/// own rules to what it read.
struct BACnet_Access_File {
    project::Load_Status status = project::Load_Status::Missing;
    QString error; // Failed: file and reason, for the general error box
    QString file;  // the path in native form, for messages
    QList<Stored_Row> read_rows;
    QList<Stored_Row> write_rows;

    const QList<Stored_Row>& Rows(Access_Table table) const {
        return table == Access_Table::Read ? read_rows : write_rows;
    }
    /// The Data_Type texts of one table, in row order.
    QList<QString> Data_Types(Access_Table table) const;
};

/// @brief Reads the file. Missing: no rows. Failed when it cannot be parsed or its root lacks
/// one of the two table elements; the error names the file (and the table).
BACnet_Access_File Read_BACnet_Access_File(const QString& path);

/// "<file>: table <table>, row <row>: attribute <attribute> <what>", @p row counting from 1.
QString Row_Attribute_Error(const QString& file, Access_Table table, int row, const char* attribute,
                            const QString& what);

/// @brief The first row, read table first, that lacks one of @p required, as the error to
/// show; empty when every row has them all.
QString Check_Required_Attributes(const BACnet_Access_File& file,
                                  std::initializer_list<Row_Attribute> required);

/// What the access dialog shows: both tables cut to their row count.
struct BACnet_Access_Load {
    project::Load_Status status = project::Load_Status::Missing;
    QString error;
    std::array<QList<BACnet_Access_Row>, 2> tables; // read, write
    std::array<int, 2> dropped_rows{};              // rows of the file beyond the table
};

/// @brief Loads the tables as the dialog shows them: every row must hold Data_Type, Eng_Unit,
/// Position, Bit, Length and Mnemonic (else Failed, naming file, table, row and attribute);
/// a missing Swap or SwapWord reads "N". At most @p table_rows rows per table are kept.
BACnet_Access_Load Load_BACnet_Access(const QString& path, int table_rows);

/// @brief Writes both tables, each up to its first row not in use, replacing the file
/// atomically. Empty on success, else the message to show.
QString Save_BACnet_Access(const QString& path, const QList<BACnet_Access_Row>& read_rows,
                           const QList<BACnet_Access_Row>& write_rows);

/// @brief The description-length option as the access dialog reads it: true only when
/// `BACnet_Desc_Chars_Limit` of @p par_gen_path holds exactly "1"; false for a missing or
/// unreadable file too.
bool Read_Desc_Lenght(const QString& par_gen_path);

/// @brief Validates both tables, read table first, each up to its first row not in use;
/// then the number of objects of both against Table_Rows(@p desc_lenght).
/// Empty when they may be saved, else the text of the first failure.
QString Check_BACnet_Access(const QList<BACnet_Access_Row>& read_rows,
                            const QList<BACnet_Access_Row>& write_rows, bool desc_lenght,
                            const lang::String_Table& texts);

/// @brief The BACnet part of the project check: empty when `BACnet_Slave.xml` of
/// @p project_folder is missing or passes the dialog's validation, else the message the
/// dialog would show (or the reason it would not open).
QString Check_BACnet_Access_Project(const QString& project_folder);

/// The Data Type choices of a table; stored as they stand, never translated.
const QStringList& Data_Type_Choices(Access_Table table);
/// The Position choices "0" .. "1439".
const QStringList& Position_Choices();
/// The Start Bit choices "0" .. "7".
const QStringList& Start_Bit_Choices();

/// @brief The Length a Data Type choice presets, or nothing. Write table: the type's usual
/// length, always. Read table: "1" for the binary types when the Length is still empty, so
/// that a saved row always compiles.
std::optional<QString> Length_Preset(Access_Table table, const QString& data_type,
                                     const QString& current_length);

} // namespace bacnet
