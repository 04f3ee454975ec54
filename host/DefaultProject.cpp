#include "host/DefaultProject.h"

#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

using Json = nlohmann::ordered_json;

namespace {

using Entries = std::vector<std::pair<int, const char*>>;

// The flow units carry the codes the device reports and the texts the profile's
// unit label shows for them.
const Entries kMassFlowUnits = {
    {5124, "kg/s"},        {5131, "lb/s"},        {5132, "lb/min"},        {5133, "lb/h"},
    {5135, "g/min"},       {5136, "kg/h"},        {2089, "g/d"},           {2090, "g/h"},
    {2091, "g/s"},         {2110, "kg/d"},        {2111, "kg/min"},        {2157, "oz/d (US)"},
    {2158, "oz/h (US)"},   {2159, "oz/min (US)"}, {2160, "oz/s (US)"},     {2177, "lb/d"},
    {2185, "STon/d"},      {2186, "STon/h"},      {2187, "STon/min"},      {2188, "STon/s"},
    {2220, "t/d"},         {2221, "t/h"},         {2222, "t/min"},         {2223, "t/s"},
    {2240, "User mass/d"}, {2241, "User mass/h"}, {2242, "User mass/min"}, {2243, "User mass/s"}};

const Entries kVolumeFlowUnits = {{5122, "cf/min"},
                                  {5125, "m3/s"},
                                  {5126, "l/s"},
                                  {5127, "ml/s"},
                                  {5128, "gal/s (us)"},
                                  {5129, "gal/min (us)"},
                                  {5130, "gal/h (us)"},
                                  {5137, "ml/min"},
                                  {5138, "ml/h"},
                                  {5139, "l/min"},
                                  {5140, "l/h"},
                                  {2049, "af/d"},
                                  {2050, "af/h"},
                                  {2051, "af/min"},
                                  {2052, "af/s"},
                                  {2055, "bbl/d (us.beer)"},
                                  {2056, "bbl/h (us.beer)"},
                                  {2057, "bbl/min (us.beer)"},
                                  {2058, "bbl/s (us.beer)"},
                                  {2060, "bbl/d (us.liq.)"},
                                  {2061, "bbl/h (us.liq.)"},
                                  {2062, "bbl/min (us.liq.)"},
                                  {2063, "bbl/s (us.liq.)"},
                                  {2064, "bbl/d (us.oil)"},
                                  {2065, "bbl/h (us.oil)"},
                                  {2066, "bbl/min (us.oil)"},
                                  {2067, "bbl/s (us.oil)"},
                                  {2069, "bbl/d (us.tank)"},
                                  {2070, "bbl/h (us.tank)"},
                                  {2071, "bbl/min (us.tank)"},
                                  {2072, "bbl/s (us.tank)"},
                                  {2074, "cm3/d"},
                                  {2075, "cm3/h"},
                                  {2076, "cm3/min"},
                                  {2077, "cm3/s"},
                                  {2079, "dm3/d"},
                                  {2080, "dm3/h"},
                                  {2081, "dm3/min"},
                                  {2082, "dm3/s"},
                                  {2084, "m3/d"},
                                  {2085, "m3/h"},
                                  {2086, "m3/min"},
                                  {2087, "gal/d (us)"},
                                  {2094, "hl/d"},
                                  {2095, "hl/h"},
                                  {2096, "hl/min"},
                                  {2097, "hl/s"},
                                  {2099, "bbl/d (imp.oil)"},
                                  {2100, "bbl/h (imp.oil)"},
                                  {2101, "bbl/min (imp.oil)"},
                                  {2102, "bbl/s (imp.oil)"},
                                  {2104, "gal/d (imp)"},
                                  {2105, "gal/h (imp)"},
                                  {2106, "gal/min (imp)"},
                                  {2107, "gal/s (imp)"},
                                  {2120, "l/d"},
                                  {2122, "Mgal/d (us)"},
                                  {2123, "Mgal/h (us)"},
                                  {2124, "Mgal/min (us)"},
                                  {2125, "Mgal/s (us)"},
                                  {2127, "Mgal/d (imp)"},
                                  {2128, "Mgal/h (imp)"},
                                  {2129, "Mgal/min (imp)"},
                                  {2130, "Mgal/s (imp)"},
                                  {2132, "Ml/d"},
                                  {2133, "Ml/h"},
                                  {2134, "Ml/min"},
                                  {2135, "Ml/s"},
                                  {2143, "ml/d"},
                                  {2161, "fl oz/d (us)"},
                                  {2162, "fl oz/h (us)"},
                                  {2163, "fl oz/min (us)"},
                                  {2164, "fl oz/s (us)"},
                                  {2246, "User vol./d"},
                                  {2247, "User vol./h"},
                                  {2248, "User vol./min"},
                                  {2249, "User vol./s"},
                                  {2252, "cf/d"},
                                  {2253, "cf/h"},
                                  {2254, "cf/s"}};

const Entries kCorrVolumeFlowUnits = {{2148, "Nm3/d"},
                                      {2149, "Nm3/h"},
                                      {2150, "Nm3/min"},
                                      {2151, "Nm3/s"},
                                      {2153, "Nl/d"},
                                      {2154, "Nl/h"},
                                      {2155, "Nl/min"},
                                      {2156, "Nl/s"},
                                      {2190, "Sgal/d (imp)"},
                                      {2191, "Sgal/h (imp)"},
                                      {2192, "Sgal/min (imp)"},
                                      {2193, "Sgal/s (imp)"},
                                      {2195, "Scf/d"},
                                      {2196, "Scf/h"},
                                      {2197, "Scf/min"},
                                      {2198, "Scf/s"},
                                      {2200, "Sm3/d"},
                                      {2201, "Sm3/h"},
                                      {2202, "Sm3/min"},
                                      {2203, "Sm3/s"},
                                      {2211, "Sbbl/d (us.liq.)"},
                                      {2212, "Sbbl/h (us.liq.)"},
                                      {2213, "Sbbl/min (us.liq.)"},
                                      {2214, "Sbbl/s (us.liq.)"},
                                      {2216, "Sgal/m (us)"},
                                      {2217, "Sgal/d (us)"},
                                      {2218, "Sgal/h (us)"},
                                      {2219, "Sgal/s (us)"},
                                      {2233, "User vol/d"},
                                      {2234, "User vol/h"},
                                      {2235, "User vol/min"},
                                      {2250, "User vol./s"}};

const Entries kDensityUnits = {{12040, "g/cm3"},
                               {2088, "g/m3"},
                               {2109, "kg/dm3"},
                               {12048, "kg/l"},
                               {12039, "kg/m3"},
                               {2204, "SD4°C"},
                               {2277, "SD15°C"},
                               {2230, "SD20°C"},
                               {2228, "SG4°C"},
                               {2226, "SG15°C"},
                               {2227, "SG20°C"},
                               {12044, "lb/ft3"},
                               {12043, "lb/gal (us)"},
                               {2174, "lb/bbl (us;liq.)"},
                               {2173, "lb/bbl (us;beer)"},
                               {2175, "lb/bbl (us;oil)"},
                               {2176, "lb/bbl (us;tank)"},
                               {2180, "lb/bbl (imp)"},
                               {2179, "lb/gal (imp;oil)"}};

// Totalized quantities: the index is the code, as the totalizer's unit list counts
// mass units, then volume units, then corrected volume units.
const char* const kTotalizerUnits[] = {"g",
                                       "kg",
                                       "t",
                                       "oz",
                                       "lb",
                                       "Ston",
                                       "User mass",
                                       "cm3",
                                       "dm3",
                                       "m3",
                                       "ml",
                                       "l",
                                       "hl",
                                       "Ml Mega",
                                       "af",
                                       "cf",
                                       "fl oz (us)",
                                       "gal (us)",
                                       "Mgal (us)",
                                       "bbl (us.liq.)",
                                       "bbl (us.beer)",
                                       "bbl (us.oil)",
                                       "bbl (us.tank)",
                                       "gal (imp)",
                                       "Mgal (imp)",
                                       "bbl (imp.oil)",
                                       "User vol.",
                                       "Nl",
                                       "Nm3",
                                       "Sl",
                                       "Sm3",
                                       "Scf",
                                       "Sgal (us)",
                                       "Sbbl (us.liq.)",
                                       "Sgal (imp)"};

const Entries kMassUnits = {{1088, "kg"}, {1089, "g"},    {1092, "t"},        {1094, "lb"},
                            {1093, "oz"}, {1095, "Ston"}, {1636, "User mass"}};
const Entries kVolumeUnits = {
    {1034, "m3"}, {1038, "l"},         {1036, "cm3"},      {1035, "dm3"},       {1041, "hl"},
    {1040, "ml"}, {1517, "Ml Mega"},   {1048, "gal (us)"}, {1049, "Mgal (us)"}, {1051, "bbl (us.liq.)"},
    {1043, "cf"}, {1052, "gal (imp)"}, {1637, "User vol."}};
const Entries kConductivityUnits = {{1552, "S/m"}, {1553, "mS/cm"}, {1554, "µS/cm"}, {1555, "µS/m"}};
const Entries kTemperatureUnits = {{1001, "°C"}, {1000, "K"}, {1002, "°F"}, {1003, "°R"}};

const Entries kOffOn = {{0, "Off"}, {1, "On"}};
const Entries kTotalizerAssign = {{0, "Off"},
                                  {1, "Volume flow"},
                                  {2, "Mass flow"},
                                  {3, "Corrected volume flow"},
                                  {4, "Target volume flow"},
                                  {5, "Target mass flow"}};
const Entries kTotalizerOpMode = {
    {0, "Net flow total"}, {1, "Forward flow total"}, {2, "Reverse flow total"}};
const Entries kTotalizerControl = {{0, "Totalize"},         {1, "Reset + hold"},      {2, "Preset + hold"},
                                   {3, "Reset + totalize"}, {4, "Preset + totalize"}, {5, "Hold"}};
const Entries kFailSafe = {{0, "Stop"}, {1, "Actual value"}, {2, "Last valid value"}};
const Entries kLowFlowAssign = {
    {0, "Off"}, {1, "Mass flow"}, {2, "Volume flow"}, {3, "Corrected volume flow"}};
const Entries kEmptyPipeAssign = {{0, "Off"},
                                  {1, "Empty pipe detection"},
                                  {2, "Empty pipe detection with adjustment"},
                                  {3, "Conductivity only"}};
const Entries kEmptyPipeAdjust = {{0, "Cancel"}, {1, "Empty pipe adjustment"}, {2, "Full pipe adjustment"}};
const Entries kDensityMode = {{0, "Fixed value"}, {1, "External value"}};
const Entries kTemperatureMode = {{0, "Off"}, {1, "External value"}};
const Entries kFilterMode = {{0, "Standard"}, {1, "Dynamic"}, {2, "Binomial"}};
const Entries kDirection = {{0, "Forward flow"}, {1, "Reverse flow"}};
const Entries kDiagnosticBehavior = {{0, "Off"}, {1, "Alarm"}, {2, "Warning"}, {3, "Logbook entry only"}};
const Entries kProcessValues = {
    {0, "None"},          {1, "Volume flow"},  {2, "Mass flow"},    {3, "Corrected volume flow"},
    {4, "Flow velocity"}, {5, "Conductivity"}, {6, "Temperature"},  {7, "Electronics temperature"},
    {8, "Totalizer 1"},   {9, "Totalizer 2"},  {10, "Totalizer 3"}, {11, "Diagnostic status"}};

Json EnumMember(const std::string& name, const Entries& entries, int value) {
    Json list = Json::array();
    for (const auto& [code, text] : entries)
        list.push_back({{"value", code}, {"text", text}});
    return {{"name", name},
            {"type", "DINT"},
            {"enum", list},
            {"default", entries.front().first},
            {"value", value}};
}

Json RealMember(const std::string& name, double min, double max, double value) {
    return {{"name", name}, {"type", "REAL"},   {"min", min},
            {"max", max},   {"default", value}, {"value", value}};
}

Json TotalizerUnitMember(int n, int unit) {
    Entries entries;
    for (int i = 0; i < static_cast<int>(std::size(kTotalizerUnits)); ++i)
        entries.push_back({i, kTotalizerUnits[i]});
    Json member = EnumMember("Totalizer" + std::to_string(n) + "_Unit", entries, unit);
    member["default"] = 9; // m3
    return member;
}

// A healthy flowmeter with both verification option bits and three stored reports,
// the newest first; the second found a fault in check 4.
Json DeviceSection() {
    const auto report = [](const char* id, int count, const char* date, const char* time, int failingCheck) {
        Json checks = Json::array();
        for (int check = 1; check <= 10; ++check)
            checks.push_back(check == failingCheck ? 275 : 809);
        return Json{{"customer", "Riverside Water Works"},
                    {"location", "Pump station 3 outlet"},
                    {"deviceTag", "FT-301"},
                    {"serialNumber", "T100A7K2190"},
                    {"orderCode", "T100-EIP-DN80-A1"},
                    {"sensorSerial", "S80B3316025"},
                    {"softwareVersion", "01.04.02"},
                    {"date", date},
                    {"time", time},
                    {"reference1", 0.9987},
                    {"reference2", 1.0021},
                    {"verificationId", id},
                    {"verifiedBy", "Service tool"},
                    {"count", count},
                    {"checks", checks}};
    };
    Json device;
    device["identity"] = {{"productName", "Tavrin 100 EtherNet/IP"}, {"serialNumber", "T100A7K2190"},
                          {"orderCode", "T100-EIP-DN80-A1"},         {"sensorSerial", "S80B3316025"},
                          {"softwareVersion", "01.04.02"},           {"deviceTag", "FT-301"}};
    device["optionWord"] = 0xC003;
    device["accessLevels"] = {{"service", 0x8128}, {"fieldbus", 0x80F6}};
    device["customer"] = "Riverside Water Works";
    device["location"] = "Pump station 3 outlet";
    device["verification"] = {
        {"durationMs", 60000}, {"reference1", 0.9987}, {"reference2", 1.0021}, {"verifiedBy", "EtherNet/IP"}};
    device["reports"] = {report("VER-00003", 3, "12-Dec-2023", "09:41:00", 0),
                         report("VER-00002", 2, "04-Jul-2023", "14:02:00", 4),
                         report("VER-00001", 1, "15-Jan-2023", "10:30:00", 0)};
    return device;
}

} // namespace

