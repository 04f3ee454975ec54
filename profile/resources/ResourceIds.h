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
