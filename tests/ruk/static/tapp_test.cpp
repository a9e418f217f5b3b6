// Tests of the application family against the recording double: the start of the application
// on a copy of its configuration, the pointer checks, the update refusal and the frameless hook.
#include <cstring>

#include "layer_fixture.h"

namespace {

using TappTest = LayerTest;

TEST_F(TappTest, AppCreate_StartsOnACopyOfTheConfiguration) {
    char name[] = "TavlinCD";
    s_app_config config{3, 0, name, name, name};
    const s_app_config given = config;
    char* argv[] = {name, nullptr};
    vko_app_create(1, argv, 0, nullptr, nullptr);
    ExpectOutcome(0x210000, "vkowi_vko_system", false);
    base().SetResponder("vkowi_vko_system", [](const base_double::Call& call) {
        auto* seen = reinterpret_cast<s_app_config*>(
            static_cast<std::uintptr_t>(call.args[4].value));
        seen->menu_bar_id = 99; // a running application may change its own copy
        return base_double::Answer{};
    });
    vko_app_create(1, argv, 0, nullptr, &config);
    EXPECT_NE(base().LastCall("vkowi_vko_system")->args[4].value,
              static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(&config)));
    EXPECT_EQ(std::memcmp(&config, &given, sizeof given), 0);
    ExpectOutcome(0, "vkowi_vko_system", true);
}

TEST_F(TappTest, AppMembers_CheckTheirPointers) {
    vko_app_get_files_count(nullptr, nullptr);
    ExpectOutcome(0x210000, "vkok_app_get_files_count", false);
    EXPECT_EQ(vko_app_get_default_ctools(nullptr), nullptr);
    ExpectOutcome(0x210000, "vkov_app_get_default_ctools", false);
    vko_app_destroy_hook();
    EXPECT_EQ(base().MarkedNames().size(), 2u) << "the hook runs without a frame";
    ExpectOutcome(0, "vkov_app_destroy", true);
}

} // namespace
