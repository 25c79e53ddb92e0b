// Any bytes as the account service's reply. Reading never throws, and a reply is all or nothing:
// it yields the whole record of the start-up information or of the profile, or none, never a
// record built around a member of the wrong shape. So the same reply with any one member the record
// reads turned into an array or an object yields no record at all.
#include <string>

#include "FuzzInput.h"
#include "online/account/ReplyReader.h"

namespace {

using Path = std::vector<const char*>;

// The reply with the member at path replaced; false when a member on the way is not an object.
bool replaced(Json::Value& root, const Path& path, const Json::Value& value) {
    Json::Value* at = &root;
    for (const char* name : path) {
        if (!at->isObject() && !at->isNull()) {
            return false;
        }
        at = &(*at)[name];
    }
    *at = value;
    return true;
}

template <class Read>
void checkAllOrNothing(const Json::Value& root, Read read, const std::vector<Path>& members) {
    if (!read(root)) {
        return;
    }
    for (const Path& path : members) {
        for (const Json::Value& wrong : {Json::Value(Json::arrayValue), Json::Value(Json::objectValue)}) {
            Json::Value changed = root;
            if (replaced(changed, path, wrong) && !(path.back() == std::string("res") && wrong.isObject())) {
                FUZZ_CHECK(!read(changed));
            }
        }
    }
}

}  // namespace

// jsoncpp is the system's library, built without frame pointers: beyond the allocating call the
// sanitizer's fast unwinder would take whatever jsoncpp keeps in that register for return
// addresses, store a new allocation stack on nearly every run and fill the memory within minutes.
// Two frames (the allocator and the call into it) are always right.
extern "C" const char* __asan_default_options() {
    return "malloc_context_size=2";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<Json::Value> root = parseReplyObject(std::string(reinterpret_cast<const char*>(data), size));
    if (!root) {
        return 0;
    }
    FUZZ_CHECK(root->isObject());
    if (const std::optional<LoadInfo> info = readLoadInfo(*root)) {
        FUZZ_CHECK(readText(*root, "errno") == "1000");
        const Json::Value res = readObject(*root, "res").value();
        FUZZ_CHECK(readText(res, "OlVersion") == info->onlineVersion && readText(res, "LoadUrl") == info->switchText);
    }
    if (const std::optional<Profile> profile = readProfile(*root)) {
        FUZZ_CHECK(readText(*root, "result_code") == "1");
        FUZZ_CHECK(readText(*root, "u_name") == profile->userName);
        FUZZ_CHECK(readText(*root, "login_method") == profile->loginMethod);
    }
    checkAllOrNothing(*root, readLoadInfo, {{"errno"}, {"res"}, {"res", "OlVersion"}, {"res", "LoadUrl"}});
    checkAllOrNothing(*root, readProfile, {{"result_code"}, {"u_name"}, {"login_method"}});
    return 0;
}
