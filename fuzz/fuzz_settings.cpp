// Quillon.xml: the program's settings file as the start-up reads it, then saved and read
// again as the main window does when it closes and the next run starts.

#include "app/settings.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    app::Session_State state;
    state.Exe_Folder = fuzz::Fresh_Folder(QStringLiteral("settings"));
    fuzz::Write_File(app::Settings_File(state), fuzz::Bytes(data, size));
    const bool readable = app::Load_Settings(state).isEmpty();
    if (!app::Save_Setting(state).isEmpty())
        fuzz::Property_Broken("the settings could not be saved");
    if (readable && !app::Load_Settings(state).isEmpty())
        fuzz::Property_Broken("saved settings cannot be read back");
    return 0;
}
