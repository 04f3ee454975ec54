#include <cwchar>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include <gtest/gtest.h>

#include "host/HostProject.h"

namespace {

std::string Slurp(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string TempPath(const std::string& name) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("pvhost-project-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    return (folder / name).string();
}

// One member inside a minimal valid project.
std::string WithMember(const std::string& member) {
    return R"({"format": "pvhost-project", "version": 1, "controller": {}, "configTag": {"name": "Local:1:C", "members": [)" +
           member + "]}}";
}

TEST(HostProject, EmbeddedProjectHasEveryMemberThePagesBind) {
    CHostProject project;
    std::string error;
    ASSERT_TRUE(project.LoadDefault(&error)) << error;
    std::vector<std::wstring> names = {L"SystemUnitMassFlow",
                                       L"SystemUnitVolumeFlow",
                                       L"SystemUnitCorrVolumeFlow",
                                       L"SystemUnitMass",
                                       L"SystemUnitVolume",
                                       L"SystemUnitConductivity",
                                       L"SystemUnitDensity",
                                       L"SystemUnitTemperature",
                                       L"ExternalCompensationDensityMode",
                                       L"ExternalCompensationTemperatureMode",
                                       L"ExternalCompensationFixedDensity",
                                       L"LowFlowCutOffAssignLowFlow",
                                       L"LowFlowCutOffLowFlowCutOnVal",
                                       L"LowFlowCutOffLowFlowCutOffVal",
                                       L"LowFlowCutOffPressureShockSuppr",
                                       L"EmptyFilledPipeAssign",
                                       L"EmptyPipeDetectionNewAdjust",
                                       L"EmptyFilledPipeResponseTime",
                                       L"EmptyFilledPipeMaxium",
                                       L"ProcessFlowOverride",
                                       L"SystemFilterMode",
                                       L"SystemDamping",
                                       L"ProcessConductivityDamping",
                                       L"SensorInstalledDirection",
                                       L"STD_AccessCode",
                                       L"EIP_SWWriteProtection",
                                       L"DiagnosticHandlingAlarmDelay",
                                       L"DiagnosticBehaviorAssign832",
                                       L"DiagnosticBehaviorAssign833",
                                       L"DiagnosticBehaviorAssign834",
                                       L"DiagnosticBehaviorAssign835",
                                       L"DiagnosticBehaviorAssign862",
                                       L"DiagnosticBehaviorAssign531",
                                       L"DiagnosticBehaviorAssign937",
                                       L"DiagnosticBehaviorAssign302"};
    for (int n = 1; n <= 3; ++n)
        for (const wchar_t* item : {L"Assign", L"Unit", L"OpMode", L"Control", L"Preset", L"FailSafeMode"})
            names.push_back(L"Totalizer" + std::to_wstring(n) + L"_" + item);
    for (int slot = 1; slot <= 20; ++slot)
        names.push_back(L"ConfigurableInputAsm_" + std::to_wstring(slot));
    for (const std::wstring& name : names)
        EXPECT_NE(nullptr, project.ConfigTag().Find(name)) << std::string(name.begin(), name.end());
    EXPECT_EQ(names.size(), project.ConfigTag().Members().size());
    EXPECT_FALSE(CControllerState::IsOnlineMode(project.Controller().mode));
}

TEST(HostProject, EmbeddedUnitListsCarryTheProfilesCodesAndTexts) {
    CHostProject project;
    std::string error;
    ASSERT_TRUE(project.LoadDefault(&error)) << error;
    struct Case {
        const wchar_t* member;
        size_t count;
        LONG code;
        const wchar_t* text;
    } cases[] = {
        {L"SystemUnitMassFlow", 28, 5136, L"kg/h"},
        {L"SystemUnitVolumeFlow", 80, 2085, L"m3/h"},
        {L"SystemUnitCorrVolumeFlow", 32, 2250, L"User vol./s"},
        {L"SystemUnitDensity", 19, 2204, L"SD4°C"},
        {L"Totalizer2_Unit", 35, 18, L"Mgal (us)"},
        {L"Totalizer1_Assign", 6, 2, L"Mass flow"},
    };
    for (const Case& c : cases) {
        const CTagMember* member = project.ConfigTag().Find(c.member);
        ASSERT_NE(nullptr, member);
        EXPECT_EQ(c.count, member->Enumeration().size())
            << std::string(c.member, c.member + wcslen(c.member));
        const int index = member->EnumIndexOf(c.code);
        ASSERT_GE(index, 0);
        EXPECT_EQ(c.text, member->Enumeration()[static_cast<size_t>(index)].text);
    }
    // The totalizer units are in index order: the code is the index.
    const CTagMember* unit = project.ConfigTag().Find(L"Totalizer1_Unit");
    for (size_t i = 0; i < unit->Enumeration().size(); ++i)
        EXPECT_EQ(static_cast<LONG>(i), unit->Enumeration()[i].value);
}

TEST(HostProject, SavedProjectLoadsBackWithTheSameValues) {
    CHostProject project;
    std::string error;
    ASSERT_TRUE(project.LoadDefault(&error)) << error;
    project.Controller().mode = 2;
    project.Controller().hasSafety = true;
    project.Controller().safetyEnabled = true;
    project.Controller().parentStates[5] = true;
    CTagMember* damping = project.ConfigTag().Find(L"SystemDamping");
    damping->Assign(LONGLONG{12});
    CTagMember* preset = project.ConfigTag().Find(L"Totalizer1_Preset");
    preset->Assign(9999.99f);
    preset->SetForce(true, -12.5f);
    preset->SetExtProperty(3, L"Preset of totalizer 1");
    const std::string path = TempPath("round-trip.json");
    ASSERT_TRUE(project.SaveFile(path, &error)) << error;

    CHostProject reread;
    ASSERT_TRUE(reread.LoadFile(path, &error)) << error;
    EXPECT_EQ(2, reread.Controller().mode);
    EXPECT_TRUE(reread.Controller().safetyEnabled);
    EXPECT_TRUE(reread.Controller().parentStates.at(5));
    EXPECT_EQ(CTagValue{LONGLONG{12}}, reread.ConfigTag().Find(L"SystemDamping")->Value());
    const CTagMember* readPreset = reread.ConfigTag().Find(L"Totalizer1_Preset");
    EXPECT_EQ(CTagValue{9999.99f}, readPreset->Value());
    EXPECT_TRUE(readPreset->IsForced());
    EXPECT_EQ(CTagValue{-12.5f}, readPreset->ForcedValue());
    EXPECT_EQ(L"Preset of totalizer 1", readPreset->ExtProperty(3));
    // What was saved is what is stored now: nothing is dirty, and writing again gives the same text.
    EXPECT_FALSE(reread.IsDirty());
    EXPECT_EQ(Slurp(path), reread.ToJson());
    EXPECT_NE(std::string::npos, Slurp(path).find("9999.99,"));
}

struct MalformedCase {
    const char* name;
    std::string text;
    const char* message; // the part of the error that names the input at fault
};

class HostProjectMalformed : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(HostProjectMalformed, IsRefusedWithAnErrorNamingTheInput) {
    CHostProject project;
    std::string error;
    ASSERT_TRUE(project.LoadDefault(&error));
    const std::string before = project.ToJson();
    EXPECT_FALSE(project.LoadText(GetParam().text, "broken.json", &error));
    EXPECT_NE(std::string::npos, error.find("broken.json: ")) << error;
    EXPECT_NE(std::string::npos, error.find(GetParam().message)) << error;
    // A refused project leaves the loaded one as it was.
    EXPECT_EQ(before, project.ToJson());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostProjectMalformed,
    ::testing::Values(
        MalformedCase{"NotJson", "{\"format\": ", "not JSON"},
        MalformedCase{"NotAnObject", "[1, 2]", "top level: expected an object"},
        MalformedCase{"WrongFormat", R"({"format": "other", "version": 1})", "field 'format'"},
        MalformedCase{"WrongVersion", R"({"format": "pvhost-project", "version": 9})", "field 'version'"},
        MalformedCase{"UnknownTopField", R"({"format": "pvhost-project", "version": 1, "colour": 1})",
                      "unknown field 'colour'"},
        MalformedCase{"ModeOutOfRange",
                      R"({"format": "pvhost-project", "version": 1, "controller": {"mode": 300}})",
                      "controller: field 'mode': the integer 300 is outside 0 to 255"},
        MalformedCase{"SafetyWithoutSafety",
                      R"({"format": "pvhost-project", "version": 1, "controller": {"safetyEnabled": true}})",
                      "need \"safety\": true"},
        MalformedCase{"UnknownType", WithMember(R"({"name": "A", "type": "WORD"})"),
                      "member 'A': field 'type'"},
        MalformedCase{"NamelessMember", WithMember(R"({"type": "DINT"})"), "member 1: field 'name'"},
        MalformedCase{"DuplicateMember",
                      WithMember(R"({"name": "A", "type": "DINT"}, {"name": "A", "type": "REAL"})"),
                      "member 'A': the name appears twice"},
        MalformedCase{"MinAboveMax", WithMember(R"({"name": "A", "type": "DINT", "min": 5, "max": 1})"),
                      "member 'A': 'min' 5 is above 'max' 1"},
        MalformedCase{"ValueOutsideLimits",
                      WithMember(R"({"name": "A", "type": "DINT", "min": 0, "max": 10, "value": 11})"),
                      "member 'A': field 'value': 11 is outside the range 0 to 10"},
        MalformedCase{"ValueOutsideType", WithMember(R"({"name": "A", "type": "SINT", "value": 200})"),
                      "member 'A': field 'value': the integer 200 is outside -128 to 127"},
        MalformedCase{"FractionForInteger", WithMember(R"({"name": "A", "type": "DINT", "value": 1.5})"),
                      "member 'A': field 'value': expected an integer"},
        MalformedCase{"TextForReal", WithMember(R"({"name": "A", "type": "REAL", "default": "x"})"),
                      "member 'A': field 'default': expected a number"},
        MalformedCase{"EnumCodeTwice",
                      WithMember(R"({"name": "A", "type": "DINT", "enum": [{"value": 1, "text": "a"},
                                   {"value": 1, "text": "b"}]})"),
                      "member 'A': field 'enum': entry 2: field 'value': the code 1 appears twice"},
        MalformedCase{
            "EnumValueNotACode",
            WithMember(R"({"name": "A", "type": "DINT", "enum": [{"value": 1, "text": "a"}], "value": 2})"),
            "member 'A': field 'value': 2 is not one of the member's enumeration codes"},
        MalformedCase{"EnumOnReal",
                      WithMember(R"({"name": "A", "type": "REAL", "enum": [{"value": 1, "text": "a"}]})"),
                      "member 'A': field 'enum': only SINT, INT and DINT"},
        MalformedCase{
            "EnumWithLimits",
            WithMember(R"({"name": "A", "type": "DINT", "enum": [{"value": 1, "text": "a"}], "max": 3})"),
            "member 'A': an enumeration takes its limits from its codes"},
        MalformedCase{"MisspeltField", WithMember(R"({"name": "A", "type": "DINT", "maximum": 3})"),
                      "member 'A': unknown field 'maximum'"},
        MalformedCase{
            "ForcedValueOutside",
            WithMember(R"({"name": "A", "type": "INT", "max": 9, "forced": true, "forcedValue": 10})"),
            "member 'A': field 'forcedValue'"},
        MalformedCase{
            "LongString",
            WithMember(R"({"name": "A", "type": "STRING", "value": ")" + std::string(83, 'x') + "\"}"),
            "member 'A': field 'value': the text is longer than 82 characters"},
        MalformedCase{"SafetyTagWithoutSafety",
                      R"({"format": "pvhost-project", "version": 1,
                          "safetyConfigTag": {"name": "Local:1:SC", "members": []}})",
                      "a module without safety has no safety configuration tag"}),
    [](const ::testing::TestParamInfo<MalformedCase>& info) { return info.param.name; });

TEST(HostProject, AMissingFileIsNamedAndNothingIsWritten) {
    CHostProject project;
    std::string error;
    const std::string missing = TempPath("missing.json");
    std::filesystem::remove(missing);
    EXPECT_FALSE(project.LoadFile(missing, &error));
    EXPECT_EQ(missing + ": cannot be opened for reading", error);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(HostProject, ASaveThatCannotReplaceTheTargetLosesNothing) {
    CHostProject project;
    std::string error;
    ASSERT_TRUE(project.LoadDefault(&error));
    // A folder where the file should go: the new text is written beside it and then
    // cannot take its place.
    const std::string path = TempPath("occupied.json");
    std::filesystem::create_directories(path);
    { std::ofstream(path + "/inside") << "kept"; }
    EXPECT_FALSE(project.SaveFile(path, &error));
    EXPECT_EQ(path + ": cannot be replaced", error);
    EXPECT_EQ("kept", Slurp(path + "/inside"));
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));

    EXPECT_FALSE(project.SaveFile(TempPath("no-such-folder/x.json"), &error));
    EXPECT_NE(std::string::npos, error.find("no-such-folder/x.json: cannot be written")) << error;
}

} // namespace
