#include "host/HostProject.h"

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "host/DefaultProject.h"
#include "host/ProjectJsonParser.h"
#include "platform/base/TextCodec.h"

using Json = nlohmann::ordered_json;

namespace {

constexpr int kFormatVersion = 1;
// Tag and member names, enumeration texts: as long as a person would write them.
constexpr size_t kMaxNameLength = 64;
constexpr size_t kMaxTextLength = 1024;
constexpr size_t kMaxFileBytes = 16 * 1024 * 1024;

// Collects where the reader is (file, member, field), so that every refusal names
// the input at fault.
class CProjectReader {
public:
    explicit CProjectReader(std::string source) : m_source(std::move(source)) {}

    bool Fail(const std::string& where, const std::string& what) {
        if (m_error.empty())
            m_error = m_source + ": " + where + ": " + what;
        return false;
    }
    const std::string& Error() const { return m_error; }

    // Every key of `object` must be one of `known`: a misspelt field is an error, not a default.
    bool OnlyKnownKeys(const Json& object, const std::set<std::string>& known, const std::string& where) {
        for (auto it = object.begin(); it != object.end(); ++it)
            if (!known.count(it.key()))
                return Fail(where, "unknown field '" + it.key() + "'");
        return true;
    }

    // A non-empty text of at most `limit` characters without control characters.
    bool ReadName(const Json& json, const std::string& where, size_t limit, std::wstring* name);
    bool ReadController(const Json& json, CControllerState* state);
    bool ReadTag(const Json& json, const std::string& where, CTagModel* tag);

private:
    bool ReadMember(const Json& json, size_t index, const std::string& tagWhere, CTagMember* out);
    bool ReadValue(const Json& json, const CTagMember& member, const std::string& where, CTagValue* value);
    bool ReadInteger(const Json& json, const std::string& where, LONGLONG low, LONGLONG high,
                     LONGLONG* value);
    bool ReadBool(const Json& json, const std::string& where, bool* value);

