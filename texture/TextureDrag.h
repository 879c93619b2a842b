#pragma once

// A texture dragged out of the texture browser travels under this MIME type,
// as the bytes of its name, to whatever view takes it.
inline constexpr const char* kTextureNameMimeType = "application/x-tolve-texture-name";
