// The host's application object, the end of the way from a page through the host
// view connector. The profile only obtains it.
#pragma once

#include "host/HostObject.h"
#include "profile/interfaces/HostView.h"

class CHostApplication : public CHostObject<IApplication> {};
