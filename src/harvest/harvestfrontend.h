// The harvest run's port to the window: the save-path box, the package-kind
// radio buttons, the login check box, the generation wizard, the control
// states, the pause caption and the completion window. Every call arrives on
// the UI thread (workers reach it through FrontEnd::runOnUiThread). The
// defaults make sense without a window, as the command line uses them: the
// save-path box is a remembered text, the package kind follows the options,
// no login prompt, no wizard (the caller sets the rewrite options), and
// control states and the completion window are ignored.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "config/options.h"
#include "harvest/rewriteoptions.h"

namespace vq::harvest {

// The save-path box shows this text while no path has been chosen; it means
// "use the default path on the desktop".
inline constexpr const char* SavePathPlaceholder = "点‘更改’可设置数据包保存位置，如不设置，默认保存在桌面！";

enum class WizardOutcome {
    Confirmed,  // "确认": options holds the choice
    Cancelled,  // "取消": no run starts
    Closed      // the close box: the options stay as they were, the run starts
};

struct WizardResult {
    WizardOutcome outcome = WizardOutcome::Closed;
    RewriteOptions options;
};

class HarvestFrontEnd {
public:
    virtual ~HarvestFrontEnd();

    // The save-path box "编辑框3".
    virtual std::string savePathText() const;
    virtual void setSavePathText(const std::string& text);

    // The package kind whose radio button is checked right now, which may
    // differ from the saved setting; nothing when there are no radio
    // buttons, and then the saved setting counts.
    virtual std::optional<config::PackageKind> packageKindRadio() const;

    // The check box "选择框2" (login prompt only once). Without a window it
    // reads as checked, so no login window is asked for.
    virtual bool loginCheckBoxChecked() const;
    virtual void setLoginCheckBoxChecked(bool checked);

    // The modal wizard "生成向导"; without a window it is "closed" at once.
    virtual WizardResult showWizard();

    // The file dialog of "更改"; nothing when the user cancels.
    virtual std::optional<std::string> chooseSaveFile();

    // Running: generate, the add and import buttons, the list, delete and
    // clear disabled; pause and stop enabled. Idle: the reverse.
    virtual void setRunning(bool running);
    // The caption of the pause button: "暂停" or "继续".
    virtual void setPauseCaption(const std::string& caption);
    // The item-count label beside "宝贝数：".
    virtual void setItemCount(std::size_t count);
    // Empties the multi-line paste of the address box.
    virtual void clearPastedAddresses();
    // Opens the completion window "复制完成！" (not modal).
    virtual void showCompletion(int total, int successCount, int failureCount);

private:
    std::string m_savePath = SavePathPlaceholder;
    bool m_loginChecked = true;
};

}  // namespace vq::harvest
