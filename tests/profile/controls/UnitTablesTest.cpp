// The unit tables the labels and the totalizer unit list use, checked entry by entry
// against the listed units, against codes that are not listed, and against the units
// the host's default project offers.
#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <string>

#include "host/HostProject.h"
#include "profile/controls/PVUnitTables.h"

namespace {

struct IndexText {
    LONG index;
    const wchar_t* text;
};

const IndexText kListedTotalizerUnits[] = {
    {0, L"g"},
    {1, L"kg"},
    {2, L"t"},
    {3, L"oz"},
    {4, L"lb"},
    {5, L"Ston"},
    {6, L"User mass"},
    {7, L"cm3"},
    {8, L"dm3"},
    {9, L"m3"},
    {10, L"ml"},
    {11, L"l"},
    {12, L"hl"},
    {13, L"Ml Mega"},
    {14, L"af"},
    {15, L"cf"},
    {16, L"fl oz (us)"},
    {17, L"gal (us)"},
    {18, L"Mgal (us)"},
    {19, L"bbl (us.liq.)"},
    {20, L"bbl (us.beer)"},
    {21, L"bbl (us.oil)"},
    {22, L"bbl (us.tank)"},
    {23, L"gal (imp)"},
    {24, L"Mgal (imp)"},
    {25, L"bbl (imp.oil)"},
    {26, L"User vol."},
    {27, L"Nl"},
    {28, L"Nm3"},
    {29, L"Sl"},
    {30, L"Sm3"},
    {31, L"Scf"},
    {32, L"Sgal (us)"},
    {33, L"Sbbl (us.liq.)"},
    {34, L"Sgal (imp)"},
};

enum class Flow { Mass, Volume, CorrVolume };

struct FlowCodeText {
    Flow flow;
    LONG code;
    const wchar_t* text;
};

const FlowCodeText kListedFlowUnits[] = {
    // Mass flow (selection 1)
    {Flow::Mass, 5124, L"kg/s"},
    {Flow::Mass, 5131, L"lb/s"},
    {Flow::Mass, 5132, L"lb/min"},
    {Flow::Mass, 5133, L"lb/h"},
    {Flow::Mass, 5135, L"g/min"},
    {Flow::Mass, 5136, L"kg/h"},
    {Flow::Mass, 2089, L"g/d"},
    {Flow::Mass, 2090, L"g/h"},
    {Flow::Mass, 2091, L"g/s"},
    {Flow::Mass, 2110, L"kg/d"},
    {Flow::Mass, 2111, L"kg/min"},
    {Flow::Mass, 2157, L"oz/d (US)"},
    {Flow::Mass, 2158, L"oz/h (US)"},
    {Flow::Mass, 2159, L"oz/min (US)"},
    {Flow::Mass, 2160, L"oz/s (US)"},
    {Flow::Mass, 2177, L"lb/d"},
    {Flow::Mass, 2185, L"STon/d"},
    {Flow::Mass, 2186, L"STon/h"},
    {Flow::Mass, 2187, L"STon/min"},
    {Flow::Mass, 2188, L"STon/s"},
    {Flow::Mass, 2220, L"t/d"},
    {Flow::Mass, 2221, L"t/h"},
    {Flow::Mass, 2222, L"t/min"},
    {Flow::Mass, 2223, L"t/s"},
    {Flow::Mass, 2240, L"User mass/d"},
    {Flow::Mass, 2241, L"User mass/h"},
    {Flow::Mass, 2242, L"User mass/min"},
    {Flow::Mass, 2243, L"User mass/s"},
    // Volume flow (selection 2)
    {Flow::Volume, 5122, L"cf/min"},
    {Flow::Volume, 5125, L"m3/s"},
    {Flow::Volume, 5126, L"l/s"},
    {Flow::Volume, 5127, L"ml/s"},
    {Flow::Volume, 5128, L"gal/s (us)"},
    {Flow::Volume, 5129, L"gal/min (us)"},
    {Flow::Volume, 5130, L"gal/h (us)"},
    {Flow::Volume, 5137, L"ml/min"},
    {Flow::Volume, 5138, L"ml/h"},
    {Flow::Volume, 5139, L"l/min"},
    {Flow::Volume, 5140, L"l/h"},
    {Flow::Volume, 2049, L"af/d"},
    {Flow::Volume, 2050, L"af/h"},
    {Flow::Volume, 2051, L"af/min"},
    {Flow::Volume, 2052, L"af/s"},
    {Flow::Volume, 2055, L"bbl/d (us.beer)"},
    {Flow::Volume, 2056, L"bbl/h (us.beer)"},
    {Flow::Volume, 2057, L"bbl/min (us.beer)"},
    {Flow::Volume, 2058, L"bbl/s (us.beer)"},
    {Flow::Volume, 2060, L"bbl/d (us.liq.)"},
    {Flow::Volume, 2061, L"bbl/h (us.liq.)"},
    {Flow::Volume, 2062, L"bbl/min (us.liq.)"},
    {Flow::Volume, 2063, L"bbl/s (us.liq.)"},
    {Flow::Volume, 2064, L"bbl/d (us.oil)"},
    {Flow::Volume, 2065, L"bbl/h (us.oil)"},
    {Flow::Volume, 2066, L"bbl/min (us.oil)"},
    {Flow::Volume, 2067, L"bbl/s (us.oil)"},
    {Flow::Volume, 2069, L"bbl/d (us.tank)"},
    {Flow::Volume, 2070, L"bbl/h (us.tank)"},
    {Flow::Volume, 2071, L"bbl/min (us.tank)"},
    {Flow::Volume, 2072, L"bbl/s (us.tank)"},
    {Flow::Volume, 2074, L"cm3/d"},
    {Flow::Volume, 2075, L"cm3/h"},
    {Flow::Volume, 2076, L"cm3/min"},
    {Flow::Volume, 2077, L"cm3/s"},
    {Flow::Volume, 2079, L"dm3/d"},
    {Flow::Volume, 2080, L"dm3/h"},
    {Flow::Volume, 2081, L"dm3/min"},
    {Flow::Volume, 2082, L"dm3/s"},
    {Flow::Volume, 2084, L"m3/d"},
    {Flow::Volume, 2085, L"m3/h"},
    {Flow::Volume, 2086, L"m3/min"},
    {Flow::Volume, 2087, L"gal/d (us)"},
    {Flow::Volume, 2094, L"hl/d"},
    {Flow::Volume, 2095, L"hl/h"},
    {Flow::Volume, 2096, L"hl/min"},
    {Flow::Volume, 2097, L"hl/s"},
    {Flow::Volume, 2099, L"bbl/d (imp.oil)"},
    {Flow::Volume, 2100, L"bbl/h (imp.oil)"},
    {Flow::Volume, 2101, L"bbl/min (imp.oil)"},
    {Flow::Volume, 2102, L"bbl/s (imp.oil)"},
    {Flow::Volume, 2104, L"gal/d (imp)"},
    {Flow::Volume, 2105, L"gal/h (imp)"},
    {Flow::Volume, 2106, L"gal/min (imp)"},
    {Flow::Volume, 2107, L"gal/s (imp)"},
    {Flow::Volume, 2120, L"l/d"},
    {Flow::Volume, 2122, L"Mgal/d (us)"},
    {Flow::Volume, 2123, L"Mgal/h (us)"},
    {Flow::Volume, 2124, L"Mgal/min (us)"},
    {Flow::Volume, 2125, L"Mgal/s (us)"},
    {Flow::Volume, 2127, L"Mgal/d (imp)"},
    {Flow::Volume, 2128, L"Mgal/h (imp)"},
    {Flow::Volume, 2129, L"Mgal/min (imp)"},
    {Flow::Volume, 2130, L"Mgal/s (imp)"},
    {Flow::Volume, 2132, L"Ml/d"},
    {Flow::Volume, 2133, L"Ml/h"},
    {Flow::Volume, 2134, L"Ml/min"},
    {Flow::Volume, 2135, L"Ml/s"},
    {Flow::Volume, 2143, L"ml/d"},
    {Flow::Volume, 2161, L"fl oz/d (us)"},
    {Flow::Volume, 2162, L"fl oz/h (us)"},
    {Flow::Volume, 2163, L"fl oz/min (us)"},
    {Flow::Volume, 2164, L"fl oz/s (us)"},
    {Flow::Volume, 2246, L"User vol./d"},
    {Flow::Volume, 2247, L"User vol./h"},
    {Flow::Volume, 2248, L"User vol./min"},
    {Flow::Volume, 2249, L"User vol./s"},
    {Flow::Volume, 2252, L"cf/d"},
    {Flow::Volume, 2253, L"cf/h"},
    {Flow::Volume, 2254, L"cf/s"},
    // Corrected volume flow (selection 3)
    {Flow::CorrVolume, 2148, L"Nm3/d"},
    {Flow::CorrVolume, 2149, L"Nm3/h"},
    {Flow::CorrVolume, 2150, L"Nm3/min"},
    {Flow::CorrVolume, 2151, L"Nm3/s"},
    {Flow::CorrVolume, 2153, L"Nl/d"},
    {Flow::CorrVolume, 2154, L"Nl/h"},
    {Flow::CorrVolume, 2155, L"Nl/min"},
    {Flow::CorrVolume, 2156, L"Nl/s"},
    {Flow::CorrVolume, 2190, L"Sgal/d (imp)"},
    {Flow::CorrVolume, 2191, L"Sgal/h (imp)"},
    {Flow::CorrVolume, 2192, L"Sgal/min (imp)"},
    {Flow::CorrVolume, 2193, L"Sgal/s (imp)"},
    {Flow::CorrVolume, 2195, L"Scf/d"},
    {Flow::CorrVolume, 2196, L"Scf/h"},
    {Flow::CorrVolume, 2197, L"Scf/min"},
    {Flow::CorrVolume, 2198, L"Scf/s"},
    {Flow::CorrVolume, 2200, L"Sm3/d"},
    {Flow::CorrVolume, 2201, L"Sm3/h"},
    {Flow::CorrVolume, 2202, L"Sm3/min"},
    {Flow::CorrVolume, 2203, L"Sm3/s"},
    {Flow::CorrVolume, 2211, L"Sbbl/d (us.liq.)"},
    {Flow::CorrVolume, 2212, L"Sbbl/h (us.liq.)"},
    {Flow::CorrVolume, 2213, L"Sbbl/min (us.liq.)"},
    {Flow::CorrVolume, 2214, L"Sbbl/s (us.liq.)"},
    {Flow::CorrVolume, 2216, L"Sgal/m (us)"},
    {Flow::CorrVolume, 2217, L"Sgal/d (us)"},
    {Flow::CorrVolume, 2218, L"Sgal/h (us)"},
    {Flow::CorrVolume, 2219, L"Sgal/s (us)"},
    {Flow::CorrVolume, 2233, L"User vol/d"},
    {Flow::CorrVolume, 2234, L"User vol/h"},
    {Flow::CorrVolume, 2235, L"User vol/min"},
    {Flow::CorrVolume, 2250, L"User vol./s"},
};

std::wstring FlowText(Flow flow, LONG code) {
    switch (flow) {
    case Flow::Mass:
        return CPVUnitTables::MassFlowUnitText(code);
    case Flow::Volume:
        return CPVUnitTables::VolumeFlowUnitText(code);
    case Flow::CorrVolume:
        return CPVUnitTables::CorrVolumeFlowUnitText(code);
    }
    return L"(no such flow)";
}

TEST(UnitTables, EveryTotalizerUnitIndexHasItsText) {
    ASSERT_EQ(35u, std::size(kListedTotalizerUnits));
    for (const IndexText& entry : kListedTotalizerUnits) {
        SCOPED_TRACE(entry.index);
        EXPECT_EQ(std::wstring(entry.text), CPVUnitTables::TotalizerUnitText(entry.index));
    }
}

TEST(UnitTables, AnIndexOutsideTheTotalizerUnitsShowsQuestionMarks) {
    for (LONG index : std::initializer_list<LONG>{-1, 35, 36, 100, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(std::wstring(L"??"), CPVUnitTables::TotalizerUnitText(index));
    }
}

TEST(UnitTables, EveryListedFlowCodeHasItsTextInItsOwnListOnly) {
    ASSERT_EQ(28u + 80u + 32u, std::size(kListedFlowUnits));
    for (const FlowCodeText& entry : kListedFlowUnits) {
        SCOPED_TRACE(entry.code);
        for (Flow flow : {Flow::Mass, Flow::Volume, Flow::CorrVolume}) {
            const std::wstring expected = flow == entry.flow ? entry.text : L" ";
            EXPECT_EQ(expected, FlowText(flow, entry.code)) << "flow " << static_cast<int>(flow);
        }
    }
}

TEST(UnitTables, AnUnlistedFlowCodeShowsABlank) {
    struct Case {
        Flow flow;
        LONG code;
    };
    // Gaps between listed codes, the edges of the lists, and codes of other unit kinds.
    const Case cases[] = {
        {Flow::Mass, 0},          {Flow::Mass, -1},         {Flow::Mass, 5134},
        {Flow::Mass, 2244},       {Flow::Mass, 1088},       {Flow::Volume, 5123},
        {Flow::Volume, 2088},     {Flow::Volume, 2251},     {Flow::Volume, 2255},
        {Flow::Volume, 1034},     {Flow::CorrVolume, 2152}, {Flow::CorrVolume, 2215},
        {Flow::CorrVolume, 2236}, {Flow::CorrVolume, 2251}, {Flow::CorrVolume, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(std::wstring(L" "), FlowText(c.flow, c.code));
    }
}

TEST(UnitTables, TheAssignmentDecidesTheTotalizerUnits) {
    struct Case {
        LONG assignment;
        bool filtered;
        LONG first;
        LONG last;
        LONG offset;
        LONG defaultUnit;
    };
    const Case cases[] = {
        {1, true, 7, 26, 7, 18},   {4, true, 7, 26, 7, 18}, {2, true, 0, 6, 0, 4},   {5, true, 0, 6, 0, 4},
        {3, true, 27, 34, 27, 30}, {0, false, 0, 34, 0, 4}, {6, false, 0, 34, 0, 4}, {-1, false, 0, 34, 0, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.assignment);
        const CPVTotalizerUnitRule rule = CPVUnitTables::TotalizerUnitRule(c.assignment);
        EXPECT_EQ(c.filtered, rule.filtered);
        EXPECT_EQ(c.offset, rule.unitOffset);
        EXPECT_EQ(c.defaultUnit, rule.defaultUnit);
        if (c.filtered) {
            EXPECT_EQ(c.first, rule.firstUnit);
            EXPECT_EQ(c.last, rule.lastUnit);
            // The default unit is one the list shows.
            EXPECT_LE(rule.firstUnit, rule.defaultUnit);
            EXPECT_GE(rule.lastUnit, rule.defaultUnit);
        }
    }
}

// The host's project names the same units by the same codes, so a label never shows a
// text that differs from the one the combo box of the same member shows.
TEST(UnitTables, TheDefaultProjectsUnitsAgree) {
    CHostProject project;
    std::string error;
    ASSERT_TRUE(project.LoadDefault(&error)) << error;
    struct Case {
        const wchar_t* member;
        Flow flow;
        size_t count;
    };
    const Case cases[] = {{L"SystemUnitMassFlow", Flow::Mass, 28},
                          {L"SystemUnitVolumeFlow", Flow::Volume, 80},
                          {L"SystemUnitCorrVolumeFlow", Flow::CorrVolume, 32}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.member);
        const CTagMember* member = project.ConfigTag().Find(c.member);
        ASSERT_NE(nullptr, member);
        EXPECT_EQ(c.count, member->Enumeration().size());
        for (const CTagEnumEntry& entry : member->Enumeration())
            EXPECT_EQ(entry.text, FlowText(c.flow, entry.value)) << entry.value;
    }
    const CTagMember* unit = project.ConfigTag().Find(L"Totalizer1_Unit");
    ASSERT_NE(nullptr, unit);
    ASSERT_EQ(35u, unit->Enumeration().size());
    for (const CTagEnumEntry& entry : unit->Enumeration())
        EXPECT_EQ(entry.text, CPVUnitTables::TotalizerUnitText(entry.value)) << entry.value;
}

} // namespace
