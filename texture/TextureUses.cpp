#include "texture/TextureUses.h"

std::string FoldTextureName(std::string_view name) {
    std::string folded(name);
    // Only ASCII letters: the bytes above 127 of Quake's character set are
    // not letters of any case.
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}
