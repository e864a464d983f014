#include "hart/hart_reference.h"

#include "project/numbers.h"
#include "project/xml_file.h"

#include <array>
#include <climits>

namespace hart {

namespace {

constexpr int First_Slot_Code = 242;
constexpr auto Slot_Names = std::to_array<const char16_t*>({
    u"Battery Voltage",     // 242
    u"Battery life",        // 243
    u"Percent Range",       // 244
    u"Loop Current",        // 245
    u"Primary Variable",    // 246
    u"Secondary Variable",  // 247
    u"Tertiary Variable",   // 248
    u"Quaternary Variable", // 249
    u"Not Used",            // 250
});

constexpr int First_Named_Class = 64;
constexpr auto Class_Names = std::to_array<const char16_t*>({
    u"Temperature",                            // 64
    u"Pressure",                               // 65
    u"Volumetric Flow",                        // 66
    u"Velocity",                               // 67
    u"Volume",                                 // 68
    u"Length",                                 // 69
    u"Time",                                   // 70
    u"Mass",                                   // 71
    u"Mass Flow",                              // 72
    u"Mass Per Volume",                        // 73
    u"Viscosity",                              // 74
    u"Angular Velocity",                       // 75
    u"Area",                                   // 76
    u"Energy (Work)",                          // 77
    u"Force",                                  // 78
    u"Power",                                  // 79
    u"Frequency",                              // 80
    u"Analytical",                             // 81
    u"Capacitance",                            // 82
    u"Electromotive Force/Electric Potential", // 83
    u"Current",                                // 84
    u"Resistance",                             // 85
    u"Angle",                                  // 86
    u"Conductance",                            // 87
    u"Volume Per Volume",                      // 88
    u"Volume Per Mass",                        // 89
    u"Concentration",                          // 90
    u"Reserved",                               // 91
    u"Reserved",                               // 92
    u"Reserved",                               // 93
    u"Reserved",                               // 94
    u"Reserved",                               // 95
    u"Acceleration",                           // 96
    u"Turbidity",                              // 97
    u"Temperature Difference",                 // 98
    u"Volumetric Gas Flow (per Second)",       // 99
    u"Volumetric Gas Flow (per Minute)",       // 100
    u"Volumetric Gas Flow (per Hour)",         // 101
    u"Volumetric Gas Flow (per Day)",          // 102
    u"Volumetric Liquid Flow (per Second)",    // 103
    u"Volumetric Liquid Flow (per Minute)",    // 104
    u"Volumetric Liquid Flow (per Hour)",      // 105
    u"Volumetric Liquid Flow (per Day)",       // 106
    u"Thermal Expansion",                      // 107
    u"Volumetric Energy Density",              // 108
    u"Mass Energy Density",                    // 109
    u"Torque",                                 // 110
    u"Miscellaneous",                          // 111
});

constexpr int First_Unit_Code = 1;
constexpr auto Unit_Names = std::to_array<const char16_t*>({
    u"inH2O (inches of water at 68 °F / 20 °C)",           // 1
    u"inHg (inches of mercury at 0 °C)",                   // 2
    u"ftH2O (feet of water at 68 °F / 20 °C)",             // 3
    u"mmH2O (millimeters of water at 68 °F / 20 °C)",      // 4
    u"mmHg (millimeters of mercury at 0 °C)",              // 5
    u"psi (pounds per square inch)",                       // 6
    u"bar (bars)",                                         // 7
    u"mbar (millibars)",                                   // 8
    u"g/cm² (grams per square centimeter)",                // 9
    u"kg/cm² (kilograms per square centimeter)",           // 10
    u"Pa (pascals)",                                       // 11
    u"kPa (kilopascals)",                                  // 12
    u"Torr (torr)",                                        // 13
    u"at (atmospheres)",                                   // 14
    u"ft³/min (cubic feet per minute)",                    // 15
    u"gal/min (gallons per minute)",                       // 16
    u"l/min (liters per minute)",                          // 17
    u"gal (UK)/min (imperial gallons per minute)",         // 18
    u"m³/h (cubic meter per hour)",                        // 19
    u"ft/s (feet per second)",                             // 20
    u"m/s (meters per second)",                            // 21
    u"gal/s (gallons per second)",                         // 22
    u"Mgal/d (million gallons per day)",                   // 23
    u"l/s (liters per second)",                            // 24
    u"Ml/d (million liters per day)",                      // 25
    u"ft³/s (cubic feet per second)",                      // 26
    u"ft³/d (cubic feet per day)",                         // 27
    u"m³/s (cubic meters per second)",                     // 28
    u"m³/d (cubic meters per day)",                        // 29
    u"gal (UK)/h (imperial gallons per hour)",             // 30
    u"gal (UK)/d (imperial gallons per day)",              // 31
    u"°C (degrees Celsius)",                               // 32
    u"°F (degrees Fahrenheit)",                            // 33
    u"°R (degrees Rankine)",                               // 34
    u"K (kelvin)",                                         // 35
    u"mV (millivolts)",                                    // 36
    u"Ω (ohms)",                                           // 37
    u"Hk (hertz)",                                         // 38
    u"mA (milliamperes)",                                  // 39
    u"gal (gallons)",                                      // 40
    u"l (liters)",                                         // 41
    u"gal (UK) (imperial gallons)",                        // 42
    u"m³ (cubic meters)",                                  // 43
    u"fl (feet)",                                          // 44
    u"m (meters)",                                         // 45
    u"bbl (barrels)",                                      // 46
    u"in (inches)",                                        // 47
    u"cm (centimeters)",                                   // 48
    u"mm (millimeters)",                                   // 49
    u"min (minutes)",                                      // 50
    u"s (seconds)",                                        // 51
    u"h (hours)",                                          // 52
    u"d (days)",                                           // 53
    u"cSt (centistokes)",                                  // 54
    u"cP (centipoise)",                                    // 55
    u"µS (microsiemens)",                                  // 56
    u"% (percent)",                                        // 57
    u"V (volts)",                                          // 58
    u"pH (potential of Hydrogen [acidity or alkalinity])", // 59
    u"g (grams)",                                          // 60
    u"kg (kilograms)",                                     // 61
    u"t (metric tons)",                                    // 62
    u"lb (pounds)",                                        // 63
    u"ton (short tons)",                                   // 64
    u"ton (UK) (long tons)",                               // 65
    u"mS/cm (milli siemens per centimeter)",               // 66
    u"µS/cm (micro siemens per centimeter)",               // 67
    u"N (Newton)",                                         // 68
    u"J (joule)",                                          // 69
    u"g/s (grams per second)",                             // 70
    u"g/min (grams per minute)",                           // 71
    u"g/h (grams per hour)",                               // 72
    u"kg/s (kilograms per second)",                        // 73
    u"kg/min (kilograms per minute)",                      // 74
    u"kg/h (kilograms per hour)",                          // 75
    u"kg/d (kilograms per day)",                           // 76
    u"t/min (metric tons per minute)",                     // 77
    u"t/h (metric tons per hour)",                         // 78
    u"t/d (metric tons per day)",                          // 79
    u"lb/s (pounds per second)",                           // 80
    u"lb/min (pounds per minute)",                         // 81
    u"lb/h (pounds per hour)",                             // 82
    u"lb/d (pounds per day)",                              // 83
    u"ton/min (short tons per minute)",                    // 84
    u"ton/h (short tons per hour)",                        // 85
    u"ton/d (short tons per day)",                         // 86
    u"ton (UK)/h (long tons per hour)",                    // 87
    u"ton (UK)/d (long tons per hour)",                    // 88
    u"DTH (dekatherm)",                                    // 89
    u"SG (specific gravity units)",                        // 90
    u"g/cm³ (grams per cubic centimeter)",                 // 91
    u"kg/m³ (kilograms per cubic meter)",                  // 92
    u"lb/gal (pounds per gallon)",                         // 93
    u"lb/ft³ (pounds per cubic foot)",                     // 94
    u"g/ml (grams per milliliter)",                        // 95
    u"kg/l (kilograms per liter)",                         // 96
    u"g/l (grams per liter)",                              // 97
    u"lb/in³ (pounds per cubic inch)",                     // 98
    u"ton/yd³ (short tons per cubic yard)",                // 99
    u"°Tw (degrees twaddell)",                             // 100
    u"°Bx (degrees brix)",                                 // 101
    u"B° (degrees baume heavy)",                           // 102
    u"B° (light) (degrees baume light)",                   // 103
    u"Degrees API (degrees API)",                          // 104
    u"% (percent solids per weight)",                      // 105
    u"% (percent solids per volume)",                      // 106
    u"°Bg (degrees balling)",                              // 107
    u"proof/vol (proof per volume)",                       // 108
    u"proof/mass (proof per mass)",                        // 109
    u"bu (bushels)",                                       // 110
    u"yd³ (cubic yards)",                                  // 111
    u"ft³ (cubic feet)",                                   // 112
    u"in³ (cubic inches)",                                 // 113
    u"in/s (inches per second)",                           // 114
    u"in/min (inches per minute)",                         // 115
    u"ft/min (feet per minute)",                           // 116
    u"°/s (degrees per second)",                           // 117
    u"rps (revolutions per second)",                       // 118
    u"rpm (revolutions per minute)",                       // 119
    u"m/h (meters per hour)",                              // 120
    u"Nm³/h (normal cubic meters per hour)",               // 121
    u"Nl/h (normal liter per hour)",                       // 122
    u"SCF/min (standard cubic feet per minute)",           // 123
    u"bbl (US) (bbl liq)",                                 // 124
    u"oz (ounce)",                                         // 125
    u"lbf (foot-pound force)",                             // 126
    u"kW (kilowatt)",                                      // 127
    u"kWh (kilowatt hour)",                                // 128
    u"hp (horsepower)",                                    // 129
    u"ft³/h (cubic feet per hour)",                        // 130
    u"m³/min (cubic meters per minute)",                   // 131
    u"bbl/s (barrels per second)",                         // 132
    u"bbl/min (barrels per minute)",                       // 133
    u"bbl/h (barrels per hour)",                           // 134
    u"bbl/d (barrels per day)",                            // 135
    u"gal/h (gallons per hour)",                           // 136
    u"gal (UK)/s (imperial gallons per second)",           // 137
    u"l/h (liter per hour)",                               // 138
    u"ppm (parts per million)",                            // 139
    u"Mcal(th)/h (megacalorie per hour)",                  // 140
    u"MJ/h (megajoule per hour)",                          // 141
    u"Btu/h (british thermal unit per hour)",              // 142
    u"° (degrees)",                                        // 143
    u"rad (radian)",                                       // 144
    u"inH2O (60 °F) (inches of waterat 60 °F)",            // 145
    u"µg/l (micrograms per liter)",                        // 146
    u"µg/m³ (micrograms per cubic meter)",                 // 147
    u"% (percent consistency)",                            // 148
    u"vol% (volume percent)",                              // 149
    u"% (percent steam quality)",                          // 150
    u"fl-16 (feet in sixteenths)",                         // 151
    u"fl³/lb (cubic feet per pound)",                      // 152
    u"pF (picofarads)",                                    // 153
    u"ml/l (milliliters per liter)",                       // 154
    u"µl/l (microliters per liter)",                       // 155
    u"dB (Decibel)",                                       // 156
});

QString From_Table(const char16_t* text) {
    return QString::fromUtf16(text);
}

} // namespace

Slot_Name_Result Slot_Name(quint8 code) {
    const int index = code - First_Slot_Code;
    if (index >= 0 && index < static_cast<int>(Slot_Names.size()))
        return {From_Table(Slot_Names[index]), true};
    return {QString::number(code), false};
}

int Slot_Code(const QString& name) {
    for (size_t i = 0; i < Slot_Names.size(); ++i)
        if (name == From_Table(Slot_Names[i]))
            return First_Slot_Code + static_cast<int>(i);
    const qint64 value = project::Parse_Decimal(name).value_or(0);
    return value >= INT_MIN && value <= INT_MAX ? static_cast<int>(value) : 0;
}

QString Classification_Name(quint8 code) {
    if (code == 0)
        return QStringLiteral("Device Variable Not Classified");
    if (code < First_Named_Class)
        return QStringLiteral("Reserved");
    const int index = code - First_Named_Class;
    if (index < static_cast<int>(Class_Names.size()))
        return From_Table(Class_Names[index]);
    return QString::number(code);
}

QString Unit_Name(quint8 code) {
    const int index = code - First_Unit_Code;
    if (index >= 0 && index < static_cast<int>(Unit_Names.size()))
        return From_Table(Unit_Names[index]);
    return QString::number(code);
}

} // namespace hart
