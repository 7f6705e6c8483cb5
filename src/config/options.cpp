#include "config/options.h"

#include <system_error>

#include "config/atomicfile.h"
#include "config/inifile.h"
#include "text/gbk.h"
#include "text/textops.h"

namespace vq::config {

std::filesystem::path optionsFilePath(const std::filesystem::path& programFolder)
{
    return programFolder / "options" / "options.ini";
}

std::string defaultOptionsFileBytes()
{
    static const char* const kLines[] = {
        "[DL_PIC]",
        "download=真",
        "taobao_only=假",
        "fall=3",
        "qcl=2",
        "qcllr=",
        "zdyz=假",
        "pp=2016==2016年###颜色==颜色分类###鞋跟形状==跟底款式###鞋跟高度==后跟高###鞋头形状==鞋头款式###"
        "货号==款号###休闲==其他休闲###裤型==服装版型###直筒型==直筒###淘货类别==基础风格###"
        "青春流行（18-24岁）==青春流行###适合身高==参考身高###尺寸==规格###花型==颜色分类###"
        "尺寸规格==适用床尺寸###1.2米床==1.2m（4英尺）床###规格==颜色分类###上市年份/季节==年份季节###"
        "2017春季==2017年春季###2017夏季==2017年夏季###年份季节==上市年份季节###笔芯颜色==颜色分类###"
        "光源功率==颜色分类###封面颜色==颜色分类###外框尺寸==颜色分类###2017秋季==2017年秋季###"
        "中性/男女均可==中性###2017冬季==2017年冬季###",
        "zdsj=真",
        "[PR_INFO]",
        "price=100",
        "num=100",
        "p_type=假",
        "n_type=假",
        "price_num=0",
        "[REPLACE]",
        "1=",
        "2=",
        "3=",
        "to1=",
        "to3=",
        "to2=",
        "[SAVE]",
        "type=5",
    };
    std::string text;
    for (const char* line : kLines) {
        text += line;
        text += "\r\n";
    }
    return text::utf8ToGbk(text);
}

bool ensureOptionsFile(const std::filesystem::path& programFolder)
{
    const std::filesystem::path file = optionsFilePath(programFolder);
    std::error_code ec;
    if (std::filesystem::exists(file, ec))
        return true;
    std::filesystem::create_directories(file.parent_path(), ec);
    return writeFileAtomically(file, defaultOptionsFileBytes());
}

Options loadOptions(const std::filesystem::path& optionsFile)
{
    Options options;
    IniFile ini;
    if (!ini.load(optionsFile))
        return options;
    options.download = ini.value("DL_PIC", "download") == "真";
    options.zdsj = ini.value("DL_PIC", "zdsj") == "真";
    options.zdyz = ini.value("DL_PIC", "zdyz") == "真";
    const std::string qcl = ini.value("DL_PIC", "qcl");
    if (qcl.empty() || qcl == "2")
        options.qcl = LinkRule::Remove;
    else if (qcl == "1")
        options.qcl = LinkRule::Keep;
    else if (qcl == "3")
        options.qcl = LinkRule::Replace;
    else
        options.qcl = LinkRule::None;
    options.qcllr = ini.value("DL_PIC", "qcllr");
    options.pp = text::replaceAll(ini.value("DL_PIC", "pp"), "###", "\r\n");
    options.type = ini.value("SAVE", "type") == "4" ? PackageKind::AliAssistant : PackageKind::TaobaoAssistant;
    return options;
}

}  // namespace vq::config
