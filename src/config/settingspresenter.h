// The logic of the settings tab: loading the file into the controls, the
// "保存配置" and "添加一个新属性匹配" buttons. The tab itself is a SettingsView
// of the front end; calls arrive on the UI thread.
#pragma once

#include <filesystem>
#include <string>

#include "config/options.h"

namespace vq::config {

class OptionsStore;

// The controls of the settings tab as the logic sees them.
class SettingsView {
public:
    virtual ~SettingsView() = default;
    virtual Options controls() const = 0;            // current state of the controls
    virtual void setControls(const Options& options) = 0;
    virtual std::string mappingSourceName() const = 0;  // "1688属性名" box
    virtual std::string mappingTargetName() const = 0;  // "淘宝属性名" box
    virtual void clearMappingNames() = 0;
    virtual void setMappingTable(const std::string& table) = 0;
    // A message box; an empty title means the default title "信息：".
    virtual void showMessage(const std::string& text, const std::string& title) = 0;
};

class SettingsPresenter {
public:
    SettingsPresenter(SettingsView& view, OptionsStore& store, std::filesystem::path optionsFile);

    // Reads the file into the controls and the store.
    void load();
    // Writes the controls to the file key by key; the replacement rule with
    // an empty link stops after writing qcl.
    void save();
    void addMapping();
    // The controls changed: the harvest reads the new values at once.
    void controlsChanged();

private:
    SettingsView& m_view;
    OptionsStore& m_store;
    std::filesystem::path m_file;
};

}  // namespace vq::config
