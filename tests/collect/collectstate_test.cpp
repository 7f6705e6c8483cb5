#include "collect/collectstate.h"

#include <gtest/gtest.h>

using namespace vq::collect;

namespace {

TEST(CollectionModes, NamesAndAddressBoxPrompts)
{
    EXPECT_EQ(collectionModeName(CollectionMode::Single), "单品");
    EXPECT_EQ(collectionModeName(CollectionMode::List), "列表");
    EXPECT_EQ(collectionModeName(CollectionMode::Shop), "店铺");
    EXPECT_EQ(collectionModeName(CollectionMode::None), "");

    EXPECT_EQ(addressBoxPrompt(CollectionMode::Single, ""), "请粘贴宝贝地址，双击可粘贴多个宝贝地址！");
    EXPECT_EQ(addressBoxPrompt(CollectionMode::Single, "http://a/offer/1.html"), "已粘贴多行地址");
    EXPECT_EQ(addressBoxPrompt(CollectionMode::List, "http://a/offer/1.html"), "请输入列表地址");
    EXPECT_EQ(addressBoxPrompt(CollectionMode::Shop, ""), "请输入店铺地址");
    EXPECT_EQ(addressBoxPrompt(CollectionMode::None, ""), "");
}

}  // namespace
