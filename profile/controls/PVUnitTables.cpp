#include "profile/controls/PVUnitTables.h"

#include <iterator>

namespace {

struct CodeText {
    LONG code;
    LPCWSTR text;
};

// Mass units, then volume units, then corrected volume units.
const LPCWSTR kTotalizerUnits[] = {
    L"g",              // 0
    L"kg",             // 1
    L"t",              // 2
    L"oz",             // 3
    L"lb",             // 4
    L"Ston",           // 5
    L"User mass",      // 6
    L"cm3",            // 7
    L"dm3",            // 8
    L"m3",             // 9
    L"ml",             // 10
    L"l",              // 11
    L"hl",             // 12
    L"Ml Mega",        // 13
    L"af",             // 14
    L"cf",             // 15
    L"fl oz (us)",     // 16
    L"gal (us)",       // 17
    L"Mgal (us)",      // 18
    L"bbl (us.liq.)",  // 19
    L"bbl (us.beer)",  // 20
    L"bbl (us.oil)",   // 21
    L"bbl (us.tank)",  // 22
    L"gal (imp)",      // 23
    L"Mgal (imp)",     // 24
    L"bbl (imp.oil)",  // 25
    L"User vol.",      // 26
    L"Nl",             // 27
    L"Nm3",            // 28
    L"Sl",             // 29
    L"Sm3",            // 30
    L"Scf",            // 31
    L"Sgal (us)",      // 32
    L"Sbbl (us.liq.)", // 33
    L"Sgal (imp)",     // 34
};

const CodeText kMassFlowUnits[] = {
    {5124, L"kg/s"},        {5131, L"lb/s"},        {5132, L"lb/min"},        {5133, L"lb/h"},
    {5135, L"g/min"},       {5136, L"kg/h"},        {2089, L"g/d"},           {2090, L"g/h"},
    {2091, L"g/s"},         {2110, L"kg/d"},        {2111, L"kg/min"},        {2157, L"oz/d (US)"},
    {2158, L"oz/h (US)"},   {2159, L"oz/min (US)"}, {2160, L"oz/s (US)"},     {2177, L"lb/d"},
    {2185, L"STon/d"},      {2186, L"STon/h"},      {2187, L"STon/min"},      {2188, L"STon/s"},
    {2220, L"t/d"},         {2221, L"t/h"},         {2222, L"t/min"},         {2223, L"t/s"},
    {2240, L"User mass/d"}, {2241, L"User mass/h"}, {2242, L"User mass/min"}, {2243, L"User mass/s"},
};

const CodeText kVolumeFlowUnits[] = {
    {5122, L"cf/min"},
    {5125, L"m3/s"},
    {5126, L"l/s"},
    {5127, L"ml/s"},
    {5128, L"gal/s (us)"},
    {5129, L"gal/min (us)"},
    {5130, L"gal/h (us)"},
    {5137, L"ml/min"},
    {5138, L"ml/h"},
    {5139, L"l/min"},
    {5140, L"l/h"},
    {2049, L"af/d"},
    {2050, L"af/h"},
    {2051, L"af/min"},
    {2052, L"af/s"},
    {2055, L"bbl/d (us.beer)"},
    {2056, L"bbl/h (us.beer)"},
    {2057, L"bbl/min (us.beer)"},
    {2058, L"bbl/s (us.beer)"},
    {2060, L"bbl/d (us.liq.)"},
    {2061, L"bbl/h (us.liq.)"},
    {2062, L"bbl/min (us.liq.)"},
    {2063, L"bbl/s (us.liq.)"},
    {2064, L"bbl/d (us.oil)"},
    {2065, L"bbl/h (us.oil)"},
    {2066, L"bbl/min (us.oil)"},
    {2067, L"bbl/s (us.oil)"},
    {2069, L"bbl/d (us.tank)"},
    {2070, L"bbl/h (us.tank)"},
    {2071, L"bbl/min (us.tank)"},
    {2072, L"bbl/s (us.tank)"},
    {2074, L"cm3/d"},
    {2075, L"cm3/h"},
    {2076, L"cm3/min"},
    {2077, L"cm3/s"},
    {2079, L"dm3/d"},
    {2080, L"dm3/h"},
    {2081, L"dm3/min"},
    {2082, L"dm3/s"},
    {2084, L"m3/d"},
    {2085, L"m3/h"},
    {2086, L"m3/min"},
    {2087, L"gal/d (us)"},
    {2094, L"hl/d"},
    {2095, L"hl/h"},
    {2096, L"hl/min"},
    {2097, L"hl/s"},
    {2099, L"bbl/d (imp.oil)"},
    {2100, L"bbl/h (imp.oil)"},
    {2101, L"bbl/min (imp.oil)"},
    {2102, L"bbl/s (imp.oil)"},
    {2104, L"gal/d (imp)"},
    {2105, L"gal/h (imp)"},
    {2106, L"gal/min (imp)"},
    {2107, L"gal/s (imp)"},
    {2120, L"l/d"},
    {2122, L"Mgal/d (us)"},
    {2123, L"Mgal/h (us)"},
    {2124, L"Mgal/min (us)"},
    {2125, L"Mgal/s (us)"},
    {2127, L"Mgal/d (imp)"},
    {2128, L"Mgal/h (imp)"},
    {2129, L"Mgal/min (imp)"},
    {2130, L"Mgal/s (imp)"},
    {2132, L"Ml/d"},
    {2133, L"Ml/h"},
    {2134, L"Ml/min"},
    {2135, L"Ml/s"},
    {2143, L"ml/d"},
    {2161, L"fl oz/d (us)"},
    {2162, L"fl oz/h (us)"},
    {2163, L"fl oz/min (us)"},
    {2164, L"fl oz/s (us)"},
    {2246, L"User vol./d"},
    {2247, L"User vol./h"},
    {2248, L"User vol./min"},
    {2249, L"User vol./s"},
    {2252, L"cf/d"},
    {2253, L"cf/h"},
    {2254, L"cf/s"},
};

const CodeText kCorrVolumeFlowUnits[] = {
    {2148, L"Nm3/d"},
    {2149, L"Nm3/h"},
    {2150, L"Nm3/min"},
    {2151, L"Nm3/s"},
    {2153, L"Nl/d"},
    {2154, L"Nl/h"},
    {2155, L"Nl/min"},
    {2156, L"Nl/s"},
    {2190, L"Sgal/d (imp)"},
    {2191, L"Sgal/h (imp)"},
    {2192, L"Sgal/min (imp)"},
    {2193, L"Sgal/s (imp)"},
    {2195, L"Scf/d"},
    {2196, L"Scf/h"},
    {2197, L"Scf/min"},
    {2198, L"Scf/s"},
    {2200, L"Sm3/d"},
    {2201, L"Sm3/h"},
    {2202, L"Sm3/min"},
    {2203, L"Sm3/s"},
    {2211, L"Sbbl/d (us.liq.)"},
    {2212, L"Sbbl/h (us.liq.)"},
    {2213, L"Sbbl/min (us.liq.)"},
    {2214, L"Sbbl/s (us.liq.)"},
    {2216, L"Sgal/m (us)"},
    {2217, L"Sgal/d (us)"},
    {2218, L"Sgal/h (us)"},
    {2219, L"Sgal/s (us)"},
    {2233, L"User vol/d"},
    {2234, L"User vol/h"},
    {2235, L"User vol/min"},
    {2250, L"User vol./s"},
};

constexpr LPCWSTR kBlank = L" ";

template <size_t N> LPCWSTR FindCode(const CodeText (&table)[N], LONG code) {
    for (const CodeText& entry : table)
        if (entry.code == code)
            return entry.text;
    return kBlank;
}

} // namespace

LPCWSTR CPVUnitTables::TotalizerUnitText(LONG index) {
    static_assert(std::size(kTotalizerUnits) == kTotalizerUnitCount);
    if (index < 0 || index >= kTotalizerUnitCount)
        return L"??";
    return kTotalizerUnits[index];
}

LPCWSTR CPVUnitTables::MassFlowUnitText(LONG code) {
    return FindCode(kMassFlowUnits, code);
}

LPCWSTR CPVUnitTables::VolumeFlowUnitText(LONG code) {
    return FindCode(kVolumeFlowUnits, code);
}

LPCWSTR CPVUnitTables::CorrVolumeFlowUnitText(LONG code) {
    return FindCode(kCorrVolumeFlowUnits, code);
}

CPVTotalizerUnitRule CPVUnitTables::TotalizerUnitRule(LONG assignment) {
    switch (assignment) {
    case 1: // volume flow
    case 4:
        return {true, 7, 26, 7, 18};
    case 2: // mass flow
    case 5:
        return {true, 0, 6, 0, 4};
    case 3: // corrected volume flow
        return {true, 27, 34, 27, 30};
    default:
        return {false, 0, kTotalizerUnitCount - 1, 0, 4};
    }
}
