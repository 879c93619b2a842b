#pragma once

#include "map/CustomPair.h"

#include <string>
#include <string_view>

// The text of number keys whose fields cannot hold what the file says ("0.5"
// in a 16-bit "wait", "70000" in "light", "10.5 -20 0" in "mangle"). Saving
// writes such a text in place of the field until the field is changed, and
// whoever changes the field forgets its text. Empty for almost every entity.
class CKeptTexts {
public:
    const std::string* Find(std::string_view key) const;
    void Keep(std::string_view key, std::string_view text);
    void Forget(std::string_view key);
    bool IsEmpty() const { return m_texts.empty(); }
    const CustomPairList& Texts() const { return m_texts; }

    friend bool operator==(const CKeptTexts&, const CKeptTexts&) = default;

private:
    CustomPairList m_texts;
};
