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
