#include "map/CKeptTexts.h"

#include <algorithm>

const std::string* CKeptTexts::Find(std::string_view key) const {
    for (const CustomPair& kept : m_texts) {
        if (kept.key == key)
            return &kept.value;
    }
    return nullptr;
}

void CKeptTexts::Keep(std::string_view key, std::string_view text) {
    for (CustomPair& kept : m_texts) {
        if (kept.key == key) {
            kept.value = text;
            return;
        }
    }
    m_texts.push_back({std::string(key), std::string(text)});
}

void CKeptTexts::Forget(std::string_view key) {
    std::erase_if(m_texts, [&](const CustomPair& kept) { return kept.key == key; });
}
