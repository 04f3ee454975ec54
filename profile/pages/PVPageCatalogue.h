// The profile's twelve page classes, in the order they join the page class registry,
// each with its table. A page not built yet has no rows.
#pragma once

#include <string_view>

#include "profile/pages/PVPageTable.h"
#include "profile/resources/ResourceIds.h"

namespace PVPageCatalogue {

inline constexpr CPVControlRow kCOMMRows[] = {
    PVEnumerationRow(IDC_COMM_SLOT1, L"ConfigurableInputAsm_1"),
    PVEnumerationRow(IDC_COMM_SLOT2, L"ConfigurableInputAsm_2"),
    PVEnumerationRow(IDC_COMM_SLOT3, L"ConfigurableInputAsm_3"),
    PVEnumerationRow(IDC_COMM_SLOT4, L"ConfigurableInputAsm_4"),
    PVEnumerationRow(IDC_COMM_SLOT5, L"ConfigurableInputAsm_5"),
    PVEnumerationRow(IDC_COMM_SLOT6, L"ConfigurableInputAsm_6"),
    PVEnumerationRow(IDC_COMM_SLOT7, L"ConfigurableInputAsm_7"),
    PVEnumerationRow(IDC_COMM_SLOT8, L"ConfigurableInputAsm_8"),
    PVEnumerationRow(IDC_COMM_SLOT9, L"ConfigurableInputAsm_9"),
    PVEnumerationRow(IDC_COMM_SLOT10, L"ConfigurableInputAsm_10"),
    PVEnumerationRow(IDC_COMM_SLOT11, L"ConfigurableInputAsm_11"),
    PVEnumerationRow(IDC_COMM_SLOT12, L"ConfigurableInputAsm_12"),
    PVEnumerationRow(IDC_COMM_SLOT13, L"ConfigurableInputAsm_13"),
    PVEnumerationRow(IDC_COMM_SLOT14, L"ConfigurableInputAsm_14"),
    PVEnumerationRow(IDC_COMM_SLOT15, L"ConfigurableInputAsm_15"),
    PVEnumerationRow(IDC_COMM_SLOT16, L"ConfigurableInputAsm_16"),
    PVEnumerationRow(IDC_COMM_SLOT17, L"ConfigurableInputAsm_17"),
    PVEnumerationRow(IDC_COMM_SLOT18, L"ConfigurableInputAsm_18"),
    PVEnumerationRow(IDC_COMM_SLOT19, L"ConfigurableInputAsm_19"),
    PVEnumerationRow(IDC_COMM_SLOT20, L"ConfigurableInputAsm_20"),
};

// The measurement pages. An edit's row names its Initialize numbers; a dependent one
// also the combo box it follows and the selections that enable it.
inline constexpr CPVControlRow kCOMPRows[] = {
    PVEnumerationRow(IDC_COMP_DENSITY_MODE, L"ExternalCompensationDensityMode"),
    PVEnumerationRow(IDC_COMP_TEMPERATURE_MODE, L"ExternalCompensationTemperatureMode"),
    {.control = PVControl::ConfigChkCmbBtnDependEditBox, .item = IDC_COMP_FIXED_DENSITY,
     .member = L"ExternalCompensationFixedDensity", .value = PVValue::Float2,
     .follows = {IDC_COMP_DENSITY_MODE}, .lowestSelection = 0, .highestSelection = 0,
     .textLimit = 23, .maskFlag = 1, .decimals = 5},
    {.control = PVControl::ConfigStaticTextPages, .item = IDC_COMP_DENSITY_UNIT, .member = L"SystemUnitDensity",
     .value = PVValue::Long},
};

inline constexpr CPVControlRow kLOWFLOWRows[] = {
    PVEnumerationRow(IDC_LOWFLOW_ASSIGN, L"LowFlowCutOffAssignLowFlow"),
    {.control = PVControl::ConfigDependEditFloat, .item = IDC_LOWFLOW_ON_VALUE,
     .member = L"LowFlowCutOffLowFlowCutOnVal", .value = PVValue::Float2, .follows = {IDC_LOWFLOW_ASSIGN},
     .lowestSelection = 1, .highestSelection = 3, .textLimit = 23, .maskFlag = 3, .decimals = 5},
    {.control = PVControl::CmbDependStatic, .item = IDC_LOWFLOW_FLOW_UNIT, .member = L"SystemUnitMassFlow",
     .value = PVValue::Long, .moreMembers = {L"SystemUnitVolumeFlow", L"SystemUnitCorrVolumeFlow"},
     .follows = {IDC_LOWFLOW_ASSIGN}, .mode = 3},
    {.control = PVControl::ConfigChkCmbBtnDependEditBox, .item = IDC_LOWFLOW_OFF_VALUE,
     .member = L"LowFlowCutOffLowFlowCutOffVal", .value = PVValue::Float, .follows = {IDC_LOWFLOW_ASSIGN},
     .lowestSelection = 1, .highestSelection = 3, .textLimit = 6, .maskFlag = 1, .decimals = 1},
    {.control = PVControl::ConfigChkCmbBtnDependEditBox, .item = IDC_LOWFLOW_SHOCK_SUPPRESSION,
     .member = L"LowFlowCutOffPressureShockSuppr", .value = PVValue::Float, .follows = {IDC_LOWFLOW_ASSIGN},
     .lowestSelection = 1, .highestSelection = 3, .textLimit = 7, .maskFlag = 1, .decimals = 2},
};
// The assignment, then the shock suppression, the switch-on value, the switch-off value
// and the unit label.
inline constexpr size_t kLOWFLOWBindOrder[] = {0, 4, 1, 3, 2};

inline constexpr CPVControlRow kPARTIALLYRows[] = {
    PVEnumerationRow(IDC_EMPTYPIPE_ASSIGN, L"EmptyFilledPipeAssign"),
    PVEnumerationRow(IDC_EMPTYPIPE_ADJUST, L"EmptyPipeDetectionNewAdjust"),
    {.control = PVControl::ConfigChkCmbBtnDependEditBox, .item = IDC_EMPTYPIPE_RESPONSE_TIME,
     .member = L"EmptyFilledPipeResponseTime", .value = PVValue::Float, .follows = {IDC_EMPTYPIPE_ASSIGN},
     .lowestSelection = 1, .highestSelection = 2, .textLimit = 4, .maskFlag = 1, .decimals = 1},
    // Spelled so in the tag.
    {.control = PVControl::ConfigChkCmbBtnDependEditBox, .item = IDC_EMPTYPIPE_MAXIMUM,
     .member = L"EmptyFilledPipeMaxium", .value = PVValue::Float, .follows = {IDC_EMPTYPIPE_ASSIGN},
     .lowestSelection = 1, .highestSelection = 2, .textLimit = 4, .maskFlag = 1, .decimals = 1},
};

inline constexpr CPVControlRow kPROCESSRows[] = {
    PVEnumerationRow(IDC_PROCESS_FLOW_OVERRIDE, L"ProcessFlowOverride"),
    PVEnumerationRow(IDC_PROCESS_FILTER_MODE, L"SystemFilterMode"),
    {.control = PVControl::ConfigEditInteger, .item = IDC_PROCESS_DAMPING, .member = L"SystemDamping",
     .value = PVValue::Long, .textLimit = 2, .maskFlag = 1},
    {.control = PVControl::ConfigEditFloat, .item = IDC_PROCESS_CONDUCTIVITY_DAMPING,
     .member = L"ProcessConductivityDamping", .value = PVValue::Float, .textLimit = 5, .maskFlag = 1,
     .decimals = 1},
};

inline constexpr CPVControlRow kSENSORRows[] = {
    PVEnumerationRow(IDC_SENSOR_DIRECTION, L"SensorInstalledDirection"),
};

inline constexpr CPVControlRow kSYSUNITRows[] = {
    PVEnumerationRow(IDC_SYSUNIT_MASS_FLOW, L"SystemUnitMassFlow"),
    PVEnumerationRow(IDC_SYSUNIT_VOLUME_FLOW, L"SystemUnitVolumeFlow"),
    PVEnumerationRow(IDC_SYSUNIT_CORR_VOLUME_FLOW, L"SystemUnitCorrVolumeFlow"),
    PVEnumerationRow(IDC_SYSUNIT_MASS, L"SystemUnitMass"),
    PVEnumerationRow(IDC_SYSUNIT_VOLUME, L"SystemUnitVolume"),
    PVEnumerationRow(IDC_SYSUNIT_CONDUCTIVITY, L"SystemUnitConductivity"),
    PVEnumerationRow(IDC_SYSUNIT_DENSITY, L"SystemUnitDensity"),
    PVEnumerationRow(IDC_SYSUNIT_TEMPERATURE, L"SystemUnitTemperature"),
};

// One totalizer on a tab of the totalizer page: its members are numbered by its tab,
// 1 to 3. The unit box counts in the range of the assignment box's process variable
// and the preset label shows the unit box's unit in that range.
inline constexpr CPVControlRow kTotalizerTabRows[] = {
    PVEnumerationRow(IDC_TOTALIZER_ASSIGN, L"Totalizer%d_Assign"),
    {.control = PVControl::ConfigComboBoxTot,
     .item = IDC_TOTALIZER_UNIT,
     .member = L"Totalizer%d_Unit",
     .value = PVValue::Enumeration,
     .follows = {IDC_TOTALIZER_ASSIGN}},
    PVEnumerationRow(IDC_TOTALIZER_OPERATING_MODE, L"Totalizer%d_OpMode"),
    PVEnumerationRow(IDC_TOTALIZER_CONTROL, L"Totalizer%d_Control"),
    {.control = PVControl::ConfigEditFloat,
     .item = IDC_TOTALIZER_PRESET,
     .member = L"Totalizer%d_Preset",
     .value = PVValue::Float,
     .textLimit = 7,
     .maskFlag = 1,
     .decimals = 2},
    PVEnumerationRow(IDC_TOTALIZER_FAILSAFE_MODE, L"Totalizer%d_FailSafeMode"),
    {.control = PVControl::CmbDependStaticPreset,
     .item = IDC_TOTALIZER_PRESET_UNIT,
     .follows = {IDC_TOTALIZER_UNIT, IDC_TOTALIZER_ASSIGN}},
};
inline constexpr CPVPageTable kTotalizerTab{L"CPVTabPageTavrinTotalizerConfigDlg", nullptr, nullptr,
                                            IDD_TOTALIZER_TAB, kTotalizerTabRows};
// The tab titles are the totalizers' numbers in every language.
inline constexpr const wchar_t* kTotalizerTabTitles[] = {L"1", L"2", L"3"};
inline constexpr CPVControlRow kTotalizerConfigRows[] = {
    {.control = PVControl::TotalizerTabCtrl,
     .item = IDC_TOTALIZER_TABS,
     .tabPage = &kTotalizerTab,
     .tabTitles = kTotalizerTabTitles},
};

inline constexpr CPVPageTable kCOMM{L"CPVPageTavrinCOMM", L"PVPageTavrinCOMM Page",
                                    L"{A8385E73-23E7-479D-951F-685F470BA12B}", IDD_COMM, kCOMMRows};
inline constexpr CPVPageTable kCOMP{L"CPVPageTavrinCOMP", L"PVPageTavrinCOMP Page",
                                    L"{0548898D-8DC6-4BC9-871D-653D2286E6EA}", IDD_COMPENSATION, kCOMPRows};
inline constexpr CPVPageTable kLOWFLOW{L"CPVPageTavrinLOWFLOW", L"PVPageTavrinLOWFLOW Page",
                                       L"{5C1476BE-971F-4DD8-9C8F-7A73B8A8A39D}", IDD_LOWFLOW, kLOWFLOWRows,
                                       kLOWFLOWBindOrder};
inline constexpr CPVPageTable kPARTIALLY{L"CPVPageTavrinPARTIALLY", L"PVPageTavrinPARTIALLY Page",
                                         L"{2BE5E272-95C5-4820-94D0-200333A9F00A}", IDD_EMPTYPIPE,
                                         kPARTIALLYRows};
inline constexpr CPVPageTable kPROCESS{L"CPVPageTavrinPROCESS", L"PVPageTavrinPROCESS Page",
                                       L"{CF683B9E-6578-4870-B975-00B2DB5A6AAE}", IDD_PROCESS, kPROCESSRows};
inline constexpr CPVPageTable kSENSOR{L"CPVPageTavrinSENSOR", L"PVPageTavrinSENSOR Page",
                                      L"{16F6FE9D-221C-459A-8BA1-7BEE4922E6F0}", IDD_SENSOR, kSENSORRows};
inline constexpr CPVPageTable kSYSTEM2{L"CPVPageTavrinSYSTEM2", L"PVPageTavrinSYSTEM2 Page",
                                       L"{CF7D6AB5-D9D1-41CF-B715-5F18DDBE72AD}", IDD_SYSTEM2};
inline constexpr CPVPageTable kSYSTEM22{L"CPVPageTavrinSYSTEM22", L"PVPageTavrinSYSTEM22 Page",
                                        L"{5D1CA899-DCD1-4643-8508-C1DF9FE0F55E}", IDD_SYSTEM22};
inline constexpr CPVPageTable kSYSUNIT{L"CPVPageTavrinSYSUNIT", L"PVPageTavrinSYSUNIT Page",
                                       L"{487752D8-E4E9-4112-A117-95EB27DD853A}", IDD_SYSUNIT, kSYSUNITRows};
inline constexpr CPVPageTable kTotalizerConfig{
    L"CPVPageTavrinTotalizerConfig", L"PVPageTavrinTotalizerConfig Page",
    L"{C3362634-3CE7-4001-A616-5DFB4A978D86}", IDD_TOTALIZER, kTotalizerConfigRows};
inline constexpr CPVPageTable kVER{L"CPVPageTavrinVER", L"PVPageTavrinVER Page",
                                   L"{A9DE4928-5A6A-41D9-9B51-4D49D45FD9DE}", IDD_VERIFICATION_REPORT};
inline constexpr CPVPageTable kVERSTATIC{L"CPVPageTavrinVERSTATIC", L"PVPageTavrinVERSTATIC Page",
                                         L"{0A214C13-CED2-492B-B2F7-410B5C2DFD0C}",
                                         IDD_VERIFICATION_SETTINGS};

inline constexpr const CPVPageTable* kPages[] = {
    &kCOMM,    &kCOMP,     &kLOWFLOW, &kPARTIALLY,       &kPROCESS, &kSENSOR,
    &kSYSTEM2, &kSYSTEM22, &kSYSUNIT, &kTotalizerConfig, &kVER,     &kVERSTATIC};

// The page of class `className`, or null.
inline const CPVPageTable* Find(std::wstring_view className) {
    for (const CPVPageTable* page : kPages)
        if (className == page->className)
            return page;
    return nullptr;
}

} // namespace PVPageCatalogue
