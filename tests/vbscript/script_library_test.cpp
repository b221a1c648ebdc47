// The script library as a host sees it: every engine has it, a host can withhold the
// file system, and what a script wrote to a file is there even when the engine goes
// away with the file still open.
#include "vbscript/convert.h"
#include "vbscript/engine.h"
#include "vbscript/lib/text_ops.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/script_errors.h"

namespace vbs {
namespace {

using testsupport::errorNumberOf;

TEST(ScriptLibrary, EveryEngineHasIt) {
    Engine engine;
    EXPECT_EQ(toText(engine.eval(u"TypeName(CreateObject(\"Scripting.FileSystemObject\"))")),
              u"FileSystemObject");
    EXPECT_EQ(toText(engine.eval(u"TypeName(New RegExp)")), u"IRegExp2");
    EXPECT_EQ(toText(engine.eval(u"TypeName(CreateObject(\"vbscript.regexp\"))")), u"IRegExp2");
    EXPECT_EQ(toLong(engine.eval(u"LenB(\"ab\")")), 4);
}

TEST(ScriptLibrary, AHostCanWithholdTheFileSystem) {
    Engine engine;
    engine.registerProgId(u"Scripting.FileSystemObject", [] { return Ref<HostObject>(); });
    EXPECT_EQ(errorNumberOf([&] {
                  engine.addCode(u"Set fso = CreateObject(\"Scripting.FileSystemObject\")");
              }),
              err::CannotCreateObject);
}

TEST(ScriptLibrary, WrittenTextOutlivesAnUnclosedStream) {
    char folderName[] = "/tmp/script_library_test_XXXXXX";
    ASSERT_NE(mkdtemp(folderName), nullptr);
    const std::filesystem::path folder = folderName;
    const std::string file = (folder / "log.txt").string();
    {
        Engine engine;
        engine.addCode(u"Set f = CreateObject(\"Scripting.FileSystemObject\").CreateTextFile(\"" +
                       lib::utf8ToUtf16(file) + u"\")\nf.WriteLine \"kept\"\nf.Write \"too\"");
    }
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "kept\r\ntoo");
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace vbs
