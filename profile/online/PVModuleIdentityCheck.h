// Is the module usable for an action on the live device: offline it is (nothing is
// asked), online the device must answer and be the one the module describes. The
// answer is cached until a check asks for a refresh.
#pragma once

#include "platform/com/ComPtr.h"
#include "profile/interfaces/Device.h"

class CPromptInfo;
struct IPVPropPageEnum;

class CPVModuleIdentityCheck {
public:
    // Identity status values.
    static constexpr int kUsable = 0;
    static constexpr int kMissingOrMismatched = 1;
    static constexpr int kQueryFailed = 2;
    static constexpr int kNotChecked = 3;
    // The device's identity codes that are not a match.
    static constexpr LONG kIdentityMissing = 1;
    static constexpr LONG kIdentityMismatched = 2;
    // The host's prompts for status 1 (by identity code) and status 2.
    static constexpr LONG kPromptMissing = 9;
    static constexpr LONG kPromptQueryFailed = 11;
    static constexpr LONG kPromptMismatched = 17;

    CPVModuleIdentityCheck() = default;
    virtual ~CPVModuleIdentityCheck() = default;
    CPVModuleIdentityCheck(const CPVModuleIdentityCheck&) = delete;
    CPVModuleIdentityCheck& operator=(const CPVModuleIdentityCheck&) = delete;

    // The status; for status 1 and 2 `prompt` also gets the user's message. With
    // `refresh` 1 (or before the first check) the device is asked again.
    virtual int CheckModuleIdentity(CPromptInfo* prompt, int refresh);

    // `page` answers the controller mode; it is not counted.
    HRESULT Initialize(IDeviceInfo2* device, IPVPropPageEnum* page);
    // Without a page the module counts as online.
    HRESULT Initialize(IDeviceInfo2* device);

    // Modes 1 to 6 are online; offline nothing reaches the device.
    static bool IsOnlineMode(LONG mode) { return mode >= 1 && mode <= 6; }

    BOOL InitializationIsValid() const;
    // False for a controller mode outside 1 to 6, and when the mode cannot be read.
    bool IsOnline() const;
    LONG GetIdentity() const { return m_lIdentity; }

private:
    // Fills `prompt` with the host's message for the cached status.
    int GetPromptInfo(CPromptInfo* prompt);

    IPVPropPageEnum* m_pIPVPropPageEnum = nullptr;
    CComPtr<IDeviceInfo2> m_spIDeviceInfo2;
    int m_nStatus = kNotChecked;
    LONG m_lIdentity = 0;
};
