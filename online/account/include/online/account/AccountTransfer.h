#pragma once

#include <string>

// One verified HTTPS GET of an account address through the process's client; the reply body as
// received, empty or cut short when the transfer fails (its result code is not looked at: a failed
// request shows as a reply that does not parse).
std::string fetchAccountReply(const std::string& address);
