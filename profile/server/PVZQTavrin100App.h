// The profile's application object.
#pragma once

#include "profile/server/AopWinApp.h"

class CPVZQTavrin100App : public CAopWinApp {
public:
    CPVZQTavrin100App();
};
