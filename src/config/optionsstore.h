// The live settings that harvest workers read while the settings tab may
// change them; every call is thread-safe.
#pragma once

#include <mutex>

#include "config/options.h"

namespace vq::config {

class OptionsStore {
public:
    OptionsStore() = default;
    explicit OptionsStore(Options options) : m_options(std::move(options)) {}

    Options get() const;
    void set(const Options& options);

private:
    mutable std::mutex m_mutex;
    Options m_options;
};

}  // namespace vq::config
