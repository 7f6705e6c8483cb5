#include "collect/collectstate.h"

namespace vq::collect {

std::string collectionModeName(CollectionMode mode)
{
    switch (mode) {
    case CollectionMode::Single:
        return "单品";
    case CollectionMode::List:
        return "列表";
    case CollectionMode::Shop:
        return "店铺";
    case CollectionMode::None:
        break;
    }
    return {};
}

std::string addressBoxPrompt(CollectionMode mode, std::string_view pastedAddresses)
{
    switch (mode) {
    case CollectionMode::Single:
        return pastedAddresses.empty() ? "请粘贴宝贝地址，双击可粘贴多个宝贝地址！" : "已粘贴多行地址";
    case CollectionMode::List:
        return "请输入列表地址";
    case CollectionMode::Shop:
        return "请输入店铺地址";
    case CollectionMode::None:
        break;
    }
    return {};
}

}  // namespace vq::collect
