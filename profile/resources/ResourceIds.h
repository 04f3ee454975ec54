// Ids of the resources in the profile's resource libraries, shared by the resource
// scripts and the C++ code. The resource compiler reads only the #define lines, so
// anything C++ stays behind RC_INVOKED.
#pragma once

// Messages of the device clock entry: each names the first check that failed.
#define IDS_TIME_YEAR_RANGE 10019
#define IDS_TIME_MONTH_RANGE 10020
#define IDS_TIME_DAY_RANGE 10021
#define IDS_TIME_HOUR_RANGE 10022
#define IDS_TIME_MINUTE_RANGE 10023
#define IDS_TIME_AMPM 10024
#define IDS_TIME_SECOND_RANGE 10025
#define IDS_TIME_INVALID 10026
#define IDS_TIME_FEBRUARY_30_31 10027
#define IDS_TIME_DAY_31 10028
#define IDS_TIME_FEBRUARY_29 10029

// Dialog templates of the pages and the ids of their items, page by page.
// System units: eight unit choices.
#define IDD_SYSUNIT 9079
#define IDC_SYSUNIT_MASS_FLOW 9132 // Mass flow unit
#define IDC_SYSUNIT_VOLUME_FLOW 9133 // Volume flow unit
#define IDC_SYSUNIT_CORR_VOLUME_FLOW 9126 // Corrected volume flow unit
#define IDC_SYSUNIT_MASS 9134 // Mass unit
#define IDC_SYSUNIT_VOLUME 9135 // Volume unit
#define IDC_SYSUNIT_CONDUCTIVITY 9195 // Conductivity unit
#define IDC_SYSUNIT_DENSITY 9153 // Density unit
#define IDC_SYSUNIT_TEMPERATURE 9019 // Temperature unit

// Totalizers: one tab per totalizer.
#define IDD_TOTALIZER 9012
#define IDC_TOTALIZER_TABS 9016 // Tab strip of the three totalizers

// One totalizer, shown on a tab of the totalizer page.
#define IDD_TOTALIZER_TAB 9069
#define IDC_TOTALIZER_ASSIGN 9131 // Process variable the totalizer counts
#define IDC_TOTALIZER_UNIT 9130 // Totalizer unit
#define IDC_TOTALIZER_OPERATING_MODE 9149 // Operating mode
#define IDC_TOTALIZER_CONTROL 9147 // Control
#define IDC_TOTALIZER_PRESET 9032 // Preset value
#define IDC_TOTALIZER_PRESET_UNIT 9030 // Unit of the preset value, from the unit choice
#define IDC_TOTALIZER_FAILSAFE_MODE 9151 // Failsafe mode

// External compensation.
#define IDD_COMPENSATION 9067
#define IDC_COMP_DENSITY_MODE 9064 // Source of the density value
#define IDC_COMP_TEMPERATURE_MODE 9061 // Source of the temperature value
#define IDC_COMP_FIXED_DENSITY 9059 // Fixed density, used while the density source is the fixed value
#define IDC_COMP_DENSITY_UNIT 9023 // Density unit

// Low flow cut-off.
#define IDD_LOWFLOW 9102
#define IDC_LOWFLOW_ASSIGN 9055 // Process variable the cut-off applies to
#define IDC_LOWFLOW_ON_VALUE 9160 // Switch-on value
#define IDC_LOWFLOW_FLOW_UNIT 9193 // Flow unit of the assigned variable
#define IDC_LOWFLOW_OFF_VALUE 9165 // Switch-off value
#define IDC_LOWFLOW_SHOCK_SUPPRESSION 9163 // Pressure shock suppression

// Empty pipe detection.
#define IDD_EMPTYPIPE 9103
#define IDC_EMPTYPIPE_ASSIGN 9056 // Empty pipe detection on or off
#define IDC_EMPTYPIPE_ADJUST 9057 // Adjustment of the detection
#define IDC_EMPTYPIPE_RESPONSE_TIME 9167 // Response time
#define IDC_EMPTYPIPE_MAXIMUM 9177 // Maximum

// Process filtering.
#define IDD_PROCESS 9100
#define IDC_PROCESS_FLOW_OVERRIDE 9141 // Flow override
#define IDC_PROCESS_FILTER_MODE 9144 // Filter mode
#define IDC_PROCESS_DAMPING 9162 // Damping
#define IDC_PROCESS_CONDUCTIVITY_DAMPING 9143 // Conductivity damping

