#pragma once

#include <soui/SString.h>

#include <vector>

// A query field of an account request, value sent raw: the service reads values as they stand,
// so nothing is URL-encoded, here or in the signature.
struct QueryField {
    const char* name;
    SOUI::SStringA value;
};

// The fields ordered by the bytes of their names, joined as name=value with "&", then "&key=" and
// the signing key.
SOUI::SStringA signingText(std::vector<QueryField> fields);

// The upper-case MD5 hex digits of the text's bytes.
SOUI::SStringA signatureOf(const SOUI::SStringA& signingText);

// base + path + "?" + the fields in the order given, then "&sign=" and their signature.
SOUI::SStringA signedAddress(const SOUI::SStringA& base, const char* path, const std::vector<QueryField>& fields);
