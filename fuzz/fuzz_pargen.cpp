// ParGen.xml: read as the communication dialog shows it, as the project check validates it
// and as the compile takes its texts; a record read by the dialog must save and read back.

#include "comm/pargen_record.h"
#include "comm/pargen_validation.h"
#include "fuzz_support.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString folder = fuzz::Fresh_Folder(QStringLiteral("pargen"));
    const QString path = QDir(folder).filePath(QStringLiteral("ParGen.xml"));
    fuzz::Write_File(path, fuzz::Bytes(data, size));

    comm::ParGen_Record texts;
    QString error;
    if (comm::Load_ParGen_Texts(path, comm::ParGen_Record(), texts, error) ==
        project::Load_Status::Loaded)
        (void)comm::Check_Choice_Positions(texts, path);
    (void)comm::Check_Communication_Settings(folder);

    comm::ParGen_Record shown;
    if (comm::Load_ParGen(path, shown, error) != project::Load_Status::Loaded)
        return 0;
    if (!comm::Save_ParGen(shown, path).isEmpty())
        fuzz::Property_Broken("the record read from the file could not be saved");
    comm::ParGen_Record again;
    if (comm::Load_ParGen(path, again, error) != project::Load_Status::Loaded)
        fuzz::Property_Broken("a saved ParGen.xml cannot be read back");
    return 0;
}
