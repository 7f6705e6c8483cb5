#include "config/settingspresenter.h"

#include <gtest/gtest.h>

#include "config/inifile.h"
#include "config/optionsstore.h"
#include "support/tempdir.h"

using namespace vq::config;

namespace {

class FakeSettingsTab : public SettingsView {
public:
    Options options;
    std::string source;
    std::string target;
    std::vector<std::pair<std::string, std::string>> messages;

    Options controls() const override { return options; }
    void setControls(const Options& o) override { options = o; }
    std::string mappingSourceName() const override { return source; }
    std::string mappingTargetName() const override { return target; }
    void clearMappingNames() override { source.clear(), target.clear(); }
    void setMappingTable(const std::string& table) override { options.pp = table; }
    void showMessage(const std::string& text, const std::string& title) override { messages.emplace_back(text, title); }
};

class SettingsPresenterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureOptionsFile(dir.path());
        presenter.load();
    }
    IniFile file() const
    {
        IniFile ini;
        ini.load(optionsFilePath(dir.path()));
        return ini;
    }

    vq::test::TempDir dir;
    FakeSettingsTab tab;
    OptionsStore store;
    SettingsPresenter presenter{tab, store, optionsFilePath(dir.path())};
};

TEST_F(SettingsPresenterTest, SaveWritesEveryKeyAndConfirms)
{
    tab.options.download = false;
    tab.options.zdyz = true;
    tab.options.qcl = LinkRule::Replace;
    tab.options.qcllr = "https://shop.example/";
    tab.options.pp = "a==b\r\nc==d\r\n";
    tab.options.type = PackageKind::AliAssistant;
    presenter.save();
    const IniFile ini = file();
    EXPECT_EQ(ini.value("DL_PIC", "download"), "假");
    EXPECT_EQ(ini.value("DL_PIC", "zdsj"), "真");
    EXPECT_EQ(ini.value("DL_PIC", "zdyz"), "真");
    EXPECT_EQ(ini.value("DL_PIC", "qcl"), "3");
    EXPECT_EQ(ini.value("DL_PIC", "qcllr"), "https://shop.example/");
    EXPECT_EQ(ini.value("DL_PIC", "pp"), "a==b###c==d###");
    EXPECT_EQ(ini.value("SAVE", "type"), "4");
    EXPECT_EQ(store.get().type, PackageKind::AliAssistant);
    ASSERT_EQ(tab.messages.size(), 1u);
    EXPECT_EQ(tab.messages[0], (std::pair<std::string, std::string>{"已经保存！", "提示"}));
}

TEST_F(SettingsPresenterTest, ReplaceRuleWithEmptyLinkStopsAfterQcl)
{
    tab.options.qcl = LinkRule::Replace;
    tab.options.qcllr = "";
    tab.options.pp = "changed==table\r\n";
    tab.options.type = PackageKind::AliAssistant;
    presenter.save();
    const IniFile ini = file();
    EXPECT_EQ(ini.value("DL_PIC", "qcl"), "3");
    EXPECT_EQ(ini.value("SAVE", "type"), "5");
    EXPECT_EQ(ini.value("DL_PIC", "pp").substr(0, 16), "2016==2016年###");
    EXPECT_EQ(store.get().type, PackageKind::TaobaoAssistant);
    ASSERT_EQ(tab.messages.size(), 1u);
    EXPECT_EQ(tab.messages[0].first, "请填写待替换链接！");
    EXPECT_EQ(tab.messages[0].second, "");
}

TEST_F(SettingsPresenterTest, KeepAndRemoveRulesLeaveTheOldLink)
{
    tab.options.qcl = LinkRule::Replace;
    tab.options.qcllr = "old-link";
    presenter.save();
    tab.options.qcl = LinkRule::Keep;
    tab.options.qcllr = "ignored";
    presenter.save();
    EXPECT_EQ(file().value("DL_PIC", "qcllr"), "old-link");
    EXPECT_EQ(file().value("DL_PIC", "qcl"), "1");
}

TEST_F(SettingsPresenterTest, AddMapping)
{
    tab.options.pp = "a==b";
    tab.source = "";
    tab.target = "淘宝名";
    presenter.addMapping();
    EXPECT_EQ(tab.messages.back(), (std::pair<std::string, std::string>{"上下属性名不能为空", "提示"}));
    EXPECT_EQ(tab.options.pp, "a==b");

    tab.source = "1688名";
    presenter.addMapping();
    // No CR LF at the end of the table: the new line follows directly.
    EXPECT_EQ(tab.options.pp, "a==b1688名==淘宝名\r\n");
    EXPECT_TRUE(tab.source.empty());
    EXPECT_TRUE(tab.target.empty());
    // The harvest sees the new table before it is saved.
    EXPECT_EQ(store.get().pp, tab.options.pp);
    // The file is unchanged until "保存配置".
    EXPECT_EQ(file().value("DL_PIC", "pp").substr(0, 16), "2016==2016年###");
}

TEST_F(SettingsPresenterTest, LiveChangesDoNotChangeThePackageKind)
{
    tab.options.type = PackageKind::AliAssistant;
    tab.options.zdyz = true;
    presenter.controlsChanged();
    EXPECT_TRUE(store.get().zdyz);
    EXPECT_EQ(store.get().type, PackageKind::TaobaoAssistant);
}

}  // namespace
