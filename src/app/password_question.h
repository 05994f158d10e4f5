#pragma once
// The question after a server refused the password, asked alike by the check and by push: would
// the user type another, and which.

#include <optional>
#include <string>

#include "app/lang_texts.h"
#include "platform/platform.h"

namespace vantrel::app {

// The password to store for `user` at `host`, or none when the stored one is to stay: the user
// said No, or, after a server's alert (which may say no more than that the server is in trouble),
// typed nothing. Without an alert, nothing typed is an empty password.
std::optional<std::string> askNewPassword(platform::Platform& platform, const TLangTexts& texts,
                                          const std::string& host, const std::string& user,
                                          bool alerted);

}  // namespace vantrel::app
