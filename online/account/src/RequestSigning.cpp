#include "online/account/RequestSigning.h"

#include <foundation/Md5Digest.h>
#include <string.h>

#include <algorithm>

#include "online/account/AccountService.h"

namespace {

SOUI::SStringA joined(const std::vector<QueryField>& fields) {
    SOUI::SStringA text;
    for (const QueryField& field : fields) {
        if (!text.IsEmpty()) {
            text += '&';
        }
        text += field.name;
        text += '=';
        text += field.value;
    }
    return text;
}

}  // namespace

SOUI::SStringA signingText(std::vector<QueryField> fields) {
    std::stable_sort(fields.begin(), fields.end(),
                     [](const QueryField& a, const QueryField& b) { return strcmp(a.name, b.name) < 0; });
    return joined(fields) + "&key=" + g_signingKey;
}

SOUI::SStringA signatureOf(const SOUI::SStringA& text) {
    CMd5Digest digest{};
    digest.compute(text.c_str(), static_cast<uint32_t>(text.GetLength()));
    return SOUI::SStringA(digest.toHexString().c_str()).MakeUpper();
}

SOUI::SStringA signedAddress(const SOUI::SStringA& base, const char* path, const std::vector<QueryField>& fields) {
    return base + path + "?" + joined(fields) + "&sign=" + signatureOf(signingText(fields));
}