// Sensor installation direction.
#define IDD_SENSOR 9101
#define IDC_SENSOR_DIRECTION 9127 // Installation direction

// Communication: the twenty slots of the input assembly.
#define IDD_COMM 9014
#define IDC_COMM_SLOT1 9021 // Input assembly slot 1
#define IDC_COMM_SLOT2 9024 // Input assembly slot 2
#define IDC_COMM_SLOT3 9031 // Input assembly slot 3
#define IDC_COMM_SLOT4 9034 // Input assembly slot 4
#define IDC_COMM_SLOT5 9036 // Input assembly slot 5
#define IDC_COMM_SLOT6 9038 // Input assembly slot 6
#define IDC_COMM_SLOT7 9039 // Input assembly slot 7
#define IDC_COMM_SLOT8 9040 // Input assembly slot 8
#define IDC_COMM_SLOT9 9041 // Input assembly slot 9
#define IDC_COMM_SLOT10 9042 // Input assembly slot 10
#define IDC_COMM_SLOT11 9043 // Input assembly slot 11
#define IDC_COMM_SLOT12 9044 // Input assembly slot 12
#define IDC_COMM_SLOT13 9045 // Input assembly slot 13
#define IDC_COMM_SLOT14 9046 // Input assembly slot 14
#define IDC_COMM_SLOT15 9047 // Input assembly slot 15
#define IDC_COMM_SLOT16 9050 // Input assembly slot 16
#define IDC_COMM_SLOT17 9051 // Input assembly slot 17
#define IDC_COMM_SLOT18 9052 // Input assembly slot 18
#define IDC_COMM_SLOT19 9053 // Input assembly slot 19
#define IDC_COMM_SLOT20 9054 // Input assembly slot 20

// System: access, write protection and diagnostic behaviour.
#define IDD_SYSTEM2 9108
#define IDC_SYSTEM2_ACCESS_CODE 9159 // Access code
#define IDC_SYSTEM2_WRITE_PROTECTION 9129 // Software write protection
#define IDC_SYSTEM2_ALARM_DELAY 9155 // Alarm delay of the diagnostics
#define IDC_SYSTEM2_SERVICE_LEVEL 9033 // Access level of the service interface (read from the device)
#define IDC_SYSTEM2_FIELDBUS_LEVEL 9035 // Access level of the fieldbus (read from the device)
#define IDC_SYSTEM2_REFRESH 9188 // Reads the access levels again
#define IDC_SYSTEM2_REFRESH_STATUS 9037 // Result of the last refresh
#define IDC_SYSTEM2_EVENT_832 9173 // Behaviour of diagnostic event 832
#define IDC_SYSTEM2_EVENT_833 9157 // Behaviour of diagnostic event 833
#define IDC_SYSTEM2_EVENT_834 9164 // Behaviour of diagnostic event 834
#define IDC_SYSTEM2_EVENT_835 9166 // Behaviour of diagnostic event 835
#define IDC_SYSTEM2_EVENT_862 9196 // Behaviour of diagnostic event 862
#define IDC_SYSTEM2_EVENT_531 9197 // Behaviour of diagnostic event 531
#define IDC_SYSTEM2_EVENT_937 9170 // Behaviour of diagnostic event 937

// System, second form: as the first, with one more diagnostic event.
#define IDD_SYSTEM22 9114
#define IDC_SYSTEM22_ACCESS_CODE 9216 // Access code
#define IDC_SYSTEM22_WRITE_PROTECTION 9198 // Software write protection
#define IDC_SYSTEM22_ALARM_DELAY 9199 // Alarm delay of the diagnostics
#define IDC_SYSTEM22_SERVICE_LEVEL 9218 // Access level of the service interface (read from the device)
#define IDC_SYSTEM22_FIELDBUS_LEVEL 9220 // Access level of the fieldbus (read from the device)
#define IDC_SYSTEM22_REFRESH 9212 // Reads the access levels again
#define IDC_SYSTEM22_REFRESH_STATUS 9214 // Result of the last refresh
#define IDC_SYSTEM22_EVENT_832 9200 // Behaviour of diagnostic event 832
#define IDC_SYSTEM22_EVENT_833 9201 // Behaviour of diagnostic event 833
#define IDC_SYSTEM22_EVENT_834 9202 // Behaviour of diagnostic event 834
#define IDC_SYSTEM22_EVENT_835 9204 // Behaviour of diagnostic event 835
#define IDC_SYSTEM22_EVENT_862 9206 // Behaviour of diagnostic event 862
#define IDC_SYSTEM22_EVENT_531 9208 // Behaviour of diagnostic event 531
#define IDC_SYSTEM22_EVENT_937 9210 // Behaviour of diagnostic event 937
#define IDC_SYSTEM22_EVENT_302 9171 // Behaviour of diagnostic event 302

