#include "ServiceControl.h"

#include <curl/curl.h>
#include <gtest/gtest.h>
#include <string.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace services {
namespace {

size_t collect(char* data, size_t size, size_t count, void* user) {
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
}

// One plain HTTP exchange with the control interface; throws when it does not succeed, so a test
// cannot go on with a service it failed to configure.
std::string exchange(const std::string& path, const std::string* body) {
    const std::string url = address("BRAVIK_TEST_CONTROL_URL") + path;
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl) {
        throw std::runtime_error("curl_easy_init failed");
    }
    std::string reply;
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, 20L);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &reply);
    if (body) {
        curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDSIZE, static_cast<long>(body->size()));
        curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDS, body->c_str());
    }
    const CURLcode rc = curl_easy_perform(curl.get());
    long status = 0;
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
    if (rc != CURLE_OK || status != 200) {
        throw std::runtime_error("control " + path + ": " + curl_easy_strerror(rc) + ", status " +
                                 std::to_string(status));
    }
    return reply;
}

std::string post(const std::string& path, const Json::Value& value) {
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "";
    writer["emitUTF8"] = true;
    const std::string body = Json::writeString(writer, value);
    return exchange(path, &body);
}

}  // namespace

std::string address(const char* variable) {
    const char* value = std::getenv(variable);
    if (!value || !*value) {
        throw std::runtime_error(std::string(variable) + " is not set: run through run_with_services.py");
    }
    return value;
}

std::string accountUrl() {
    return address("BRAVIK_TEST_ACCOUNT_URL");
}
std::string accountIpUrl() {
    return address("BRAVIK_TEST_ACCOUNT_IP_URL");
}
std::string rogueUrl() {
    return address("BRAVIK_TEST_ROGUE_URL");
}
std::string httpUrl() {
    return address("BRAVIK_TEST_HTTP_URL");
}
std::string crashUrl() {
    return address("BRAVIK_TEST_CRASH_URL");
}
std::string closedUrl() {
    return address("BRAVIK_TEST_CLOSED_URL");
}

void setReply(const std::string& path, const Reply& reply) {
    Json::Value spec;
    spec["path"] = path;
    spec["body"] = reply.body;
    spec["status"] = reply.status;
    spec["delay"] = reply.delay;
    spec["silent"] = reply.silent;
    spec["once"] = reply.once;
    spec["content_type"] = reply.contentType;
    post("reply", spec);
}

void reset() {
    post("reset", Json::Value(Json::objectValue));
}

std::vector<Json::Value> requests() {
    const std::string text = exchange("requests", nullptr);
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string errors;
    if (!reader->parse(text.data(), text.data() + text.size(), &root, &errors) || !root.isArray()) {
        throw std::runtime_error("control requests: " + errors);
    }
    return std::vector<Json::Value>(root.begin(), root.end());
}

std::vector<Json::Value> requestsFor(const std::string& path) {
    std::vector<Json::Value> result;
    for (const Json::Value& request : requests()) {
        if (request["path"].asString() == path) {
            result.push_back(request);
        }
    }
    return result;
}

std::vector<std::string> names(const Json::Value& list) {
    std::vector<std::string> result;
    for (const Json::Value& pair : list) {
        result.push_back(pair[0].asString());
    }
    return result;
}

std::string value(const Json::Value& list, const std::string& name) {
    for (const Json::Value& pair : list) {
        if (pair[0].asString() == name) {
            return pair[1].asString();
        }
    }
    ADD_FAILURE() << "no field " << name;
    return {};
}

std::vector<std::string> headerValues(const Json::Value& request, const std::string& name) {
    std::vector<std::string> result;
    for (const Json::Value& pair : request["headers"]) {
        if (_stricmp(pair[0].asCString(), name.c_str()) == 0) {
            result.push_back(pair[1].asString());
        }
    }
    return result;
}

std::string fromHex(const std::string& hex) {
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

}  // namespace services
