// Registers the standard control classes into the window table when it starts.
#pragma once

class CWindowTable;

void RegisterSystemClasses(CWindowTable& table);
