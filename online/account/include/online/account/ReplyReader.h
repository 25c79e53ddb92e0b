#pragma once

#include <json/json.h>

#include <optional>
#include <string>

// Reading the account service's JSON replies. A reply that does not parse, whose top level is not
// an object, or that holds an array or object where a text is expected counts as no answer.

// The reply parsed up to its first zero byte with the reader's default settings; nothing when it
// does not parse or its top level is not an object.
std::optional<Json::Value> parseReplyObject(const std::string& response);

// A member read as asString reads it: missing or null gives "", a number its decimal text, true
// and false "true" and "false". Nothing when the member is an array or an object.
std::optional<std::string> readText(const Json::Value& object, const char* key);

// A member that must be an object; missing or null reads as an empty object. Nothing otherwise.
std::optional<Json::Value> readObject(const Json::Value& object, const char* key);

// What the start-up information reply carries: read whole before anything is applied, so a reply
// of an unexpected shape changes nothing.
struct LoadInfo {
    std::string onlineVersion;
    std::string switchText;
};

// Nothing unless `errno` reads "1000" and `res`, `OlVersion` and `LoadUrl` read.
std::optional<LoadInfo> readLoadInfo(const Json::Value& root);

// What the profile reply carries, read whole in the same way.
struct Profile {
    std::string userName;
    std::string loginMethod;
};

// Nothing unless `result_code` reads "1" and `u_name` and `login_method` read.
std::optional<Profile> readProfile(const Json::Value& root);
