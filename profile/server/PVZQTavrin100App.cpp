#include "profile/server/PVZQTavrin100App.h"

CPVZQTavrin100App::CPVZQTavrin100App() : CAopWinApp(L"PVZQTavrin100") {}

// The one application object of the module.
CPVZQTavrin100App theApp;
