#include "online/account/AccountTransfer.h"

#include "online/account/CurlEasyClient.h"

std::string fetchAccountReply(const std::string& address) {
    std::string response;
    g_curlEasyClient.getHttps(address, &response, nullptr);
    return response;
}