    std::string m_source;
    std::string m_error;
};

std::string Utf8(const std::wstring& text) {
    return CTextCodec::ToUtf8(text);
}

bool CProjectReader::ReadInteger(const Json& json, const std::string& where, LONGLONG low, LONGLONG high,
                                 LONGLONG* value) {
    if (!json.is_number_integer())
        return Fail(where, "expected an integer");
    const bool tooLarge = json.is_number_unsigned() &&
                          json.get<unsigned long long>() > static_cast<unsigned long long>(LLONG_MAX);
    const LONGLONG number = tooLarge ? LLONG_MAX : json.get<LONGLONG>();
    if (tooLarge || number < low || number > high)
        return Fail(where, "the integer " + json.dump() + " is outside " + std::to_string(low) + " to " +
                               std::to_string(high));
    *value = number;
    return true;
}

bool CProjectReader::ReadName(const Json& json, const std::string& where, size_t limit, std::wstring* name) {
    if (!json.is_string() || json.get<std::string>().empty())
        return Fail(where, "expected a non-empty text");
    std::wstring text = CTextCodec::FromUtf8(json.get<std::string>());
    if (text.size() > limit)
        return Fail(where, "longer than " + std::to_string(limit) + " characters");
    for (wchar_t c : text)
        if (c < 0x20 || c == 0x7F)
            return Fail(where, "control characters are not allowed");
    *name = std::move(text);
    return true;
}

bool CProjectReader::ReadBool(const Json& json, const std::string& where, bool* value) {
    if (!json.is_boolean())
        return Fail(where, "expected true or false");
    *value = json.get<bool>();
    return true;
}

bool CProjectReader::ReadController(const Json& json, CControllerState* state) {
    const std::string where = "controller";
    if (!json.is_object())
        return Fail(where, "expected an object");
    if (!OnlyKnownKeys(json,
                       {"mode", "redundancyState", "safety", "safetyEnabled", "safetyLockedOut",
                        "moduleStateFlag", "locale", "logixVersion", "parentStates"},
                       where))
        return false;
    LONGLONG number = 0;
    if (json.contains("mode")) {
        if (!ReadInteger(json["mode"], where + ": field 'mode'", 0, 255, &number))
            return false;
        state->mode = static_cast<LONG>(number);
    }
    if (json.contains("redundancyState")) {
        if (!ReadInteger(json["redundancyState"], where + ": field 'redundancyState'", INT32_MIN, INT32_MAX,
                         &number))
            return false;
        state->redundancyState = static_cast<LONG>(number);
    }
    if (json.contains("locale")) {
        if (!ReadInteger(json["locale"], where + ": field 'locale'", 1, 0xFFFF, &number))
            return false;
        state->locale = static_cast<LCID>(number);
    }
    if (json.contains("logixVersion")) {
        if (!ReadInteger(json["logixVersion"], where + ": field 'logixVersion'", 1, 1000, &number))
            return false;
        state->logixVersion = static_cast<LONG>(number);
    }
    const std::pair<const char*, bool*> flags[] = {{"safety", &state->hasSafety},
                                                   {"safetyEnabled", &state->safetyEnabled},
                                                   {"safetyLockedOut", &state->safetyLockedOut},
                                                   {"moduleStateFlag", &state->moduleStateFlag}};
    for (const auto& [name, flag] : flags)
        if (json.contains(name) && !ReadBool(json[name], where + ": field '" + name + "'", flag))
            return false;
    if ((state->safetyEnabled || state->safetyLockedOut) && !state->hasSafety)
        return Fail(where, "'safetyEnabled' and 'safetyLockedOut' need \"safety\": true");
    if (json.contains("parentStates")) {
        const Json& states = json["parentStates"];
        if (!states.is_object())
            return Fail(where + ": field 'parentStates'", "expected an object of selector: true or false");
        for (auto it = states.begin(); it != states.end(); ++it) {
            char* end = nullptr;
            const long selector = std::strtol(it.key().c_str(), &end, 10);
            if (it.key().empty() || *end != '\0' || selector < INT32_MIN || selector > INT32_MAX)
                return Fail(where + ": field 'parentStates'",
                            "the selector '" + it.key() + "' is not an integer");
            bool value = false;
            if (!ReadBool(it.value(), where + ": field 'parentStates': selector " + it.key(), &value))
                return false;
            state->parentStates[static_cast<LONG>(selector)] = value;
        }
    }
    return true;
}

bool CProjectReader::ReadValue(const Json& json, const CTagMember& member, const std::string& where,
                               CTagValue* value) {
    switch (member.Type()) {
    case TagDataType::Real:
        if (!json.is_number())
            return Fail(where, "expected a number");
        if (std::fabs(json.get<double>()) > FLT_MAX)
            return Fail(where, "the number " + json.dump() + " does not fit a REAL");
        *value = json.get<float>();
        return true;
    case TagDataType::Bool:
        if (!json.is_boolean())
            return Fail(where, "expected true or false");
        *value = json.get<bool>();
        return true;
    case TagDataType::String:
        if (!json.is_string())
            return Fail(where, "expected a text");
        *value = CTextCodec::FromUtf8(json.get<std::string>());
        return true;
    default: {
        // The type's own range; the member's limits are checked by the caller.
        CTagMember plain(member.Name(), member.Type());
        LONGLONG number = 0;
        if (!ReadInteger(json, where, std::get<LONGLONG>(plain.Minimum()),
                         std::get<LONGLONG>(plain.Maximum()), &number))
            return false;
        *value = number;
        return true;
    }
    }
}

bool CProjectReader::ReadMember(const Json& json, size_t index, const std::string& tagWhere,
                                CTagMember* out) {
    std::string where = tagWhere + ": member " + std::to_string(index + 1);
    if (!json.is_object())
        return Fail(where, "expected an object");
    std::wstring wideName;
    if (!ReadName(json.contains("name") ? json["name"] : Json(), where + ": field 'name'", kMaxNameLength,
                  &wideName))
        return false;
    const std::string name = json["name"].get<std::string>();
    where = tagWhere + ": member '" + name + "'";
    if (!OnlyKnownKeys(json,
                       {"name", "type", "enum", "min", "max", "default", "value", "forced", "forcedValue",
                        "extProperties"},
                       where))
        return false;
    TagDataType type = TagDataType::Dint;
    if (!json.contains("type") || !json["type"].is_string() ||
        !CTagMember::TypeFromName(CTextCodec::FromUtf8(json["type"].get<std::string>()), &type))
        return Fail(where + ": field 'type'", "expected one of SINT, INT, DINT, LINT, REAL, BOOL, STRING");
    CTagMember member(wideName, type);

    if (json.contains("enum")) {
        const Json& entries = json["enum"];
        if (type != TagDataType::Sint && type != TagDataType::Int && type != TagDataType::Dint)
            return Fail(where + ": field 'enum'", "only SINT, INT and DINT members have enumerations");
        if (!entries.is_array() || entries.empty())
            return Fail(where + ": field 'enum'", "expected a non-empty list of {\"value\", \"text\"}");
        std::vector<CTagEnumEntry> list;
        std::set<LONGLONG> codes;
        for (size_t i = 0; i < entries.size(); ++i) {
            const std::string entryWhere = where + ": field 'enum': entry " + std::to_string(i + 1);
            const Json& entry = entries[i];
            if (!entry.is_object() || !OnlyKnownKeys(entry, {"value", "text"}, entryWhere))
                return Fail(entryWhere, "expected {\"value\", \"text\"}");
            LONGLONG code = 0;
            if (!entry.contains("value") || !ReadInteger(entry["value"], entryWhere + ": field 'value'",
                                                         std::get<LONGLONG>(member.Minimum()),
                                                         std::get<LONGLONG>(member.Maximum()), &code))
                return Fail(entryWhere + ": field 'value'", "expected an integer");
            if (!codes.insert(code).second)
                return Fail(entryWhere + ": field 'value'",
                            "the code " + std::to_string(code) + " appears twice");
            std::wstring text;
            if (!ReadName(entry.contains("text") ? entry["text"] : Json(), entryWhere + ": field 'text'",
                          kMaxTextLength, &text))
                return false;
            list.push_back({static_cast<LONG>(code), std::move(text)});
        }
        member.SetEnumeration(std::move(list));
        if (json.contains("min") || json.contains("max"))
            return Fail(where, "an enumeration takes its limits from its codes: no 'min' or 'max'");
    }

    CTagValue minimum = member.Minimum();
    CTagValue maximum = member.Maximum();
    const bool numeric = type != TagDataType::Bool && type != TagDataType::String;
    for (const char* field : {"min", "max"}) {
        if (!json.contains(field))
            continue;
        if (!numeric)
            return Fail(where + ": field '" + field + "'", "BOOL and STRING members have no limits");
        if (!ReadValue(json[field], member, where + ": field '" + field + "'",
                       std::string(field) == "min" ? &minimum : &maximum))
            return false;
    }
    if (numeric && minimum > maximum)
        return Fail(where, "'min' " + Utf8(CTagMember::ToText(minimum)) + " is above 'max' " +
                               Utf8(CTagMember::ToText(maximum)));
    member.SetLimits(minimum, maximum);

    std::wstring why;
    CTagValue defaultValue =
        member.IsEnum() ? CTagValue{LONGLONG{member.Enumeration().front().value}} : member.Default();
    if (!member.IsEnum() && numeric && !member.Accepts(defaultValue, &why))
        defaultValue = minimum; // a range that excludes zero starts at its minimum
    if (json.contains("default")) {
        if (!ReadValue(json["default"], member, where + ": field 'default'", &defaultValue))
            return false;
    }
    if (!member.Accepts(defaultValue, &why))
        return Fail(where + ": field 'default'", Utf8(why));
    member.SetDefault(defaultValue);

    CTagValue value = defaultValue;
    if (json.contains("value") && !ReadValue(json["value"], member, where + ": field 'value'", &value))
        return false;
    if (!member.Accepts(value, &why))
        return Fail(where + ": field 'value'", Utf8(why));
    member.Load(value);

    bool forced = false;
    if (json.contains("forced") && !ReadBool(json["forced"], where + ": field 'forced'", &forced))
        return false;
    CTagValue forcedValue = value;
    if (json.contains("forcedValue")) {
        if (!ReadValue(json["forcedValue"], member, where + ": field 'forcedValue'", &forcedValue))
            return false;
        if (!member.Accepts(forcedValue, &why))
            return Fail(where + ": field 'forcedValue'", Utf8(why));
    }
    member.SetForce(forced, forcedValue);

    if (json.contains("extProperties")) {
        const Json& properties = json["extProperties"];
        if (!properties.is_object())
            return Fail(where + ": field 'extProperties'", "expected an object of selector: text");
        for (auto it = properties.begin(); it != properties.end(); ++it) {
            char* end = nullptr;
            const long selector = std::strtol(it.key().c_str(), &end, 10);
            if (it.key().empty() || *end != '\0' || selector < INT32_MIN || selector > INT32_MAX)
                return Fail(where + ": field 'extProperties'",
                            "the selector '" + it.key() + "' is not an integer");
            if (!it.value().is_string())
                return Fail(where + ": field 'extProperties': selector " + it.key(), "expected a text");
            if (CTextCodec::FromUtf8(it.value().get<std::string>()).size() > kMaxTextLength)
                return Fail(where + ": field 'extProperties': selector " + it.key(),
                            "longer than " + std::to_string(kMaxTextLength) + " characters");
            member.SetExtProperty(static_cast<LONG>(selector),
                                  CTextCodec::FromUtf8(it.value().get<std::string>()));
        }
    }
    *out = std::move(member);
    return true;
}

bool CProjectReader::ReadTag(const Json& json, const std::string& where, CTagModel* tag) {
    if (!json.is_object())
        return Fail(where, "expected an object");
    if (!OnlyKnownKeys(json, {"name", "suffix", "forcesEnabled", "members"}, where))
        return false;
    std::wstring name;
    if (!ReadName(json.contains("name") ? json["name"] : Json(), where + ": field 'name'", kMaxNameLength, &name))
        return false;
    std::wstring suffix = L"C";
    if (json.contains("suffix") &&
        !ReadName(json["suffix"], where + ": field 'suffix'", kMaxNameLength, &suffix))
        return false;
    CTagModel model(name, suffix);
    bool forcesEnabled = false;
    if (json.contains("forcesEnabled") &&
        !ReadBool(json["forcesEnabled"], where + ": field 'forcesEnabled'", &forcesEnabled))
        return false;
    model.SetForcesEnabled(forcesEnabled);
    if (!json.contains("members") || !json["members"].is_array())
        return Fail(where + ": field 'members'", "expected a list of members");
    const Json& members = json["members"];
    for (size_t i = 0; i < members.size(); ++i) {
        CTagMember member(L"", TagDataType::Dint);
        if (!ReadMember(members[i], i, where, &member))
            return false;
        const std::string name = Utf8(member.Name());
        if (!model.Add(std::move(member)))
            return Fail(where + ": member '" + name + "'", "the name appears twice");
    }
    *tag = std::move(model);
    return true;
}

Json ValueJson(const CTagValue& value) {
    if (const auto* integer = std::get_if<LONGLONG>(&value))
        return *integer;
    if (const auto* real = std::get_if<float>(&value)) {
        // The shortest text that reads back as the same float, so that 9999.99 stays 9999.99.
        char text[32];
        const auto end = std::to_chars(text, text + sizeof text - 1, *real).ptr;
        *end = '\0';
        return std::strtod(text, nullptr);
    }
    if (const auto* flag = std::get_if<bool>(&value))
        return *flag;
    return CTextCodec::ToUtf8(std::get<std::wstring>(value));
}

Json TagJson(const CTagModel& tag) {
    Json json;
    json["name"] = Utf8(tag.Name());
    json["suffix"] = Utf8(tag.Suffix());
    json["forcesEnabled"] = tag.ForcesEnabled();
    Json members = Json::array();
    for (const CTagMember& member : tag.Members()) {
        Json item;
        item["name"] = Utf8(member.Name());
        item["type"] = Utf8(CTagMember::TypeName(member.Type()));
        if (member.IsEnum()) {
            Json entries = Json::array();
            for (const CTagEnumEntry& entry : member.Enumeration())
                entries.push_back({{"value", entry.value}, {"text", Utf8(entry.text)}});
            item["enum"] = entries;
        } else if (member.Type() != TagDataType::Bool && member.Type() != TagDataType::String) {
            item["min"] = ValueJson(member.Minimum());
            item["max"] = ValueJson(member.Maximum());
        }
        item["default"] = ValueJson(member.Default());
        item["value"] = ValueJson(member.Value());
        if (member.IsForced() || member.ForcedValue() != member.Value()) {
            item["forced"] = member.IsForced();
            item["forcedValue"] = ValueJson(member.ForcedValue());
        }
        if (!member.ExtProperties().empty()) {
            Json properties = Json::object();
            for (const auto& [selector, text] : member.ExtProperties())
                properties[std::to_string(selector)] = Utf8(text);
            item["extProperties"] = properties;
        }
        members.push_back(item);
    }
    json["members"] = members;
    return json;
}

} // namespace