// Verification report: view a stored report and write it as PDF.
#define IDD_VERIFICATION_REPORT 9110
#define IDC_VER_ENABLE 9235 // Enables the report functions
#define IDC_VER_VIEW_111 9187 // Loads stored report 111
#define IDC_VER_VIEW_112 9190 // Loads stored report 112
#define IDC_VER_VIEW_113 9191 // Loads stored report 113
#define IDC_VER_VIEW_114 9225 // Loads stored report 114
#define IDC_VER_VIEW_115 9226 // Loads stored report 115
#define IDC_VER_VIEW_116 9224 // Loads stored report 116
#define IDC_VER_VIEW_117 9221 // Loads stored report 117
#define IDC_VER_VIEW_118 9223 // Loads stored report 118
#define IDC_VER_DATE 9227 // Date of the verification
#define IDC_VER_ID 9215 // Identification of the verification
#define IDC_VER_OPERATOR 9217 // Who ran the verification
#define IDC_VER_COUNT 9219 // Number of the verification
#define IDC_VER_CHECK1 9222 // Result of check 1
#define IDC_VER_CHECK2 9237 // Result of check 2
#define IDC_VER_CHECK3 9228 // Result of check 3
#define IDC_VER_CHECK4 9229 // Result of check 4
#define IDC_VER_CHECK5 9230 // Result of check 5
#define IDC_VER_CHECK6 9240 // Result of check 6
#define IDC_VER_CHECK7 9233 // Result of check 7
#define IDC_VER_CHECK8 9231 // Result of check 8
#define IDC_VER_CHECK9 9232 // Result of check 9
#define IDC_VER_CHECK10 9234 // Result of check 10
#define IDC_VER_COMMENT 9242 // Free comment printed in the PDF report
#define IDC_VER_FILE_NAME 9265 // Name of the PDF report file
#define IDC_VER_BROWSE 9194 // Chooses the PDF report file
#define IDC_VER_CREATE_PDF 9189 // Writes the PDF report
#define IDC_VER_PDF_STATUS 9239 // Status of the PDF report
#define IDC_VER_READ_STATUS 9258 // Status of the report read

// Verification settings: device texts, device clock, start and progress.
#define IDD_VERIFICATION_SETTINGS 9112
#define IDC_VERSET_CUSTOMER 9271 // Customer text sent to the device
#define IDC_VERSET_LOCATION 9270 // Location text sent to the device
#define IDC_VERSET_SEND_TEXTS 9275 // Writes customer and location to the device
#define IDC_VERSET_YEAR 9245 // Year (two digits) of the device clock
#define IDC_VERSET_MONTH 9247 // Month of the device clock
#define IDC_VERSET_DAY 9249 // Day of the device clock
#define IDC_VERSET_HOUR 9251 // Hour (12-hour dial) of the device clock
#define IDC_VERSET_MINUTE 9253 // Minute of the device clock
#define IDC_VERSET_AMPM 9244 // Half of the day of the device clock
#define IDC_VERSET_SET_TIME 9276 // Sets the device clock
#define IDC_VERSET_DEVICE_TAG 9205 // Device tag of report 111
#define IDC_VERSET_SERIAL 9272 // Device serial number of report 111
#define IDC_VERSET_ORDER_CODE 9207 // Order code of report 111
#define IDC_VERSET_SENSOR_SERIAL 9273 // Sensor serial number of report 111
#define IDC_VERSET_SOFTWARE 9209 // Software version of report 111
#define IDC_VERSET_DATE 9274 // Date of report 111
#define IDC_VERSET_TIME 9211 // Time of report 111
#define IDC_VERSET_REFERENCE1 9203 // First reference value of report 111
#define IDC_VERSET_REFERENCE2 9213 // Second reference value of report 111
#define IDC_VERSET_PROGRESS 9261 // Verification progress in percent
#define IDC_VERSET_STATUS 9277 // Verification status
#define IDC_VERSET_OVERALL 9264 // Overall verification result
#define IDC_VERSET_START 9241 // Starts a verification
#define IDC_VERSET_REFRESH 9246 // Polls the verification progress
