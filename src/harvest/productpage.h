// The first step of the product loop: the product page of the row's offer,
// downloaded again for as long as the marketplace answers with its
// verification page, and the title read from it.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "config/endpoints.h"
#include "harvest/stagecontext.h"

namespace vq::harvest {

// https://<detail host>/offer/<offerId>.html
std::string productPageAddress(const config::Endpoints& endpoints, std::string_view offerId);

// Whether a downloaded page is the marketplace's verification page.
bool isVerificationPage(std::string_view pageText);

// Without a browser window the verification cannot be passed by the user;
// the page is then asked for again a few times, with a pause between, in
// case the marketplace lets it through by itself.
struct HeadlessVerification {
    int retries = 3;
    std::chrono::milliseconds pause{3000};
};

// acquireProductPage with an explicit headless retry policy.
void acquireProductPage(StageContext& context, const HeadlessVerification& headless);

}  // namespace vq::harvest