CHostProject::CHostProject() = default;

std::string CHostProject::DefaultJson() {
    return CDefaultProject::Json();
}

bool CHostProject::LoadDefault(std::string* error) {
    return LoadText(DefaultJson(), "embedded project", error);
}

bool CHostProject::LoadText(const std::string& text, const std::string& source, std::string* error) {
    // The checks above should leave the JSON library nothing to throw; should one slip
    // through, it is a refusal, not an abort.
    try {
        return ReadText(text, source, error);
    } catch (const std::exception& failure) {
        *error = source + ": cannot be read: " + failure.what();
        return false;
    }
}

bool CHostProject::ReadText(const std::string& text, const std::string& source, std::string* error) {
    CProjectReader reader(source);
    Json json;
    if (text.size() > kMaxFileBytes) {
        *error = source + ": larger than " + std::to_string(kMaxFileBytes) + " bytes";
        return false;
    }
    if (!CProjectJsonParser::Parse(text, &json, error)) {
        *error = source + ": " + *error;
        return false;
    }
    // Everything is read into new objects first; the project changes only when all is well.
    CControllerState controller;
    CTagModel configTag;
    CTagModel safetyTag;
    std::wstring subItems = L"<PageSet/>";
    bool ok = json.is_object() || reader.Fail("top level", "expected an object");
    ok = ok && reader.OnlyKnownKeys(
                   json, {"format", "version", "controller", "configTag", "safetyConfigTag", "subItems", "device"},
                   "top level");
    if (ok && (!json.contains("format") || json["format"] != "pvhost-project"))
        ok = reader.Fail("field 'format'", "expected \"pvhost-project\"");
    if (ok && (!json.contains("version") || json["version"] != kFormatVersion))
        ok = reader.Fail("field 'version'", "expected " + std::to_string(kFormatVersion));
    if (ok && json.contains("controller"))
        ok = reader.ReadController(json["controller"], &controller);
    // A module without a configuration tag says so with null; a missing section is a mistake.
    const bool hasConfigTag = ok && json.contains("configTag") && !json["configTag"].is_null();
    if (hasConfigTag)
        ok = reader.ReadTag(json["configTag"], "configTag", &configTag);
    const bool hasSafetyTag = ok && json.contains("safetyConfigTag");
    if (hasSafetyTag) {
        ok = reader.ReadTag(json["safetyConfigTag"], "safetyConfigTag", &safetyTag);
        if (ok && !controller.hasSafety)
            ok = reader.Fail("safetyConfigTag", "a module without safety has no safety configuration tag");
    }
    if (ok && json.contains("subItems")) {
        if (!json["subItems"].is_string())
            ok = reader.Fail("field 'subItems'", "expected a text holding one PageSet element");
        else
            subItems = CTextCodec::FromUtf8(json["subItems"].get<std::string>());
    }
    if (ok && !json.contains("controller"))
        ok = reader.Fail("top level", "the controller section is missing");
    if (ok && !json.contains("configTag"))
        ok = reader.Fail("top level", "the configuration tag is missing (null for a module without one)");
    CDeviceConfig device;
    const bool hasDevice = ok && json.contains("device");
    if (hasDevice) {
        std::string where, what;
        ok = CDeviceConfig::Read(json["device"], &device, &where, &what) || reader.Fail(where, what);
    }
    if (!ok) {
        *error = reader.Error();
        return false;
    }
    m_controller = controller;
    m_hasConfigTag = hasConfigTag;
    m_configTag = std::move(configTag);
    m_hasSafetyTag = hasSafetyTag;
    m_safetyTag = std::move(safetyTag);
    m_subItemsXml = subItems;
    m_hasDevice = hasDevice;
    m_device = std::move(device);
    return true;
}

