// Ids of the test resource library, shared by its script and the tests.
#pragma once

#define IDS_ONE 1
#define IDS_EMPTY 2
#define IDS_SEVENTEEN 17
#define IDS_GREETING 100
#define IDS_FAR_BLOCK 4000
#define IDS_LAST 65535
#define IDR_BYTES 200
#define IDD_SAMPLE 101
#define IDC_SAMPLE_COMBO 1001

#ifndef RC_INVOKED
// Ids that the script leaves out on purpose.
constexpr unsigned kIdMissingInBlock = 3;
constexpr unsigned kIdMissingBlock = 5000;
#endif
