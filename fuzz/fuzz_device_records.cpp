// Device records as the converter keeps them (1000 bytes each, any content, the first byte of
// the input giving the device count the converter claims), decoded for the scan result grid
// and imported into the HART table as the HART variables dialog does.

#include "fuzz_support.h"
#include "hart/scan_import.h"
#include "hart/scan_records.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const int claimed = int(int8_t(data[0])); // negative and above 100 included
    QList<hart::Device_Record> records;
    for (size_t at = 1; at < size; at += hart::Device_Record_Size) {
        hart::Device_Record record{};
        std::copy_n(data + at, std::min<size_t>(hart::Device_Record_Size, size - at),
                    record.begin());
        records << record;
    }
    const QList<hart::Scan_Variable> variables = hart::Decode_Scan_Records(records, claimed);
    for (const hart::Scan_Variable& variable : variables)
        if (variable.Device_Address.size() != 12 || variable.Device_Name.size() != 32)
            fuzz::Property_Broken("a listed variable has a malformed address or name");

    QList<hart::HART_Variable_Row> rows(hart::HART_Variables_Rows);
    const hart::Scan_Import_Result result = hart::Import_Scan_Variables(rows, variables);
    if (rows.size() != hart::HART_Variables_Rows ||
        result.imported + result.not_imported != variables.size())
        fuzz::Property_Broken("the import lost variables or grew the table");
    return 0;
}