bool CHostProject::LoadFile(const std::string& path, std::string* error) {
    // Not blocking, so that opening a named pipe does not wait for a writer.
    const int file = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (file < 0) {
        *error = path + ": cannot be opened for reading";
        return false;
    }
    struct stat status {};
    std::string text;
    bool ok = fstat(file, &status) == 0 && S_ISREG(status.st_mode);
    if (!ok)
        *error = path + ": not a regular file";
    // At most one byte beyond the limit is read, whatever the file claims its size is.
    while (ok && text.size() <= kMaxFileBytes) {
        char buffer[65536];
        const ssize_t count = read(file, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            *error = path + ": cannot be read";
        ok = count >= 0;
        if (count <= 0)
            break;
        text.append(buffer, std::min<size_t>(static_cast<size_t>(count), kMaxFileBytes + 1 - text.size()));
    }
    close(file);
    return ok && LoadText(text, path, error);
}

std::string CHostProject::ToJson() const {
    Json json;
    json["format"] = "pvhost-project";
    json["version"] = kFormatVersion;
    Json controller;
    controller["mode"] = m_controller.mode;
    controller["redundancyState"] = m_controller.redundancyState;
    controller["safety"] = m_controller.hasSafety;
    controller["safetyEnabled"] = m_controller.safetyEnabled;
    controller["safetyLockedOut"] = m_controller.safetyLockedOut;
    controller["moduleStateFlag"] = m_controller.moduleStateFlag;
    controller["locale"] = m_controller.locale;
    controller["logixVersion"] = m_controller.logixVersion;
    if (!m_controller.parentStates.empty()) {
        Json states = Json::object();
        for (const auto& [selector, state] : m_controller.parentStates)
            states[std::to_string(selector)] = state;
        controller["parentStates"] = states;
    }
    json["controller"] = controller;
    json["configTag"] = m_hasConfigTag ? TagJson(m_configTag) : Json(nullptr);
    if (m_hasSafetyTag)
        json["safetyConfigTag"] = TagJson(m_safetyTag);
    json["subItems"] = Utf8(m_subItemsXml);
    if (m_hasDevice)
        json["device"] = m_device.ToJson();
    return json.dump(2) + "\n";
}

bool CHostProject::SaveFile(const std::string& path, std::string* error) const {
    const std::string temporary = path + ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file) {
            *error = path + ": cannot be written";
            return false;
        }
        file << ToJson();
        file.flush();
        if (!file) {
            *error = path + ": writing failed";
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        *error = path + ": cannot be replaced";
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

bool CHostProject::IsDirty() const {
    return m_configTag.IsDirty() || m_safetyTag.IsDirty();
}

void CHostProject::Commit() {
    m_configTag.Commit();
    m_safetyTag.Commit();
}

void CHostProject::Revert() {
    m_configTag.Revert();
    m_safetyTag.Revert();
}
