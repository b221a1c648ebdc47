// The manual pages against the programs: every option and variable that --help names
// is in the page, and --help names every variable the program's code reads, so neither
// falls behind when an option or a variable is added.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace app::test {
namespace {

namespace fs = std::filesystem;

std::string outputOf(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, n);
    pclose(pipe);
    return output;
}

std::string fileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The page as a reader sees its words: font changes and escapes removed, "\-" a hyphen.
std::string pageWords(const std::string& page) {
    std::string words = std::regex_replace(page, std::regex(R"(\\f[BIRP])"), "");
    words = std::regex_replace(words, std::regex(R"(\\-)"), "-");
    return std::regex_replace(words, std::regex(R"(\\&|\\~)"), " ");
}

std::set<std::string> matches(const std::string& text, const std::regex& pattern) {
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
         it != std::sregex_iterator(); ++it)
        found.insert((*it)[1]);
    return found;
}

// Options as --help writes them: a word starting with one or two hyphens after a blank,
// a bracket or a parenthesis.
std::set<std::string> optionsIn(const std::string& help) {
    return matches(help, std::regex(R"((?:^|[\s\[(|])(--?[A-Za-z][A-Za-z-]*))"));
}

// Environment variables: capitals with an underscore, and DISPLAY.
std::set<std::string> variablesIn(const std::string& help) {
    return matches(help, std::regex(R"(\b([A-Z][A-Z0-9]*(?:_[A-Z0-9]+)+|DISPLAY)\b)"));
}

bool named(const std::string& words, const std::string& name) {
    return std::regex_search(words, std::regex("(^|[^A-Za-z0-9_-])" + name + "($|[^A-Za-z0-9_-])"));
}

struct ProgramPage {
    const char* program;
    const char* page;
};

class ManualPageTest : public ::testing::TestWithParam<ProgramPage> {};

TEST_P(ManualPageTest, NamesEveryOptionAndVariableOfTheHelp) {
    const std::string help = outputOf(std::string(GetParam().program) + " --help");
    ASSERT_FALSE(help.empty());
    const std::string page = fileText(fs::path(FLTAMP_MAN_DIR) / GetParam().page);
    ASSERT_FALSE(page.empty()) << GetParam().page;
    EXPECT_NE(page.find(".TH "), std::string::npos);
    EXPECT_NE(page.find("\"fltamp " FLTAMP_PROJECT_VERSION "\""), std::string::npos)
        << "the page's .TH line carries the project's version";
    const std::string words = pageWords(page);
    for (const std::string& option : optionsIn(help))
        EXPECT_TRUE(named(words, option)) << option << " is not in " << GetParam().page;
    for (const std::string& variable : variablesIn(help))
        EXPECT_TRUE(named(words, variable)) << variable << " is not in " << GetParam().page;
}

INSTANTIATE_TEST_SUITE_P(Programs, ManualPageTest,
                         ::testing::Values(ProgramPage{FLTAMP_PROGRAM, "fltamp.1"},
                                           ProgramPage{VBSRUN_PROGRAM, "vbsrun.1"}),
                         [](const auto& info) {
                             return std::string(info.param.page).substr(0, 6);
                         });

// Every variable the program's own code reads (the script engine reads none): the names
// handed to the calls that read the environment, and every string that starts with one
// of our own names (the simulated board reads its numbers through a helper).
TEST(HelpText, NamesEveryVariableTheProgramReads) {
    const std::regex reads[] = {
        std::regex(
            R"re((?:getenv|variable|qgetenv|qEnvironmentVariable(?:IsSet|IsEmpty)?)\("([A-Z][A-Z0-9_]*)"\))re"),
        std::regex(R"re("(FLTAMP_[A-Z0-9_]*[A-Z0-9]))re")};
    std::set<std::string> variables;
    for (const auto& entry : fs::recursive_directory_iterator(FLTAMP_SOURCE_DIR "/src")) {
        const fs::path& path = entry.path();
        if (path.string().find("/src/vbscript/") != std::string::npos ||
            (path.extension() != ".cpp" && path.extension() != ".h"))
            continue;
        for (const std::regex& read : reads)
            for (const std::string& variable : matches(fileText(path), read))
                variables.insert(variable);
    }
    for (const char* known : {"FLTAMP_PORT", "FLTAMP_SIM_CODE", "DISPLAY"})
        EXPECT_TRUE(variables.count(known)) << "the scan misses " << known;
    const std::string help = outputOf(FLTAMP_PROGRAM " --help");
    for (const std::string& variable : variables)
        EXPECT_TRUE(named(help, variable)) << variable << " is read but not in --help";
}

} // namespace
} // namespace app::test
