#pragma once

#include <cstddef>
#include <span>

// A SysData key the settings objects know, with the value a missing row starts with.
struct SettingKey
{
    const char* key;
    const char* defaultValue;
};

using SettingKeys = std::span<const SettingKey>;

// The keys in the order they are loaded.
SettingKeys GlobalSettingKeys();
SettingKeys LocalSettingKeys();
SettingKeys MenuVersionSettingKeys();
