#pragma once

#include <json/json.h>

#include <string>
#include <vector>

// The local services as a test sees them: their addresses (from run_with_services.py) and their
// control interface. Every call fails the current test when the services cannot be reached.
namespace services {

// Address from the environment, e.g. "BRAVIK_TEST_ACCOUNT_URL"; fails the test when unset.
std::string address(const char* variable);

std::string accountUrl();    // https://localhost:<port>/ (certificate matches)
std::string accountIpUrl();  // https://127.0.0.1:<port>/ (host name does not match)
std::string rogueUrl();      // self-signed certificate for another host
std::string httpUrl();       // http://127.0.0.1:<port>/ (plain HTTP service)
std::string crashUrl();      // the crash-report endpoint
std::string closedUrl();     // nothing listens there

struct Reply {
    std::string body;
    int status = 200;
    double delay = 0;
    bool silent = false;
    bool once = false;
    std::string contentType = "application/json; charset=utf-8";
};

// The reply for one path (without a leading "/").
void setReply(const std::string& path, const Reply& reply);
// Standing replies back to their defaults, queued ones dropped, the request log emptied.
void reset();
// Every request received since the last reset, in arrival order.
std::vector<Json::Value> requests();
// Only those for one path.
std::vector<Json::Value> requestsFor(const std::string& path);

// Values of a recorded request's "fields" or "form" list, in the order they were sent.
std::vector<std::string> names(const Json::Value& list);
std::string value(const Json::Value& list, const std::string& name);
// Values of the request's header lines of that name, case-insensitively.
std::vector<std::string> headerValues(const Json::Value& request, const std::string& name);
// The raw bytes of a recorded hex text.
std::string fromHex(const std::string& hex);

}  // namespace services
