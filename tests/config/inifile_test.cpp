#include "config/inifile.h"

#include <gtest/gtest.h>

#include "support/tempdir.h"

using vq::config::IniFile;

TEST(IniFile, ReadsValuesIgnoringNameCase)
{
    const IniFile ini = IniFile::fromText("[DL_PIC]\r\ndownload=真\r\npp=a==b###\r\n[SAVE]\r\ntype=4\r\n");
    EXPECT_EQ(ini.value("DL_PIC", "download"), "真");
    EXPECT_EQ(ini.value("dl_pic", "PP"), "a==b###");
    EXPECT_EQ(ini.value("SAVE", "type"), "4");
    EXPECT_EQ(ini.value("SAVE", "download"), "");
    EXPECT_EQ(ini.value("NOPE", "type"), "");
}

TEST(IniFile, SetValueReplacesOrAddsInItsSection)
{
    IniFile ini = IniFile::fromText("[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
    ini.setValue("A", "x", "9");
    ini.setValue("A", "z", "3");
    ini.setValue("C", "w", "4");
    EXPECT_EQ(ini.text(), "[A]\r\nx=9\r\nz=3\r\n\r\n[B]\r\ny=2\r\n[C]\r\nw=4\r\n");
}

TEST(IniFile, SavesGbkAndLoadsItBack)
{
    vq::test::TempDir dir;
    IniFile ini;
    ini.setValue("DL_PIC", "zdsj", "假");
    ASSERT_TRUE(ini.save(dir / "o.ini"));
    EXPECT_EQ(vq::test::readBytes(dir / "o.ini"), "[DL_PIC]\r\nzdsj=\xBC\xD9\r\n");
    IniFile again;
    ASSERT_TRUE(again.load(dir / "o.ini"));
    EXPECT_EQ(again.value("DL_PIC", "zdsj"), "假");
    EXPECT_FALSE(again.load(dir / "missing.ini"));
}
