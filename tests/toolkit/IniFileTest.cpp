#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempAppDir.h"
#include "toolkit/IniFile.h"

namespace fs = std::filesystem;

TEST(IniFile, RoundTripsRawGb18030Bytes)
{
    TempAppDir dir(false);
    const std::string path = dir.File("sysset.ini");
    // "蓝色经典" in GBK, then a character only GB18030's four-byte form carries.
    const std::string value = "\xC0\xB6\xC9\xAB\xBE\xAD\xB5\xE4\x95\x32\x82\x36";
    TIniFile ini(path);

    ASSERT_TRUE(ini.WriteString("skins", "skinname", value));
    EXPECT_EQ(ini.ReadString("skins", "skinname", "none"), value);
    EXPECT_EQ(ReadFileBytes(path), "[skins]\r\nskinname=" + value + "\r\n");
    EXPECT_EQ(TIniFile(path).ReadString("skins", "skinname", "none"), value);
}

TEST(IniFile, WritingKeepsEverythingElseAsItWas)
{
    TempAppDir dir(false);
    const std::string path = dir.File("poster.ini");
    WriteFileBytes(path,
                   "; kept comment\n"
                   "stray line before any section\n"
                   "[Forum]\n"
                   "url = http://forum.test/\n"
                   "User=alice\n"
                   "not a key line\n"
                   "\n"
                   "[skins]\r\n"
                   "skinname=Blue\r\n"
                   "[forum]\n"
                   "user=shadowed\n"
                   "tail without line end");
    TIniFile ini(path);

    ASSERT_TRUE(ini.WriteString("FORUM", "user", "bob"));        // replaced in the first [Forum]
    ASSERT_TRUE(ini.WriteString("forum", "password", "p=w d"));  // appended to it
    ASSERT_TRUE(ini.WriteString("\xD0\xC2", "key", "v"));         // a new section at the end

    EXPECT_EQ(ReadFileBytes(path),
              "; kept comment\r\n"
              "stray line before any section\r\n"
              "[Forum]\r\n"
              "url = http://forum.test/\r\n"
              "User=bob\r\n"
              "not a key line\r\n"
              "password=p=w d\r\n"
              "\r\n"
              "[skins]\r\n"
              "skinname=Blue\r\n"
              "[forum]\r\n"
              "user=shadowed\r\n"
              "tail without line end\r\n"
              "[\xD0\xC2]\r\n"
              "key=v\r\n");
    EXPECT_EQ(ini.ReadString("forum", "URL", ""), "http://forum.test/");
    EXPECT_EQ(ini.ReadString("forum", "password", ""), "p=w d");
    EXPECT_EQ(ini.ReadString("forum", "user", ""), "bob");
}

TEST(IniFile, MatchesNamesIgnoringAsciiCaseOnly)
{
    TempAppDir dir(false);
    const std::string path = dir.File("a.ini");
    // Two-byte names whose second bytes are "A" and "a": different characters.
    WriteFileBytes(path, "  [ Skins ]  \n  SkinName  =  Deep Blue  \n[\x81\x41]\n\x81\x41=upper\n");
    TIniFile ini(path);

    EXPECT_EQ(ini.ReadString("skins", "skinname", "none"), "Deep Blue");
    EXPECT_EQ(ini.ReadString("SKINS", "SKINNAME", "none"), "Deep Blue");
    EXPECT_EQ(ini.ReadString("\x81\x41", "\x81\x41", "none"), "upper");
    EXPECT_EQ(ini.ReadString("\x81\x61", "\x81\x41", "none"), "none");
    EXPECT_EQ(ini.ReadString("\x81\x41", "\x81\x61", "none"), "none");
    EXPECT_EQ(ini.ReadString("skins", "other", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("nothing", "skinname", "dflt"), "dflt");
}

TEST(IniFile, MissingFileReadsDefaultsAndIsNotCreated)
{
    TempAppDir dir(false);
    const std::string path = dir.File("sysset.ini");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("skins", "skinname", "none"), "none");
    EXPECT_FALSE(fs::exists(path));
}

TEST(IniFile, GarbageNeitherCrashesNorHidesGoodLines)
{
    TempAppDir dir(false);
    const std::string path = dir.File("garbage.ini");
    using namespace std::string_literals;
    std::string garbage = "\0\xFF\xFE[[[\n]\n=\n==x\n[\n\x81\n;[skins]\nskinname=hidden\n\r\r\n"s;
    garbage += "[skins]\nskinname\nskinname=found\n\x81";
    WriteFileBytes(path, garbage);
    TIniFile ini(path);

    EXPECT_EQ(ini.ReadString("skins", "skinname", "none"), "found");
    EXPECT_EQ(ini.ReadString("", "", "none"), "none");
    ASSERT_TRUE(ini.WriteString("skins", "skinname", "new"));
    EXPECT_EQ(ini.ReadString("skins", "skinname", "none"), "new");
}

TEST(IniFile, RefusedWritesLeaveTheFileAlone)
{
    TempAppDir dir(false);
    const std::string path = dir.File("a.ini");
    WriteFileBytes(path, "[s]\nk=v\n");
    TIniFile ini(path);

    EXPECT_FALSE(ini.WriteString("s", "k", "two\r\nlines"));
    EXPECT_FALSE(ini.WriteString("s", "k=x", "v"));
    EXPECT_FALSE(ini.WriteString("s", "", "v"));
    EXPECT_FALSE(ini.WriteString("s]", "k", "v"));
    EXPECT_FALSE(ini.WriteString("s", "[k", "v"));
    EXPECT_EQ(ReadFileBytes(path), "[s]\nk=v\n");

    EXPECT_FALSE(TIniFile(dir.File("missing/a.ini")).WriteString("s", "k", "v"));
    EXPECT_FALSE(fs::exists(dir.File("missing")));
    fs::create_directory(dir.File("folder.ini"));
    EXPECT_FALSE(TIniFile(dir.File("folder.ini")).WriteString("s", "k", "v"));
}
