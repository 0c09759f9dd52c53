#pragma once

// Defines VELDRA_ADDRESS_SANITIZER where AddressSanitizer instruments the build: its shadow
// memory takes address space that tests under an address-space limit cannot give.
#if defined(__SANITIZE_ADDRESS__)
#define VELDRA_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELDRA_ADDRESS_SANITIZER 1
#endif
#endif
