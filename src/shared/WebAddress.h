#pragma once

#include <string_view>

namespace tarvex {

// The one test of an address the launcher may hand to the web browser: an
// http:// or https:// address (scheme in any letter case) with a host, and
// no blank or control character anywhere, so that it reaches the opener as
// one argument and cannot open a file, run a program through another scheme
// or carry a second argument. The opener trusts it and checks nothing.
bool isWebAddress(std::string_view address);

} // namespace tarvex
