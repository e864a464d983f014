// The compile: a project folder in (ParGen.xml, HART_Variables.xml and BACnet_Slave.xml,
// separated in the input by fuzz::File_Separator; an empty part is a missing file), the two
// bank files out.

#include "fuzz_support.h"
#include "image/compile_image.h"
#include "image/image_files.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString folder = fuzz::Fresh_Folder(QStringLiteral("compile"));
    const QList<QByteArray> parts = fuzz::Split_Files(fuzz::Bytes(data, size), 3);
    const project::Project_Paths files = project::Project_Paths::In_Folder(folder);
    const QString paths[] = {files.ParGen_File, files.HART_Variables_File, files.BACnet_Slave_File};
    for (int i = 0; i < 3; ++i)
        if (!parts[i].isEmpty())
            fuzz::Write_File(paths[i], parts[i]);

    static auto image = std::make_unique<image::Image_State>();
    if (!image::Compile_Image(files, *image).isEmpty())
        return 0;
    if (!image::Write_Image_Files(*image, folder).isEmpty())
        fuzz::Property_Broken("a compiled image could not be written");
    if (QFileInfo(files.Bank1_File).size() != qint64(image->Bank1_Length) ||
        QFileInfo(files.Bank2_File).size() != qint64(image->Bank2_Length))
        fuzz::Property_Broken("the bank files differ from the compiled lengths");
    return 0;
}
