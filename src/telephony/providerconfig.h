#pragma once

// The telephony providers' fixed configuration, held in this one place.
namespace tdx::provider {

// SK Broadband: the user password is the phone number followed by this suffix; the client never
// stores the password itself.
inline constexpr const char *kSkbPasswordSuffix = "Tv!k";
// The application key passed to IMS_Init: 64 characters of the base64 alphabet.
inline constexpr const char *kImsApplicationKey =
    "VGFuZHJpdm94SU1TYXBwbGljYXRpb25LZXkrT2ZmaWNlTGluZS8yMDI2QkFTRTY0";
// The user id a registration creates: this prefix, the phone number, this suffix.
inline constexpr const char *kSkbIdPrefix = "tandrivox";
inline constexpr const char *kSkbIdSuffix = "sk";
// The library's name as QLibrary looks it up ("SKB_OpenAPI_IMS.dll", "libSKB_OpenAPI_IMS.so").
inline constexpr const char *kImsLibraryName = "SKB_OpenAPI_IMS";

static_assert(sizeof("VGFuZHJpdm94SU1TYXBwbGljYXRpb25LZXkrT2ZmaWNlTGluZS8yMDI2QkFTRTY0") == 65);

} // namespace tdx::provider
