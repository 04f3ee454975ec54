// The controller project the host stand-in works on: the controller's state, the
// module's configuration tag (and safety configuration tag, when the module has
// safety), the module's sub-items and the simulated device behind the module. It is read from and written to a JSON file;
// a project that does not check out is refused whole, and nothing is changed.
#pragma once

#include <memory>
#include <string>

#include "host/ControllerState.h"
#include "host/TagModel.h"
#include "host/device/DeviceConfig.h"

class CHostProject {
public:
    CHostProject();

    // The embedded project: the flowmeter with every member its pages bind.
    static std::string DefaultJson();
    bool LoadDefault(std::string* error);
    // `source` names the text in error messages (a file name or "embedded project").
    bool LoadText(const std::string& json, const std::string& source, std::string* error);
    // A regular file of at most 16 MiB (see README, "Limits").
    bool LoadFile(const std::string& path, std::string* error);
    // Writes the current values; the file is replaced only once the new one is complete.
    bool SaveFile(const std::string& path, std::string* error) const;
    std::string ToJson() const;

    CControllerState& Controller() { return m_controller; }
    const CControllerState& Controller() const { return m_controller; }
    bool HasConfigTag() const { return m_hasConfigTag; }
    CTagModel& ConfigTag() { return m_configTag; }
    const CTagModel& ConfigTag() const { return m_configTag; }
    bool HasSafetyConfigTag() const { return m_hasSafetyTag; }
    CTagModel& SafetyConfigTag() { return m_safetyTag; }
    const CTagModel& SafetyConfigTag() const { return m_safetyTag; }
    // The fragment the module's sub-item source hands out: one PageSet element.
    const std::wstring& SubItemsXml() const { return m_subItemsXml; }
    void SetSubItemsXml(const std::wstring& xml) { m_subItemsXml = xml; }

    // The "device" section; without one the module's device is missing.
    bool HasDevice() const { return m_hasDevice; }
    const CDeviceConfig& Device() const { return m_device; }
    void SetDevice(const CDeviceConfig& device) {
        m_device = device;
        m_hasDevice = true;
    }

    bool IsDirty() const;
    // OK/Apply: the current values become the stored ones.
    void Commit();
    // Reverted: back to the stored values.
    void Revert();

private:
    bool ReadText(const std::string& text, const std::string& source, std::string* error);

    CControllerState m_controller;
    bool m_hasConfigTag = false;
    CTagModel m_configTag;
    bool m_hasSafetyTag = false;
    CTagModel m_safetyTag;
    std::wstring m_subItemsXml;
    bool m_hasDevice = false;
    CDeviceConfig m_device;
};
