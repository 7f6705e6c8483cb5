#include "config/settingspresenter.h"

#include "config/inifile.h"
#include "config/optionsstore.h"
#include "text/textops.h"

namespace vq::config {
namespace {

const char* boolText(bool value)
{
    return value ? "真" : "假";
}

}  // namespace

SettingsPresenter::SettingsPresenter(SettingsView& view, OptionsStore& store, std::filesystem::path optionsFile)
    : m_view(view), m_store(store), m_file(std::move(optionsFile))
{
}

void SettingsPresenter::load()
{
    const Options options = loadOptions(m_file);
    m_view.setControls(options);
    m_store.set(options);
}

void SettingsPresenter::save()
{
    Options options = m_view.controls();
    IniFile ini;
    ini.load(m_file);  // a missing file starts empty, as the platform's INI writer would

    ini.setValue("DL_PIC", "download", boolText(options.download));
    ini.setValue("DL_PIC", "zdsj", boolText(options.zdsj));
    ini.setValue("DL_PIC", "zdyz", boolText(options.zdyz));
    // No selection is saved as the replacement rule.
    const bool replaceRule = options.qcl != LinkRule::Keep && options.qcl != LinkRule::Remove;
    ini.setValue("DL_PIC", "qcl", options.qcl == LinkRule::Keep ? "1" : options.qcl == LinkRule::Remove ? "2" : "3");
    if (replaceRule) {
        if (options.qcllr.empty()) {
            ini.save(m_file);
            m_view.showMessage("请填写待替换链接！", "");
            return;
        }
        ini.setValue("DL_PIC", "qcllr", options.qcllr);
    }
    ini.setValue("DL_PIC", "pp", text::replaceAll(options.pp, "\r\n", "###"));
    ini.setValue("SAVE", "type", options.type == PackageKind::AliAssistant ? "4" : "5");
    ini.save(m_file);

    Options stored = m_store.get();
    stored.type = options.type;
    m_store.set(stored);
    m_view.showMessage("已经保存！", "提示");
}

void SettingsPresenter::addMapping()
{
    const std::string source = m_view.mappingSourceName();
    const std::string target = m_view.mappingTargetName();
    if (source.empty() || target.empty()) {
        m_view.showMessage("上下属性名不能为空", "提示");
        return;
    }
    const Options options = m_view.controls();
    m_view.setMappingTable(options.pp + source + "==" + target + "\r\n");
    m_view.clearMappingNames();
    controlsChanged();
}

void SettingsPresenter::controlsChanged()
{
    // The harvest reads the controls live, except the package kind, which
    // changes only when the settings are loaded or saved.
    Options live = m_view.controls();
    live.type = m_store.get().type;
    m_store.set(live);
}

}  // namespace vq::config
