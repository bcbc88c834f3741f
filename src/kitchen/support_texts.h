#pragma once

// Where a shop finds help with the program. Placeholders of the project's own:
// a deployment puts its support desk's details here.
namespace pw::kitchen::support {

inline constexpr const char* kNotice =
    "This program is supplied to the shop under licence. Copying it to other computers is not allowed.";
inline constexpr const char* kWebPage = "https://platewatch.example.org";
inline constexpr const char* kEmail = "support@platewatch.example.org";
inline constexpr const char* kProductPage = "https://platewatch.example.org/support";
inline constexpr const char* kOfficeHours = "Office hours (08:00 - 17:00): 000 000 0000";
inline constexpr const char* kAfterHours = "After hours: 000 000 0001";

} // namespace pw::kitchen::support
