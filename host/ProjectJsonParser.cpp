#include "host/ProjectJsonParser.h"

#include <vector>

using Json = nlohmann::ordered_json;

namespace {

bool IsSection(const std::string& key) {
    return key == "controller" || key == "configTag" || key == "safetyConfigTag";
}

// Builds the tree from the parser's events, keeping the path to the value being read.
class CBoundedBuilder : public nlohmann::json_sax<Json> {
public:
    explicit CBoundedBuilder(Json* root) : m_root(root) {}

    const std::string& Error() const { return m_error; }

    bool null() override { return Put(nullptr); }
    bool boolean(bool value) override { return Put(value); }
    bool number_integer(number_integer_t value) override { return Put(value); }
    bool number_unsigned(number_unsigned_t value) override { return Put(value); }
    bool number_float(number_float_t value, const string_t&) override { return Put(value); }
    bool binary(binary_t&) override { return Fail("binary values are not JSON"); }
    bool string(string_t& value) override {
        if (value.size() > CProjectJsonParser::kMaxTextBytes)
            return Fail("the text is longer than " + std::to_string(CProjectJsonParser::kMaxTextBytes) +
                        " bytes");
        // Remembered so that later errors inside a member can name it.
        if (!m_frames.empty() && m_frames.back().container->is_object() && m_frames.back().key == "name")
            m_frames.back().name = value;
        return Put(std::move(value));
    }
    bool start_object(std::size_t) override { return Open(Json::object()); }
    bool start_array(std::size_t) override { return Open(Json::array()); }
    bool end_object() override { return Close(); }
    bool end_array() override { return Close(); }
    bool key(string_t& key) override {
        Frame& frame = m_frames.back();
        frame.key = key;
        if (frame.container->contains(key))
            return Fail("the field appears twice");
        if (frame.container->size() >= CProjectJsonParser::kMaxFields)
            return Fail("an object holds at most " + std::to_string(CProjectJsonParser::kMaxFields) +
                        " fields");
        return true;
    }
    bool parse_error(std::size_t, const std::string& token, const nlohmann::detail::exception& failure) override {
        if (failure.id == 406) // a number beyond a double
            return Fail("the number " + token + " is outside the range of a double");
        m_error = std::string("not JSON: ") + failure.what();
        return false;
    }

private:
    struct Frame {
        Json* container;
        std::string key;  // in an object: the field being read
        std::string name; // an object's "name", once read
    };

    // Where the value being read sits, in the project reader's words.
    std::string Where() const {
        std::vector<std::string> parts;
        for (size_t i = 0; i < m_frames.size(); ++i) {
            const Frame& frame = m_frames[i];
            // In a list, the entry being read is the last one added while it is open itself.
            const bool inner = i + 1 < m_frames.size();
            const size_t entry = frame.container->size() - (inner ? 1 : 0) + 1;
            if (frame.container->is_object()) {
                if (!frame.key.empty())
                    parts.push_back(i == 0 && IsSection(frame.key) ? frame.key : "field '" + frame.key + "'");
            } else if (i > 0 && m_frames[i - 1].key == "members" && !parts.empty()) {
                const std::string name = i + 1 < m_frames.size() ? m_frames[i + 1].name : "";
                parts.back() = name.empty() || name.size() > 64 ? "member " + std::to_string(entry)
                                                                 : "member '" + name + "'";
            } else {
                parts.push_back("entry " + std::to_string(entry));
            }
        }
        std::string where;
        for (const std::string& part : parts)
            where += (where.empty() ? "" : ": ") + part;
        return where.empty() ? "top level" : where;
    }

    bool Fail(const std::string& what) {
        m_error = Where() + ": " + what;
        return false;
    }

    // Adds a value where the parser is; the new value's address, or null at the root.
    Json* Add(Json value) {
        if (m_frames.empty()) {
            *m_root = std::move(value);
            return m_root;
        }
        Frame& frame = m_frames.back();
        if (frame.container->is_object())
            return &((*frame.container)[frame.key] = std::move(value));
        frame.container->push_back(std::move(value));
        return &frame.container->back();
    }

    bool Put(Json value) {
        Add(std::move(value));
        return true;
    }

    bool Open(Json empty) {
        if (m_frames.size() >= CProjectJsonParser::kMaxDepth)
            return Fail("nested deeper than " + std::to_string(CProjectJsonParser::kMaxDepth) + " levels");
        Json* added = Add(std::move(empty));
        m_frames.push_back({added, {}, {}});
        return true;
    }

    bool Close() {
        m_frames.pop_back();
        return true;
    }

    Json* m_root;
    std::vector<Frame> m_frames;
    std::string m_error;
};

} // namespace

bool CProjectJsonParser::Parse(const std::string& text, Json* json, std::string* error) {
    Json parsed;
    CBoundedBuilder builder(&parsed);
    if (!Json::sax_parse(text, &builder)) {
        *error = builder.Error().empty() ? "not JSON" : builder.Error();
        return false;
    }
    *json = std::move(parsed);
    return true;
}
