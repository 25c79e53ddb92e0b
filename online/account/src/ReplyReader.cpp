#include "online/account/ReplyReader.h"

#include <cstring>
#include <memory>

std::optional<Json::Value> parseReplyObject(const std::string& response) {
    Json::CharReaderBuilder builder;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    const char* begin = response.c_str();
    Json::Value root;
    std::string errors;
    try {
        if (!reader->parse(begin, begin + std::strlen(begin), &root, &errors) || !root.isObject()) {
            return std::nullopt;
        }
    } catch (const std::exception&) {
        return std::nullopt;  // the reader's own limits (nesting depth)
    }
    return root;
}

std::optional<std::string> readText(const Json::Value& object, const char* key) {
    const Json::Value& member = object[key];
    if (member.isArray() || member.isObject()) {
        return std::nullopt;
    }
    return member.asString();
}

std::optional<Json::Value> readObject(const Json::Value& object, const char* key) {
    const Json::Value& member = object[key];
    if (member.isNull()) {
        return Json::Value(Json::objectValue);
    }
    if (!member.isObject()) {
        return std::nullopt;
    }
    return member;
}

std::optional<LoadInfo> readLoadInfo(const Json::Value& root) {
    const std::optional<std::string> errorCode = readText(root, "errno");
    if (!errorCode || *errorCode != "1000") {
        return std::nullopt;
    }
    const std::optional<Json::Value> res = readObject(root, "res");
    if (!res) {
        return std::nullopt;
    }
    const std::optional<std::string> version = readText(*res, "OlVersion");
    const std::optional<std::string> switches = readText(*res, "LoadUrl");
    if (!version || !switches) {
        return std::nullopt;
    }
    return LoadInfo{*version, *switches};
}

std::optional<Profile> readProfile(const Json::Value& root) {
    const std::optional<std::string> resultCode = readText(root, "result_code");
    const std::optional<std::string> name = readText(root, "u_name");
    const std::optional<std::string> method = readText(root, "login_method");
    if (!resultCode || *resultCode != "1" || !name || !method) {
        return std::nullopt;
    }
    return Profile{*name, *method};
}
