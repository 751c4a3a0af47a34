#pragma once

// A service build would let a unit with a blank product record be upgraded; this
// program is not one.
constexpr bool have_service_build()
{
    return false;
}
