#include "collect/logpanel.h"

#include <thread>

#include <gtest/gtest.h>

using vq::LogPanel;

TEST(LogPanel, LogPrefixesTheDateTime)
{
    LogPanel panel;
    panel.log("  hello\r\n");
    const auto lines = panel.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("年"), std::string::npos);
    EXPECT_EQ(lines[0].substr(lines[0].size() - 9), "  hello\r\n");
}

TEST(LogPanel, BoundedKeepsTheNewestLines)
{
    LogPanel panel(3);
    for (int i = 0; i < 5; ++i)
        panel.append(std::to_string(i));
    EXPECT_EQ(panel.text(), "234");
}

TEST(LogPanel, SubscriberMissesNoLineWhileOthersAppend)
{
    LogPanel panel;
    std::thread writer([&] {
        for (int i = 0; i < 2000; ++i)
            panel.append("w" + std::to_string(i) + "\n");
    });
    std::vector<std::string> seen;
    std::vector<std::string> replay;
    std::mutex m;
    panel.subscribe([&](const std::string& line) {
        std::lock_guard lock(m);
        seen.push_back(line);
    }, &replay);
    writer.join();
    std::lock_guard lock(m);
    ASSERT_EQ(replay.size() + seen.size(), 2000u);
    replay.insert(replay.end(), seen.begin(), seen.end());
    for (int i = 0; i < 2000; ++i)
        EXPECT_EQ(replay[static_cast<std::size_t>(i)], "w" + std::to_string(i) + "\n");
}
