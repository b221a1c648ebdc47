// Tests of the FileSystemObject's path arithmetic: joining, splitting, making absolute,
// and wildcard matching.
#include "vbscript/lib/path_ops.h"

#include <gtest/gtest.h>

using namespace vbs::lib;

namespace {

struct NameCase {
    std::u16string path;
    std::u16string file, base, extension, parent;
};

TEST(PathNames, SplitLinuxPathsIntoTheirParts) {
    const NameCase cases[] = {
        {u"/home/bench/sweep.csv", u"sweep.csv", u"sweep", u"csv", u"/home/bench"},
        {u"/home/bench/", u"bench", u"bench", u"", u"/home"},
        {u"/home//bench//", u"bench", u"bench", u"", u"/home"},
        {u"sweep.tar.gz", u"sweep.tar.gz", u"sweep.tar", u"gz", u""},
        {u"logs/run", u"run", u"run", u"", u"logs"},
        {u"/etc", u"etc", u"etc", u"", u"/"},
        {u"/", u"", u"", u"", u""},
        {u"", u"", u"", u"", u""},
        {u".profile", u".profile", u"", u"profile", u""},
        {u"name.", u"name.", u"name", u"", u""},
        {u"C:\\data\\x.txt", u"C:\\data\\x.txt", u"C:\\data\\x", u"txt", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.path.begin(), c.path.end()));
        EXPECT_EQ(fileName(c.path), c.file);
        EXPECT_EQ(baseName(c.path), c.base);
        EXPECT_EQ(extensionName(c.path), c.extension);
        EXPECT_EQ(parentFolderName(c.path), c.parent);
    }
}

TEST(BuildPath, PutsOneSeparatorBetween) {
    EXPECT_EQ(buildPath(u"logs", u"run.csv"), u"logs/run.csv");
    EXPECT_EQ(buildPath(u"logs/", u"run.csv"), u"logs/run.csv");
    EXPECT_EQ(buildPath(u"logs//", u"//run.csv"), u"logs/run.csv");
    EXPECT_EQ(buildPath(u"/", u"etc"), u"/etc");
    EXPECT_EQ(buildPath(u"", u"run.csv"), u"run.csv");
    EXPECT_EQ(buildPath(u"logs", u""), u"logs/");
}

TEST(AbsolutePath, ResolvesAgainstTheCurrentFolderWithoutTouchingDisk) {
    const std::u16string here = u"/home/bench";
    EXPECT_EQ(absolutePath(u"", here), here);
    EXPECT_EQ(absolutePath(u".", here), here);
    EXPECT_EQ(absolutePath(u"a/./b/../c.txt", here), u"/home/bench/a/c.txt");
    EXPECT_EQ(absolutePath(u"../../../..", here), u"/");
    EXPECT_EQ(absolutePath(u"/tmp//x/", here), u"/tmp/x");
    EXPECT_EQ(absolutePath(u"/", here), u"/");
    EXPECT_EQ(absolutePath(u"*.csv", here), u"/home/bench/*.csv");
}

struct WildcardCase {
    std::u16string pattern, name;
    bool matches;
};

TEST(Wildcards, MatchStarAndQuestionMarkLeavingHiddenFilesAlone) {
    const WildcardCase cases[] = {
        {u"*.csv", u"run.csv", true},
        {u"*.csv", u"run.csv.bak", false},
        {u"*", u"anything", true},
        {u"*", u".hidden", false},
        {u".*", u".hidden", true},
        {u"*.*", u"README", true},
        {u"*.*", u"a.b", true},
        {u"*.*", u".hidden", false},
        {u"run?.csv", u"run1.csv", true},
        {u"run?.csv", u"run12.csv", false},
        {u"a*b*c", u"aXXbYYc", true},
        {u"a*b*c", u"aXXbYY", false},
        {u"*a*a*a", u"aaaa", true},
        {u"R*.csv", u"run.csv", false},
        {u"", u"", true},
        {u"?", u"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wildcardMatch(c.pattern, c.name), c.matches)
            << std::string(c.pattern.begin(), c.pattern.end()) << " / "
            << std::string(c.name.begin(), c.name.end());
    EXPECT_TRUE(hasWildcards(u"a*"));
    EXPECT_TRUE(hasWildcards(u"a?"));
    EXPECT_FALSE(hasWildcards(u"plain.txt"));
}

} // namespace
