// libvlc unloads its plugins with its last instance; LeakSanitizer then no longer sees the
// pointers held in their static data and reports everything they hold as lost. One idle
// instance, kept for the whole run of a test program, keeps the plugins loaded.
#pragma once

#include <vlc/vlc.h>

#include <gtest/gtest.h>

class PluginsStayLoaded : public ::testing::Environment {
public:
    void SetUp() override
    {
        static libvlc_instance_t* const idle = libvlc_new(0, nullptr);
        ASSERT_NE(idle, nullptr);
    }
};

inline const auto* const pluginsStayLoaded = ::testing::AddGlobalTestEnvironment(new PluginsStayLoaded);
