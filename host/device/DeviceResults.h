// The simulated device's failure codes, beside the host's own (0x8004200x) and
// outside the framework's range, so that a page never mistakes them for its
// converters'. Each failure also leaves error information that says what happened.
#pragma once

#include "platform/base/HResult.h"

// The controller is offline: nothing reaches the device.
constexpr HRESULT DEVICE_E_OFFLINE = MakeHResult(0x80042101);
// The device does not answer (it is missing, or its identity cannot be read).
constexpr HRESULT DEVICE_E_NOANSWER = MakeHResult(0x80042102);
// The device that answers is not the one the module describes.
constexpr HRESULT DEVICE_E_MISMATCH = MakeHResult(0x80042103);
// The device knows no such attribute, service or method.
constexpr HRESULT DEVICE_E_UNKNOWNNAME = MakeHResult(0x80042104);
// The payload is not what the request takes.
constexpr HRESULT DEVICE_E_BADPAYLOAD = MakeHResult(0x80042105);
// The request does not fit the device's state (a start while a verification runs).
constexpr HRESULT DEVICE_E_STATE = MakeHResult(0x80042106);
// The request is well formed but the device refuses it (a scenario of the project).
constexpr HRESULT DEVICE_E_REFUSED = MakeHResult(0x80042107);
// No report is stored under the index asked for.
constexpr HRESULT DEVICE_E_NOREPORT = MakeHResult(0x80042108);
