#include "lang/default_strings.h"

#include <array>

namespace lang {

namespace {

// Identifiers missing here hold a single blank.
constexpr auto Texts = std::to_array<Default_String>({
    // Main window
    {0, "Begin"},
    {1, "Step 1"},
    {2, "Step 2"},
    {3, "Step 3"},
    {4, "Step 4"},
    {5, "Step 5"},
    {6, "Step 6"},
    {7, "Step 7"},
    {8, "Step 8"},
    {9, "None Configuration Opened "},
    {10, "Use Step1 to open or create new configuration"},
    {11, "Opened Configuration of the Converter : "},
    {12, "Information"},
    {13, "Options"},
    {14, "Close Configurator"},
    {15, "New Configuration"},
    {16, "Open Configuration"},
    {17, "Update Device UDP"},
    {18, "Error! Project not Valid"},
    {19, "New Version Available. Click Here for more Details"},
    {20, "Set Communication"},
    {22, "Create a new configuration for the device"},
    {23, "Open an exists configuration"},
    {24, "Set the main parameters of Protocols"},
    {26, "Update the actual Firmware and/or Configuration in the device"},
    {27, "HART Variables"},
    {28, "Set The HART Variables Access"},
    // New configuration
    {100, "Create New Configuration"},
    {101, "Create New Configuration"},
    {102, "Name of the new Configuration"},
    {103, "OK"},
    {104, "Cancel"},
    {105, "Error! Name project is not valid"},
    {106, "Error! Name project is not valid because directory already exists"},
    {107, "Error! Name Project is not valid"},
    {108, "Insert here the name of new configuration"},
    {109, "Confirm the Name of new Configuration"},
    {110, "Cancel the New Configuration"},
    // Open configuration
    {200, "Open Configuration"},
    {201, "Open an Existing Configuration"},
    {202, "List of Avaliable Configurations"},
    {203, "OK"},
    {204, "Cancel"},
    {205, "Select from this list the configuration to open"},
    {206, "Open the Selected Configuration"},
    {207, "Cancel open of Configuration"},
});

constexpr bool Strictly_Ascending() {
    for (size_t i = 1; i < Texts.size(); ++i)
        if (Texts[i - 1].id >= Texts[i].id)
            return false;
    return true;
}
static_assert(Strictly_Ascending(), "default texts must be listed once each, in identifier order");
static_assert(Texts.back().id < 2900, "identifiers end at 2899");

} // namespace

std::span<const Default_String> Default_Strings() {
    return Texts;
}

} // namespace lang
