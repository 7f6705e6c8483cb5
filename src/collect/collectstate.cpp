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

}  // namespace vq::collect
