// Every message of the profile goes to AopLog(0, message, source, function, line):
// the source is the file name without extension and the function is the qualified
// name ("CPVPanelEnum::Save"), both taken from the call site.
#pragma once

#include <source_location>
#include <string>

void PVLog(const wchar_t* message, std::source_location where = std::source_location::current());

// "HRESULT CPVPanel::Init(IPVParent*)" -> "CPVPanel::Init"; exposed for tests.
std::wstring PVLogQualifiedName(const char* prettyFunction);
// "/x/y/PVPanel.cpp" -> "PVPanel".
std::wstring PVLogSourceName(const char* fileName);