std::string CDefaultProject::Json() {
    ::Json members = ::Json::array();
    members.push_back(EnumMember("SystemUnitMassFlow", kMassFlowUnits, 5136));
    members.push_back(EnumMember("SystemUnitVolumeFlow", kVolumeFlowUnits, 2085));
    members.push_back(EnumMember("SystemUnitCorrVolumeFlow", kCorrVolumeFlowUnits, 2149));
    members.push_back(EnumMember("SystemUnitMass", kMassUnits, 1088));
    members.push_back(EnumMember("SystemUnitVolume", kVolumeUnits, 1034));
    members.push_back(EnumMember("SystemUnitConductivity", kConductivityUnits, 1554));
    members.push_back(EnumMember("SystemUnitDensity", kDensityUnits, 12039));
    members.push_back(EnumMember("SystemUnitTemperature", kTemperatureUnits, 1001));

    // Totalizers 1 and 2 count mass in kg, 3 is off (its unit list holds every unit).
    const int assign[] = {2, 2, 0};
    const int unit[] = {1, 1, 4};
    for (int n = 1; n <= 3; ++n) {
        const std::string prefix = "Totalizer" + std::to_string(n) + "_";
        members.push_back(EnumMember(prefix + "Assign", kTotalizerAssign, assign[n - 1]));
        members.push_back(TotalizerUnitMember(n, unit[n - 1]));
        members.push_back(EnumMember(prefix + "OpMode", kTotalizerOpMode, 0));
        members.push_back(EnumMember(prefix + "Control", kTotalizerControl, 0));
        members.push_back(RealMember(prefix + "Preset", -9999.99, 9999.99, 0.0));
        members.push_back(EnumMember(prefix + "FailSafeMode", kFailSafe, 0));
    }

    // The fixed density of water, in the density unit (kg/m3), used while the density
    // source is the fixed value.
    members.push_back(EnumMember("ExternalCompensationDensityMode", kDensityMode, 0));
    members.push_back(EnumMember("ExternalCompensationTemperatureMode", kTemperatureMode, 0));
    members.push_back(RealMember("ExternalCompensationFixedDensity", 0.0, 99999.0, 1000.0));

    // The cut-off on volume flow: switched on at 0.5 in the flow unit, off again at 50 %
    // of that; no pressure shock suppression (seconds).
    members.push_back(EnumMember("LowFlowCutOffAssignLowFlow", kLowFlowAssign, 2));
    members.push_back(RealMember("LowFlowCutOffLowFlowCutOnVal", 0.0, 999999.0, 0.5));
    members.push_back(RealMember("LowFlowCutOffLowFlowCutOffVal", 0.0, 100.0, 50.0));
    members.push_back(RealMember("LowFlowCutOffPressureShockSuppr", 0.0, 100.0, 0.0));

    // Response time in seconds and maximum in percent; both boxes hold four characters.
    members.push_back(EnumMember("EmptyFilledPipeAssign", kEmptyPipeAssign, 1));
    members.push_back(EnumMember("EmptyPipeDetectionNewAdjust", kEmptyPipeAdjust, 0));
    members.push_back(RealMember("EmptyFilledPipeResponseTime", 0.5, 10.0, 1.0));
    members.push_back(RealMember("EmptyFilledPipeMaxium", 0.0, 99.9, 50.0));

    // Flow damping as a step count (0 to 15), conductivity damping in seconds.
    members.push_back(EnumMember("ProcessFlowOverride", kOffOn, 0));
    members.push_back(EnumMember("SystemFilterMode", kFilterMode, 1));
    members.push_back(
        {{"name", "SystemDamping"}, {"type", "DINT"}, {"min", 0}, {"max", 15}, {"default", 7}, {"value", 7}});
    members.push_back(RealMember("ProcessConductivityDamping", 0.0, 999.9, 0.0));

    members.push_back(EnumMember("SensorInstalledDirection", kDirection, 0));

    // The input assembly starts with the usual process values; the other slots are empty.
    const int slotDefaults[] = {1, 2, 3, 8, 9, 10, 6};
    for (int slot = 1; slot <= 20; ++slot) {
        const int value = slot <= static_cast<int>(std::size(slotDefaults)) ? slotDefaults[slot - 1] : 0;
        members.push_back(EnumMember("ConfigurableInputAsm_" + std::to_string(slot), kProcessValues, value));
    }

    members.push_back({{"name", "STD_AccessCode"},
                       {"type", "DINT"},
                       {"min", 0},
                       {"max", 9999},
                       {"default", 0},
                       {"value", 0}});
    members.push_back(EnumMember("EIP_SWWriteProtection", kOffOn, 0));
    members.push_back(RealMember("DiagnosticHandlingAlarmDelay", 0.0, 60.0, 0.0));
    for (const char* event : {"832", "833", "834", "835", "862", "531", "937", "302"})
        members.push_back(EnumMember(std::string("DiagnosticBehaviorAssign") + event, kDiagnosticBehavior,
                                     event[0] == '5' ? 1 : 2));

    ::Json project;
    project["format"] = "pvhost-project";
    project["version"] = 1;
    project["controller"] = {{"mode", 0},       {"redundancyState", 0},
                             {"safety", false}, {"moduleStateFlag", false},
                             {"locale", 1033},  {"logixVersion", 32}};
    project["configTag"] = {
        {"name", "Local:1:C"}, {"suffix", "C"}, {"forcesEnabled", false}, {"members", members}};
    project["subItems"] = "<PageSet><Page Id=\"1\"/><Page Id=\"2\"/></PageSet>";
    project["device"] = DeviceSection();
    return project.dump(2) + "\n";
}
