#include "harvest/harvestfrontend.h"

namespace vq::harvest {

HarvestFrontEnd::~HarvestFrontEnd() = default;

std::string HarvestFrontEnd::savePathText() const
{
    return m_savePath;
}

void HarvestFrontEnd::setSavePathText(const std::string& text)
{
    m_savePath = text;
}

std::optional<config::PackageKind> HarvestFrontEnd::packageKindRadio() const
{
    return std::nullopt;
}

bool HarvestFrontEnd::loginCheckBoxChecked() const
{
    return m_loginChecked;
}

void HarvestFrontEnd::setLoginCheckBoxChecked(bool checked)
{
    m_loginChecked = checked;
}

WizardResult HarvestFrontEnd::showWizard()
{
    return {};
}

std::optional<std::string> HarvestFrontEnd::chooseSaveFile()
{
    return std::nullopt;
}

void HarvestFrontEnd::setRunning(bool) {}

void HarvestFrontEnd::setPauseCaption(const std::string&) {}

void HarvestFrontEnd::setItemCount(std::size_t) {}

void HarvestFrontEnd::clearPastedAddresses() {}

void HarvestFrontEnd::showCompletion(int, int, int) {}

}  // namespace vq::harvest
