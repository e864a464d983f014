#include "bacnet/eng_units.h"

#include "project/numbers.h"

#include <array>
#include <limits>
#include <optional>

namespace bacnet {

namespace {

// The standard's names of units 0..236, lower-case and hyphenated; Celsius, Kelvin and
// Fahrenheit keep their capital letter except in units 141 and 236.
constexpr auto Unit_Names = std::to_array<const char*>({
    "square-meters",
    "square-feet",
    "milliamperes",
    "amperes",
    "ohms",
    "volts",
    "kilovolts",
    "megavolts",
    "volt-amperes",
    "kilovolt-amperes",
    "megavolt-amperes",
    "volt-amperes-reactive",
    "kilovolt-amperes-reactive",
    "megavolt-amperes-reactive",
    "degrees-phase",
    "power-factor",
    "joules",
    "kilojoules",
    "watt-hours",
    "kilowatt-hours",
    "btus",
    "therms",
    "ton-hours",
    "joules-per-kilogram-dry-air",
    "btus-per-pound-dry-air",
    "cycles-per-hour",
    "cycles-per-minute",
    "hertz",
    "grams-of-water-per-kilogram-dry-air",
    "percent-relative-humidity",
    "millimeters",
    "meters",
    "inches",
    "feet",
    "watts-per-square-foot",
    "watts-per-square-meter",
    "lumens",
    "luxes",
    "foot-candles",
    "kilograms",
    "pounds-mass",
    "tons",
    "kilograms-per-second",
    "kilograms-per-minute",
    "kilograms-per-hour",
    "pounds-mass-per-minute",
    "pounds-mass-per-hour",
    "watts",
    "kilowatts",
    "megawatts",
    "btus-per-hour",
    "horsepower",
    "tons-refrigeration",
    "pascals",
    "kilopascals",
    "bars",
    "pounds-force-per-square-inch",
    "centimeters-of-water",
    "inches-of-water",
    "millimeters-of-mercury",
    "centimeters-of-mercury",
    "inches-of-mercury",
    "degrees-Celsius",
    "degrees-Kelvin",
    "degrees-Fahrenheit",
    "degree-days-Celsius",
    "degree-days-Fahrenheit",
    "years",
    "months",
    "weeks",
    "days",
    "hours",
    "minutes",
    "seconds",
    "meters-per-second",
    "kilometers-per-hour",
    "feet-per-second",
    "feet-per-minute",
    "miles-per-hour",
    "cubic-feet",
    "cubic-meters",
    "imperial-gallons",
    "liters",
    "us-gallons",
    "cubic-feet-per-minute",
    "cubic-meters-per-second",
    "imperial-gallons-per-minute",
    "liters-per-second",
    "liters-per-minute",
    "us-gallons-per-minute",
    "degrees-angular",
    "degrees-Celsius-per-hour",
    "degrees-Celsius-per-minute",
    "degrees-Fahrenheit-per-hour",
    "degrees-Fahrenheit-per-minute",
    "no-units",
    "parts-per-million",
    "parts-per-billion",
    "percent",
    "percent-per-second",
    "per-minute",
    "per-second",
    "psi-per-degree-Fahrenheit",
    "radians",
    "revolutions-per-minute",
    "currency1",
    "currency2",
    "currency3",
    "currency4",
    "currency5",
    "currency6",
    "currency7",
    "currency8",
    "currency9",
    "currency10",
    "square-inches",
    "square-centimeters",
    "btus-per-pound",
    "centimeters",
    "pounds-mass-per-second",
    "delta-degrees-Fahrenheit",
    "delta-degrees-Kelvin",
    "kilohms",
    "megohms",
    "millivolts",
    "kilojoules-per-kilogram",
    "megajoules",
    "joules-per-degree-Kelvin",
    "joules-per-kilogram-degree-Kelvin",
    "kilohertz",
    "megahertz",
    "per-hour",
    "milliwatts",
    "hectopascals",
    "millibars",
    "cubic-meters-per-hour",
    "liters-per-hour",
    "kilowatt-hours-per-square-meter",
    "kilowatt-hours-per-square-foot",
    "megajoules-per-square-meter",
    "megajoules-per-square-foot",
    "watts-per-square-meter-degree-kelvin",
    "cubic-feet-per-second",
    "percent-obscuration-per-foot",
    "percent-obscuration-per-meter",
    "milliohms",
    "megawatt-hours",
    "kilo-btus",
    "mega-btus",
    "kilojoules-per-kilogram-dry-air",
    "megajoules-per-kilogram-dry-air",
    "kilojoules-per-degree-Kelvin",
    "megajoules-per-degree-Kelvin",
    "newton",
    "grams-per-second",
    "grams-per-minute",
    "tons-per-hour",
    "kilo-btus-per-hour",
    "hundredths-seconds",
    "milliseconds",
    "newton-meters",
    "millimeters-per-second",
    "millimeters-per-minute",
    "meters-per-minute",
    "meters-per-hour",
    "cubic-meters-per-minute",
    "meters-per-second-per-second",
    "amperes-per-meter",
    "amperes-per-square-meter",
    "ampere-square-meters",
    "farads",
    "henrys",
    "ohm-meters",
    "siemens",
    "siemens-per-meter",
    "teslas",
    "volts-per-degree-Kelvin",
    "volts-per-meter",
    "webers",
    "candelas",
    "candelas-per-square-meter",
    "degrees-Kelvin-per-hour",
    "degrees-Kelvin-per-minute",
    "joule-seconds",
    "radians-per-second",
    "square-meters-per-Newton",
    "kilograms-per-cubic-meter",
    "newton-seconds",
    "newtons-per-meter",
    "watts-per-meter-per-degree-Kelvin",
    "micro-siemens",
    "cubic-feet-per-hour",
    "us-gallons-per-hour",
    "kilometers",
    "micrometers",
    "grams",
    "milligrams",
    "milliliters",
    "milliliters-per-second",
    "decibels",
    "decibels-millivolt",
    "decibels-volt",
    "millisiemens",
    "watt-hours-reactive",
    "kilowatt-hours-reactive",
    "megawatt-hours-reactive",
    "millimeters-of-water",
    "per-mille",
    "grams-per-gram",
    "kilograms-per-kilogram",
    "grams-per-kilogram",
    "milligrams-per-gram",
    "milligrams-per-kilogram",
    "grams-per-milliliter",
    "grams-per-liter",
    "milligrams-per-liter",
    "micrograms-per-liter",
    "grams-per-cubic-meter",
    "milligrams-per-cubic-meter",
    "micrograms-per-cubic-meter",
    "nanograms-per-cubic-meter",
    "grams-per-cubic-centimeter",
    "becquerels",
    "kilobecquerels",
    "megabecquerels",
    "gray",
    "milligray",
    "microgray",
    "sieverts",
    "millisieverts",
    "microsieverts",
    "microsieverts-per-hour",
    "decibels-a",
    "nephelometric-turbidity-unit",
    "ph",
    "grams-per-square-meter",
    "minutes-per-degree-kelvin",
});
static_assert(Unit_Names.size() == Unit_Catalogue_Size);

constexpr auto Acceleration = std::to_array<int>({166});
constexpr auto Area = std::to_array<int>({0, 116, 1, 115});
constexpr auto Currency = std::to_array<int>({105, 106, 107, 108, 109, 110, 111, 112, 113, 114});
constexpr auto Electrical = std::to_array<int>(
    {2,   3,   167, 168, 169, 199, 200, 201, 170, 171, 4,  172, 145, 122, 123, 190, 202, 173,
     174, 175, 5,   124, 6,   7,   8,   9,   10,  11,  12, 13,  176, 177, 14,  15,  178});
constexpr auto Energy =
    std::to_array<int>({16, 17, 125, 126, 18, 19, 146, 203, 204, 205, 20, 147, 148, 21, 22});
constexpr auto Enthalpy = std::to_array<int>({23, 149, 150, 24, 117});
constexpr auto Entropy = std::to_array<int>({127, 151, 152, 128});
constexpr auto Force = std::to_array<int>({153});
constexpr auto Frequency = std::to_array<int>({25, 26, 27, 129, 130, 131});
constexpr auto Humidity = std::to_array<int>({28, 29});
constexpr auto Length = std::to_array<int>({194, 30, 118, 193, 31, 32, 33});
constexpr auto Light = std::to_array<int>({179, 180, 34, 35, 36, 37, 38});
constexpr auto Mass = std::to_array<int>({196, 195, 39, 40, 41});
constexpr auto Mass_Flow = std::to_array<int>({154, 155, 42, 43, 44, 119, 45, 46, 156});
constexpr auto Power = std::to_array<int>({132, 47, 48, 49, 50, 157, 51, 52});
constexpr auto Pressure = std::to_array<int>({53, 133, 54, 134, 55, 56, 206, 57, 58, 59, 60, 61});
constexpr auto Temperature = std::to_array<int>({62, 63, 181, 182, 64, 65, 66, 120, 121});
constexpr auto Time = std::to_array<int>({67, 68, 69, 70, 71, 72, 73, 158, 159});
constexpr auto Torque = std::to_array<int>({160});
constexpr auto Velocity = std::to_array<int>({161, 162, 74, 163, 164, 75, 76, 77, 78});
constexpr auto Volume = std::to_array<int>({79, 80, 81, 197, 82, 83});
constexpr auto Volumetric_Flow =
    std::to_array<int>({142, 84, 191, 85, 165, 135, 86, 198, 87, 88, 136, 89, 192});
constexpr auto Other =
    std::to_array<int>({90,  91,  92,  93,  94,  183, 186, 137, 138, 139, 140, 95,  187, 188, 96,
                        97,  98,  143, 144, 99,  100, 101, 102, 103, 184, 104, 185, 189, 141, 207,
                        208, 209, 210, 211, 212, 213, 214, 215, 216, 217, 218, 219, 220, 221, 222,
                        223, 224, 225, 226, 227, 228, 229, 230, 231, 232, 233, 234, 235, 236});

constexpr auto Categories = std::to_array<Unit_Category>({
    {"Acceleration", Acceleration},
    {"Area", Area},
    {"Currency", Currency},
    {"Electrical", Electrical},
    {"Energy", Energy},
    {"Enthalpy", Enthalpy},
    {"Entropy", Entropy},
    {"Force", Force},
    {"Frequency", Frequency},
    {"Humidity", Humidity},
    {"Length", Length},
    {"Light", Light},
    {"Mass", Mass},
    {"Mass Flow", Mass_Flow},
    {"Power", Power},
    {"Pressure", Pressure},
    {"Temperature", Temperature},
    {"Time", Time},
    {"Torque", Torque},
    {"Velocity", Velocity},
    {"Volume", Volume},
    {"Volumetric Flow", Volumetric_Flow},
    {"Other", Other},
});

} // namespace

QString Desc_Unit(int number) {
    if (number < 0 || number >= Unit_Catalogue_Size)
        return QStringLiteral("unknown");
    return QString::fromLatin1(Unit_Names[static_cast<size_t>(number)]);
}

std::span<const Unit_Category> Unit_Categories() {
    return Categories;
}

int Unit_Number(const QString& text) {
    const std::optional<qint64> value = project::Parse_Decimal(text);
    if (!value || *value < 0 || *value > std::numeric_limits<int>::max())
        return -1;
    return static_cast<int>(*value);
}

} // namespace bacnet
