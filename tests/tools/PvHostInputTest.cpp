// Hostile input to pvhost: each bad project file is refused with exit 1 and each bad
// path argument with exit 2, the message naming what is at fault, and nothing that
// was already saved is touched.
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "tests/tools/PvHostTestSupport.h"

namespace {

std::string Project(const std::string& members, const std::string& more = R"("controller": {}, )") {
    return R"({"format": "pvhost-project", "version": 1, )" + more + R"("configTag": {"name": "T", "members": [)" +
           members + "]}}";
}

std::string ManyFields(int count) {
    std::string fields;
    for (int i = 0; i < count; ++i)
        fields += (i ? ", \"" : "\"") + std::to_string(i) + "\": \"x\"";
    return Project(R"({"name": "A", "type": "DINT", "extProperties": {)" + fields + "}}");
}

TEST_F(PvHostTest, BadProjectFilesAreRefusedNamingFileMemberAndField) {
    const struct {
        std::string text;
        int exitCode;
        std::vector<std::string> words;
    } rows[] = {
        {Project(R"({"name": "A", "type": "REAL", "value": 1e400})"), 1,
         {"member 'A': field 'value'", "1e400 is outside the range of a double"}},
        {Project(R"({"name": "A", "type": "REAL", "value": 1e39})"), 1, {"member 'A'", "does not fit a REAL"}},
        {Project(R"({"name": "A", "type": "INT", "value": 40000})"), 1, {"member 'A'", "outside -32768 to 32767"}},
        {Project(R"({"name": "A", "type": "DINT", "value": 1, "value": 2})"), 1,
         {"member 'A': field 'value'", "appears twice"}},
        {Project(R"({"name": "A\u0000B", "type": "DINT"})"), 1, {"member 1: field 'name'", "control characters"}},
        {Project(R"({"name": ")" + std::string(65, 'n') + R"(", "type": "DINT"})"), 1,
         {"member 1: field 'name'", "longer than 64 characters"}},
        {Project(R"({"name": "A", "type": "DINT", "enum": [{"value": 1, "text": "a\tb"}]})"), 1,
         {"member 'A': field 'enum': entry 1: field 'text'", "control characters"}},
        {Project(R"({"name": ")" + std::string(70000, 'n') + R"(", "type": "DINT"})"), 1,
         {"member 1: field 'name'", "longer than 65536 bytes"}},
        {ManyFields(257), 1, {"member 'A': field 'extProperties'", "at most 256 fields"}},
        {Project(R"({"name": "A", "type": "DINT", "extProperties": {"1": [[[[[[[[[[[[[[]]]]]]]]]]]]]]}})"), 1,
         {"member 'A': field 'extProperties'", "nested deeper than 16 levels"}},
        {Project("", ""), 1, {"top level", "the controller section is missing"}},
        {R"({"format": "pvhost-project", "version": 1, "controller": {}})", 1,
         {"top level", "the configuration tag is missing"}},
        {"{\"format\": ", 1, {"not JSON"}},
    };
    const std::string saved = Path("saved.json");
    for (const auto& row : rows) {
        { std::ofstream(Path("bad.json")) << row.text; }
        { std::ofstream(saved) << "kept"; }
        const CRunResult run = Pvhost("project --project '" + Path("bad.json") + "' --out '" + saved + "'");
        EXPECT_EQ(row.exitCode, run.exitCode) << row.text.substr(0, 200) << "\n" << run.out;
        for (const std::string& word : row.words)
            EXPECT_TRUE(Contains(run.out, Path("bad.json") + ": ") && Contains(run.out, word))
                << word << "\n" << run.out.substr(0, 400);
        std::ifstream kept(saved);
        EXPECT_EQ("kept", std::string(std::istreambuf_iterator<char>(kept), {})) << row.text.substr(0, 200);
    }
    // Beyond the file limit, whatever it holds: only the limit is read.
    std::filesystem::resize_file(Path("bad.json"), 16 * 1024 * 1024 + 1);
    const CRunResult large = Pvhost("project --project '" + Path("bad.json") + "'");
    EXPECT_EQ(1, large.exitCode);
    EXPECT_TRUE(Contains(large.out, "bad.json: larger than 16777216 bytes")) << large.out;
}

TEST_F(PvHostTest, BadPathArgumentsAreUsageErrorsNamingOptionAndPath) {
    std::filesystem::create_directories(Path("folder"));
    { std::ofstream(Path("file.txt")) << "x"; }
    std::filesystem::resize_file(Path("file.txt"), 2 * 1024 * 1024);
    ASSERT_EQ(0, mkfifo(Path("fifo").c_str(), 0600));
    const std::string folder = Path("folder"), file = Path("file.txt"), missing = Path("none/x.json");
    const struct {
        std::string arguments;
        int exitCode;
        std::vector<std::string> words;
    } rows[] = {
        {"project --project /dev/zero", 2, {"--project '/dev/zero'", "is not a regular file"}},
        {"project --project '" + Path("fifo") + "'", 2, {"--project '" + Path("fifo") + "'", "not a regular file"}},
        {"project --project '" + folder + "'", 2, {"--project '" + folder + "'", "is a folder, not a file"}},
        {"project --project '" + missing + "'", 2, {"--project '" + missing + "'", "no such file"}},
        {"project --out '" + folder + "'", 2, {"--out '" + folder + "'", "is a folder, not a file"}},
        {"project --out '" + missing + "'", 2, {"--out '" + missing + "'", "the folder '" + Path("none") + "'"}},
        {"project --out /dev/null", 2, {"--out '/dev/null'", "is not a regular file"}},
        {"open --script '" + folder + "'", 2, {"--script '" + folder + "'", "is a folder, not a file"}},
        {"open --script '" + file + "'", 2, {"--script '" + file + "'", "larger than 1048576 bytes"}},
        {"open --png '" + folder + "'", 2, {"--png '" + folder + "'", "is a folder"}},
        {"open --save '" + missing + "'", 2, {"--save '" + missing + "'", "does not exist"}},
        {"pages --registry '" + folder + "'", 2, {"--registry '" + folder + "'", "is a folder, not a file"}},
        {"register --profile '" + folder + "'", 2, {"--profile '" + folder + "'", "is a folder"}},
        {"demo --out '" + file + "'", 2, {"--out '" + file + "'", "is not a folder"}},
        {"demo --out '" + file + "/sub'", 2, {"--out '" + file + "/sub'"}},
    };
    for (const auto& row : rows) {
        const CRunResult run = Pvhost(row.arguments + " </dev/null");
        EXPECT_EQ(row.exitCode, run.exitCode) << row.arguments << "\n" << run.out;
        for (const std::string& word : row.words)
            EXPECT_TRUE(Contains(run.out, word)) << word << "\n" << run.out;
        // The refusal is the first thing said: no work started before it.
        EXPECT_EQ(0u, run.out.find("pvhost " + row.arguments.substr(0, row.arguments.find(' ')) + ": --"))
            << row.arguments << "\n" << run.out;
    }
    EXPECT_FALSE(std::filesystem::exists(Path("none")));
}

} // namespace
