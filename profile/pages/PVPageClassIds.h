// The class identifiers of the twelve page classes, in registry form. The host stores
// them in its projects, so they never change from build to build.
#pragma once

namespace PVPageClassIds {

inline constexpr wchar_t kCOMM[] = L"{A8385E73-23E7-479D-951F-685F470BA12B}";
inline constexpr wchar_t kCOMP[] = L"{0548898D-8DC6-4BC9-871D-653D2286E6EA}";
inline constexpr wchar_t kLOWFLOW[] = L"{5C1476BE-971F-4DD8-9C8F-7A73B8A8A39D}";
inline constexpr wchar_t kPARTIALLY[] = L"{2BE5E272-95C5-4820-94D0-200333A9F00A}";
inline constexpr wchar_t kPROCESS[] = L"{CF683B9E-6578-4870-B975-00B2DB5A6AAE}";
inline constexpr wchar_t kSENSOR[] = L"{16F6FE9D-221C-459A-8BA1-7BEE4922E6F0}";
inline constexpr wchar_t kSYSTEM2[] = L"{CF7D6AB5-D9D1-41CF-B715-5F18DDBE72AD}";
inline constexpr wchar_t kSYSTEM22[] = L"{5D1CA899-DCD1-4643-8508-C1DF9FE0F55E}";
inline constexpr wchar_t kSYSUNIT[] = L"{487752D8-E4E9-4112-A117-95EB27DD853A}";
inline constexpr wchar_t kTotalizerConfig[] = L"{C3362634-3CE7-4001-A616-5DFB4A978D86}";
inline constexpr wchar_t kVER[] = L"{A9DE4928-5A6A-41D9-9B51-4D49D45FD9DE}";
inline constexpr wchar_t kVERSTATIC[] = L"{0A214C13-CED2-492B-B2F7-410B5C2DFD0C}";

} // namespace PVPageClassIds
